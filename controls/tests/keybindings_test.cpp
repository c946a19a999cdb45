// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/core/keybindings.h"

#include <gtest/gtest.h>

namespace quillop {
namespace {

struct NameCase {
    std::int16_t code;
    const char* text;

    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << "code " << c.code; }
};

class KeyNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyNames, ShowTheTextOfTheKeysBox)
{
    EXPECT_EQ(KeyName(GetParam().code), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Codes, KeyNames,
    ::testing::Values(NameCase{38, "Up Arrow"}, NameCase{40, "Down Arrow"}, NameCase{37, "Left Arrow"},
                      NameCase{39, "Right Arrow"}, NameCase{32, "Space Bar"}, NameCase{0, ""},
                      NameCase{65, "A"}, NameCase{90, "Z"}, NameCase{48, "0"}, NameCase{57, "9"},
                      NameCase{112, "p"},          // F1 shows as the character with its code
                      NameCase{97, "a"},           // and so does keypad 1
                      NameCase{128, "\u20AC"},     // Windows-1252 from 128 up
                      NameCase{129, "\u0081"},     // an unassigned code keeps its value
                      NameCase{150, "\u2013"}, NameCase{159, "\u0178"},
                      NameCase{186, "\u00BA"}, NameCase{222, "\u00DE"}, NameCase{255, "\u00FF"},
                      NameCase{256, "Key 256"}, NameCase{353, "Key 353"}, NameCase{-5, ""}));
// clang-format on

struct Assignment {
    KeyAction action;
    std::int16_t code;
    KeyCodes after; // from the arrows: Down 40, Rotate 38, Left 37, Right 39
    std::optional<KeyAction> firstUnset;

    friend void PrintTo(const Assignment& c, std::ostream* os)
    {
        *os << "code " << c.code << " to action " << static_cast<int>(c.action);
    }
};

class Assignments : public ::testing::TestWithParam<Assignment> {};

TEST_P(Assignments, MoveAKeyHeldElsewhereToTheEditedActionRefusePAndTakeAnyOtherKey)
{
    KeyCodes codes = toKeyCodes(KeyBindings{});
    AssignKey(codes, GetParam().action, GetParam().code);
    EXPECT_EQ(codes, GetParam().after);
    EXPECT_EQ(FirstUnsetAction(codes), GetParam().firstUnset);
    EXPECT_EQ(toKeyCodes(fromKeyCodes(codes)), codes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, Assignments,
    ::testing::Values(Assignment{.action = KeyAction::Rotate, .code = VirtualKey::Left, .after = {40, 37, 0, 39},
                                 .firstUnset = KeyAction::Left},
                      Assignment{.action = KeyAction::Down, .code = VirtualKey::Up, .after = {38, 0, 37, 39},
                                 .firstUnset = KeyAction::Rotate},
                      Assignment{.action = KeyAction::Left, .code = VirtualKey::Right, .after = {40, 38, 39, 0},
                                 .firstUnset = KeyAction::Right},
                      Assignment{.action = KeyAction::Down, .code = VirtualKey::Down, .after = {40, 38, 37, 39},
                                 .firstUnset = std::nullopt},
                      Assignment{.action = KeyAction::Right, .code = VirtualKey::P, .after = {40, 38, 37, 39},
                                 .firstUnset = std::nullopt},
                      Assignment{.action = KeyAction::Rotate, .code = 112, .after = {40, 112, 37, 39},
                                 .firstUnset = std::nullopt},
                      Assignment{.action = KeyAction::Down, .code = VirtualKey::Space, .after = {32, 38, 37, 39},
                                 .firstUnset = std::nullopt}));
// clang-format on

} // namespace
} // namespace quillop
