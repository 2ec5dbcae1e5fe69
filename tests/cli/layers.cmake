# The layer check passes the tree as it is and refuses an include that reaches up src/, and the
# prompt interface below services.
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/src DESTINATION ${WORK_DIR})
set(check ${SOURCE_DIR}/cmake/check_layers.cmake)

execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK_DIR}/src -P ${check}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the tree as it is fails the layer check:\n${err}")
endif()

# file|include: an include one layer (or several) up from the file's folder, or its own level,
# or the prompt interface below services.
foreach(case "money/jackpot.h|services/session.h" "core/text.h|state/tournament_state.h"
             "persistence/journal.cpp|publishing/html.h" "scoring/score_table.h|state/round.h"
             "persistence/tournament_writer.cpp|core/prompt.h" "state/round.h|core/prompt.h")
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 file)
    list(GET parts 1 include)
    file(READ ${WORK_DIR}/src/${file} original)
    file(APPEND ${WORK_DIR}/src/${file} "#include \"${include}\"\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${WORK_DIR}/src -P ${check}
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    file(WRITE ${WORK_DIR}/src/${file} "${original}")
    if(rc EQUAL 0 OR NOT err MATCHES "${file}: [a-z]+ may not include")
        message(FATAL_ERROR "an include of ${include} from ${file} passed the layer check:\n${err}")
    endif()
endforeach()
