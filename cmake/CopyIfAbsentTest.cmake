# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The shipped top-score table is placed only where none is: a second build
# must leave the player's table as it is.
set(dir ${CMAKE_CURRENT_BINARY_DIR}/copy-if-absent-test)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/shipped.txt "shipped\n")

function(place_and_expect expected why)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${dir}/shipped.txt -DDESTINATION=${dir}/TopScores.txt
                    -P ${CMAKE_CURRENT_LIST_DIR}/CopyIfAbsent.cmake)
    file(READ ${dir}/TopScores.txt content)
    if(NOT content STREQUAL expected)
        message(FATAL_ERROR "${why}")
    endif()
endfunction()

place_and_expect("shipped\n" "the shipped table was not placed")
file(WRITE ${dir}/TopScores.txt "player's scores\n")
place_and_expect("player's scores\n" "a rebuild overwrote the player's table")
