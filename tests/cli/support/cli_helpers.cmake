# Helpers shared by the rankhall-cli tests (included, never run as a test of its own).
#   CLI       the rankhall-cli executable
#   WORK_DIR  a scratch folder of the test's own; it is the temporary folder of every run

cmake_minimum_required(VERSION 3.22)

# Runs rankhall-cli with the arguments after `rc_var`; stdout, stderr and the exit code land in
# the three variables. A run that hangs is stopped after a minute and fails the test.
function(run_cli out_var err_var rc_var)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR} ${CLI} ${ARGN}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
    set(${out_var} "${out}" PARENT_SCOPE)
    set(${err_var} "${err}" PARENT_SCOPE)
    set(${rc_var} "${rc}" PARENT_SCOPE)
endfunction()

function(expect_equal actual expected what)
    if(NOT "${actual}" STREQUAL "${expected}")
        message(FATAL_ERROR "${what}: expected '${expected}', got '${actual}'")
    endif()
endfunction()

function(expect_contains text needle what)
    string(FIND "${text}" "${needle}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${what}: '${needle}' not found in:\n${text}")
    endif()
endfunction()

function(expect_lacks text needle what)
    string(FIND "${text}" "${needle}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${what}: '${needle}' should not be in:\n${text}")
    endif()
endfunction()

# json_get(var doc path...): the value at the path (object keys and array indices); a missing
# path fails the test.
function(json_get var doc)
    string(JSON value ERROR_VARIABLE error GET "${doc}" ${ARGN})
    if(error)
        message(FATAL_ERROR "JSON path '${ARGN}': ${error}")
    endif()
    set(${var} "${value}" PARENT_SCOPE)
endfunction()
