// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boardpicture.h"

#include "game/core/column.h"

#include <stdexcept>
#include <string_view>

namespace quillop::test {

namespace {
constexpr std::string_view Chars = ".RGBPOY?*x";

char cellChar(CellCode code)
{
    const auto index = static_cast<std::size_t>(code);
    return index < Chars.size() ? Chars[index] : '!';
}
} // namespace

void setRows(GameState& state, int firstRow, const Rows& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].size() != BoardGrid::Columns || rows[i].find_first_not_of(".RGBPOY*x") != std::string::npos) {
            throw std::invalid_argument("not a board row: " + rows[i]);
        }
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            const char cell = rows[i][static_cast<std::size_t>(c - 1)];
            state.Board(firstRow + static_cast<int>(i), c) = static_cast<CellCode>(Chars.find(cell));
        }
    }
}

void setBottomRows(GameState& state, const Rows& rows)
{
    setRows(state, FloorRow - static_cast<int>(rows.size()) + 1, rows);
}

Rows bottomRows(const GameState& state, int firstRow)
{
    Rows picture;
    for (int r = firstRow; r <= FloorRow; ++r) {
        picture.emplace_back();
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            picture.back() += cellChar(state.Board(r, c));
        }
    }
    return picture;
}

std::string columnOf(const GameState& state, int col, int firstRow, int count)
{
    std::string cells;
    for (int r = firstRow; r < firstRow + count; ++r) {
        cells += cellChar(state.Board(r, col));
    }
    return cells;
}

void placeFalling(GameState& state, const ColumnPieces& pieces, int row, int col)
{
    state.CurrentColumn = pieces;
    state.CurrentRow = static_cast<std::int16_t>(row);
    state.CurrentCol = static_cast<std::int16_t>(col);
    PlaceColumn(state);
}

} // namespace quillop::test
