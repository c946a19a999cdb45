// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace quillop::desktop {

class X11DestroyWatch;

// An X display and its window manager. The game's windows have no frame,
// so the place the game gives a window is the place of the window itself;
// some managers place the frame they would have drawn there instead (i3
// puts a floating window's title bar and border at the place asked, then
// drops them for a window that wants none and leaves the window where the
// frame's inside was). Once a window is on the screen the game asks the X
// server where it really is, and asks the manager once more if it is not
// where the game put it.
class X11Desktop : public Desktop {
    Q_OBJECT

public:
    X11Desktop();
    ~X11Desktop() override;

    // The name the window manager gives itself; empty without one.
    QByteArray managerName() const;
    // Whether the manager moves mapped windows only itself and ignores a
    // program's own moves, as the X11 window manager of the wlroots
    // compositors (sway and others) does: there a drag asks the manager to
    // move the window.
    bool managerIgnoresProgramMoves() const;

    void place(QWidget* window, QPoint corner) override;
    void drag(QWidget* window, QPoint pressedAt) override;
    void keepOnTop(QWidget* question) override;
    void watchOutsideDestroys(std::function<void(QWidget*)> lost) override;

private:
    mutable std::optional<QByteArray> m_managerName;
    std::unique_ptr<X11DestroyWatch> m_destroyWatch;
};

} // namespace quillop::desktop
