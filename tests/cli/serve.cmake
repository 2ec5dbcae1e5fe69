# rankhall-cli serve: the wall screen served on 127.0.0.1 to many clients at once, only GET and
# HEAD of "/", a new save of the file served, stopped by SIGTERM and SIGINT. The requests are made
# by curl in support/serve_test.sh (./test installs curl).
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

find_program(CURL NAMES curl)
if(NOT CURL)
    message(FATAL_ERROR "curl is not installed: ./test installs it "
                        "(scripts/ensure-packages.sh, RANKHALL_TEST_PACKAGES)")
endif()
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/support/serve_test.sh ${CLI} ${SOURCE_DIR}
                        ${WORK_DIR}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 240)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "serve: ${rc}\n${out}${err}")
endif()
