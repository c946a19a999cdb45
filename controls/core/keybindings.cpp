// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keybindings.h"

#include "common/windows1252.h"

#include <string>

namespace quillop {

namespace {

std::size_t slot(KeyAction action)
{
    return static_cast<std::size_t>(action);
}

std::string utf8(char32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

KeyCodes toKeyCodes(const KeyBindings& bindings)
{
    KeyCodes codes{};
    codes[slot(KeyAction::Down)] = bindings.Down;
    codes[slot(KeyAction::Rotate)] = bindings.Rotate;
    codes[slot(KeyAction::Left)] = bindings.Left;
    codes[slot(KeyAction::Right)] = bindings.Right;
    return codes;
}

KeyBindings fromKeyCodes(const KeyCodes& codes)
{
    KeyBindings bindings;
    bindings.Down = codes[slot(KeyAction::Down)];
    bindings.Rotate = codes[slot(KeyAction::Rotate)];
    bindings.Left = codes[slot(KeyAction::Left)];
    bindings.Right = codes[slot(KeyAction::Right)];
    return bindings;
}

std::string KeyName(std::int16_t code)
{
    switch (code) {
    case VirtualKey::Up:
        return "Up Arrow";
    case VirtualKey::Down:
        return "Down Arrow";
    case VirtualKey::Left:
        return "Left Arrow";
    case VirtualKey::Right:
        return "Right Arrow";
    case VirtualKey::Space:
        return "Space Bar";
    case VirtualKey::None:
        return {};
    default:
        break;
    }
    if (code > 255) {
        return "Key " + std::to_string(code);
    }
    if (code < 0) {
        return {}; // no key has such a code
    }
    return utf8(windows1252::toUnicode(static_cast<std::uint8_t>(code)));
}

void AssignKey(KeyCodes& codes, KeyAction action, std::int16_t code)
{
    for (std::int16_t& held : codes) {
        if (held == code) {
            held = VirtualKey::None;
        }
    }
    if (code != VirtualKey::P) {
        codes[slot(action)] = code;
    }
}

std::optional<KeyAction> FirstUnsetAction(const KeyCodes& codes)
{
    for (KeyAction action : AllKeyActions) {
        if (codes[slot(action)] == VirtualKey::None) {
            return action;
        }
    }
    return std::nullopt;
}

} // namespace quillop
