// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

class QWidget;

namespace quillop {

// The message window's modes, as the windows ask for them, and the answers
// to a question, as the message window gives them; the numbers are the
// game's own 32-bit codes for them.
enum class Message : std::int32_t {
    None = 0,
    LevelComplete = 1,
    GameOver = 2,
    ExitAnyway = 3,
    StartNewAnyway = 4,
    SaveChanges = 5,
    SetControls = 6,
};
enum class Answer : std::int32_t { None = 0, Yes = 1, No = 2 };

// What a window asks of the program around it. The program (the one object
// that holds what the windows share and builds them) implements it; the
// windows know it only through this, so none of them reaches up to it.
class WindowHost {
public:
    // The window goes back to the menu: the menu at its place, the window
    // closed.
    virtual void returnToMenu(QWidget* from) = 0;

    // The shared prompt by mode, centred over the window it is asked from;
    // returns once it has been answered and what follows the answer is done.
    virtual void ShowMessage(Message mode, QWidget* from) = 0;

protected:
    ~WindowHost() = default;
};

} // namespace quillop
