# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes the AppStream metainfo from its template. Software centres fetch a
# program's screenshots from the web, so the screenshots kept in
# assets/screenshots are listed only when SCREENSHOT_URL says where they are
# published.
#
#   cmake -DIN=<template> -DOUT=<metainfo> [-DSCREENSHOT_URL=<web address>] -P WriteMetainfo.cmake
set(SCREENSHOTS "")
if(SCREENSHOT_URL)
    string(REGEX REPLACE "/+$" "" base "${SCREENSHOT_URL}")
    string(APPEND SCREENSHOTS
        "  <screenshots>\n"
        "    <screenshot type=\"default\">\n"
        "      <caption>The menu</caption>\n"
        "      <image type=\"source\" width=\"470\" height=\"600\">${base}/menu.png</image>\n"
        "    </screenshot>\n"
        "    <screenshot>\n"
        "      <caption>A game under way</caption>\n"
        "      <image type=\"source\" width=\"470\" height=\"600\">${base}/game.png</image>\n"
        "    </screenshot>\n"
        "  </screenshots>\n")
endif()
configure_file(${IN} ${OUT} @ONLY)
