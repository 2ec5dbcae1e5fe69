# The HTML standings page in a real browser: headless Chromium loads the page rankhall-cli writes
# and hands back the DOM it built. Its rows, its refresh and the escaped names are checked there,
# in what the browser made of the page rather than in the page's text. ./test installs chromium;
# without it this test fails.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

find_program(CHROMIUM NAMES chromium chromium-browser)
if(NOT CHROMIUM)
    message(FATAL_ERROR "chromium is not installed: ./test installs it "
                        "(scripts/ensure-packages.sh, RANKHALL_TEST_PACKAGES)")
endif()

# The DOM of a page as Chromium serialises it after loading: a text node's "&", "<" and ">" come
# back as "&amp;", "&lt;" and "&gt;", every other character as itself.
function(browser_dom var page)
    string(MAKE_C_IDENTIFIER "${page}" profile)
    set(profile "${WORK_DIR}/profile-${profile}")
    file(REMOVE_RECURSE "${profile}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK_DIR} XDG_CONFIG_HOME=${WORK_DIR}/config
                XDG_CACHE_HOME=${WORK_DIR}/cache
                ${CHROMIUM} --headless --no-sandbox --disable-gpu --no-first-run
                --disable-background-networking --disable-component-update --disable-sync
                --user-data-dir=${profile} --dump-dom "file://${page}"
        OUTPUT_VARIABLE dom ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
    if(NOT rc EQUAL 0 OR dom STREQUAL "")
        message(FATAL_ERROR "chromium on ${page} answered '${rc}':\n${err}")
    endif()
    set(${var} "${dom}" PARENT_SCOPE)
endfunction()

function(count_matches var regex text)
    string(ASCII 1 semicolon) # the style attributes hold ";", which would split a CMake list
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REGEX MATCHALL "${regex}" found "${text}")
    list(LENGTH found n)
    set(${var} ${n} PARENT_SCOPE)
endfunction()

foreach(name demo teams7)
    set(page "${WORK_DIR}/${name}.html")
    run_cli(out err rc html "${SOURCE_DIR}/examples/${name}.qmc" -o "${page}")
    expect_equal("${rc}" 0 "html ${name}")
    run_cli(doc err rc report "${SOURCE_DIR}/examples/${name}.qmc")
    json_get(entrants "${doc}" tournament entrants)

    browser_dom(dom "${page}")
    string(TOLOWER "${dom}" lower)

    # One row of cells per entrant, ten cells each, in one table of the body.
    count_matches(rows "<tr>[ \t\r\n]*<td[ >]" "${lower}")
    expect_equal("${rows}" "${entrants}" "${name}: rows with cells in the browser")
    count_matches(cells "<td[ >]" "${lower}")
    math(EXPR expected "${entrants} * 10")
    expect_equal("${cells}" "${expected}" "${name}: cells in the browser")
    count_matches(tables "<table[ >]" "${lower}")
    expect_equal("${tables}" 1 "${name}: tables in the browser")

    # The browser reloads the page every 15 seconds.
    count_matches(refresh "<meta http-equiv=\"refresh\" content=\"15\">" "${lower}")
    expect_equal("${refresh}" 1 "${name}: refresh in the browser")
    expect_contains("${dom}" "<title>Rankhall</title>" "${name}: title in the browser")
    set(dom_${name} "${dom}")
endforeach()

# "Kit <Lucky> King" is text in a cell: no <lucky> element came of it, and the text node holds
# "<" and ">" (serialised as &lt; &gt;). Character references came back as the characters.
expect_contains("${dom_demo}" "Kit &lt;Lucky&gt; King</td>" "demo: name with < and >")
string(TOLOWER "${dom_demo}" lower)
expect_lacks("${lower}" "<lucky" "demo: markup from a name")
expect_contains("${dom_demo}" "Zoë Brandt</td>" "demo: character reference")
expect_contains("${dom_demo}" "Oli O'Hara</td>" "demo: apostrophe")

# "Ann & Bob" is text holding a single "&" (serialised once as &amp;, never &amp;amp;).
expect_contains("${dom_teams7}" "Ann &amp; Bob</td>" "teams7: name with &")
expect_lacks("${dom_teams7}" "&amp;amp;" "teams7: doubly escaped &")
