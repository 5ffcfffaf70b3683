# Turns text files into a C++ source of character arrays, run as a build
# step:  cmake -DOUTPUT=out.cpp -DNAMESPACE=ns -DFILES="a.js;b.css" -DNAMES="kA;kB" -P EmbedFiles.cmake
# Each file becomes `const unsigned char NAME[]` and `const std::size_t NAMESize`.
set(source "// Written by EmbedFiles.cmake at build time; do not edit.\n#include <cstddef>\n\nnamespace ${NAMESPACE} {\n")
list(LENGTH FILES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET FILES ${i} file)
  list(GET NAMES ${i} name)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(LENGTH "${hex}" size)
  math(EXPR size "${size} / 2")
  string(APPEND source "extern const unsigned char ${name}[];\nconst unsigned char ${name}[] = {\n${bytes}0x00};\n")
  string(APPEND source "extern const std::size_t ${name}Size;\nconst std::size_t ${name}Size = ${size};\n")
endforeach()
string(APPEND source "}  // namespace ${NAMESPACE}\n")
file(WRITE "${OUTPUT}" "${source}")
