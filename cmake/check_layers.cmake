# Refuses an include that reaches up the layers of src/: each folder may include only the folders
# below it. Below services no file includes the prompt interface (core/prompt.h) either: the layers
# there answer values and errors, and the services ask the questions and show the messages.
# Run by the build before anything compiles (see src/CMakeLists.txt), and by hand:
#   cmake -DSRC=src -DSTAMP=/tmp/layers.stamp -P cmake/check_layers.cmake
# The levels: a folder may include a folder of a lower level, never one of its own level or above.
set(level_core 0)
set(level_roster 1)
set(level_scoring 2)
set(level_state 3)
set(level_standings 4)
set(level_seating 4)
set(level_money 5)
set(level_persistence 5)
set(level_timing 5)
set(level_publishing 6)
set(level_services 7)
set(level_print 8)
set(level_net 8)
set(level_ui 9)

# The files below services that still include core/prompt.h, until their folders answer values
# too. No other file there may include it.
set(prompt_allowed
    money/payout_editor.h
    money/payout.cpp
    standings/leader_rows.cpp
    timing/clock.h)

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SRC} ${SRC}/*)
set(faults "")
foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY ${SRC}/${folder})
        continue()
    endif()
    if(NOT DEFINED level_${folder})
        string(APPEND faults "\n  src/${folder}: a folder with no place in the layers (give it one here)")
        continue()
    endif()
    file(GLOB_RECURSE sources ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
        file(RELATIVE_PATH inside ${SRC} ${source})
        list(FIND prompt_allowed ${inside} allowed_at)
        if(folder STREQUAL "core" OR NOT level_${folder} LESS level_services
           OR NOT allowed_at EQUAL -1)
            set(prompt_refused FALSE)
        else()
            set(prompt_refused TRUE)
        endif()
        foreach(line IN LISTS includes)
            if(prompt_refused AND line MATCHES "\"core/prompt\\.h\"")
                string(APPEND faults "\n  src/${inside}: ${folder} may not include core/prompt.h "
                       "(below services the code answers values; the services ask) (${line})")
            endif()
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/.*" "\\1" target "${line}")
            if(target STREQUAL folder OR NOT DEFINED level_${target})
                continue()
            endif()
            if(NOT level_${target} LESS level_${folder})
                file(RELATIVE_PATH shown ${SRC}/.. ${source})
                string(APPEND faults "\n  ${shown}: ${folder} may not include ${target}/ (${line})")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "Includes that reach up the layers of src/:${faults}")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()
