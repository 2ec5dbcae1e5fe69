# rankhall-cli save and unmask: a loaded example written back is byte for byte the example (masked
# by default, plain with --plain), and unmask prints the same XML text for both copies.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(run_cli rc_var)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR} ${CLI} ${ARGN}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${rc_var} "${rc}" PARENT_SCOPE)
    set(last_output "${out}${err}" PARENT_SCOPE)
endfunction()

foreach(name demo.qmc sitout10.qmc teams7.qmc)
    set(masked "${SOURCE_DIR}/examples/${name}")
    set(plain "${SOURCE_DIR}/examples/plain/${name}")

    run_cli(rc save "${plain}" -o "${WORK_DIR}/masked-${name}")
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "save ${name} answered ${rc}: ${last_output}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/masked-${name}" "${masked}"
                    RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "save of ${name} differs from the masked example")
    endif()

    run_cli(rc save "${masked}" -o "${WORK_DIR}/plain-${name}" --plain)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "save --plain ${name} answered ${rc}: ${last_output}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/plain-${name}" "${plain}"
                    RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "save --plain of ${name} differs from the plain example")
    endif()

    execute_process(COMMAND ${CLI} unmask "${masked}" OUTPUT_VARIABLE from_masked RESULT_VARIABLE rc1)
    execute_process(COMMAND ${CLI} unmask "${plain}" OUTPUT_VARIABLE from_plain RESULT_VARIABLE rc2)
    if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0)
        message(FATAL_ERROR "unmask ${name} answered ${rc1} / ${rc2}")
    endif()
    if(NOT from_masked STREQUAL from_plain)
        message(FATAL_ERROR "unmask gives different texts for the two copies of ${name}")
    endif()
    string(FIND "${from_masked}" "<?xml version='1.0' encoding='UTF-8'?>" at)
    if(NOT at EQUAL 0)
        message(FATAL_ERROR "unmask of ${name} does not start with the declaration")
    endif()
endforeach()

# The text is UTF-8: the demo's "Zoë" and "Nuñez", and its escaped "<Lucky>".
execute_process(COMMAND ${CLI} unmask "${SOURCE_DIR}/examples/demo.qmc" OUTPUT_VARIABLE text)
foreach(needle "<PlayerName>Zoë Brandt</PlayerName>" "<PlayerName>Ned Nuñez</PlayerName>"
        "<PlayerName>Kit &lt;Lucky&gt; King</PlayerName>" "<TourneyCode>DEMO16</TourneyCode>")
    string(FIND "${text}" "${needle}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "unmask output lacks '${needle}'")
    endif()
endforeach()

# Saving to a folder that does not exist fails with the "SaveFile" message and exit code 1.
run_cli(rc save "${SOURCE_DIR}/examples/demo.qmc" -o "${WORK_DIR}/no/such/folder/out.qmc")
if(NOT rc EQUAL 1)
    message(FATAL_ERROR "save into a missing folder answered ${rc}")
endif()
string(FIND "${last_output}" "SaveFile: The following error occured: \nError # 76" at)
if(at EQUAL -1)
    message(FATAL_ERROR "save into a missing folder said: ${last_output}")
endif()

# unmask of a missing file answers 1.
run_cli(rc unmask "${WORK_DIR}/missing.qmc")
if(NOT rc EQUAL 1)
    message(FATAL_ERROR "unmask of a missing file answered ${rc}")
endif()
