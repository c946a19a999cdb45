// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shell/ui/formwindow.h"

namespace quillop {

class Module1;

// The main menu: the first window and the one every other returns to. It
// starts and continues games, opens the other windows at its own place and
// ends the program.
class frmMenu final : public FormWindow {
    Q_OBJECT

public:
    explicit frmMenu(Module1& module);

    // Continue Game is greyed, and deaf to the mouse, while no game can be
    // resumed.
    void setContinueEnabled(bool enabled);

private:
    void lblNewGame_Click();
    void lblExit_Click();

    ButtonLabel* lblContinue;
    ButtonLabel* lblNewGame;
    ButtonLabel* lblHighScores;
    ButtonLabel* lblInstructions;
    ButtonLabel* lblOptions;
    ButtonLabel* lblExit;
    ButtonLabel* lblCredits;
    Module1& m_module;
};

} // namespace quillop
