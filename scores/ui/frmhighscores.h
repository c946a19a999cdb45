// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shell/ui/formwindow.h"

#include <array>

class QLineEdit;

namespace quillop {

class Module1;

// The fifteen best results under the headings Pos, Name, Score and Level.
// After a qualifying game a panel covers the table, congratulates the player
// and takes a name of up to 12 characters; Enter puts the result in its
// place, shows the table and saves it.
class frmHighScores final : public FormWindow {
    Q_OBJECT

public:
    explicit frmHighScores(Module1& module);

    // Fills the rows from the shared table; empty slots show blank.
    void ShowTopScores();

    struct Row {
        platform::Label* lblPosition;
        platform::Label* lblName;
        platform::Label* lblScore;
        platform::Label* lblLevel;
    };
    const std::array<Row, 15>& rows() const { return m_rows; }

    ButtonLabel* lblOk;
    Panel* frameNewScore;
    QLineEdit* txtControl;
    // One line that tells the player when the table on disk could not be
    // read or a new score could not be kept.
    platform::Label* lblStoreNotice;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Form_KeyDown(int key);
    void BuildScoreRows();
    void ConfirmName();
    void tellPlayer(const QString& text);

    Module1& m_module;
    std::array<Row, 15> m_rows{};
};

} // namespace quillop
