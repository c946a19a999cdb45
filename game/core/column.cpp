// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "column.h"

namespace quillop {

namespace {

constexpr int SpecialOdds = 40;

CellCode pickColour(RandomSource& random)
{
    return static_cast<CellCode>(pick(random, 6));
}

} // namespace

void firstNextColumn(GameState& state, RandomSource& random)
{
    for (CellCode& piece : state.NextColumn) {
        piece = roundedColour(random);
    }
}

void NewColumn(GameState& state, RandomSource& random, GameView& view)
{
    state.CurrentCol = CentreColumn;
    state.CurrentRow = 1;
    state.CurrentColumn = state.NextColumn;

    state.SpecialFalling = false;
    for (CellCode piece : state.CurrentColumn) {
        if (piece == CellCode::Special) {
            state.SpecialFalling = true;
            state.CurrentSpecial = state.NextSpecial;
            break;
        }
    }

    if (pick(random, SpecialOdds) != SpecialOdds) {
        for (CellCode& piece : state.NextColumn) {
            piece = pickColour(random);
        }
    } else {
        state.NextSpecial = static_cast<SpecialKind>(pick(random, 3));
        if (state.NextSpecial == SpecialKind::ColourGenocide) {
            state.NextColumn.fill(CellCode::Special);
        } else {
            const int place = pick(random, 3);
            for (CellCode& piece : state.NextColumn) {
                piece = pickColour(random);
            }
            state.NextColumn[static_cast<std::size_t>(place - 1)] = CellCode::Special;
        }
    }

    view.DrawBoard();
}

bool CanFall(const GameState& state)
{
    if (state.CurrentRow >= FloorRow - 2) {
        return false;
    }
    return state.Board(state.CurrentRow + 3, state.CurrentCol) == CellCode::Empty;
}

void PlaceColumn(GameState& state)
{
    const int row = state.CurrentRow;
    const int col = state.CurrentCol;
    if (row > 1) {
        state.Board(row - 1, col) = CellCode::Empty;
    }
    for (int i = 0; i < 3; ++i) {
        state.Board(row + i, col) = state.CurrentColumn[static_cast<std::size_t>(i)];
    }
}

void dropStep(GameState& state)
{
    ++state.CurrentRow;
    PlaceColumn(state);
}

bool CanMove(const GameState& state, Direction direction)
{
    const int target = state.CurrentCol + (direction == Direction::Left ? -1 : 1);
    if (target < 1 || target > Grid<CellCode>::Columns || state.CurrentRow + 3 > FloorRow) {
        return false;
    }
    return state.Board(state.CurrentRow + 3, target) == CellCode::Empty;
}

bool moveSideways(GameState& state, Direction direction)
{
    if (state.CurrentRow < 3 || !CanMove(state, direction)) {
        return false;
    }
    const int old = state.CurrentCol;
    state.CurrentCol = static_cast<std::int16_t>(old + (direction == Direction::Left ? -1 : 1));
    for (int i = 0; i < 3; ++i) {
        state.Board(state.CurrentRow + i, old) = CellCode::Empty;
    }
    return true;
}

void RotateColumn(GameState& state)
{
    ColumnPieces& c = state.CurrentColumn;
    c = {c[1], c[2], c[0]};
}

void softDrop(GameState& state, GameView& view)
{
    if (CanFall(state)) {
        dropStep(state);
        view.DrawBoard();
    }
}

void hardDrop(GameState& state)
{
    while (CanFall(state)) {
        dropStep(state);
    }
}

} // namespace quillop
