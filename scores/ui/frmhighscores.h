// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/core/gamestate.h"
#include "scores/core/topscores.h"
#include "scores/store/topscorestore.h"
#include "shell/ui/formwindow.h"
#include "shell/ui/panel.h"
#include "shell/ui/windowhost.h"

#include <array>

class QLineEdit;

namespace quillop {

// What the high-score window reads and changes of the state the windows
// share: the score file, the table, whether a name is awaited, and the game
// whose result it records.
struct HighScoreState {
    TopScoreStore& Store;
    TopScoreTable& TopScores;
    bool& NewHighScorePending;
    const GameState& Game;
};

// The fifteen best results under the headings Pos, Name, Score and Level.
// After a qualifying game a panel covers the table, congratulates the player
// and takes a name of up to 12 characters; Enter puts the result in its
// place, shows the table and saves it.
class frmHighScores final : public FormWindow {
    Q_OBJECT

public:
    frmHighScores(WindowHost& host, HighScoreState shared);

    // Fills the rows from the shared table; empty slots show blank.
    void ShowTopScores();


protected:
    bool escapeLeaves() const override { return !m_shared.NewHighScorePending; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildScoreRows();
    void ConfirmName();
    void tellPlayer(const QString& text);

    // Each row's cells, named "lblPosition(0)" to "lblLevel(14)".
    struct Row {
        platform::Label* lblPosition;
        platform::Label* lblName;
        platform::Label* lblScore;
        platform::Label* lblLevel;
    };

    ButtonLabel* lblOk;
    Panel* frameNewScore;
    QLineEdit* txtControl;
    // One line that tells the player when the table on disk could not be
    // read or a new score could not be kept.
    platform::Label* lblStoreNotice;
    WindowHost& m_host;
    HighScoreState m_shared;
    std::array<Row, 15> m_rows{};
};

} // namespace quillop
