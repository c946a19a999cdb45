// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop.h"

namespace quillop::desktop {

// The desktop for the window system the game runs on, once Qt has chosen
// it: an X display and its window manager, a Wayland compositor, sway (over
// its IPC, on its XWayland or natively), or none.
std::unique_ptr<Desktop> forThisSession();

} // namespace quillop::desktop
