// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sets.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quillop {

namespace {

constexpr int Columns = BoardGrid::Columns;

class SetScan {
public:
    explicit SetScan(GameState& state) : m_state(state) {}

    bool run()
    {
        across();
        down();
        diagUp();
        diagDown();
        return m_found;
    }

private:
    CellCode at(int row, int column) const
    {
        return BoardGrid::contains(row, column) ? m_state.Board(row, column) : CellCode::Empty;
    }

    void found(SetDirection direction, int length, int first, int last, int line)
    {
        m_state.SetPoints += 10 * length;
        m_state.SetCount =
            static_cast<std::int16_t>(std::min<int>(m_state.SetCount + 1, std::numeric_limits<std::int16_t>::max()));
        m_found = true;
        MarkSet(m_state, direction, first, last, line);
    }

    void across()
    {
        const BoardGrid& board = m_state.Board;
        for (int r = FloorRow; r >= FirstVisibleRow; --r) {
            int n = 1;
            for (int c = 2; c <= Columns; ++c) {
                if (board(r, c) == board(r, c - 1)) {
                    ++n;
                    if (c == Columns) {
                        if (n >= 3 && board(r, c) != CellCode::Empty) {
                            found(SetDirection::Across, n, Columns + 1 - n, Columns, r);
                        }
                        n = 1;
                    }
                } else {
                    if (n >= 3 && board(r, c - 1) != CellCode::Empty) {
                        found(SetDirection::Across, n, c - n, c - 1, r);
                    }
                    n = 1;
                }
            }
        }
    }

    // From the floor upwards; the last pair compared is rows 3 and 4, so a
    // vertical set may reach into hidden row 3.
    void down()
    {
        const BoardGrid& board = m_state.Board;
        for (int c = 1; c <= Columns; ++c) {
            int n = 1;
            for (int r = FloorRow - 1; r >= 3; --r) {
                if (board(r, c) == board(r + 1, c) && board(r, c) != CellCode::Empty) {
                    ++n;
                } else {
                    if (n >= 3 && board(r + 1, c) != CellCode::Empty) {
                        found(SetDirection::Down, n, r + n, r + 1, c);
                    }
                    n = 1;
                }
            }
            if (n >= 3) {
                found(SetDirection::Down, n, n + 2, 3, c);
            }
        }
    }

    // Diagonal runs start at every cell, also inside a run already found, so
    // a diagonal of four or more also scores its tails of three and more.
    void diagUp()
    {
        for (int r = FloorRow; r >= FirstVisibleRow; --r) {
            for (int c = 1; c <= Columns - 2; ++c) {
                const CellCode code = at(r, c);
                int n = 1;
                while (code != CellCode::Empty && c + n <= Columns && at(r - n, c + n) == code) {
                    ++n;
                }
                if (n >= 3) {
                    found(SetDirection::DiagUp, n, c, c + n - 1, r);
                }
            }
        }
    }

    void diagDown()
    {
        for (int r = FirstVisibleRow; r <= FloorRow - 2; ++r) {
            for (int c = 1; c <= Columns - 2; ++c) {
                const CellCode code = at(r, c);
                int n = 1;
                while (code != CellCode::Empty && c + n <= Columns && r + n <= FloorRow && at(r + n, c + n) == code) {
                    ++n;
                }
                if (n >= 3) {
                    found(SetDirection::DiagDown, n, c, c + n - 1, r);
                }
            }
        }
    }

    GameState& m_state;
    bool m_found = false;
};

void mark(GameState& state, int row, int column)
{
    if (MarkGrid::contains(row, column)) {
        state.Marks(row, column) = MarkValue;
    }
}

} // namespace

void CheckForSets(GameState& state, GameView& view)
{
    bool found = true;
    while (found) {
        found = SetScan(state).run();
        RemoveMarked(state, view);
    }
    const std::int64_t total =
        std::int64_t{state.GameScore} + std::int64_t{state.SetCount} * std::int64_t{state.SetPoints};
    state.GameScore =
        static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()));
    state.SetPoints = 0;
    state.SetCount = 0;
    view.showScore(state.GameScore);
}

void MarkSet(GameState& state, SetDirection direction, int first, int last, int line)
{
    switch (direction) {
    case SetDirection::Across:
        for (int c = first; c <= last; ++c) {
            mark(state, line, c);
        }
        break;
    case SetDirection::Down:
        for (int r = first; r >= last; --r) {
            mark(state, r, line);
        }
        break;
    case SetDirection::DiagUp:
        for (int k = 0; k <= last - first; ++k) {
            mark(state, line - k, first + k);
        }
        break;
    case SetDirection::DiagDown:
        for (int k = 0; k <= last - first; ++k) {
            mark(state, line + k, first + k);
        }
        break;
    }
}

void ConvertMarks(GameState& state)
{
    for (int r = FloorRow; r >= FirstVisibleRow; --r) {
        for (int c = 1; c <= Columns; ++c) {
            if (state.Marks(r, c) == MarkValue) {
                state.Board(r, c) = CellCode::Vanishing;
                state.Marks(r, c) = 0;
            }
        }
    }
}

void CollapseBoard(GameState& state)
{
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        for (int c = 1; c <= Columns; ++c) {
            if (state.Board(r, c) != CellCode::Vanishing) {
                continue;
            }
            for (int k = r; k >= FirstVisibleRow; --k) {
                state.Board(k, c) = state.Board(k - 1, c);
                state.Board(k - 1, c) = CellCode::Empty;
            }
        }
    }
}

void RemoveMarked(GameState& state, GameView& view)
{
    ConvertMarks(state);
    view.DrawBoard();
    view.refresh();
    view.pause(RemovalPauseMs);
    CollapseBoard(state);
    view.DrawBoard();
    view.pause(RemovalPauseMs);
}

} // namespace quillop
