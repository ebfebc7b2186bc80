# Runs one golden replay and compares its standard output with the expected
# text. On a mismatch the actual output is kept in ACTUAL.
execute_process(COMMAND ${CLI} replay ${SCRIPT} --words ${WORDS}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
file(READ ${EXPECTED} expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tilvan-cli replay exited with ${rc}: ${err}")
endif()
if(NOT out STREQUAL expected)
  get_filename_component(actual_dir ${ACTUAL} DIRECTORY)
  file(MAKE_DIRECTORY ${actual_dir})
  file(WRITE ${ACTUAL} "${out}")
  message(FATAL_ERROR "output differs from ${EXPECTED}; actual output in ${ACTUAL}\n"
                      "  diff ${EXPECTED} ${ACTUAL}")
endif()
