// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"

#include <chrono>
#include <thread>

namespace quillop::platform {

std::uint64_t clockSeed()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
           ^ static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void Sleep(int milliseconds)
{
    // Nothing here may run the event loop: a tick or a key handled inside
    // the pause would run inside the tick that paused.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace quillop::platform
