// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "gamestate.h"
#include "gameview.h"
#include "random.h"

#include "controls/core/keybindings.h"

#include <cstdint>

namespace quillop {

enum class TickOutcome { Continue, LevelComplete, GameOver };
enum class KeyOutcome { Continue, LeaveForMenu };

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;

    bool any() const { return shift || control || alt; }
};

// The game's tick timer. Whoever runs the game owns it (the game window a
// real timer, tests a plain record); the rules switch it on and off, set its
// interval and read back what it is, so there is no second copy to keep in
// step.
class GameTimer {
public:
    static constexpr int StartInterval = 250;
    static constexpr int FastestInterval = 100;
    static constexpr int IntervalStep = 10;

    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual int interval() const = 0;
    virtual void setInterval(int milliseconds) = 0;

protected:
    ~GameTimer() = default;
};

// True when no visible cell holds anything; the hidden rows do not count.
bool IsBoardEmpty(const GameState& state);

// True when every visible cell of the centre column holds something.
bool IsCentreColumnFull(const GameState& state);

// The running game as the game window drives it: the tick, the keys and the
// level advance. It works on state it does not own, so the windows can share
// one game state and tests can build their own.
class GameLoop {
public:
    GameLoop(GameState& state, const KeyBindings& keys, GameView& view, GameTimer& timer1, RandomSource& random);

    // Sets a game up from the start: level 1, score 0, start interval, a first
    // next column of rounded colours, the first falling column, the timer on.
    // The board itself is cleared by NewGame beforehand.
    void start();

    // One tick: the column drops a row, or it lands (special effect or set
    // check, the next column enters, a second set check). Then an empty well
    // completes the level, or else a full centre column ends the game; both
    // stop the timer and are left to the caller to hand over.
    TickOutcome GameTick();

    // A key pressed in the game window, as a virtual-key code. Any key resumes
    // a paused game and then also acts; P pauses a running one. Escape stops
    // the timer and asks the caller to leave for the menu.
    KeyOutcome keyDown(std::int16_t key, Modifiers modifiers);

    // The next level: refills the bottom rows with rounded colours (level + 1
    // rows up to level 14, 14 rows from level 15 on), speeds the timer up by
    // 10 ms every third level down to 100 ms, and restarts the timer.
    void AdvanceLevel();

private:
    void land();

    GameState& m_state;
    const KeyBindings& m_keys;
    GameView& m_view;
    GameTimer& m_timer1;
    RandomSource& m_random;
};

} // namespace quillop
