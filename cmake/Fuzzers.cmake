# The fuzzing build: clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer. Everything is compiled with the fuzzer's
# coverage hooks (fuzzer-no-link); only the fuzz targets in fuzz/ link the
# fuzzer's own main. It has a build directory of its own (see fuzz/run.sh):
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVANE_FUZZERS=ON
if(KORVANE_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KORVANE_FUZZERS needs clang: configure with CC=clang CXX=clang++ in a build directory of its own")
  endif()
  if(KORVANE_SANITIZE)
    message(FATAL_ERROR "KORVANE_FUZZERS brings its own sanitizers; leave KORVANE_SANITIZE off")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A fuzz target: one program with libFuzzer's main, linked with the game.
function(korvane_add_fuzzer name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE korvane_game)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  korvane_set_warnings(${name})
endfunction()
