// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "waylanddesktop.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace quillop::desktop {

void WaylandDesktop::drag(QWidget* window, QPoint pressedAt)
{
    QWindow* handle = window->windowHandle();
    if (handle == nullptr || !handle->startSystemMove()) {
        Desktop::drag(window, pressedAt);
        return;
    }
    // The compositor keeps the release to itself; without one the window
    // would go on believing the button held, and send the mouse's moves to
    // itself instead of lighting the labels under it.
    QCoreApplication::postEvent(handle, new QMouseEvent(QEvent::MouseButtonRelease, window->mapFromGlobal(pressedAt),
                                                        pressedAt, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

} // namespace quillop::desktop
