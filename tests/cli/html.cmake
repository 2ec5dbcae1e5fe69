# rankhall-cli html: the HTML standings page as the program publishes it with its refresh tick
# off, written to a chosen file or into the temporary folder under its own name.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# What the page shows of a name or title: & < > " ' as entities (these examples are ASCII).
function(html_escape var text)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    string(REPLACE "\"" "&quot;" text "${text}")
    string(REPLACE "'" "&#39;" text "${text}")
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

foreach(name demo sitout10 teams7)
    set(page "${WORK_DIR}/${name}.html")
    run_cli(out err rc html "${SOURCE_DIR}/examples/${name}.qmc" -o "${page}")
    if(NOT rc EQUAL 0 OR NOT EXISTS "${page}")
        message(FATAL_ERROR "html ${name} -o answered ${rc}:\n${out}${err}")
    endif()
    expect_equal("${out}" "" "html ${name} -o prints nothing")
    if(EXISTS "${page}.tmp")
        message(FATAL_ERROR "html ${name} -o left its temporary file")
    endif()
    file(READ "${page}" text)

    # Every line ends with CR LF, the last one too (read as bytes: CMake drops CR from text).
    file(READ "${page}" hex HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    string(REGEX MATCHALL "(^| )0a " lf "${bytes}")
    string(REGEX MATCHALL "0d 0a " crlf "${bytes}")
    list(LENGTH lf lf)
    list(LENGTH crlf crlf)
    if(lf EQUAL 0 OR NOT lf EQUAL crlf)
        message(FATAL_ERROR "${name}: ${lf} line feeds but ${crlf} CR LF pairs")
    endif()
    string(REGEX MATCH "0d 0a $" ends "${bytes}")
    expect_equal("${ends}" "0d 0a " "${name}: last line ended")

    expect_contains("${text}" "<META HTTP-EQUIV=\"refresh\" CONTENT=\"15\">" "${name}: refresh")
    expect_lacks("${text}" "CONTENT=\"1\"" "${name}: refresh")

    # One row per standings entry, in the order of the standings, names escaped.
    run_cli(doc err rc report "${SOURCE_DIR}/examples/${name}.qmc")
    json_get(entrants "${doc}" tournament entrants)
    json_get(title "${doc}" tournament title)
    # The style attributes hold ";", which would split a CMake list: stand in another byte.
    string(ASCII 1 semicolon)
    string(REPLACE ";" "${semicolon}" listable "${text}")
    string(REGEX MATCHALL "<tr><td[^>]*>[^\n]*</td>\n" rows "${listable}")
    list(LENGTH rows count)
    expect_equal("${count}" "${entrants}" "${name}: entrant rows")
    html_escape(title "${title}")
    expect_contains("${text}" ">${title}</th>" "${name}: title")
    if(NOT name STREQUAL "demo") # demo's names go beyond ASCII
        math(EXPR last "${entrants} - 1")
        foreach(i RANGE ${last})
            list(GET rows ${i} row)
            string(REPLACE "${semicolon}" ";" row "${row}")
            json_get(expected "${doc}" standings ${i} name)
            html_escape(expected "${expected}")
            string(REGEX REPLACE "^<tr><td[^>]*>(.*)</td>\n$" "\\1" shown "${row}")
            expect_equal("${shown}" "${expected}" "${name}: row ${i}")
        endforeach()
    endif()
endforeach()

# Markup characters in names and titles are escaped, never written as markup.
file(READ "${WORK_DIR}/demo.html" demo)
expect_contains("${demo}" "Kit &lt;Lucky&gt; King</td>" "demo: escaped name")
expect_lacks("${demo}" "<Lucky>" "demo: raw name")
expect_contains("${demo}" "Zo&#235; Brandt</td>" "demo: name beyond ASCII")
file(READ "${WORK_DIR}/teams7.html" teams)
expect_contains("${teams}" "Ann &amp; Bob</td>" "teams7: escaped team name")
file(READ "${WORK_DIR}/sitout10.html" sitout)
expect_contains("${sitout}" "Tuesday Ten &amp; Two Sit Out</th>" "sitout10: escaped title")

# Without -o: published into the temporary folder as "Quillmark" + code + ".html", the path
# printed, the same page as with -o.
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc")
expect_equal("${rc}" 0 "html demo into the temporary folder")
expect_equal("${out}" "${WORK_DIR}/QuillmarkDEMO16.html\n" "published path")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/QuillmarkDEMO16.html"
                        "${WORK_DIR}/demo.html" RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "the published page differs from the page written with -o")
endif()
# A second publication replaces the page whole.
file(WRITE "${WORK_DIR}/QuillmarkDEMO16.html" "stale")
run_cli(out err rc html "${SOURCE_DIR}/examples/plain/demo.qmc")
expect_equal("${rc}" 0 "html demo published again")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/QuillmarkDEMO16.html"
                        "${WORK_DIR}/demo.html" RESULT_VARIABLE differ)
if(differ)
    message(FATAL_ERROR "the second publication did not replace the page")
endif()

# A page that cannot be written: the "SaveHTMLFile" message, exit code 1.
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" -o "${WORK_DIR}/no/such/page.html")
expect_equal("${rc}" 1 "html into a missing folder")
expect_contains("${err}" "SaveHTMLFile: The following error occured: \nError # 76"
                "html into a missing folder")

# A damaged file whose score total overflows: the page is still written, without entrant rows,
# and the "Create HTML Table Row" message says why.
file(READ "${SOURCE_DIR}/examples/plain/demo.qmc" demo_file)
string(REGEX REPLACE "(<Round>0[12]</Round>[ \t\r\n]*<PlayerID>01</PlayerID>[ \t\r\n]*<Score>)[0-9]+"
       "\\132000" overflow "${demo_file}")
file(WRITE "${WORK_DIR}/overflow.qmc" "${overflow}")
run_cli(out err rc html "${WORK_DIR}/overflow.qmc" -o "${WORK_DIR}/overflow.html")
expect_equal("${rc}" 0 "html of an overflowing total")
expect_contains("${err}" "Rankhall: Create HTML Table Row: Overflow" "html of an overflowing total")
file(READ "${WORK_DIR}/overflow.html" page)
expect_lacks("${page}" "<td" "overflowing total rows")
expect_contains("${page}" "</table></body></html>" "overflowing total page end")

# A missing tournament file: the "Load Document" message, nothing written, exit code 1.
run_cli(out err rc html "${WORK_DIR}/missing.qmc" -o "${WORK_DIR}/missing.html")
expect_equal("${rc}" 1 "html of a missing file")
expect_contains("${err}" "Load Document: The following error occured: \nError # 53\nFile not found"
                "html of a missing file")
if(EXISTS "${WORK_DIR}/missing.html")
    message(FATAL_ERROR "html of a missing file wrote a page")
endif()

# Usage errors.
run_cli(out err rc html)
expect_equal("${rc}" 2 "html without a file")
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" -o)
expect_equal("${rc}" 2 "html -o without a file name")
run_cli(out err rc html a.qmc b.qmc)
expect_equal("${rc}" 2 "html with two files")
