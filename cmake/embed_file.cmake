# velmo_embed_file(<target> <input> <symbol>) compiles the bytes of <input> into <target> as
#   extern const unsigned char <symbol>[]; extern const std::size_t <symbol>_size;
# so that the module carries its resources on every platform without a resource compiler.
function(velmo_embed_file target input symbol)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_file_run.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/embed_file_run.cmake
    COMMENT "Embedding ${input}")
  target_sources(${target} PRIVATE ${output})
endfunction()
