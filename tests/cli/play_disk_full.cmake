# rankhall-cli play on a disk that fills up (a file size limit stands in for the full disk; it
# stops root too): once the journal cannot be written, that line and every later change are
# answered "error L: ...", no "ok" follows, and the run ends with a failure.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY "${SOURCE_DIR}/examples/sitout10.qmc" DESTINATION "${WORK_DIR}")

# Forty changes, each one altering the tournament: far more than 1024 bytes of journal hold.
set(lines "")
foreach(i RANGE 1 40)
    math(EXPR bumps "${i} % 2 + 1")
    string(APPEND lines "bump 01 ${bumps}\n")
endforeach()
file(WRITE "${WORK_DIR}/lines.txt" "${lines}")

execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR}
            sh -c "trap '' XFSZ; ulimit -f 2; exec \"$0\" play \"$1\" < \"$2\""
            ${CLI} "${WORK_DIR}/sitout10.qmc" "${WORK_DIR}/lines.txt"
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
expect_equal("${rc}" "1" "exit code after the journal failed")

string(REGEX MATCHALL "[^\n]+" answers "${out}")
list(LENGTH answers count)
expect_equal("${count}" "40" "one answer a line")
set(failed "")
foreach(answer IN LISTS answers)
    if(answer MATCHES "^error [0-9]+: ")
        if(NOT failed)
            set(failed "${answer}")
        else()
            expect_contains("${answer}" "no longer protected" "a change after the failure")
        endif()
    elseif(failed)
        message(FATAL_ERROR "'${answer}' after '${failed}':\n${out}")
    elseif(NOT answer MATCHES "^ok [0-9]+$")
        message(FATAL_ERROR "unexpected answer '${answer}':\n${out}")
    endif()
endforeach()
if(NOT failed OR NOT out MATCHES "^ok 1\n")
    message(FATAL_ERROR "the journal should take some changes, then fail:\n${out}\n${err}")
endif()
expect_lacks("${failed}" "Changes Not Protected" "the line whose record failed")
