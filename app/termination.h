// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace quillop {

// Runs `end` on the user-interface thread when the system asks the program
// to end (SIGTERM at logout or shutdown, SIGINT, SIGHUP), instead of the
// process dying where it stands. Call once, after the application exists.
void onTerminationRequest(std::function<void()> end);

} // namespace quillop
