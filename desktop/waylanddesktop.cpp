// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "waylanddesktop.h"

#include <QGuiApplication>
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
    releaseAfterSystemMove(window, pressedAt);
}

} // namespace quillop::desktop
