// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace quillop {

class Module1;

// Tells the program how to build each window the menu opens; the credits
// read their animation from the given folder.
void installWindows(Module1& module, const QString& programFolder);

} // namespace quillop
