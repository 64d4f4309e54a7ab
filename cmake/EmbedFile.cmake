# Writes a C++ source that holds one file's bytes, so the program reads no file at run time.
# cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DSYMBOL=<name> -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "#include <cstddef>\n#include <cstdint>\n\n"
    "namespace assets {\n"
    "extern const std::uint8_t ${SYMBOL}[] = {\n${bytes}\n};\n"
    "extern const std::size_t ${SYMBOL}Size = ${size};\n"
    "} // namespace assets\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
