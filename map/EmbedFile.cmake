# Writes a C++ source that holds the bytes of a file, so that the program
# carries its own copy of a data file. Run at build time:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DSYMBOL=name -DHEADER=include -P EmbedFile.cmake
# The source defines `const unsigned char SYMBOL[]` (the bytes and a final 0,
# so that an empty file still gives an array) and `const std::size_t SYMBOLSize`
# (the number of bytes of the file), both in namespace kv.
foreach(var INPUT OUTPUT SYMBOL HEADER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedFile.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
# Sixteen bytes a line keeps the generated file readable.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n  " bytes "${bytes}")

set(text "// Generated from ${INPUT} at build time; do not edit.\n")
string(APPEND text "#include \"${HEADER}\"\n\n")
string(APPEND text "namespace kv {\n")
string(APPEND text "const unsigned char ${SYMBOL}[] = {\n  ${bytes}0x00};\n")
string(APPEND text "const std::size_t ${SYMBOL}Size = ${size};\n")
string(APPEND text "}  // namespace kv\n")

# Rewrite only on a change, so that an unchanged file causes no recompilation.
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
