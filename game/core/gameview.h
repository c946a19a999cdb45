// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quillop {

// Everything the rules need from the screen. The game window implements it;
// tests record the calls, so a landing with its pauses runs in microseconds.
class GameView {
public:
    virtual ~GameView() = default;

    // Repaint the well and the next-piece box from the game state.
    virtual void DrawBoard() = 0;
    // Make what has been drawn visible on screen now.
    virtual void refresh() = 0;
    // Hold the game still for the given time; the board stays visible and no
    // input or tick is handled meanwhile.
    virtual void pause(int milliseconds) = 0;
    virtual void showScore(std::int32_t score) = 0;
    virtual void showLevel(std::int16_t level) = 0;
};

} // namespace quillop
