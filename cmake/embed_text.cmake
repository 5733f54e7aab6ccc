# tessan_embed_text(<target> <input file> <header name> <constant name>)
#
# Generates <header name> in the build tree at build time: a header that holds the bytes of
# <input file> as `inline constexpr std::string_view tessan::embedded::<constant name>`, so that
# the program carries the file exactly as it is in the repository. The header is regenerated
# whenever the input changes, and <target> gets its directory on the include path.
set(TESSAN_EMBED_TEXT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/write_embedded_text.cmake)

function(tessan_embed_text target input header_name constant)
  set(output_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  set(output ${output_dir}/${header_name})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DCONSTANT=${constant}
            -P ${TESSAN_EMBED_TEXT_SCRIPT}
    DEPENDS ${input} ${TESSAN_EMBED_TEXT_SCRIPT}
    COMMENT "Embedding ${input}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_include_directories(${target} PRIVATE ${output_dir})
endfunction()
