# rankhall-cli sheets and export: the PDFs read back with pdftotext (every entrant's score card with
# its tables, the seating charts and table cards, the frame), the CSV reports against their golden
# files, and the exit codes.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# The text of pages first..last, in the order it was drawn.
function(pdf_text var pdf first last)
    execute_process(COMMAND pdftotext -raw -enc UTF-8 -f ${first} -l ${last} "${pdf}" -
                    OUTPUT_VARIABLE text RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "pdftotext ${pdf} answered ${rc}")
    endif()
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

function(pdf_pages var pdf)
    execute_process(COMMAND pdfinfo "${pdf}" OUTPUT_VARIABLE info RESULT_VARIABLE rc)
    string(REGEX MATCH "Pages: *([0-9]+)" found "${info}")
    if(NOT rc EQUAL 0 OR NOT found)
        message(FATAL_ERROR "pdfinfo ${pdf} answered ${rc}:\n${info}")
    endif()
    set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# The seating of a tournament file, from its XML: for every entrant ID (1..n) the variable
# tables_<id> holds "3, 1, -, 4", its table round by round ("-" where it sits out).
function(read_seating file entrants)
    run_cli(xml err rc unmask "${file}")
    string(REGEX MATCH "<RosterRounds>.*</RosterRounds>" rounds "${xml}")
    string(REPLACE "</Round>" ";" rounds "${rounds}")
    foreach(id RANGE 1 ${entrants})
        set(tables_${id} "")
    endforeach()
    foreach(round IN LISTS rounds)
        if(NOT round MATCHES "<Table>")
            continue()
        endif()
        foreach(id RANGE 1 ${entrants})
            set(at_${id} "-")
        endforeach()
        string(REPLACE "</Table>" ";" tables "${round}")
        set(table 0)
        foreach(t IN LISTS tables)
            string(REGEX MATCHALL "<(Player|Team)>[0-9]+</" seats "${t}")
            if(NOT seats)
                continue()
            endif()
            math(EXPR table "${table} + 1")
            foreach(seat IN LISTS seats)
                string(REGEX REPLACE "[^0-9]" "" seat "${seat}")
                set(at_${seat} ${table})
            endforeach()
        endforeach()
        foreach(id RANGE 1 ${entrants})
            if(tables_${id} STREQUAL "")
                set(tables_${id} "${at_${id}}")
            else()
                set(tables_${id} "${tables_${id}}, ${at_${id}}")
            endif()
        endforeach()
    endforeach()
    foreach(id RANGE 1 ${entrants})
        set(tables_${id} "${tables_${id}}" PARENT_SCOPE)
    endforeach()
endfunction()

# Every entrant's card, four to a page in ID order: its name, and its ID with its tables.
function(expect_cards pdf file word)
    run_cli(doc err rc report "${file}")
    json_get(entrants "${doc}" tournament entrants)
    json_get(title "${doc}" tournament title)
    read_seating("${file}" ${entrants})
    math(EXPR pages "(${entrants} + 3) / 4")
    pdf_pages(found "${pdf}")
    expect_equal("${found}" "${pages}" "${file}: pages of cards")
    foreach(page RANGE 1 ${pages})
        pdf_text(page_${page} "${pdf}" ${page} ${page})
    endforeach()
    math(EXPR last "${entrants} - 1")
    foreach(i RANGE ${last})
        json_get(id "${doc}" standings ${i} id)
        json_get(name "${doc}" standings ${i} name)
        string(REGEX REPLACE "^\\* " "" name "${name}")
        math(EXPR n "${id}")
        math(EXPR page "(${n} - 1) / 4 + 1")
        set(text "${page_${page}}")
        expect_contains("${text}" "${name}\n" "${file}: card of ${id}")
        expect_contains("${text}" "${word} ${id} | Tables by round: ${tables_${n}}\n"
                        "${file}: tables of ${id}")
        expect_contains("${text}" "${title}" "${file}: title on page ${page}")
        expect_contains("${text}" "Page ${page} of ${pages}" "${file}: page ${page} numbered")
    endforeach()
endfunction()

# Score cards of every example.
foreach(example "demo;Player" "sitout10;Player" "teams7;Team")
    list(GET example 0 name)
    list(GET example 1 word)
    set(pdf "${WORK_DIR}/${name}-cards.pdf")
    run_cli(out err rc sheets "${SOURCE_DIR}/examples/${name}.qmc" -o "${pdf}" --what cards)
    if(NOT rc EQUAL 0 OR NOT EXISTS "${pdf}")
        message(FATAL_ERROR "sheets ${name} --what cards answered ${rc}:\n${out}${err}")
    endif()
    expect_cards("${pdf}" "${SOURCE_DIR}/examples/${name}.qmc" ${word})
endforeach()

# All three sheets on US Letter, pages numbered through: 4 pages of cards, a chart per round,
# a card per table.
set(pdf "${WORK_DIR}/demo-all.pdf")
run_cli(out err rc sheets "${SOURCE_DIR}/examples/demo.qmc" -o "${pdf}" --paper letter)
expect_equal("${rc}" 0 "sheets demo (all)")
pdf_pages(pages "${pdf}")
expect_equal("${pages}" 16 "demo: cards, charts and table cards")
execute_process(COMMAND pdfinfo "${pdf}" OUTPUT_VARIABLE info)
expect_contains("${info}" "612 x 792 pts (letter)" "demo: US Letter")
pdf_text(chart "${pdf}" 7 7)
expect_contains("${chart}" "Seating Chart" "demo: chart of round 3")
expect_contains("${chart}" "Round 3\n" "demo: chart of round 3")
expect_contains("${chart}" "Page 7 of 16" "demo: chart of round 3")
pdf_text(table "${pdf}" 16 16)
expect_contains("${table}" "Table Cards" "demo: card of table 4")
expect_contains("${table}" "Table\n4\n" "demo: card of table 4")
run_cli(out err rc sheets "${SOURCE_DIR}/examples/demo.qmc" -o "${WORK_DIR}/a4.pdf"
        --what tables)
execute_process(COMMAND pdfinfo "${WORK_DIR}/a4.pdf" OUTPUT_VARIABLE info)
expect_contains("${info}" "(A4)" "demo: A4 by default")

# The reports as CSV, byte for byte as the golden files (byte-order mark, header, every field
# quoted, CR LF, plain money with two decimals), in a German locale too, whose money texts
# ("40,00 €") the amounts are read back from.
set(locales "${WORK_DIR}/locales")
file(MAKE_DIRECTORY "${locales}")
execute_process(COMMAND localedef -i de_DE -f UTF-8 "${locales}/de_DE.UTF-8"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
expect_equal("${rc}" 0 "localedef de_DE.UTF-8 (./test installs the locales package): ${err}")
foreach(locale C.UTF-8 de_DE.UTF-8)
    foreach(what standings results treasurer)
        set(csv "${WORK_DIR}/demo_${what}.csv")
        execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR} LOCPATH=${locales}
                        LC_ALL=${locale} ${CLI} export "${SOURCE_DIR}/examples/demo.qmc"
                        --what ${what} --format csv -o "${csv}"
                        RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 60)
        expect_equal("${rc}" 0 "export ${what} csv in ${locale}: ${err}")
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${csv}"
                        "${SOURCE_DIR}/tests/data/demo_${what}.csv" RESULT_VARIABLE differ)
        if(differ)
            file(READ "${csv}" got)
            message(FATAL_ERROR "demo_${what}.csv in ${locale} differs from the golden file; "
                                "it reads:\n${got}")
        endif()
    endforeach()
endforeach()

# The treasurer's report as PDF, with the roll call ticked: the cash formula is stated, and with
# every entry fee in, the box holds the fines collected less the jackpot paid.
set(pdf "${WORK_DIR}/treasurer.pdf")
run_cli(out err rc export "${SOURCE_DIR}/examples/demo.qmc" --what treasurer --format pdf
        -o "${pdf}" --all-paid)
expect_equal("${rc}" 0 "export treasurer pdf: ${err}")
pdf_text(text "${pdf}" 1 99)
string(REGEX REPLACE "[ \n]+" " " text "${text}")
expect_contains("${text}" "Treasurer's Report" "treasurer pdf")
expect_contains("${text}" "16 paid, 0 not paid" "treasurer pdf: the roll call")
expect_contains("${text}" "Cash that should be in the box = entry fees collected + fines collected - expenses - prizes paid out - jackpot paid out"
                "treasurer pdf: the formula")
expect_contains("${text}" "the box balances" "treasurer pdf: balances")
foreach(what standings results)
    run_cli(out err rc export "${SOURCE_DIR}/examples/teams7.qmc" --what ${what} --format pdf
            -o "${WORK_DIR}/${what}.pdf" --paper letter)
    expect_equal("${rc}" 0 "export ${what} pdf: ${err}")
endforeach()
pdf_text(text "${WORK_DIR}/results.pdf" 1 99)
expect_contains("${text}" "Tournament Winners" "results pdf")
expect_contains("${text}" "Teams who owe bump money" "results pdf")
expect_contains("${text}" "Bump Jackpot - Winner" "results pdf")

# Exit codes: 2 for usage, 1 for a file that does not load or a PDF that cannot be written.
foreach(args "sheets;${SOURCE_DIR}/examples/demo.qmc"
             "sheets;${SOURCE_DIR}/examples/demo.qmc;-o;x.pdf;--paper;a3"
             "sheets;${SOURCE_DIR}/examples/demo.qmc;-o;x.pdf;--what;everything"
             "export;${SOURCE_DIR}/examples/demo.qmc;--what;standings;-o;x.csv"
             "export;${SOURCE_DIR}/examples/demo.qmc;--what;money;--format;csv;-o;x.csv"
             "export;${SOURCE_DIR}/examples/demo.qmc;--what;results;--format;xls;-o;x.csv")
    run_cli(out err rc ${args})
    expect_equal("${rc}" 2 "usage error: ${args}")
endforeach()
run_cli(out err rc sheets "${WORK_DIR}/missing.qmc" -o "${WORK_DIR}/missing.pdf")
expect_equal("${rc}" 1 "sheets of a missing file")
expect_contains("${err}" "not loaded: ${WORK_DIR}/missing.qmc" "sheets of a missing file")
foreach(args "sheets;${SOURCE_DIR}/examples/demo.qmc;-o;${WORK_DIR}/no/such/folder/x.pdf"
             "export;${SOURCE_DIR}/examples/demo.qmc;--what;results;--format;csv;-o;${WORK_DIR}/no/x.csv")
    run_cli(out err rc ${args})
    expect_equal("${rc}" 1 "unwritable output: ${args}")
    expect_contains("${err}" "could not be written" "unwritable output: ${args}")
endforeach()
