// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cassert>
#include <cstdint>

namespace quillop {

// A fixed 23 x 11 table addressed the way the game talks about the well:
// rows 1 (top, hidden) to 23 (floor), columns 1 (left) to 11 (right).
template <typename T> class Grid {
public:
    static constexpr int Rows = 23;
    static constexpr int Columns = 11;

    constexpr T& operator()(int row, int column)
    {
        assert(contains(row, column));
        return m_cells[index(row, column)];
    }
    constexpr const T& operator()(int row, int column) const
    {
        assert(contains(row, column));
        return m_cells[index(row, column)];
    }

    static constexpr bool contains(int row, int column)
    {
        return row >= 1 && row <= Rows && column >= 1 && column <= Columns;
    }

    constexpr void fill(T value) { m_cells.fill(value); }

    friend constexpr bool operator==(const Grid&, const Grid&) = default;

private:
    static constexpr std::size_t index(int row, int column)
    {
        return static_cast<std::size_t>((row - 1) * Columns + (column - 1));
    }

    std::array<T, Rows * Columns> m_cells{};
};

} // namespace quillop
