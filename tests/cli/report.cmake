# rankhall-cli report: one JSON document with the standings, payouts, results, fines, jackpot and
# game details of a loaded tournament, every message of the load, and the exit code of check.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(root "")
set(tournament tournament)
set(payout payout)
set(jackpot jackpot)

# The document's shape: every key, in order, with its type; every row of every view likewise.
function(expect_report_shape doc what)
    expect_members("${doc}" root tournament:OBJECT payout:OBJECT standings:ARRAY winners:ARRAY
                   fines:ARRAY jackpot:OBJECT details:ARRAY sittingOut:ARRAY
                   roundComplete:BOOLEAN mismatches:ARRAY messages:ARRAY)
    expect_members("${doc}" tournament type:STRING title:STRING jackpotTitle:STRING code:STRING
                   supportCode:STRING entrants:NUMBER tables:NUMBER rounds:NUMBER
                   currentRound:NUMBER bumpFee:NUMBER woodFee:NUMBER entryFee:NUMBER
                   expenses:NUMBER)
    expect_members("${doc}" payout option:NUMBER customCount:NUMBER customAmounts:ARRAY
                   net:STRING table:ARRAY paidPositions:NUMBER)
    expect_members("${doc}" jackpot amount:STRING totalBumps:NUMBER totalWoods:NUMBER rows:ARRAY)
    json_length(n "${doc}" payout customAmounts)
    expect_equal("${n}" 8 "${what}: custom amounts")

    # The text keeps the keys in the order above.
    expect_key_order("${doc}" 2 tournament payout standings winners fines jackpot details
                     sittingOut roundComplete mismatches messages)
    expect_key_order("${doc}" 4 type title jackpotTitle code supportCode entrants tables rounds
                     currentRound bumpFee woodFee entryFee expenses option customCount
                     customAmounts net table paidPositions amount totalBumps totalWoods rows)
    string(FIND "${doc}" "\"standings\": [\n" at)
    if(at GREATER 0)
        string(SUBSTRING "${doc}" ${at} -1 rest)
        string(FIND "${rest}" "}" end)
        string(SUBSTRING "${rest}" 0 ${end} first)
        expect_key_order("${first}" 6 name score average lones bumps woods payout inTheMoney
                         place paid owesMoney totalDue id)
    endif()

    set(views "payout table|place:STRING amount:STRING"
        "standings|name:STRING score:STRING average:STRING lones:STRING bumps:STRING woods:STRING payout:STRING inTheMoney:STRING place:STRING paid:STRING owesMoney:STRING totalDue:STRING id:STRING"
        "winners|name:STRING place:STRING score:STRING payout:STRING lones:STRING"
        "fines|name:STRING payIn:STRING bumps:STRING woods:STRING paid:BOOLEAN"
        "jackpot rows|name:STRING payout:STRING lones:STRING"
        "details|name:STRING rounds:ARRAY total:STRING lone:STRING bump:STRING wood:STRING"
        "messages|title:STRING text:STRING")
    foreach(view IN LISTS views)
        string(REPLACE "|" ";" view "${view}")
        list(GET view 0 array)
        list(GET view 1 members)
        string(REPLACE " " ";" array "${array}")
        string(REPLACE " " ";" members "${members}")
        json_length(rows "${doc}" ${array})
        if(rows GREATER 0)
            math(EXPR last "${rows} - 1")
            foreach(i RANGE ${last})
                set(row ${array} ${i})
                expect_members("${doc}" row ${members})
            endforeach()
        endif()
    endforeach()
endfunction()

# Every example, masked and plain: loaded, the whole shape, one row per entrant in every
# per-entrant view, and views that agree with each other.
set(examples demo sitout10 teams7)
foreach(name IN LISTS examples)
    foreach(file "${SOURCE_DIR}/examples/${name}.qmc" "${SOURCE_DIR}/examples/plain/${name}.qmc")
        run_cli(doc err rc report "${file}")
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "report ${file} answered ${rc}:\n${err}")
        endif()
        expect_report_shape("${doc}" "${file}")
        set(report_${name} "${doc}")

        json_get(entrants "${doc}" tournament entrants)
        json_get(rounds "${doc}" tournament rounds)
        foreach(view standings winners details "jackpot rows")
            string(REPLACE " " ";" view "${view}")
            json_length(n "${doc}" ${view})
            expect_equal("${n}" "${entrants}" "${file}: rows of ${view}")
        endforeach()
        json_length(n "${doc}" details 0 rounds)
        expect_equal("${n}" "${rounds}" "${file}: round cells of a detail row")

        json_length(n "${doc}" messages)
        expect_equal("${n}" 1 "${file}: messages")
        json_get(title "${doc}" messages 0 title)
        json_get(text "${doc}" messages 0 text)
        expect_equal("${title}: ${text}" "File Load: Data file loaded successfully"
                     "${file}: message")

        # The standings and the winners grid rank the same entrants in the same order with the
        # same payouts; the standings are in descending score order.
        json_get(paid "${doc}" payout paidPositions)
        math(EXPR last "${entrants} - 1")
        set(previous 100000)
        foreach(i RANGE ${last})
            json_get(name "${doc}" standings ${i} name)
            json_get(score "${doc}" standings ${i} score)
            json_get(money "${doc}" standings ${i} payout)
            json_get(in "${doc}" standings ${i} inTheMoney)
            json_get(winner "${doc}" winners ${i} name)
            json_get(winner_money "${doc}" winners ${i} payout)
            string(REGEX REPLACE "^\\* " "" name "${name}")
            expect_equal("${winner}" "${name}" "${file}: winner row ${i}")
            if(score GREATER previous)
                message(FATAL_ERROR "${file}: standings not in score order at row ${i}")
            endif()
            set(previous ${score})
            if(i LESS paid)
                expect_equal("${in}" "Y" "${file}: row ${i} in the money")
                expect_equal("${money}" "${winner_money}" "${file}: payout of row ${i}")
            else()
                expect_equal("${in}" "N" "${file}: row ${i} in the money")
                expect_equal("${money}" "$0.00" "${file}: payout of row ${i}")
            endif()
        endforeach()

        # The jackpot is every fine at its fee: totals x fees (in cents, the fees being whole
        # cents).
        json_get(bumps "${doc}" jackpot totalBumps)
        json_get(woods "${doc}" jackpot totalWoods)
        json_get(amount "${doc}" jackpot amount)
        json_get(bump_fee "${doc}" tournament bumpFee)
        json_get(wood_fee "${doc}" tournament woodFee)
        foreach(fee bump_fee wood_fee)
            string(REGEX MATCH "^([0-9]+)(\\.([0-9]*))?$" ok "${${fee}}")
            set(cents "${CMAKE_MATCH_3}00")
            string(SUBSTRING "${cents}" 0 2 cents)
            math(EXPR ${fee} "${CMAKE_MATCH_1} * 100 + 1${cents} - 100")
        endforeach()
        math(EXPR jackpot_cents "${bumps} * ${bump_fee} + ${woods} * ${wood_fee}")
        math(EXPR dollars "${jackpot_cents} / 100")
        math(EXPR cents "${jackpot_cents} % 100 + 100")
        string(SUBSTRING "${cents}" 1 2 cents)
        expect_equal("${amount}" "$${dollars}.${cents}" "${file}: jackpot amount")

        # The debt list holds exactly the entrants with a bump or a wood, in name order.
        json_length(fines "${doc}" fines)
        set(debtors 0)
        json_length(rows "${doc}" details)
        math(EXPR last "${rows} - 1")
        foreach(i RANGE ${last})
            json_get(b "${doc}" details ${i} bump)
            json_get(w "${doc}" details ${i} wood)
            string(STRIP "${b}" b)
            string(STRIP "${w}" w)
            if(b GREATER 0 OR w GREATER 0)
                json_get(debtor "${doc}" details ${i} name)
                json_get(listed "${doc}" fines ${debtors} name)
                expect_equal("${listed}" "${debtor}" "${file}: debt row ${debtors}")
                math(EXPR debtors "${debtors} + 1")
            endif()
        endforeach()
        expect_equal("${fines}" "${debtors}" "${file}: debt rows")
    endforeach()
endforeach()

# Known figures of the examples. demo: 16 x $10.00, the standard split, rows 2 and 3 tied on 31
# and sharing second and third place money; nobody sits out 16 players at 4 tables.
set(doc "${report_demo}")
json_get(v "${doc}" payout net)
expect_equal("${v}" "$160.00" "demo net payout")
foreach(entry "0|First|$80.00" "1|Second|$48.00" "2|Third|$32.00")
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 i)
    list(GET entry 1 place)
    list(GET entry 2 amount)
    json_get(v "${doc}" payout table ${i} place)
    expect_equal("${v}" "${place}" "demo payout row ${i}")
    json_get(v "${doc}" payout table ${i} amount)
    expect_equal("${v}" "${amount}" "demo payout row ${i}")
endforeach()
foreach(i 1 2)
    json_get(v "${doc}" standings ${i} payout)
    expect_equal("${v}" "$40.00" "demo tied row ${i}")
    json_get(v "${doc}" standings ${i} place)
    expect_equal("${v}" "2" "demo tied row ${i} place")
endforeach()
json_length(v "${doc}" sittingOut)
expect_equal("${v}" 0 "demo sitting out")
json_get(v "${doc}" roundComplete)
expect_equal("${v}" OFF "demo round complete")
# UTF-8 and markup characters come through as themselves, not as escapes.
expect_contains("${doc}" "\"* Kit <Lucky> King\"" "demo name with markup characters")
expect_contains("${doc}" "\"* Zoë Brandt\"" "demo name beyond ASCII")

# sitout10: the title's "&" is the character itself; custom payouts of $45/$30/$15 from
# 10 x $10.00 less $10.00 expenses; two of ten players sit out each round.
set(doc "${report_sitout10}")
json_get(v "${doc}" tournament title)
expect_equal("${v}" "Tuesday Ten & Two Sit Out" "sitout10 title")
expect_contains("${doc}" "\"title\": \"Tuesday Ten & Two Sit Out\"" "sitout10 title text")
json_get(v "${doc}" payout net)
expect_equal("${v}" "$90.00" "sitout10 net payout")
json_get(v "${doc}" payout option)
expect_equal("${v}" 1 "sitout10 payout option")
json_get(v "${doc}" payout table 2 amount)
expect_equal("${v}" "$15.00" "sitout10 third place")
json_length(v "${doc}" sittingOut)
expect_equal("${v}" 2 "sitout10 sitting out")

# teams7: seven teams, one sits out; team names with "&".
set(doc "${report_teams7}")
json_get(v "${doc}" tournament type)
expect_equal("${v}" "Team" "teams7 type")
json_length(v "${doc}" sittingOut)
expect_equal("${v}" 1 "teams7 sitting out")
json_get(v "${doc}" sittingOut 0)
expect_contains("${v}" " & " "teams7 sitter")

# A round whose every seated player has a score: complete, and nobody is marked as waiting.
file(READ "${SOURCE_DIR}/examples/plain/demo.qmc" demo)
string(REPLACE "<CurrentRound>4</CurrentRound>" "<CurrentRound>3</CurrentRound>" round3 "${demo}")
file(WRITE "${WORK_DIR}/round3.qmc" "${round3}")
run_cli(doc err rc report "${WORK_DIR}/round3.qmc")
expect_equal("${rc}" 0 "round 3 report")
json_get(v "${doc}" roundComplete)
expect_equal("${v}" ON "round 3 complete")
expect_lacks("${doc}" "\"* " "round 3 waiting marks")

# Nine lones on a total of 22 do not fit: the player is listed as a mismatch.
string(REPLACE "<Lone>03</Lone>" "<Lone>09</Lone>" lones "${demo}")
file(WRITE "${WORK_DIR}/lones.qmc" "${lones}")
run_cli(doc err rc report "${WORK_DIR}/lones.qmc")
expect_equal("${rc}" 0 "mismatch report")
json_length(v "${doc}" mismatches)
expect_equal("${v}" 1 "mismatches")
json_get(v "${doc}" mismatches 0)
expect_equal("${v}" "Kit <Lucky> King" "mismatch")

# A damaged file whose score total overflows: the standings report their error as the window
# does and stay empty, every other view still comes, and the document is whole.
string(REGEX REPLACE "(<Round>0[12]</Round>[ \t\r\n]*<PlayerID>01</PlayerID>[ \t\r\n]*<Score>)[0-9]+"
       "\\132000" overflow "${demo}")
file(WRITE "${WORK_DIR}/overflow.qmc" "${overflow}")
run_cli(doc err rc report "${WORK_DIR}/overflow.qmc")
expect_equal("${rc}" 0 "report of an overflowing total")
expect_report_shape("${doc}" "overflowing total")
json_get(text "${doc}" messages 1 text)
expect_equal("${text}" "error in UpdateLeaderGridMain" "overflowing total message")
json_length(n "${doc}" standings)
expect_equal("${n}" 0 "overflowing total standings")
json_length(n "${doc}" details)
expect_equal("${n}" 16 "overflowing total details")

# Money follows the user's locale (here German: "160,00 €"); numbers in the file and in the
# document do not.
set(locales "${WORK_DIR}/locales")
file(MAKE_DIRECTORY "${locales}")
execute_process(COMMAND localedef -i de_DE -f UTF-8 "${locales}/de_DE.UTF-8"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "localedef de_DE.UTF-8 failed (${rc}): ${err}\n"
                        "./test installs the locales package it needs")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR} LOCPATH=${locales}
                        LC_ALL=de_DE.UTF-8 ${CLI} report "${SOURCE_DIR}/examples/demo.qmc"
                OUTPUT_VARIABLE doc RESULT_VARIABLE rc TIMEOUT 60)
expect_equal("${rc}" 0 "German report")
json_get(v "${doc}" payout net)
expect_equal("${v}" "160,00 €" "German net payout")
json_get(v "${doc}" standings 1 payout)
expect_equal("${v}" "40,00 €" "German tied payout")
json_get(v "${doc}" tournament bumpFee)
expect_equal("${v}" "0.25" "German bump fee")
json_get(v "${doc}" jackpot amount)
json_get(english "${report_demo}" jackpot amount)
string(REPLACE "$" "" english "${english}")
string(REPLACE "." "," english "${english}")
expect_equal("${v}" "${english} €" "German jackpot")

# A missing file: the "Load Document" message with error 53, an empty report, exit code 1.
run_cli(doc err rc report "${WORK_DIR}/missing.qmc")
expect_equal("${rc}" 1 "report of a missing file")
expect_report_shape("${doc}" "missing file")
json_get(title "${doc}" messages 0 title)
json_get(text "${doc}" messages 0 text)
expect_equal("${title}" "Load Document" "missing file message title")
expect_equal("${text}" "The following error occured: \r\nError # 53\r\nFile not found"
             "missing file message")
foreach(view standings winners fines details)
    json_length(n "${doc}" ${view})
    expect_equal("${n}" 0 "missing file ${view}")
endforeach()

# A file cut off in the middle: the parse report, exit code 1.
string(SUBSTRING "${demo}" 0 3000 cut)
file(WRITE "${WORK_DIR}/truncated.qmc" "${cut}")
run_cli(doc err rc report "${WORK_DIR}/truncated.qmc")
expect_equal("${rc}" 1 "report of a truncated file")
json_get(text "${doc}" messages 0 text)
expect_contains("${text}" "Your XML Document failed to load due to the following error."
                "truncated file message")

# Usage errors.
run_cli(out err rc report)
expect_equal("${rc}" 2 "report without a file")
run_cli(out err rc report a.qmc b.qmc)
expect_equal("${rc}" 2 "report with two files")
run_cli(out err rc report --frobnicate "${SOURCE_DIR}/examples/demo.qmc")
expect_equal("${rc}" 2 "report with an unknown option")

# The help names all five commands.
run_cli(out err rc --help)
expect_equal("${rc}" 0 "--help")
foreach(command check report html save unmask)
    string(REGEX MATCH "\n  ${command} " found "${out}")
    if(NOT found)
        message(FATAL_ERROR "--help does not list ${command}:\n${out}")
    endif()
endforeach()
