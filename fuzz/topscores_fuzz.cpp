// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the top-score reader: whatever the file holds, the game gets a full
// table, and writing that table reads back identically.
#include "scores/core/topscores.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const quillop::TopScoreTable table = quillop::readTopScores(in);

    std::ostringstream out;
    quillop::writeTopScores(out, table);
    const std::string written = out.str();
    std::istringstream back(written);
    if (quillop::readTopScores(back) != table) {
        std::abort();
    }

    std::size_t lines = 0;
    for (std::size_t at = written.find("\r\n"); at != std::string::npos; at = written.find("\r\n", at + 2)) {
        ++lines;
    }
    if (lines != quillop::TopScoreCount) {
        std::abort();
    }
    return 0;
}
