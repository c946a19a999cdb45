// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class QWidget;

namespace quillop::desktop {

// What the game asks of the window system its windows are on. Every window
// system grants a program these in its own way, or not at all: one Desktop
// for each, chosen once at start (ForThisSession), and every window goes
// through the one in use (Current). This one asks nothing of any system:
// the windows place and move themselves, as on a screen with no window
// manager or off screen.
class Desktop : public QObject {
    Q_OBJECT

public:
    Desktop() = default;
    ~Desktop() override;

    // The window opens with its top-left corner here on the screen, in the
    // game's pixels, when it is next shown. Call it before show().
    virtual void place(QWidget* window, QPoint corner);

    // Moves the window with the mouse until the button is released, as a
    // press on a title bar would. Call it from the window's mouse-press
    // handler, with the press's place on the screen.
    virtual void drag(QWidget* window, QPoint pressedAt);

    // While the question is open it stays above the windows it blocks, and
    // keeps the keys, whatever the player clicks. This one asks for the keys
    // back whenever another window of the game takes them.
    virtual void keepOnTop(QWidget* question);

    // Calls `lost` with a top-level window of the game whose window on the
    // screen another program destroyed, skipping the close request a window
    // could refuse: the window is gone from the screen though the game still
    // holds it, and what it held must be kept or handed on. Only some window
    // systems tell; elsewhere nothing is called.
    virtual void watchOutsideDestroys(std::function<void(QWidget*)> lost);

protected:
    // After a drag the window system took over: it keeps the release to
    // itself, and without one the window would go on believing the button
    // held, and send the mouse's moves to itself instead of lighting the
    // labels under it.
    static void releaseAfterSystemMove(QWidget* window, QPoint pressedAt);
};

// The desktop the game's windows are on: the one installed at start, or,
// until then, the plain one above.
Desktop& current();
void install(std::unique_ptr<Desktop> desktop);

} // namespace quillop::desktop
