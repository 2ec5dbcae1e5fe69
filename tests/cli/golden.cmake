# rankhall-cli run on every case folder tests/data/golden/<command>/<case>/ and compared byte for
# byte with what the folder holds:
#   args            the arguments, one a line: @examples@ is the examples folder, @golden@ the
#                   golden folder, @case@ the case's folder, @out@ an empty scratch folder (the
#                   run's working and temporary folder)
#   exit            the exit code (0 when there is no such file)
#   locale          LC_ALL of the run (C.UTF-8 when there is no such file)
#   before/         files put in @out@ before the run (before/private/: in the user's private
#                   folder there, @out@/rankhall-<uid>, made 0700)
#   stdout, stderr  what the run prints, with those folders written as their @names@ (the
#                   private folder as @private@); compared only where the file is there (an
#                   empty file: nothing may be printed)
#   out/            every file the run leaves in @out@, and nothing else may be left there (a
#                   PDF as <name>.pdf.txt: its page count, paper and text; the private folder
#                   as private/)
# With -DUPDATE=ON the expected files (exit, stdout and stderr where present, out/) are rewritten
# from what the tool does now: review the difference before committing it.
cmake_minimum_required(VERSION 3.22)
set(golden "${SOURCE_DIR}/tests/data/golden")
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(private_name "rankhall-${uid}")
set(failures "")

# Appends to `failures` (in the caller) unless the two files are the same bytes; prints the diff.
macro(compare expected actual what)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${expected}" "${actual}"
                    RESULT_VARIABLE differ)
    if(differ AND UPDATE)
        configure_file("${actual}" "${expected}" COPYONLY)
    elseif(differ)
        execute_process(COMMAND diff -u "${expected}" "${actual}" OUTPUT_VARIABLE diff)
        list(APPEND failures "${name}: ${what} differs:\n${diff}")
    endif()
endmacro()

# One command's folder (GROUP), or all of them.
if(NOT GROUP)
    set(GROUP "*")
endif()
file(GLOB cases LIST_DIRECTORIES true RELATIVE "${golden}" "${golden}/${GROUP}/*")
foreach(name IN LISTS cases)
    set(case "${golden}/${name}")
    if(NOT EXISTS "${case}/args")
        continue() # an input file, not a case
    endif()
    set(out "${WORK_DIR}/${name}")
    string(REPLACE "/" "-" log "${name}")
    set(log "${WORK_DIR}/logs/${log}")
    file(MAKE_DIRECTORY "${out}" "${WORK_DIR}/logs" "${WORK_DIR}/locales")
    if(EXISTS "${case}/before")
        file(COPY "${case}/before/" DESTINATION "${out}")
        if(EXISTS "${out}/private")
            file(RENAME "${out}/private" "${out}/${private_name}")
            file(CHMOD "${out}/${private_name}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
        endif()
    endif()

    file(STRINGS "${case}/args" args)
    list(TRANSFORM args REPLACE "@examples@" "${SOURCE_DIR}/examples")
    list(TRANSFORM args REPLACE "@case@" "${case}")
    list(TRANSFORM args REPLACE "@golden@" "${golden}")
    list(TRANSFORM args REPLACE "@out@" "${out}")
    set(env TMPDIR=${out} LC_ALL=C.UTF-8)
    if(EXISTS "${case}/locale")
        file(STRINGS "${case}/locale" locale)
        set(env TMPDIR=${out} LC_ALL=${locale} LOCPATH=${WORK_DIR}/locales)
        if(NOT EXISTS "${WORK_DIR}/locales/${locale}")
            string(REGEX REPLACE "\\..*" "" language "${locale}")
            execute_process(COMMAND localedef -i ${language} -f UTF-8
                                    "${WORK_DIR}/locales/${locale}"
                            RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
            if(NOT rc EQUAL 0)
                message(FATAL_ERROR "localedef ${locale} failed (${rc}): ${err}\n"
                                    "./test installs the locales package it needs")
            endif()
        endif()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${CLI} ${args}
                    WORKING_DIRECTORY "${out}" RESULT_VARIABLE rc TIMEOUT 60
                    OUTPUT_FILE "${log}.stdout" ERROR_FILE "${log}.stderr")

    set(expected_rc 0)
    if(EXISTS "${case}/exit")
        file(STRINGS "${case}/exit" expected_rc)
    endif()
    if(UPDATE AND NOT rc EQUAL 0)
        file(WRITE "${case}/exit" "${rc}\n")
    elseif(UPDATE)
        file(REMOVE "${case}/exit")
    elseif(NOT rc STREQUAL expected_rc)
        list(APPEND failures "${name}: exit code ${rc}, expected ${expected_rc}")
    endif()

    foreach(stream stdout stderr)
        # sed keeps every byte (CMake's file(READ) would drop the CR of a CR LF).
        execute_process(COMMAND sed -e "s|${out}/${private_name}|@private@|g" -e "s|${out}|@out@|g" -e "s|${case}|@case@|g"
                                -e "s|${SOURCE_DIR}/examples|@examples@|g" -e "s|${golden}|@golden@|g"
                                "${log}.${stream}"
                        OUTPUT_FILE "${log}.${stream}.shown")
        file(SIZE "${log}.${stream}.shown" size)
        if(EXISTS "${case}/${stream}" OR (UPDATE AND size GREATER 0))
            compare("${case}/${stream}" "${log}.${stream}.shown" "${stream}")
        endif()
    endforeach()

    # What the run left, as compared: a PDF as its page count, paper and text (pdfinfo,
    # pdftotext), in <name>.pdf.txt, since its bytes hold the time it was made.
    set(shown "${WORK_DIR}/shown/${name}")
    file(MAKE_DIRECTORY "${shown}")
    file(GLOB_RECURSE left RELATIVE "${out}" "${out}/*")
    foreach(file IN LISTS left)
        string(REGEX REPLACE "^${private_name}/" "private/" as "${file}")
        if(file MATCHES "\\.pdf$")
            execute_process(COMMAND pdfinfo "${out}/${file}" OUTPUT_VARIABLE info)
            execute_process(COMMAND pdftotext -raw -enc UTF-8 "${out}/${file}" -
                            OUTPUT_VARIABLE text)
            string(REGEX MATCHALL "(Pages|Page size): *[^\n]*" info "${info}")
            string(JOIN "\n" info ${info})
            file(WRITE "${shown}/${as}.txt" "${info}\n${text}")
        else()
            configure_file("${out}/${file}" "${shown}/${as}" COPYONLY)
        endif()
    endforeach()
    file(GLOB_RECURSE left RELATIVE "${shown}" "${shown}/*")
    file(GLOB_RECURSE wanted RELATIVE "${case}/out" "${case}/out/*")
    if(UPDATE)
        file(REMOVE_RECURSE "${case}/out")
        if(left)
            file(COPY "${shown}/" DESTINATION "${case}/out")
        endif()
    elseif(NOT left STREQUAL wanted)
        list(APPEND failures "${name}: the run left '${left}', expected '${wanted}'")
    else()
        foreach(file IN LISTS wanted)
            compare("${case}/out/${file}" "${shown}/${file}" "${file}")
        endforeach()
    endif()
endforeach()

if(failures)
    string(JOIN "\n" text ${failures})
    message(FATAL_ERROR "${text}")
endif()
