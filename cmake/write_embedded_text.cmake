# Script: cmake -DINPUT=<file> -DOUTPUT=<header> -DCONSTANT=<name> -P write_embedded_text.cmake
# Writes a header holding the bytes of INPUT as one raw string literal.
foreach(required INPUT OUTPUT CONSTANT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "write_embedded_text: ${required} is not set")
  endif()
endforeach()

set(delimiter "embedded_text")
file(READ ${INPUT} content)
string(FIND "${content}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw string delimiter )${delimiter}\"")
endif()

file(WRITE ${OUTPUT}.tmp
  "// Generated from ${INPUT} at build time; edit that file instead.\n"
  "#pragma once\n\n"
  "#include <string_view>\n\n"
  "namespace tessan::embedded {\n\n"
  "inline constexpr std::string_view ${CONSTANT} = R\"${delimiter}(${content})${delimiter}\";\n\n"
  "}  // namespace tessan::embedded\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
