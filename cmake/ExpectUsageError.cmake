# Runs PROGRAM (through EMULATOR, if given) with the ;-list ARGS and fails unless it exits with 2
# and prints only a usage line that names NAME.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 2)
  message(FATAL_ERROR "expected exit code 2, got '${code}'")
endif()
if(NOT err MATCHES "^usage: ${NAME}" OR NOT out STREQUAL "")
  message(FATAL_ERROR "expected only a usage line on stderr, got stdout '${out}' stderr '${err}'")
endif()
