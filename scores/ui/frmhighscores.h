// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/core/topscores.h"
#include "scores/store/topscorestore.h"
#include "shell/ui/formwindow.h"
#include "shell/ui/panel.h"
#include "shell/ui/windowhost.h"

#include <QTimer>

#include <array>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace quillop {

// Tells the log what was wrong with a table read, if anything was.
void logTableRead(const TopScoreStore::TableRead& read);

// What the high-score window reads and changes of the state the windows
// share: the score file, the table, whether a name is awaited, and then the
// result that waits for it.
struct HighScoreState {
    TopScoreStore& store;
    TopScoreTable& TopScores;
    bool& NewHighScorePending;
    // The final score and level of the game that ended, while a name is
    // awaited.
    std::int32_t Score = 0;
    std::int16_t Level = 0;
    // How the table was read just before, when it was (at game over, to see
    // whether the score qualifies; TopScores holds what was read); otherwise
    // the window reads it itself.
    std::optional<TopScoreStore::TableRead> alreadyRead;
};

// The fifteen best results under the headings Pos, Name, Score and Level.
// After a qualifying game a panel covers the table, congratulates the player
// and takes a name of up to 12 characters; Enter puts the result in its
// place, shows the table and saves it.
class frmHighScores final : public FormWindow {
    Q_OBJECT

public:
    static constexpr int RetryMs = 100;
    static constexpr int RetryCount = 30;

    frmHighScores(WindowHost& host, HighScoreState shared);

    // Fills the rows from the shared table; empty slots show blank.
    void ShowTopScores();

    // A name still awaited is taken as typed so far, and the result saved:
    // the program is ending, and the score must not go with it.
    void closeByProgram() override;

protected:
    bool escapeLeaves() const override { return !m_shared.NewHighScorePending; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildScoreRows();
    void confirmName();
    // Saves the name typed. While another process holds the table, a save
    // is tried again every RetryMs for RetryCount tries without freezing
    // the window, then the name waits for Enter once more; a program that
    // ends waits for the table instead.
    void saveName(bool ending);
    void tellPlayer(const QString& text);
    void tell(const TopScoreStore::TableRead& read);

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
    QTimer m_retry;
    int m_triesLeft = 0;
    std::array<Row, TopScoreCount> m_rows{};
};

} // namespace quillop
