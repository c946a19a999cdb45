// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quillop {

// Windows virtual-key codes: the one vocabulary the game speaks of keys in,
// its rules and its windows alike. The platform layer turns each key the
// player presses into one of these.
namespace VirtualKey {
inline constexpr std::int16_t None = 0;
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t Space = 32;
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t P = 80;
} // namespace VirtualKey

} // namespace quillop
