# Helpers for the command-line tests: run TOOL with arguments and check the
# exit code (output kept in last_out / last_err), match output against a
# regular expression, compare files.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run expected_code)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    get_filename_component(tool_name "${TOOL}" NAME)
    message(FATAL_ERROR "${tool_name} ${ARGN}: exit ${code}, expected ${expected_code}\n${out}\n${err}")
  endif()
  set(last_out "${out}" PARENT_SCOPE)
  set(last_err "${err}" PARENT_SCOPE)
endfunction()

function(expect_match text pattern)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "expected '${pattern}' in:\n${text}")
  endif()
endfunction()

function(expect_same_file a b)
  file(SHA256 "${a}" ha)
  file(SHA256 "${b}" hb)
  if(NOT ha STREQUAL hb)
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()
