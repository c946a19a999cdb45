// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/virtualkey.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quillop {

// The configurable actions, in the order of the key boxes of the controls
// window.
enum class KeyAction { Down = 0, Rotate = 1, Left = 2, Right = 3 };

inline constexpr std::array<KeyAction, 4> AllKeyActions{KeyAction::Down, KeyAction::Rotate, KeyAction::Left,
                                                        KeyAction::Right};

// The four game keys. Whenever the game reads them they are non-zero, pairwise
// different and never Enter, Escape or P.
struct KeyBindings {
    std::int16_t Left = VirtualKey::Left;
    std::int16_t Right = VirtualKey::Right;
    std::int16_t Down = VirtualKey::Down;
    std::int16_t Rotate = VirtualKey::Up;

    friend bool operator==(const KeyBindings&, const KeyBindings&) = default;
};

// A working copy of the four codes, indexed by KeyAction; 0 means not set.
using KeyCodes = std::array<std::int16_t, 4>;

KeyCodes toKeyCodes(const KeyBindings& bindings);
KeyBindings fromKeyCodes(const KeyCodes& codes);

// The text a key box shows for a code, UTF-8 encoded: the arrows and Space by
// name, 0 as nothing, any other code as the one character with that code
// (Windows-1252 from 128 up), so F1 (112) shows as "p". Codes from 256 up
// name keys that have no virtual-key code by their place on the keyboard:
// "Key 300".
std::string KeyName(std::int16_t code);

// Gives the pressed code to the action being edited. Any action that held the
// code loses it (it is left unset); P is refused and leaves every code as it
// was.
void AssignKey(KeyCodes& codes, KeyAction action, std::int16_t code);

// The first action, in the order Down, Rotate, Left, Right, that is not set.
std::optional<KeyAction> FirstUnsetAction(const KeyCodes& codes);

} // namespace quillop
