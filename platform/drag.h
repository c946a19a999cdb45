// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

class QWidget;

namespace quillop::platform {

// Starts moving the window with the mouse until the button is released, as a
// press on a title bar would. The compositor does it on Wayland; on X11 and
// where the system refuses, the window follows the mouse itself. Call it
// from the window's mouse-press handler, with the press's position on the
// screen.
void DragForm(QWidget* window, QPoint pressedAt);

// Whether the window is being moved by the fallback right now.
bool IsManualDragActive(const QWidget* window);

} // namespace quillop::platform
