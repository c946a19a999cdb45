// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/core/gameloop.h"
#include "game/core/gameview.h"
#include "game/core/random.h"
#include "tests/support/naming.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillop::test {

// Records what the rules asked of the screen, in order, as short words:
// "draw", "refresh", "pause 250", "score 30", "level 2".
class RecordingView final : public GameView {
public:
    void DrawBoard() override
    {
        log.push_back("draw");
        if (onDraw) {
            onDraw();
        }
    }
    void refresh() override { log.push_back("refresh"); }
    void pause(int ms) override
    {
        pausedMs += ms;
        log.push_back("pause " + std::to_string(ms));
    }
    void showScore(std::int32_t score) override { log.push_back("score " + std::to_string(score)); }
    void showLevel(std::int16_t level) override { log.push_back("level " + std::to_string(level)); }

    std::vector<std::string> log;
    int pausedMs = 0;
    std::function<void()> onDraw; // to look at the board at every drawing
};

// Hands out the given values in order, then 0 for every draw too many:
// `unused` is what the rules left, negative when they drew more.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<float> scripted = {}) : values(scripted) {}
    float next() override
    {
        if (values.empty()) {
            ++overdrawn;
            return 0.0F;
        }
        const float u = values.front();
        values.pop_front();
        return u;
    }
    int unused() const { return static_cast<int>(values.size()) - overdrawn; }

    std::deque<float> values;
    int overdrawn = 0;
};

// A tick timer that only keeps what the rules set.
struct RecordedTimer final : GameTimer {
    bool enabled() const override { return on; }
    void setEnabled(bool enabled) override { on = enabled; }
    int interval() const override { return ms; }
    void setInterval(int milliseconds) override { ms = milliseconds; }

    bool on = false;
    int ms = StartInterval;
};

// A game on a fresh state with the default keys, driven by the fakes above.
struct TestGame : ::testing::Test {
    GameState state;
    KeyBindings keys;
    RecordingView view;
    RecordedTimer timer1;
    ScriptedRandom random;
    GameLoop loop{state, keys, view, timer1, random};
};

// The value u for which Pick(u, n) gives k.
constexpr float pickValue(int k, int n)
{
    return (static_cast<float>(k) - 0.5F) / static_cast<float>(n);
}

} // namespace quillop::test
