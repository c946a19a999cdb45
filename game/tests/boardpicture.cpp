#include "boardpicture.h"

#include "game/core/column.h"

#include <stdexcept>

namespace quillop::test {

namespace {
constexpr std::string_view Chars = ".RGBPOY?*x";
}

char CellChar(CellCode code)
{
    const auto index = static_cast<std::size_t>(code);
    return index < Chars.size() ? Chars[index] : '!';
}

CellCode CellFromChar(char c)
{
    const std::size_t index = Chars.find(c);
    if (index == std::string_view::npos || c == '?') {
        throw std::invalid_argument(std::string("not a board character: ") + c);
    }
    return static_cast<CellCode>(index);
}

void SetRows(GameState& state, int firstRow, std::initializer_list<std::string_view> rows)
{
    int row = firstRow;
    for (std::string_view line : rows) {
        if (line.size() != BoardGrid::Columns) {
            throw std::invalid_argument("a board row has 11 cells: " + std::string(line));
        }
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            state.Board(row, c) = CellFromChar(line[static_cast<std::size_t>(c - 1)]);
        }
        ++row;
    }
}

void SetBottomRows(GameState& state, std::initializer_list<std::string_view> rows)
{
    SetRows(state, FloorRow - static_cast<int>(rows.size()) + 1, rows);
}

std::vector<std::string> BottomRows(const GameState& state, int firstRow)
{
    std::vector<std::string> picture;
    for (int r = firstRow; r <= FloorRow; ++r) {
        std::string line;
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            line += CellChar(state.Board(r, c));
        }
        picture.push_back(line);
    }
    return picture;
}

std::vector<std::string> Picture(std::initializer_list<std::string_view> rows)
{
    return {rows.begin(), rows.end()};
}

std::vector<std::string> Picture(const std::vector<std::string_view>& rows)
{
    return {rows.begin(), rows.end()};
}

std::string ColumnOf(const GameState& state, int col, int firstRow, int count)
{
    std::string cells;
    for (int r = firstRow; r < firstRow + count; ++r) {
        cells += CellChar(state.Board(r, col));
    }
    return cells;
}

void PlaceFalling(GameState& state, const ColumnPieces& pieces, int row, int col)
{
    state.CurrentColumn = pieces;
    state.CurrentRow = static_cast<std::int16_t>(row);
    state.CurrentCol = static_cast<std::int16_t>(col);
    PlaceColumn(state);
}

} // namespace quillop::test
