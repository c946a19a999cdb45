// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keys.h"

#include <QChar>

#include <array>
#include <string_view>
#include <utility>

namespace quillop::platform {

namespace {

struct KeyPair {
    int qt;
    std::int16_t vk;
};

// Keys whose Qt code differs from the virtual-key code, main keyboard.
constexpr std::array MainKeys{
    KeyPair{Qt::Key_Backspace, 8},
    KeyPair{Qt::Key_Tab, 9},
    KeyPair{Qt::Key_Backtab, 9},
    KeyPair{Qt::Key_Clear, 12},
    KeyPair{Qt::Key_Return, 13},
    KeyPair{Qt::Key_Enter, 13},
    KeyPair{Qt::Key_Shift, 16},
    KeyPair{Qt::Key_Control, 17},
    KeyPair{Qt::Key_Alt, 18},
    KeyPair{Qt::Key_AltGr, 165},
    KeyPair{Qt::Key_Pause, 19},
    KeyPair{Qt::Key_CapsLock, 20},
    KeyPair{Qt::Key_Escape, 27},
    KeyPair{Qt::Key_Space, 32},
    KeyPair{Qt::Key_PageUp, 33},
    KeyPair{Qt::Key_PageDown, 34},
    KeyPair{Qt::Key_End, 35},
    KeyPair{Qt::Key_Home, 36},
    KeyPair{Qt::Key_Left, 37},
    KeyPair{Qt::Key_Up, 38},
    KeyPair{Qt::Key_Right, 39},
    KeyPair{Qt::Key_Down, 40},
    KeyPair{Qt::Key_Select, 41},
    KeyPair{Qt::Key_Printer, 42},
    KeyPair{Qt::Key_Execute, 43},
    KeyPair{Qt::Key_Print, 44},
    KeyPair{Qt::Key_Insert, 45},
    KeyPair{Qt::Key_Delete, 46},
    KeyPair{Qt::Key_Help, 47},
    KeyPair{Qt::Key_Meta, 91},
    KeyPair{Qt::Key_Super_L, 91},
    KeyPair{Qt::Key_Super_R, 92},
    KeyPair{Qt::Key_Menu, 93},
    KeyPair{Qt::Key_Sleep, 95},
    KeyPair{Qt::Key_NumLock, 144},
    KeyPair{Qt::Key_ScrollLock, 145},
    // The punctuation keys of a US layout (OEM codes).
    KeyPair{Qt::Key_Semicolon, 186},
    KeyPair{Qt::Key_Colon, 186},
    KeyPair{Qt::Key_Equal, 187},
    KeyPair{Qt::Key_Plus, 187},
    KeyPair{Qt::Key_Comma, 188},
    KeyPair{Qt::Key_Less, 188},
    KeyPair{Qt::Key_Minus, 189},
    KeyPair{Qt::Key_Underscore, 189},
    KeyPair{Qt::Key_Period, 190},
    KeyPair{Qt::Key_Greater, 190},
    KeyPair{Qt::Key_Slash, 191},
    KeyPair{Qt::Key_Question, 191},
    KeyPair{Qt::Key_QuoteLeft, 192},
    KeyPair{Qt::Key_AsciiTilde, 192},
    KeyPair{Qt::Key_BracketLeft, 219},
    KeyPair{Qt::Key_BraceLeft, 219},
    KeyPair{Qt::Key_Backslash, 220},
    KeyPair{Qt::Key_Bar, 220},
    KeyPair{Qt::Key_BracketRight, 221},
    KeyPair{Qt::Key_BraceRight, 221},
    KeyPair{Qt::Key_Apostrophe, 222},
    KeyPair{Qt::Key_QuoteDbl, 222},
    // Shifted digits of a US layout report the digit's key.
    KeyPair{Qt::Key_Exclam, 49},
    KeyPair{Qt::Key_At, 50},
    KeyPair{Qt::Key_NumberSign, 51},
    KeyPair{Qt::Key_Dollar, 52},
    KeyPair{Qt::Key_Percent, 53},
    KeyPair{Qt::Key_AsciiCircum, 54},
    KeyPair{Qt::Key_Ampersand, 55},
    KeyPair{Qt::Key_Asterisk, 56},
    KeyPair{Qt::Key_ParenLeft, 57},
    KeyPair{Qt::Key_ParenRight, 48},
};

// The keypad's own codes.
constexpr std::array KeypadKeys{
    KeyPair{Qt::Key_Asterisk, 106}, KeyPair{Qt::Key_Plus, 107},  KeyPair{Qt::Key_Minus, 109},
    KeyPair{Qt::Key_Period, 110},   KeyPair{Qt::Key_Comma, 110}, KeyPair{Qt::Key_Slash, 111},
    KeyPair{Qt::Key_Enter, 13},     KeyPair{Qt::Key_Return, 13}, KeyPair{Qt::Key_Left, 37},
    KeyPair{Qt::Key_Up, 38},        KeyPair{Qt::Key_Right, 39},  KeyPair{Qt::Key_Down, 40},
    KeyPair{Qt::Key_Home, 36},      KeyPair{Qt::Key_End, 35},    KeyPair{Qt::Key_PageUp, 33},
    KeyPair{Qt::Key_PageDown, 34},  KeyPair{Qt::Key_Insert, 45}, KeyPair{Qt::Key_Delete, 46},
    KeyPair{Qt::Key_Clear, 12},
};

// Places on a PC keyboard by their X11 and Wayland scan codes (the Linux key
// codes plus 8), with the code Windows gives the key at that place on a US
// layout.
constexpr int DigitRow = 10; // 1 to 9, then 0
constexpr std::array<std::pair<int, const char*>, 3> LetterRows{
    {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}}};
constexpr std::array Punctuation{
    KeyPair{20, 189}, KeyPair{21, 187}, KeyPair{34, 219}, KeyPair{35, 221}, KeyPair{47, 186}, KeyPair{48, 222},
    KeyPair{49, 192}, KeyPair{51, 220}, KeyPair{59, 188}, KeyPair{60, 190}, KeyPair{61, 191}, KeyPair{94, 226},
};

// The code of the key at a scan-code place, for the keys whose character
// depends on the layout; 0 elsewhere.
std::int16_t byPlace(quint32 scanCode, int qtKey)
{
    const int place = static_cast<int>(scanCode);
    if (place >= DigitRow && place < DigitRow + 10) {
        return static_cast<std::int16_t>(place == DigitRow + 9 ? '0' : '1' + (place - DigitRow));
    }
    const bool latinLetter = qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z;
    // A letter of a non-Latin script (Cyrillic, Greek...).
    const bool otherLetter = qtKey > 0xFF && qtKey <= 0xFFFF && QChar(static_cast<char16_t>(qtKey)).isLetter();
    for (const auto& [first, letters] : LetterRows) {
        const std::string_view row(letters);
        if (place >= first && place < first + static_cast<int>(row.size())) {
            // A Latin layout names its own letter; another takes the US one.
            if (latinLetter) {
                return static_cast<std::int16_t>(qtKey);
            }
            return otherLetter ? static_cast<std::int16_t>(row[static_cast<std::size_t>(place - first)]) : 0;
        }
    }
    for (const KeyPair& pair : Punctuation) {
        if (pair.qt == place && !latinLetter) {
            return pair.vk;
        }
    }
    return 0;
}

template <std::size_t N> std::int16_t find(const std::array<KeyPair, N>& table, int key)
{
    for (const KeyPair& pair : table) {
        if (pair.qt == key) {
            return pair.vk;
        }
    }
    return 0;
}

} // namespace

std::int16_t virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode)
{
    if (scanCode != 0 && !modifiers.testFlag(Qt::KeypadModifier)) {
        if (const std::int16_t vk = byPlace(scanCode, qtKey)) {
            return vk;
        }
    }
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return static_cast<std::int16_t>(96 + (qtKey - Qt::Key_0)); // keypad 0 to 9
        }
        if (const std::int16_t vk = find(KeypadKeys, qtKey)) {
            return vk;
        }
    }
    // Letters and digits already carry the virtual-key code.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<std::int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
    }
    if (const std::int16_t vk = find(MainKeys, qtKey)) {
        return vk;
    }
    // A key Windows has no code for (a dead key elsewhere than the
    // punctuation places, a key Qt does not know) is still a key: it is
    // told apart by its place.
    if (scanCode != 0 && scanCode < 0x7F00) {
        return static_cast<std::int16_t>(FirstPlaceCode + scanCode);
    }
    return 0;
}

std::int16_t virtualKeyCode(const QKeyEvent& event)
{
    return virtualKeyCode(event.key(), event.modifiers(), event.nativeScanCode());
}

} // namespace quillop::platform
