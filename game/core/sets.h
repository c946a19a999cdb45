// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamestate.h"
#include "gameview.h"

namespace quillop {

enum class SetDirection { Across, Down, DiagUp, DiagDown };

inline constexpr int RemovalPauseMs = 250;

// Finds and removes every set of three or more matching pieces, pass after
// pass until a pass finds none, so chains count in the same move. Adds
// (sets found) x (10 x pieces in them) to the score, saturating at the largest
// score, and shows it. Each pass costs one removal step with its two pauses,
// the last one (which finds nothing) included.
void CheckForSets(GameState& state, GameView& view);

// Marks the cells of one set. For Across, first and last are columns and line
// the row; for Down, first is the bottom row, last the top row and line the
// column; for the diagonals, first and last are columns and line the row of
// the first cell.
void MarkSet(GameState& state, SetDirection direction, int first, int last, int line);

// Turns marked visible cells into vanishing ones, shows the board, pauses,
// closes the gaps, shows the board and pauses again. Marks in the hidden rows
// stay where they are and remove nothing.
void RemoveMarked(GameState& state, GameView& view);

// Marked cells of rows 4 to 23 become vanishing and lose their mark.
void ConvertMarks(GameState& state);

// Every vanishing cell is closed up: the cells above it, from row 3 down, drop
// one row and row 3 empties. Rows 1 and 2 never move.
void CollapseBoard(GameState& state);

} // namespace quillop
