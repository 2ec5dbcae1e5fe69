# rankhall-cli new: a tournament written from a list of entrants loads with only the "loaded"
# message; --quality prints the seating's figures; a usage error answers 2, a request that cannot
# be met 1 with every problem named, and nothing is written then.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

file(WRITE "${WORK_DIR}/players.txt" "Name\nAnn\nBob\n\nCy\nDee\nEd\nFay\nGus\nHal\nIvy\nJo\n")
file(WRITE "${WORK_DIR}/teams.csv" "Team,Captain\n\"Aces, High\",Ann\nKings,Bob\nQueens,Cy\n")

run_cli(out err rc new --kind progressive --players "${WORK_DIR}/players.txt" --rounds 6
        --title "Club & Friends" --code CLUB-1 --entry-fee 5 --bump-fee 0.25 --quality
        -o "${WORK_DIR}/club.qmc")
expect_equal("${rc}" "0" "new progressive: ${err}")
expect_contains("${out}" "Progressive tournament, 10 players, 2 tables, 6 rounds" "summary")
foreach(figure "Repeated partnerships: " "Most meetings of two opponents: " "Rounds sat out: ")
    expect_contains("${out}" "${figure}" "--quality")
endforeach()
expect_contains("${err}" "Line 1 (\"Name\") was taken as a header and skipped." "header note")
expect_contains("${err}" "Line 4 holds no name and was skipped." "blank line note")

run_cli(out err rc check "${WORK_DIR}/club.qmc")
expect_equal("${rc}" "0" "check of the new file")
expect_equal("${out}" "File Load: Data file loaded successfully\nProgressive tournament: 10 players, 2 tables, 6 rounds, current round 1\n" "check output")

run_cli(out err rc new --kind TEAM --players "${WORK_DIR}/teams.csv" --rounds 3 --title Pairs
        --code P1 -o "${WORK_DIR}/pairs.qmc")
expect_equal("${rc}" "0" "new team: ${err}")
expect_lacks("${out}" "Repeated partnerships" "no figures without --quality")
run_cli(out err rc report "${WORK_DIR}/pairs.qmc")
expect_equal("${rc}" "0" "report of the team file")
expect_contains("${out}" "Aces, High" "team names from the CSV")

# Requests that cannot be met: exit 1, every problem named, no file.
file(WRITE "${WORK_DIR}/three.txt" "Ann\nBob\nann\n")
run_cli(out err rc new --kind progressive --players "${WORK_DIR}/three.txt" --rounds 100
        --title T --code "A B" -o "${WORK_DIR}/bad.qmc")
expect_equal("${rc}" "1" "bad request")
foreach(problem "A Progressive tournament needs at least 4 players; 3 are listed."
        "\"Ann\" is listed more than once: lines 1, 3." "The number of rounds must be 1 to 99, not 100."
        "The code \"A B\" may hold only letters")
    expect_contains("${err}" "${problem}" "bad request")
endforeach()
if(EXISTS "${WORK_DIR}/bad.qmc")
    message(FATAL_ERROR "a refused request wrote a file")
endif()
run_cli(out err rc new --kind team --players "${WORK_DIR}/missing.txt" --rounds 3 --title T
        --code C -o "${WORK_DIR}/bad.qmc")
expect_equal("${rc}" "1" "missing entrant file")
expect_contains("${err}" "Error # 53" "missing entrant file")

# Usage errors: exit 2.
run_cli(out err rc new --kind bridge --players "${WORK_DIR}/players.txt" --rounds 3 --title T
        --code C -o "${WORK_DIR}/bad.qmc")
expect_equal("${rc}" "2" "unknown kind")
run_cli(out err rc new --kind team --players "${WORK_DIR}/players.txt" --rounds many --title T
        --code C -o "${WORK_DIR}/bad.qmc")
expect_equal("${rc}" "2" "rounds not a number")
run_cli(out err rc new --kind team --players "${WORK_DIR}/players.txt" --rounds 3 --title T)
expect_equal("${rc}" "2" "missing options")
