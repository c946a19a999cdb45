// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gameloop.h"

#include "column.h"
#include "sets.h"
#include "specials.h"

#include <algorithm>

namespace quillop {

namespace {

constexpr int LastRefillLevel = 14;
constexpr int LateRefillRows = 14;

int refillRows(int level)
{
    return level <= LastRefillLevel ? level + 1 : LateRefillRows;
}

} // namespace

bool IsBoardEmpty(const GameState& state)
{
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            if (state.Board(r, c) != CellCode::Empty) {
                return false;
            }
        }
    }
    return true;
}

bool IsCentreColumnFull(const GameState& state)
{
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        if (state.Board(r, CentreColumn) == CellCode::Empty) {
            return false;
        }
    }
    return true;
}

GameLoop::GameLoop(GameState& state, const KeyBindings& keys, GameView& view, GameTimer& timer1, RandomSource& random)
    : m_state(state), m_keys(keys), m_view(view), m_timer1(timer1), m_random(random)
{
}

void GameLoop::start()
{
    m_state.CurrentCol = CentreColumn;
    m_state.CurrentRow = 1;
    m_state.GameLevel = 1;
    m_state.GameScore = 0;
    m_timer1.setInterval(GameTimer::StartInterval);
    m_view.showScore(m_state.GameScore);
    m_view.showLevel(m_state.GameLevel);
    firstNextColumn(m_state, m_random);
    NewColumn(m_state, m_random, m_view);
    m_timer1.setEnabled(true);
}

void GameLoop::land()
{
    if (m_state.SpecialFalling) {
        ApplySpecial(m_state, m_view);
    } else {
        CheckForSets(m_state, m_view);
    }
    NewColumn(m_state, m_random, m_view);
    CheckForSets(m_state, m_view);
}

TickOutcome GameLoop::GameTick()
{
    if (CanFall(m_state)) {
        dropStep(m_state);
        m_view.DrawBoard();
    } else {
        land();
    }

    // Only right after a landing can the well be empty: the column that has
    // just entered is not in the board until its first drop.
    if (IsBoardEmpty(m_state)) {
        m_timer1.setEnabled(false);
        return TickOutcome::LevelComplete;
    }
    if (IsCentreColumnFull(m_state)) {
        m_timer1.setEnabled(false);
        return TickOutcome::GameOver;
    }
    return TickOutcome::Continue;
}

KeyOutcome GameLoop::keyDown(std::int16_t key, Modifiers modifiers)
{
    if (key == m_keys.Rotate) {
        RotateColumn(m_state);
    }

    m_timer1.setEnabled(!(key == VirtualKey::P && m_timer1.enabled()));

    if (key == m_keys.Down) {
        if (modifiers.any()) {
            hardDrop(m_state);
        } else {
            softDrop(m_state, m_view);
        }
    }

    // A refused Left or Right falls through and only redraws.
    if (key == m_keys.Left && moveSideways(m_state, Direction::Left)) {
        return KeyOutcome::Continue;
    }
    if (key == m_keys.Right && moveSideways(m_state, Direction::Right)) {
        return KeyOutcome::Continue;
    }
    if (key == VirtualKey::Escape) {
        m_timer1.setEnabled(false);
        m_view.DrawBoard();
        return KeyOutcome::LeaveForMenu;
    }
    m_view.DrawBoard();
    return KeyOutcome::Continue;
}

void GameLoop::AdvanceLevel()
{
    m_state.GameLevel = static_cast<std::int16_t>(m_state.GameLevel + 1);
    m_view.showLevel(m_state.GameLevel);

    const int rows = refillRows(m_state.GameLevel);
    for (int r = FloorRow; r > FloorRow - rows; --r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            m_state.Board(r, c) = roundedColour(m_random);
        }
    }

    if (m_state.GameLevel % 3 == 0 && m_timer1.interval() > GameTimer::FastestInterval) {
        m_timer1.setInterval(std::max(m_timer1.interval() - GameTimer::IntervalStep, GameTimer::FastestInterval));
    }
    m_timer1.setEnabled(true);
}

} // namespace quillop
