// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace quillop {

// One result of the top-score table. A score of 0 marks an empty slot.
struct TopScoreEntry {
    std::string Name; // bytes as held in the file; never contains '"', CR or LF
    std::int32_t Score = 0;
    std::int16_t Level = 0;

    friend bool operator==(const TopScoreEntry&, const TopScoreEntry&) = default;
};

inline constexpr std::size_t TopScoreCount = 15;

// Position 1 of the game is index 0. Loading keeps the file's order; only
// insertion moves entries.
using TopScoreTable = std::array<TopScoreEntry, TopScoreCount>;

// Whether a final score enters the table: strictly greater than the 15th.
bool IsNewHighScore(const TopScoreTable& table, std::int32_t score);

// Inserts above the first entry with a lower score (ties go below the entries
// they equal); the 15th entry falls out. A score that beats no entry changes
// nothing. Returns the 0-based index taken, or -1.
int InsertTopScore(TopScoreTable& table, std::int32_t score, std::string name, std::int16_t level);

// A score as the table shows it: digits in groups of three with commas
// between them, a minus sign first when negative (950, 1,234,567).
std::string groupedScore(std::int32_t score);

// What a name becomes in the file: a double quote would end the name early
// and a line break would end the entry, so they become ' and a space.
std::string storableName(std::string name);

// Reads the table in the game's file format, one entry a line:
//   "Name",Score,Level
// The file is read as a stream of fields, three to an entry, wherever its
// lines break. Blanks and line ends before a field are skipped; a quoted
// name runs to the next quote, an unquoted field to the next comma or the
// end of its line. The first 15 readable entries count and the rest is
// ignored. An entry that cannot be read (a missing or non-numeric field, an
// extra field) takes no slot, so it never pushes a real entry out; the
// slots left over are empty, and numbers beyond their field's range are
// clamped. Never fails. When `skipped` is given it receives the number of
// entries passed over before the table was full: more than 0 means part of
// the file was damaged.
TopScoreTable readTopScores(std::istream& in, int* skipped = nullptr);

// Writes all 15 entries, each line ending in CR LF, numbers in plain decimal
// whatever the locale.
void writeTopScores(std::ostream& out, const TopScoreTable& table);

} // namespace quillop
