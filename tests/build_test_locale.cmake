# Compiles the de_DE.UTF-8 locale into OUTPUT. localedef reports harmless warnings through its
# exit status, so success is judged by the files it wrote. Without it the locale tests skip;
# nothing else depends on it, so this never fails.
find_program(LOCALEDEF localedef)
get_filename_component(parent ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${parent})
if(LOCALEDEF)
  execute_process(COMMAND ${LOCALEDEF} -c -i de_DE -f UTF-8 ${OUTPUT} RESULT_VARIABLE result
                  OUTPUT_QUIET ERROR_VARIABLE errors)
endif()
if(NOT EXISTS ${OUTPUT}/LC_NUMERIC)
  message(STATUS "could not build ${OUTPUT}; the locale tests will skip: ${errors}")
endif()
