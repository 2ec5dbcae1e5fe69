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

function(json_length var doc)
    string(JSON value ERROR_VARIABLE error LENGTH "${doc}" ${ARGN})
    if(error)
        message(FATAL_ERROR "JSON length of '${ARGN}': ${error}")
    endif()
    set(${var} "${value}" PARENT_SCOPE)
endfunction()

# expect_members(doc path_list_var member:TYPE...): the object at the path has exactly these
# members, each of the JSON type named (STRING, NUMBER, BOOLEAN, ARRAY, OBJECT). CMake reads
# members in name order, so the order of the text is checked apart (expect_key_order).
function(expect_members doc path_var)
    set(path ${${path_var}})
    json_length(count "${doc}" ${path})
    set(expected "")
    set(actual "")
    foreach(column IN LISTS ARGN)
        string(REPLACE ":" ";" column "${column}")
        list(GET column 0 name)
        list(GET column 1 type)
        list(APPEND expected "${name}")
        string(JSON kind ERROR_VARIABLE error TYPE "${doc}" ${path} ${name})
        if(error)
            message(FATAL_ERROR "object '${path}' lacks '${name}'")
        endif()
        if(NOT kind STREQUAL type)
            message(FATAL_ERROR "'${path} ${name}' is ${kind}, expected ${type}")
        endif()
    endforeach()
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(index RANGE ${last})
            string(JSON member MEMBER "${doc}" ${path} ${index})
            list(APPEND actual "${member}")
        endforeach()
    endif()
    list(SORT expected)
    list(SORT actual)
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "object '${path}' has the members '${actual}', expected '${expected}'")
    endif()
endfunction()

# expect_key_order(text indent key...): the keys written at this indentation (a pretty document
# with an indent of two) come in this order, the first occurrence of each counting.
function(expect_key_order text indent)
    string(REPEAT " " ${indent} pad)
    string(REGEX MATCHALL "\n${pad}\"[A-Za-z]+\":" found "${text}")
    set(seen "")
    foreach(item IN LISTS found)
        string(REGEX REPLACE "^\n *\"([A-Za-z]+)\":$" "\\1" key "${item}")
        if(NOT key IN_LIST seen)
            list(APPEND seen "${key}")
        endif()
    endforeach()
    if(NOT seen STREQUAL ARGN)
        message(FATAL_ERROR "keys at indent ${indent} come as '${seen}', expected '${ARGN}'")
    endif()
endfunction()
