// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/core/gamestate.h"

#include <string>
#include <vector>

namespace quillop::test {

// Boards in tests are small pictures, one string of 11 characters a row:
//   .  empty       R G B P O Y  the six colours
//   *  special     x  vanishing
using Rows = std::vector<std::string>;

// Writes the picture into rows first, first + 1, ... and leaves the others.
void setRows(GameState& state, int firstRow, const Rows& rows);
// The same with the last row of the picture on the floor (row 23).
void setBottomRows(GameState& state, const Rows& rows);

// The rows first .. 23 as a picture, for comparing with an expected one.
Rows bottomRows(const GameState& state, int firstRow);

// One column of the board from a row down, as a string: ".RGB".
std::string columnOf(const GameState& state, int col, int firstRow, int count);

// Makes the given pieces the falling column, top at the given row, and
// writes it into the board as a drop step would.
void placeFalling(GameState& state, const ColumnPieces& pieces, int row, int col);

} // namespace quillop::test
