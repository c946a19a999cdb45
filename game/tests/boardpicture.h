#pragma once

#include "game/core/gamestate.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillop::test {

// Boards in tests are small pictures, one string of 11 characters a row,
// the last string being the floor (row 23):
//   .  empty       R G B P O Y  the six colours
//   *  special     x  vanishing
char CellChar(CellCode code);
CellCode CellFromChar(char c);

// Writes the picture into the bottom rows of the board and leaves the rows
// above untouched.
void SetBottomRows(GameState& state, std::initializer_list<std::string_view> rows);

// Writes the picture into rows first .. first + n - 1.
void SetRows(GameState& state, int firstRow, std::initializer_list<std::string_view> rows);

// The rows first .. 23 as a picture, for comparing with an expected one.
std::vector<std::string> BottomRows(const GameState& state, int firstRow);

std::vector<std::string> Picture(std::initializer_list<std::string_view> rows);
std::vector<std::string> Picture(const std::vector<std::string_view>& rows);

// One column of the board from a row down, as a string: ".RGB".
std::string ColumnOf(const GameState& state, int col, int firstRow, int count);

// Makes the given pieces the falling column, top at the given row, and
// writes it into the board as a drop step would.
void PlaceFalling(GameState& state, const ColumnPieces& pieces, int row, int col);

} // namespace quillop::test
