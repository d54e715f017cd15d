# Writes a C++ source that holds a file's bytes as an array, with plain CMake only.
#   cmake -DINPUT=file -DOUTPUT=out.cpp -DSYMBOL=name -P embed_file.cmake
# The source defines mrv::embedded::SYMBOL (the bytes) and SYMBOL_size.
foreach(required INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "embed_file.cmake needs -D${required}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
# Sixteen bytes to a line keeps the generated file readable.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")

file(WRITE "${OUTPUT}"
  "// Generated from ${INPUT} by embed_file.cmake; do not edit.\n"
  "#include <cstddef>\n\n"
  "namespace mrv::embedded {\n\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const std::size_t ${SYMBOL}_size;\n"
  "const unsigned char ${SYMBOL}[] = {\n  ${bytes}\n};\n"
  "const std::size_t ${SYMBOL}_size = ${size};\n\n"
  "}  // namespace mrv::embedded\n")
