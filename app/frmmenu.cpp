// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmenu.h"

#include "module1.h"

namespace quillop {

namespace {

// The column of items, 48 pixels apart, over the black slots of the picture.
QRect item(int index)
{
    return QRect(317, 314 + 48 * index, 129, 25);
}

} // namespace

frmMenu::frmMenu(Module1& module)
    : FormWindow(QStringLiteral(":/pictures/menu.ppm")),
      lblContinue(addButton("lblContinue", QStringLiteral("Continue Game"), item(0), 12)),
      lblNewGame(addButton("lblNewGame", QStringLiteral("New Game"), item(1), 12)),
      lblHighScores(addButton("lblHighScores", QStringLiteral("High Scores"), item(2), 12)),
      lblInstructions(addButton("lblInstructions", QStringLiteral("Instructions"), item(3), 12)),
      lblOptions(addButton("lblOptions", QStringLiteral("Options"), item(4), 12)),
      lblExit(addButton("lblExit", QStringLiteral("Exit"), item(5), 12)),
      lblCredits(addButton("lblCredits", QStringLiteral("?"), QRect(424, 18, 25, 25))), m_module(module)
{
    // Every run starts from the default keys.
    m_module.keys = KeyBindings{};

    // The column starts in the desktop's colour for highlighted text.
    for (ButtonLabel* item : {lblContinue, lblNewGame, lblHighScores, lblInstructions, lblOptions, lblExit}) {
        item->setTextColour(palette().color(QPalette::Active, QPalette::HighlightedText));
    }
    setContinueEnabled(false);

    connect(lblNewGame, &ButtonLabel::clicked, this, &frmMenu::lblNewGame_Click);
    connect(lblContinue, &ButtonLabel::clicked, this, [this] { m_module.continueGame(); });
    connect(lblHighScores, &ButtonLabel::clicked, this, [this] { m_module.open(Module1::Window::HighScores); });
    connect(lblInstructions, &ButtonLabel::clicked, this, [this] { m_module.open(Module1::Window::Help); });
    connect(lblOptions, &ButtonLabel::clicked, this, [this] { m_module.open(Module1::Window::Controls); });
    connect(lblCredits, &ButtonLabel::clicked, this, [this] { m_module.open(Module1::Window::Credits); });
    connect(lblExit, &ButtonLabel::clicked, this, &frmMenu::lblExit_Click);
}

void frmMenu::setContinueEnabled(bool enabled)
{
    lblContinue->setEnabled(enabled);
}

void frmMenu::lblNewGame_Click()
{
    if (m_module.game.GameInProgress) {
        m_module.ShowMessage(Message::StartNewAnyway, this);
    } else {
        m_module.NewGame();
    }
}

void frmMenu::lblExit_Click()
{
    lblExit->setLit(false);
    m_module.exit(this);
}

} // namespace quillop
