// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "grid.h"

#include <array>
#include <cstdint>

namespace quillop {

// What can stand in a cell of the well. The numbers also index the tile table
// of the drawing, so they are fixed.
enum class CellCode : std::int16_t {
    Empty = 0,
    Red = 1,
    Green = 2,
    Blue = 3,
    Purple = 4,
    Orange = 5,
    Yellow = 6,
    Special = 8, // every special piece, whatever it does; its kind travels separately
    Vanishing = 9, // only between marking and collapsing one removal step
};

enum class SpecialKind : std::int16_t {
    None = 0,
    ColourGenocide = 1,
    ColumnBuster = 2,
    RowEater = 3,
};

inline constexpr int FirstVisibleRow = 4;
inline constexpr int FloorRow = 23;
inline constexpr int CentreColumn = 6;
inline constexpr std::int16_t MarkValue = 7;

using BoardGrid = Grid<CellCode>;
using MarkGrid = Grid<std::int16_t>;

// The three pieces of a column, top first.
using ColumnPieces = std::array<CellCode, 3>;

// The whole state of one game. Names follow the game's own vocabulary; the
// windows share one instance and the rules take it by reference.
struct GameState {
    BoardGrid Board;
    MarkGrid Marks;
    ColumnPieces CurrentColumn{};
    ColumnPieces NextColumn{};
    std::int16_t CurrentRow = 1; // board row of the falling column's top piece
    std::int16_t CurrentCol = CentreColumn;
    std::int32_t GameScore = 0;
    std::int16_t GameLevel = 1;
    std::int32_t SetPoints = 0; // only non-zero inside a set check
    std::int16_t SetCount = 0; // only non-zero inside a set check
    bool SpecialFalling = false;
    SpecialKind CurrentSpecial = SpecialKind::None;
    SpecialKind NextSpecial = SpecialKind::None;
    bool GameInProgress = false;
};

// Clears the well and the marks (hidden rows included), zeroes the score and
// flags the game as started. Level, columns and timer belong to the game
// window's own start-up.
void NewGame(GameState& state);

} // namespace quillop
