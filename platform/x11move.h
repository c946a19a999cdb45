// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

class QWidget;

namespace quillop::platform {

// Whether the program's windows are on an X display whose window manager
// moves mapped windows only itself and ignores a program's own moves, as the
// X11 window manager of the wlroots compositors (sway and others) does. Such
// a manager is told to move a window instead: StartX11Move.
bool X11ManagerIgnoresProgramMoves();

// Asks the window manager to move the window with the mouse until the button
// is released, as a press on a title bar does (_NET_WM_MOVERESIZE), anchored
// at the press's place on the screen. False where it cannot.
bool StartX11Move(QWidget* window, QPoint pressedAt);

} // namespace quillop::platform
