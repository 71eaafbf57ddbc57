# Run by CPack on the staged files before it packs them: strips the programs as Debian's
# packaging tools do, the compiler's .comment and the .note section with the symbols.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
if(NOT programs)
  message(FATAL_ERROR "no programs staged in ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip ${program} failed")
  endif()
endforeach()
