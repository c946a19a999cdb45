// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

namespace quillop::platform {

// Calls `lost` with a top-level window of the program whose window on the
// screen another program destroyed (an X client's XDestroyWindow, which
// skips the close request a window could refuse). The window is gone from
// the screen, though the program still holds it; what it held must be kept
// or handed on. Only X tells a program so; elsewhere nothing is called.
void OnWindowDestroyedOutside(std::function<void(QWidget*)> lost);

} // namespace quillop::platform
