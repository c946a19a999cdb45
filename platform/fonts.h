// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

#include <future>

namespace quillop::platform {

// The two faces the windows are designed around, mapped to metric-compatible
// faces where they are missing (Liberation Sans on Linux).
inline constexpr const char* Arial = "Arial";
inline constexpr const char* MsSansSerif = "MS Sans Serif";

void installFontSubstitutions();

// Reads the system's font configuration on a thread of its own. Started
// first thing, it is done by the time the first window lays out its text,
// instead of holding that window's first frame for several milliseconds.
// Keep the result until the program ends.
std::future<void> readFontConfigurationEarly();

// A font in pixels rather than points, so every window lays out alike
// whatever the screen's resolution setting: 12 pt is 16 px, 13.5 pt 18 px,
// 9.75 pt 13 px, 18 pt 24 px.
QFont gameFont(const char* family, double points, bool bold, bool underline = false);

} // namespace quillop::platform
