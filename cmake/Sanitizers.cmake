# The sanitizer build instruments everything, the test frameworks included,
# so that a fault is reported wherever it happens.
if(KORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every program that links the game library gets the leak suppressions for
# system libraries compiled in.
function(korvane_add_leak_suppressions target)
  if(KORVANE_SANITIZE OR KORVANE_FUZZERS)
    target_sources(${target} INTERFACE ${PROJECT_SOURCE_DIR}/tests/sanitizers/LeakSuppressions.cpp)
  endif()
endfunction()
