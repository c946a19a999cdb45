#include "controls/core/keybindings.h"

#include <gtest/gtest.h>

namespace quillop {
namespace {

struct NameCase {
    std::int16_t code;
    const char* text;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << "code " << c.code;
}

class KeyNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyNames, ShowTheTextOfTheKeysBox)
{
    EXPECT_EQ(KeyName(GetParam().code), GetParam().text);
}

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
                      NameCase{256, ""}, NameCase{-5, ""}));

TEST(DefaultBindings, AreTheArrows)
{
    const KeyCodes codes = ToKeyCodes(KeyBindings{});
    EXPECT_EQ(KeyName(codes[0]), "Down Arrow");
    EXPECT_EQ(KeyName(codes[1]), "Up Arrow");
    EXPECT_EQ(KeyName(codes[2]), "Left Arrow");
    EXPECT_EQ(KeyName(codes[3]), "Right Arrow");
    EXPECT_EQ(FromKeyCodes(codes), KeyBindings{});
}

class Assignment : public ::testing::Test {
protected:
    KeyCodes codes = ToKeyCodes(KeyBindings{});
};

TEST_F(Assignment, AKeyHeldElsewhereMovesToTheEditedActionAndLeavesTheOtherUnset)
{
    AssignKey(codes, KeyAction::Rotate, VirtualKey::Left);
    EXPECT_EQ(codes, (KeyCodes{40, 37, 0, 39}));
    EXPECT_EQ(KeyName(codes[static_cast<std::size_t>(KeyAction::Left)]), "");
    EXPECT_EQ(FirstUnsetAction(codes), KeyAction::Left);
}

TEST_F(Assignment, TheCodeAnActionAlreadyHoldsChangesNothing)
{
    AssignKey(codes, KeyAction::Down, VirtualKey::Down);
    EXPECT_EQ(codes, ToKeyCodes(KeyBindings{}));
}

TEST_F(Assignment, PIsRefusedAndEveryCodeStays)
{
    AssignKey(codes, KeyAction::Right, VirtualKey::P);
    EXPECT_EQ(codes, ToKeyCodes(KeyBindings{}));
}

TEST_F(Assignment, AnyOtherKeyCanBeBound)
{
    AssignKey(codes, KeyAction::Down, VirtualKey::Space);
    AssignKey(codes, KeyAction::Rotate, 112);
    EXPECT_EQ(codes, (KeyCodes{32, 112, 37, 39}));
    EXPECT_EQ(FirstUnsetAction(codes), std::nullopt);
}

TEST(Completeness, ReportsTheFirstUnsetActionInBoxOrder)
{
    EXPECT_EQ(FirstUnsetAction(KeyCodes{0, 0, 0, 0}), KeyAction::Down);
    EXPECT_EQ(FirstUnsetAction(KeyCodes{40, 38, 0, 0}), KeyAction::Left);
    EXPECT_EQ(FirstUnsetAction(KeyCodes{40, 38, 37, 0}), KeyAction::Right);
}

} // namespace
} // namespace quillop
