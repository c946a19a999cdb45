// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowhost.h"

#include <QDialog>

#include <cstdint>

namespace quillop {

class ButtonLabel;
class Panel;

// The modal message window: one black panel sized to its message, centred
// over the window it is opened from. The two game notices wait for Space,
// the question for a click on Yes or No, the controls notice for a click on
// Ok. It cannot be dragged, and Escape does nothing. It only answers: what
// follows is up to whoever opened it, once it has closed.
class frmdialog final : public QDialog {
    Q_OBJECT

public:
    explicit frmdialog(QWidget* over);

    // Each shows its panel and returns once the window has closed.
    void showLevelComplete();
    void showGameOver();
    // Yes or No; a question the desktop closes counts as No.
    Answer AskYesNo(const QString& question);
    void showSetControls();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    enum class Kind { GameNotice, Question, ControlsNotice };

    Panel* addPanel(const char* name, QSize size);
    ButtonLabel* addButton(Panel* panel, const char* name, const QString& text, QRect box);
    void showModal(Kind kind, Panel* panel);

    QWidget* m_over;
    Kind m_kind = Kind::GameNotice;
    Answer m_answer = Answer::None;
};

} // namespace quillop
