# rankhall-cli html --wall: the wall screen, written to a chosen file or published beside the
# standings page in the temporary folder, with the same messages and exit codes as html.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" --wall -o "${WORK_DIR}/demo.html")
expect_equal("${rc}" 0 "html --wall -o")
expect_equal("${out}" "" "html --wall -o prints nothing")
file(READ "${WORK_DIR}/demo.html" page)
# One row per entrant in the order of the standings, names escaped, and the round.
run_cli(doc err rc report "${SOURCE_DIR}/examples/demo.qmc")
json_get(entrants "${doc}" tournament entrants)
json_get(round "${doc}" tournament currentRound)
json_get(rounds "${doc}" tournament rounds)
string(REGEX MATCHALL "<div class=\"row( top)?\"><span class=\"place\">" rows "${page}")
list(LENGTH rows count)
expect_equal("${count}" "${entrants}" "wall rows")
json_get(first "${doc}" standings 0 name)
string(REGEX REPLACE "^\\* " "" first "${first}")
expect_contains("${page}" "<span class=\"name\">${first}" "the leader first")
expect_contains("${page}" "<div id=\"round\">Round ${round} of ${rounds}</div>" "the round")
expect_contains("${page}" "Kit &lt;Lucky&gt; King" "an escaped name")
expect_lacks("${page}" "<Lucky>" "a raw name")

# Without -o: published beside the standings page as Quillmark<code>-wall.html, the path printed;
# the standings page itself is not written by it.
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" --wall)
expect_equal("${rc}" 0 "html --wall into the temporary folder")
expect_equal("${out}" "${WORK_DIR}/QuillmarkDEMO16-wall.html\n" "published path")
if(EXISTS "${WORK_DIR}/QuillmarkDEMO16.html")
    message(FATAL_ERROR "html --wall wrote the standings page")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/QuillmarkDEMO16-wall.html"
                        "${WORK_DIR}/demo.html" RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "the published wall page differs from the page written with -o")
endif()
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc")
expect_equal("${out}" "${WORK_DIR}/QuillmarkDEMO16.html\n" "html without --wall")

# The messages and exit codes of html.
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" --wall -o "${WORK_DIR}/no/such.html")
expect_equal("${rc}" 1 "html --wall into a missing folder")
expect_contains("${err}" "SaveHTMLFile: The following error occured: \nError # 76"
                "html --wall into a missing folder")
run_cli(out err rc html "${WORK_DIR}/missing.qmc" --wall)
expect_equal("${rc}" 1 "html --wall of a missing file")
expect_contains("${err}" "not loaded: ${WORK_DIR}/missing.qmc" "html --wall of a missing file")
run_cli(out err rc html --wall)
expect_equal("${rc}" 2 "html --wall without a file")
