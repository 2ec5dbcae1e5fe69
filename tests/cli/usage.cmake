# rankhall-cli's usage errors answer 2, whatever they say; --help names every command built in.
include(${CMAKE_CURRENT_LIST_DIR}/support/cli_helpers.cmake)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(demo "${SOURCE_DIR}/examples/demo.qmc")
set(new "new|--players|${SOURCE_DIR}/tests/data/golden/new/progressive/players.txt|--title|T")
set(usage_errors "" "check" "frobnicate|x" "report" "report|a.qmc|b.qmc"
    "report|--frobnicate|${demo}" "html" "html|${demo}|-o" "html|a.qmc|b.qmc" "html|--wall"
    "${new}|--kind|bridge|--rounds|3|--code|C|-o|x.qmc"
    "${new}|--kind|team|--rounds|many|--code|C|-o|x.qmc" "${new}|--kind|team|--rounds|3")
if(HAVE_PRINT)
    list(APPEND usage_errors "sheets|${demo}" "sheets|${demo}|-o|x.pdf|--paper|a3"
         "sheets|${demo}|-o|x.pdf|--what|everything" "export|${demo}|--what|standings|-o|x.csv"
         "export|${demo}|--what|money|--format|csv|-o|x.csv"
         "export|${demo}|--what|results|--format|xls|-o|x.csv")
endif()
foreach(args IN LISTS usage_errors)
    string(REPLACE "|" ";" args "${args}")
    run_cli(out err rc ${args})
    expect_equal("${rc}" 2 "usage error: ${args}")
endforeach()

run_cli(out err rc --version)
expect_equal("${rc}|${out}" "0|rankhall-cli 1.0.0\n" "--version")
run_cli(out err rc --help)
expect_equal("${rc}" 0 "--help")
set(commands check report html save unmask play restore new)
if(HAVE_PRINT)
    list(APPEND commands sheets export)
endif()
foreach(command IN LISTS commands)
    if(NOT out MATCHES "\n  ${command} ")
        message(FATAL_ERROR "--help does not list ${command}:\n${out}")
    endif()
endforeach()
