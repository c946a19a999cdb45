// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

namespace quillop {

class ButtonLabel;
class Module1;
class Panel;

// The modal message window: one black panel sized to its message, centred
// over the window it is opened from. The two game notices wait for Space,
// the question for a click on Yes or No, the controls notice for a click on
// Ok. It cannot be dragged, and Escape does nothing.
class frmdialog final : public QDialog {
    Q_OBJECT

public:
    frmdialog(Module1& module, QWidget* over);

    // Each shows its panel and returns once the window has closed.
    void ShowLevelComplete();
    void ShowGameOver();
    void AskYesNo(const QString& question);
    void ShowSetControls();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    enum class Kind { GameNotice, Question, ControlsNotice };

    Panel* addPanel(const char* name, QSize size);
    ButtonLabel* addButton(Panel* panel, const char* name, const QString& text, QRect box);
    void showModal(Kind kind, Panel* panel);

    Module1& m_module;
    QWidget* m_over;
    Kind m_kind = Kind::GameNotice;
};

} // namespace quillop
