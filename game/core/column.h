// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamestate.h"
#include "gameview.h"
#include "random.h"

namespace quillop {

enum class Direction { Left, Right };

// Fills the next column with three rounded colours, never a special piece.
// Only a freshly started game draws its first next column this way.
void firstNextColumn(GameState& state, RandomSource& random);

// The next column becomes the falling one at row 1 of the centre column (not
// yet written into the board), a new next column is drawn (one in forty holds
// special pieces) and the view is redrawn.
void NewColumn(GameState& state, RandomSource& random, GameView& view);

// Whether the falling column can drop one row: its bottom is above the floor
// and the cell under it is empty.
bool CanFall(const GameState& state);

// Writes the falling column into the board and clears the cell its top left
// behind after a one-row drop.
void PlaceColumn(GameState& state);

// One row down, then written into the board.
void dropStep(GameState& state);

// Whether a sideways move is allowed from the column's current place. Only the
// cell of the target column one row below the column's bottom is looked at:
// stacks are unbroken, so an empty cell there means the three cells beside the
// column are free and the column can drop at least once after the move.
bool CanMove(const GameState& state, Direction direction);

// Moves the column sideways when the key rules allow it (its top at row 3 or
// lower and CanMove). The column is taken out of the board and only re-enters
// it, one row lower, at its next drop step; nothing is drawn. Returns whether
// it moved.
bool moveSideways(GameState& state, Direction direction);

// (top, middle, bottom) becomes (middle, bottom, top). The board shows the new
// order from the next drop step on.
void RotateColumn(GameState& state);

// One drop step and a redraw when the column can fall; nothing otherwise.
void softDrop(GameState& state, GameView& view);

// Drops while the column can fall, without drawing. The column is not landed:
// that is the next tick's business.
void hardDrop(GameState& state);

} // namespace quillop
