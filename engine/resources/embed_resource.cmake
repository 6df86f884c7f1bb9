# Turns a binary file into a C source that defines it as a byte array and its size.
# cmake -DINPUT=<file> -DOUTPUT=<file.c> -DSYMBOL=<name> -P embed_resource.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}"
"/* Generated from ${INPUT} by embed_resource.cmake; do not edit. */\n"
"#include <stddef.h>\n"
"const unsigned char ${SYMBOL}[${size}] = {\n    ${bytes}\n};\n"
"const size_t ${SYMBOL}_size = ${size};\n")
