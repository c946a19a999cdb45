// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "buttonlabel.h"

#include "platform/pendingpicture.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

namespace quillop {

// A full-size window: borderless, 470 x 600, #404040 under its own picture.
// A press on the background drags it, a move over the background turns its
// buttons white, and a close request from the desktop (Alt+F4, the taskbar)
// goes to the handler the program gives, instead of closing the window.
// A window with a way back has an Ok button at its foot, and Escape does
// what Ok does.
class FormWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 470;
    static constexpr int Height = 600;

    explicit FormWindow(const QString& picture, const QString& title = QStringLiteral("Quillop"));

    // A button label on the window, reset to white by the background.
    ButtonLabel* addButton(const char* name, const QString& text, QRect place, double points = 13.5);
    const std::vector<ButtonLabel*>& buttons() const { return m_buttons; }

    // The "Ok" button at the foot of the window, which runs `leave`; Escape
    // runs it too, while Ok is enabled and escapeLeaves() agrees.
    ButtonLabel* addOkButton(std::function<void()> leave);

    void setCloseRequestHandler(std::function<void()> handler) { m_closeRequested = std::move(handler); }
    // The program's own close, which the handler never sees.
    virtual void closeByProgram();
    // Another program destroyed the window on the screen: what stood for it
    // there is let go, and made anew the next time the window shows.
    void forgetDestroyedWindow() { destroy(); }

protected:
    // What the window's keys come to, its text boxes' keys included: Escape
    // leaves as Ok does. True when the key was used.
    bool Form_KeyDown(std::int16_t key);
    // Whether Escape leaves just now, besides Ok being enabled.
    virtual bool escapeLeaves() const { return true; }

    // Every key stops at the window; Escape leaves.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    platform::PendingPicture m_picture;
    std::vector<ButtonLabel*> m_buttons;
    std::function<void()> m_closeRequested;
    ButtonLabel* m_ok = nullptr;
    std::function<void()> m_leave;
    bool m_closingByProgram = false;
};

} // namespace quillop
