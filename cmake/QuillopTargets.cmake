# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared settings for every target of the game.

add_library(quillop_warnings INTERFACE)
target_compile_options(quillop_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough -Wconversion -Wsign-conversion
    $<$<BOOL:${QUILLOP_WERROR}>:-Werror>)
# In the game's own code, texts are never made from bytes behind its back
# and connections never narrow; tests (targets with QUILLOP_TEST set) may
# write their expected texts as plain literals. Nothing Qt 6.4 already calls
# deprecated is used anywhere.
target_compile_definitions(quillop_warnings INTERFACE
    $<$<NOT:$<BOOL:$<TARGET_PROPERTY:QUILLOP_TEST>>>:QT_NO_CAST_FROM_ASCII;QT_NO_CAST_TO_ASCII;QT_NO_CAST_FROM_BYTEARRAY;QT_NO_NARROWING_CONVERSIONS_IN_CONNECT>
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)

# A library's headers, as the game's includes name them ("scores/store/files.h"),
# and only its own: each library exports a folder of its own that holds its
# source folder alone, so a header of a library not linked (a higher layer's)
# cannot be included without the build saying so.
#   quillop_headers(target [folder])   the folder, from the source root, is the
#                                      current one unless given
function(quillop_headers target)
    if(ARGC GREATER 1)
        set(folder ${ARGV1})
    else()
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()

# A rules library: standard C++ only. Any Qt include in its sources stops the
# configuration, and it links nothing that could bring Qt in.
function(quillop_rules_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    foreach(source IN LISTS ARG_SOURCES)
        file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${source} qt_includes
             REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|qt[a-z]*)[/>.\"]")
        if(qt_includes)
            message(FATAL_ERROR "${name}: ${source} includes Qt (${qt_includes}); the rules must stay free of it")
        endif()
    endforeach()
    add_library(${name} STATIC ${ARG_SOURCES})
    quillop_headers(${name})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE quillop_warnings)
endfunction()

# A GoogleTest executable registered with CTest, one entry per test case.
# WIDGETS: the tests run inside a QApplication on Qt's offscreen platform,
# with the game's pictures built in.
function(quillop_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_WIDGETS)
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} quillop_qtest_main quillop_test_support quillop_assets
                                              quillop_warnings)
        list(APPEND ARG_ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main quillop_test_support
                                              quillop_warnings)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests QUILLOP_TEST ON)
    # The tests are listed when ctest runs, not when the build does, so a
    # build never starts a window test.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
