// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace quillop::platform {

inline constexpr std::int16_t FirstPlaceCode = 256;

// The Windows virtual-key code the game's rules expect for a key, or 0 for a
// key that has none. Codes name keys, not characters: a letter is the letter
// the layout puts on the key, the digit row gives 48 to 57 whatever it types,
// and Shift never changes the code. Where the event carries the key's place
// on the keyboard (the scan code on X11 and Wayland) that place decides for the digit row, the punctuation keys and
// the letters of non-Latin layouts; without it, the Qt key does. Keypad keys
// need the keypad modifier to be told apart from the main keyboard's. A key
// that has no virtual-key code but a place gets FirstPlaceCode plus its scan
// code.
std::int16_t virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);
std::int16_t virtualKeyCode(const QKeyEvent& event);

} // namespace quillop::platform
