// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace quillop {

// Closes a window as the program, not as the desktop.
// How the window that hands over leaves the screen; a window that stays
// lies under the one that replaces it.
enum class Leave { Hide, Close, Stay };

// One window replaces another: the target is shown, takes the source's left
// and top, and the source hides or closes. The target becomes the active
// window, so keys reach it.
void handOver(QWidget* from, QWidget* to, Leave leave);

} // namespace quillop
