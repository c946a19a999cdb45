// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "specials.h"

#include "sets.h"

namespace quillop {

namespace {

void colourGenocide(GameState& state, GameView& view)
{
    const int r = state.CurrentRow;
    const int c = state.CurrentCol;
    if (r + 3 > FloorRow) {
        return;
    }
    const CellCode colour = state.Board(r + 3, c);
    for (int row = FirstVisibleRow; row <= FloorRow; ++row) {
        for (int col = 1; col <= BoardGrid::Columns; ++col) {
            if (state.Board(row, col) == colour) {
                state.Marks(row, col) = MarkValue;
            }
        }
    }
    for (int k = 0; k < 3; ++k) {
        state.Board(r + k, c) = CellCode::Empty;
    }
    RemoveMarked(state, view);
}

void columnBuster(GameState& state, GameView& view)
{
    const int c = state.CurrentCol;
    for (int k = FloorRow; k >= FirstVisibleRow; --k) {
        const CellCode code = state.Board(k, c);
        if (code == CellCode::Empty) {
            break;
        }
        state.Marks(k, c) = MarkValue;
        if (code == CellCode::Special) {
            break;
        }
    }
    RemoveMarked(state, view);
}

void rowEater(GameState& state, GameView& view)
{
    // A column that landed before it was ever written into the board (only
    // possible on a full centre column) has no special piece to find; then
    // nothing is marked, but the removal step and its pauses still run.
    int row = 0;
    for (int k = 0; k < 3; ++k) {
        if (state.Board(state.CurrentRow + k, state.CurrentCol) == CellCode::Special) {
            row = state.CurrentRow + k;
        }
    }
    if (row != 0) {
        for (int col = 1; col <= BoardGrid::Columns; ++col) {
            state.Marks(row, col) = MarkValue;
        }
    }
    RemoveMarked(state, view);
}

} // namespace

void ApplySpecial(GameState& state, GameView& view)
{
    switch (state.CurrentSpecial) {
    case SpecialKind::ColourGenocide:
        colourGenocide(state, view);
        break;
    case SpecialKind::ColumnBuster:
        columnBuster(state, view);
        break;
    case SpecialKind::RowEater:
        rowEater(state, view);
        break;
    case SpecialKind::None:
        break;
    }
}

} // namespace quillop
