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
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE quillop_warnings)
endfunction()

# A GoogleTest executable registered with CTest, one entry per test case.
# WIDGETS: the tests run inside a QApplication on Qt's offscreen platform,
# with the game's pictures built in.
function(quillop_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_WIDGETS)
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} quillop_qtest_main quillop_assets quillop_warnings)
        list(APPEND ARG_ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    else()
        target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main quillop_warnings)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests QUILLOP_TEST ON)
    # The tests are listed when ctest runs, not when the build does, so a
    # build never starts a window test.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
