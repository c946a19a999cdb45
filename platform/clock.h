// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quillop::platform {

// A seed for the game's random source taken from the clock.
std::uint64_t clockSeed();

// Blocks the user-interface thread for the given time: nothing in the game
// changes meanwhile, no timer fires, and keys pressed meanwhile are handled
// afterwards, in order. What must be seen during the pause is put on screen
// first by whoever pauses.
void Sleep(int milliseconds);

} // namespace quillop::platform
