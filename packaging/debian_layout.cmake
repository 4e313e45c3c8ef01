# Run by cpack between installing into its staging folder and making the package: gives the
# staged tree what Debian wants beyond the install rules, which stay those of any installation.
# gzip -n leaves out the file's name and time, so that the same files give the same bytes.
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})

file(GLOB man_pages ${root}/${CPACK_QUORVEX_MAN_DIR}/man*/*.[1-9])
foreach(page ${man_pages})
  execute_process(COMMAND gzip -9n ${page} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# The programs are stripped already; Debian also drops the compiler's comment and notes.
file(GLOB programs ${root}/${CPACK_QUORVEX_BIN_DIR}/*)
foreach(program ${programs})
  execute_process(COMMAND ${CPACK_QUORVEX_STRIP} --remove-section=.comment --remove-section=.note
                          ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# A package whose version has no Debian revision keeps its changelog as changelog.gz.
file(MAKE_DIRECTORY ${root}/${CPACK_QUORVEX_DOC_DIR})
execute_process(COMMAND gzip -9n -c ${CPACK_QUORVEX_CHANGELOG}
                OUTPUT_FILE ${root}/${CPACK_QUORVEX_DOC_DIR}/changelog.gz
                COMMAND_ERROR_IS_FATAL ANY)
