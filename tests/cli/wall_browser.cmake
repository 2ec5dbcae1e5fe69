# The wall screen in a real browser: headless Chromium shows the page rankhall-cli writes on a
# full screen of 1280x720 and of 1920x1080, and a script measures what it drew: the standings
# rows' font against the screen's height, that no row runs off the screen, the contrast of every
# text on its background in both themes, that a long list turns its page by itself, and that the
# page keeps its page and theme when it reloads itself. ./test installs chromium.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

find_program(CHROMIUM NAMES chromium chromium-browser)
if(NOT CHROMIUM)
    message(FATAL_ERROR "chromium is not installed: ./test installs it "
                        "(scripts/ensure-packages.sh, RANKHALL_TEST_PACKAGES)")
endif()

# The measurements of one page on a full screen of the given size after `budget` ms of virtual
# time, as variables <prefix>_<key> in the caller's scope.
function(measure_page prefix url size budget)
    string(MAKE_C_IDENTIFIER "${prefix}" profile)
    set(profile "${WORK_DIR}/profile-${profile}")
    file(REMOVE_RECURSE "${profile}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK_DIR} XDG_CONFIG_HOME=${WORK_DIR}/config
                XDG_CACHE_HOME=${WORK_DIR}/cache
                ${CHROMIUM} --headless --no-sandbox --disable-gpu --no-first-run
                --disable-background-networking --disable-component-update --disable-sync
                --user-data-dir=${profile} --kiosk "--screen-info={${size}}" --hide-scrollbars
                --virtual-time-budget=${budget} --dump-dom "${url}"
        OUTPUT_VARIABLE dom ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 90)
    string(REGEX MATCH "<pre id=\"measure\"[^>]*>([^<]*)</pre>" found "${dom}")
    if(NOT rc EQUAL 0 OR NOT found)
        message(FATAL_ERROR "chromium on ${url} at ${size} measured nothing ('${rc}'):\n${err}")
    endif()
    string(REPLACE "\n" ";" lines "${CMAKE_MATCH_1}")
    foreach(line IN LISTS lines)
        if(line MATCHES "^([a-z_0-9]+)=(.*)$")
            set(${prefix}_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}" PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

function(expect_at_least value least what)
    if(NOT value GREATER_EQUAL least)
        message(FATAL_ERROR "${what}: expected at least ${least}, got '${value}'")
    endif()
endfunction()

# A page with the measuring script added at the end of its body.
function(measured_copy page copy)
    file(READ "${page}" text)
    file(READ "${CMAKE_CURRENT_LIST_DIR}/support/wall_measure.js" script)
    string(REPLACE "</body></html>" "<script>\n${script}</script>\n</body></html>" text "${text}")
    file(WRITE "${copy}" "${text}")
endfunction()

execute_process(COMMAND ${MAKE_TOURNAMENT} "${WORK_DIR}/big.qmc" 128 8 3 RESULT_VARIABLE rc)
expect_equal("${rc}" 0 "a tournament of 128 players")
run_cli(out err rc html "${WORK_DIR}/big.qmc" --wall -o "${WORK_DIR}/big.html")
expect_equal("${rc}" 0 "html --wall of 128 players")
measured_copy("${WORK_DIR}/big.html" "${WORK_DIR}/big-measured.html")

foreach(size 1280x720 1920x1080)
    measure_page(m "file://${WORK_DIR}/big-measured.html" ${size} 13000)
    expect_equal("${m_a_viewport}" "${size}" "${size}: the viewport")
    string(REGEX REPLACE "x.*" "" width "${size}")
    foreach(at a b)
        # At least 3% of the screen's height (30 per mille) for every text of a standings row.
        expect_at_least("${m_${at}_font_per_mille}" 30 "${size} ${at}: font of the rows")
        expect_equal("${m_${at}_overflow}" 0 "${size} ${at}: a row off the screen")
        expect_at_least("${m_${at}_rows}" 8 "${size} ${at}: rows on a page")
    endforeach()
    # Dark theme (a, b) and light theme (c, after the "t" key): 7:1 for every text.
    foreach(at a b c)
        expect_at_least("${m_${at}_contrast_x100}" 700
                        "${size} ${at} (${m_${at}_theme}): contrast of ${m_${at}_contrast_worst}")
    endforeach()
    expect_equal("${m_a_theme}" "dark" "${size}: the theme it starts in")
    expect_equal("${m_c_theme}" "light" "${size}: the theme after the t key")
    # 128 rows take several pages, and after a page's time the next page is shown.
    math(EXPR pages "(128 + ${m_a_rows} - 1) / ${m_a_rows}")
    expect_equal("${m_a_page}" "Page 1 of ${pages}" "${size}: the first page")
    expect_equal("${m_b_page}" "Page 2 of ${pages}" "${size}: the page after the first turn")
    if(m_a_first STREQUAL m_b_first)
        message(FATAL_ERROR "${size}: page 1 and page 2 both start with '${m_a_first}'")
    endif()
    set(rows_${width} ${m_a_rows})
    message(STATUS "${size}: ${m_a_rows} rows a page, font ${m_a_font_per_mille} per mille of the "
                   "height, contrast ${m_a_contrast_x100}/100 dark, ${m_c_contrast_x100}/100 light")
endforeach()
# The page fills a larger screen with the same share of it: the row count stays about the same.
math(EXPR difference "${rows_1280} - ${rows_1920}")
if(difference GREATER 2 OR difference LESS -2)
    message(FATAL_ERROR "rows per page: ${rows_1280} at 720 lines but ${rows_1920} at 1080")
endif()

# The page reloads itself with its state in the address's fragment: the page turned to and the
# theme chosen are written there, and a page opened with them starts where it was.
foreach(kept "p=1" "theme=light")
    expect_contains("${m_c_hash}" "${kept}" "the fragment after a turn and the t key")
endforeach()
string(REPLACE " " "&" fragment "${m_c_hash}") # written with blanks for "&"
measure_page(r "file://${WORK_DIR}/big-measured.html#${fragment}" 1280x720 2000)
expect_equal("${r_r_page}" "Page 2 of ${pages}" "the page kept across a reload")
expect_equal("${r_r_theme}" "light" "the theme kept across a reload")

# A small tournament fits one page: no page number, nothing off the screen.
run_cli(out err rc html "${SOURCE_DIR}/examples/demo.qmc" --wall -o "${WORK_DIR}/demo.html")
expect_equal("${rc}" 0 "html --wall of the demo")
measured_copy("${WORK_DIR}/demo.html" "${WORK_DIR}/demo-measured.html")
measure_page(d "file://${WORK_DIR}/demo-measured.html" 1920x1080 3000)
expect_equal("${d_a_rows}" 16 "demo: every row on the one page")
expect_equal("${d_a_page}" "" "demo: no page number")
expect_equal("${d_a_overflow}" 0 "demo: a row off the screen")
expect_at_least("${d_a_contrast_x100}" 700 "demo: contrast of ${d_a_contrast_worst}")
