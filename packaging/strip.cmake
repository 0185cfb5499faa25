# Run by CPack on the staged files: strips the programs as Debian's dh_strip does, which also
# drops the compiler's .comment and .note sections that CPACK_STRIP_FILES leaves behind.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${CPACK_GYRENDA_STRIP} --remove-section=.comment --remove-section=.note
            --strip-unneeded ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
