# The shipped top-score table is placed only where none is: a second build
# must leave the player's table as it is.
set(dir ${CMAKE_CURRENT_BINARY_DIR}/copy-if-absent-test)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/shipped.txt "shipped\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${dir}/shipped.txt -DDESTINATION=${dir}/TopScores.txt
                -P ${CMAKE_CURRENT_LIST_DIR}/CopyIfAbsent.cmake)
file(READ ${dir}/TopScores.txt first)
if(NOT first STREQUAL "shipped\n")
    message(FATAL_ERROR "the shipped table was not placed")
endif()
file(WRITE ${dir}/TopScores.txt "player's scores\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${dir}/shipped.txt -DDESTINATION=${dir}/TopScores.txt
                -P ${CMAKE_CURRENT_LIST_DIR}/CopyIfAbsent.cmake)
file(READ ${dir}/TopScores.txt second)
if(NOT second STREQUAL "player's scores\n")
    message(FATAL_ERROR "a rebuild overwrote the player's table")
endif()
