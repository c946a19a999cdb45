// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boardpicture.h"
#include "fakes.h"

#include "game/core/column.h"
#include "game/core/gameloop.h"

#include <gtest/gtest.h>

namespace quillop::test {
namespace {

constexpr ColumnPieces RGB{CellCode::Red, CellCode::Green, CellCode::Blue};
constexpr ColumnPieces GBR{CellCode::Green, CellCode::Blue, CellCode::Red};

struct Draw {
    const char* name;
    ColumnPieces next; // the next column before, after a Row Eater
    std::vector<float> draws;
    ColumnPieces nextAfter;
    SpecialKind kindAfter;

    friend void PrintTo(const Draw& c, std::ostream* os) { *os << c.name; }
};

class NewColumns : public TestGame, public ::testing::WithParamInterface<Draw> {};

TEST_P(NewColumns, TheNextEntersAtTheTopOfTheCentreUnwrittenAndANewNextIsDrawn)
{
    const Draw& d = GetParam();
    random.values.assign(d.draws.begin(), d.draws.end());
    state.NextColumn = d.next;
    state.NextSpecial = SpecialKind::RowEater;
    state.CurrentRow = 15;
    state.CurrentCol = 2;

    NewColumn(state, random, view);

    EXPECT_EQ(state.CurrentColumn, d.next);
    EXPECT_EQ(std::tuple(state.CurrentRow, state.CurrentCol), std::tuple(1, CentreColumn));
    EXPECT_EQ(state.SpecialFalling, d.next[1] == CellCode::Special);
    EXPECT_EQ(state.CurrentSpecial, state.SpecialFalling ? SpecialKind::RowEater : SpecialKind::None);
    EXPECT_EQ(state.NextSpecial, d.kindAfter);
    EXPECT_EQ(state.NextColumn, d.nextAfter);
    EXPECT_EQ(state.Board, BoardGrid{}) << "the column is not in the board before its first drop";
    EXPECT_EQ(view.log, Rows{"draw"});
    EXPECT_EQ(random.unused(), 0);
}

constexpr ColumnPieces WithSpecial{CellCode::Green, CellCode::Special, CellCode::Red};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, NewColumns,
    ::testing::Values(Draw{.name = "AnOrdinaryColumnKeepsTheLastKind", .next = RGB,
                           .draws = {pickValue(39, 40), pickValue(4, 6), pickValue(5, 6), pickValue(6, 6)},
                           .nextAfter = {CellCode::Purple, CellCode::Orange, CellCode::Yellow},
                           .kindAfter = SpecialKind::RowEater},
                      // 0.9751 is the least draw that picks 40 of 40.
                      Draw{.name = "ColourGenocideIsThreeSpecials", .next = WithSpecial,
                           .draws = {0.9751F, pickValue(1, 3)},
                           .nextAfter = {CellCode::Special, CellCode::Special, CellCode::Special},
                           .kindAfter = SpecialKind::ColourGenocide},
                      // The place is drawn first, then the three colours.
                      Draw{.name = "ColumnBusterAtPlaceThree", .next = WithSpecial,
                           .draws = {pickValue(40, 40), pickValue(2, 3), pickValue(3, 3), pickValue(1, 6), pickValue(2, 6), pickValue(3, 6)},
                           .nextAfter = {CellCode::Red, CellCode::Green, CellCode::Special},
                           .kindAfter = SpecialKind::ColumnBuster},
                      Draw{.name = "RowEaterAtPlaceOne", .next = WithSpecial,
                           .draws = {pickValue(40, 40), pickValue(3, 3), pickValue(1, 3), pickValue(6, 6), pickValue(5, 6), pickValue(4, 6)},
                           .nextAfter = {CellCode::Special, CellCode::Orange, CellCode::Purple},
                           .kindAfter = SpecialKind::RowEater}),
    Named);
// clang-format on

TEST(RandomDraws, StayInRangeAtTheEdges)
{
    ScriptedRandom random{0.0F, 0.99999994F, 0.0F, 0.99999994F, 0.1F, 0.3F};
    EXPECT_EQ(pick(random, 40), 1);
    EXPECT_EQ(pick(random, 40), 40);
    EXPECT_EQ(roundedColour(random), CellCode::Red);
    EXPECT_EQ(roundedColour(random), CellCode::Yellow);
    EXPECT_EQ(roundedColour(random), CellCode::Green) << "halves round to the even neighbour";
    EXPECT_EQ(roundedColour(random), CellCode::Blue);
    SeededRandom seeded(1);
    float high = 0.0F;
    for (int i = 0; i < 100000; ++i) {
        const float u = seeded.next();
        ASSERT_GE(u, 0.0F);
        high = std::max(high, u);
    }
    EXPECT_LT(high, 1.0F);
    EXPECT_GT(high, 0.999F);
}

using Falling = TestGame;

TEST_F(Falling, DropsMoveTheColumnAndNeverPassTheStackOrTheFloor)
{
    state.CurrentColumn = RGB;
    dropStep(state);
    EXPECT_EQ(columnOf(state, CentreColumn, 1, 4), ".RGB") << "the first drop shows only the bottom piece";
    hardDrop(state);
    EXPECT_EQ(state.CurrentRow, 21);
    EXPECT_EQ(bottomRows(state, 20), Rows({"...........", ".....R.....", ".....G.....", ".....B....."}));
    EXPECT_FALSE(CanFall(state)) << "on the floor";

    GameState stacked;
    setBottomRows(stacked, {"....Y......", "....Y......"});
    placeFalling(stacked, RGB, 18, 5);
    EXPECT_TRUE(CanFall(stacked));
    dropStep(stacked);
    EXPECT_EQ(columnOf(stacked, 5, 18, 6), ".RGBYY");
    EXPECT_FALSE(CanFall(stacked)) << "on the stack";
}

TEST_F(Falling, RotationShowsOnlyAtTheNextDrop)
{
    placeFalling(state, RGB, 10, 6);
    RotateColumn(state);
    EXPECT_EQ(state.CurrentColumn, GBR);
    EXPECT_EQ(state.Board(10, 6), CellCode::Red) << "the board still holds the old order";
    dropStep(state);
    EXPECT_EQ(columnOf(state, 6, 10, 4), ".GBR");
}

// Sideways moves look only at the cell one row below the column's bottom in
// the target column.
struct MoveCase {
    const char* name;
    int row;
    int col;
    Direction direction;
    int stackTopRow = 0; // top of a stack in the target column; 0 for none
    bool allowed = false;

    friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
};

class SidewaysMove : public TestGame, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(SidewaysMove, FollowsTheCellBelowTheTarget)
{
    const MoveCase& c = GetParam();
    const int target = c.col + (c.direction == Direction::Left ? -1 : 1);
    for (int r = c.stackTopRow; c.stackTopRow != 0 && r <= FloorRow; ++r) {
        state.Board(r, target) = CellCode::Yellow;
    }
    placeFalling(state, RGB, c.row, c.col);

    EXPECT_EQ(moveSideways(state, c.direction), c.allowed);
    EXPECT_EQ(state.CurrentCol, c.allowed ? target : c.col);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Places, SidewaysMove,
    ::testing::Values(MoveCase{.name = "RowOneNeverMoves", .row = 1, .col = 6, .direction = Direction::Left,
                               .allowed = false},
                      MoveCase{.name = "RowTwoNeverMoves", .row = 2, .col = 6, .direction = Direction::Right,
                               .allowed = false},
                      MoveCase{.name = "RowThreeMovesOverAnEmptyColumn", .row = 3, .col = 6,
                               .direction = Direction::Left, .allowed = true},
                      MoveCase{.name = "RowTwentyMovesOverAnEmptyColumn", .row = 20, .col = 6,
                               .direction = Direction::Left, .allowed = true},
                      MoveCase{.name = "StackTopRightBelowTheBottomRefuses", .row = 10, .col = 6,
                               .direction = Direction::Left, .stackTopRow = 13, .allowed = false},
                      MoveCase{.name = "StackTopOneRowLowerAllows", .row = 10, .col = 6, .direction = Direction::Left,
                               .stackTopRow = 14, .allowed = true},
                      MoveCase{.name = "StackBesideTheColumnRefuses", .row = 10, .col = 6,
                               .direction = Direction::Right, .stackTopRow = 11, .allowed = false},
                      MoveCase{.name = "LeftAtTheFirstColumnRefuses", .row = 10, .col = 1,
                               .direction = Direction::Left, .allowed = false},
                      MoveCase{.name = "RightAtTheLastColumnRefuses", .row = 10, .col = 11,
                               .direction = Direction::Right, .allowed = false},
                      MoveCase{.name = "OnTheFloorNothingMoves", .row = 21, .col = 4, .direction = Direction::Right,
                               .allowed = false}),
    Named);
// clang-format on

TEST_F(Falling, AMovedColumnLeavesTheBoardUntilItsNextDropOneRowLower)
{
    placeFalling(state, RGB, 10, 6);
    ASSERT_TRUE(moveSideways(state, Direction::Left));
    EXPECT_EQ(state.Board, BoardGrid{});
    ASSERT_TRUE(moveSideways(state, Direction::Left)) << "moves again from the column reached";
    dropStep(state);
    EXPECT_EQ(columnOf(state, 4, 10, 5), ".RGB.");
}

// A key pressed with the column falling at row 5 of the centre column.
struct KeyPress {
    const char* name;
    std::int16_t key;
    Modifiers modifiers{};
    bool paused = false;
    int stackCol = 0; // a stack from row 15 up, or beside the column from row 8
    int row = 5;
    int col = 6;
    ColumnPieces column = RGB;
    bool running = true;
    std::vector<std::string> log{"draw"};
    KeyOutcome outcome = KeyOutcome::Continue;

    friend void PrintTo(const KeyPress& c, std::ostream* os) { *os << c.name; }
};

class Keys : public TestGame, public ::testing::WithParamInterface<KeyPress> {};

TEST_P(Keys, ActOnTheFallingColumn)
{
    const KeyPress& k = GetParam();
    for (int r = k.stackCol == CentreColumn ? 15 : 8; k.stackCol != 0 && r <= FloorRow; ++r) {
        state.Board(r, k.stackCol) = r % 2 == 0 ? CellCode::Blue : CellCode::Green;
    }
    placeFalling(state, RGB, 5, CentreColumn);
    timer1.on = !k.paused;

    EXPECT_EQ(loop.keyDown(k.key, k.modifiers), k.outcome);

    EXPECT_EQ(std::tuple(state.CurrentRow, state.CurrentCol, state.CurrentColumn), std::tuple(k.row, k.col, k.column));
    EXPECT_EQ(timer1.on, k.running);
    EXPECT_EQ(view.log, k.log);
    EXPECT_EQ(view.pausedMs, 0) << "a landing waits for the next tick";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Game, Keys,
    ::testing::Values(KeyPress{.name = "PPauses", .key = VirtualKey::P, .running = false},
                      KeyPress{.name = "PResumes", .key = VirtualKey::P, .paused = true},
                      KeyPress{.name = "AnyKeyResumes", .key = 'Q', .paused = true},
                      KeyPress{.name = "LeftWhilePausedResumesAndMoves", .key = VirtualKey::Left, .paused = true,
                               .col = 5, .log = {}},
                      KeyPress{.name = "ARefusedMoveOnlyRedraws", .key = VirtualKey::Left, .stackCol = 5},
                      KeyPress{.name = "AMoveDrawsNothing", .key = VirtualKey::Right, .col = 7, .log = {}},
                      KeyPress{.name = "DownDropsOneRow", .key = VirtualKey::Down, .row = 6, .log = {"draw", "draw"}},
                      KeyPress{.name = "ShiftDownDropsToTheStack", .key = VirtualKey::Down,
                               .modifiers = {.shift = true}, .stackCol = 6, .row = 12},
                      KeyPress{.name = "CtrlDownDropsToTheStack", .key = VirtualKey::Down,
                               .modifiers = {.control = true}, .stackCol = 6, .row = 12},
                      KeyPress{.name = "AltDownDropsToTheStack", .key = VirtualKey::Down,
                               .modifiers = {.alt = true}, .stackCol = 6, .row = 12},
                      KeyPress{.name = "UpRotates", .key = VirtualKey::Up, .column = GBR},
                      KeyPress{.name = "EscapeStopsAndLeaves", .key = VirtualKey::Escape, .running = false,
                               .outcome = KeyOutcome::LeaveForMenu}),
    Named);
// clang-format on

using GameKeys = TestGame;

TEST_F(GameKeys, FollowTheConfiguredBindings)
{
    keys = {'A', 'D', 'S', 'W'};
    placeFalling(state, RGB, 5, 6);

    loop.keyDown(VirtualKey::Left, {});
    EXPECT_EQ(state.CurrentCol, 6) << "the arrow is no longer bound";
    loop.keyDown('A', {});
    loop.keyDown('W', {});
    loop.keyDown('S', {});
    EXPECT_EQ(std::tuple(state.CurrentRow, state.CurrentCol, state.CurrentColumn), std::tuple(6, 5, GBR));
}

using GameStart = TestGame;

TEST_F(GameStart, IsLevelOneWithAFirstColumnOfRoundedColours)
{
    // Rounded colours 1, 6, 3 for the first next column, then an ordinary one.
    random.values = {0.05F, 0.95F, 0.45F, pickValue(1, 40), 0.0F, 0.0F, 0.0F};
    state.GameLevel = 7;
    state.GameScore = 1234;
    timer1.ms = 120;

    loop.start();

    EXPECT_EQ(std::tuple(state.GameLevel, state.GameScore, timer1.ms, timer1.on), std::tuple(1, 0, 250, true));
    EXPECT_EQ(std::tuple(state.CurrentRow, state.CurrentCol, state.CurrentColumn),
              std::tuple(1, CentreColumn, ColumnPieces{CellCode::Red, CellCode::Yellow, CellCode::Blue}));
    EXPECT_EQ(view.log, Rows({"score 0", "level 1", "draw"}));
    EXPECT_EQ(random.unused(), 0);
}

struct LevelCase {
    int from;
    int intervalBefore;
    int rowsFilled;
    int intervalAfter;

    friend void PrintTo(const LevelCase& c, std::ostream* os) { *os << "from level " << c.from; }
};

class LevelAdvance : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelAdvance, RefillsRowsAndSpeedsUpEveryThirdLevel)
{
    const LevelCase& c = GetParam();
    GameState state;
    KeyBindings keys;
    RecordingView view;
    RecordedTimer timer1;
    SeededRandom colours(static_cast<std::uint64_t>(c.from));
    GameLoop loop(state, keys, view, timer1, colours);
    state.GameLevel = static_cast<std::int16_t>(c.from);
    timer1.ms = c.intervalBefore;

    loop.AdvanceLevel();

    EXPECT_EQ(state.GameLevel, c.from + 1);
    EXPECT_EQ(view.log, Rows{"level " + std::to_string(c.from + 1)});
    EXPECT_EQ(timer1.ms, c.intervalAfter);
    EXPECT_TRUE(timer1.on);
    for (int r = 1; r <= FloorRow; ++r) {
        for (int col = 1; col <= BoardGrid::Columns; ++col) {
            ASSERT_EQ(state.Board(r, col) != CellCode::Empty, r > FloorRow - c.rowsFilled) << r << "," << col;
            ASSERT_LE(static_cast<int>(state.Board(r, col)), 6);
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, LevelAdvance,
                         ::testing::Values(LevelCase{.from = 1, .intervalBefore = 250, .rowsFilled = 3,
                                                     .intervalAfter = 250}, LevelCase{.from = 2,
                                                                                      .intervalBefore = 250,
                                                                                      .rowsFilled = 4,
                                                                                      .intervalAfter = 240},
                                           LevelCase{.from = 13, .intervalBefore = 220, .rowsFilled = 15,
                                                     .intervalAfter = 220}, LevelCase{.from = 14,
                                                                                      .intervalBefore = 220,
                                                                                      .rowsFilled = 14,
                                                                                      .intervalAfter = 210},
                                           LevelCase{.from = 44, .intervalBefore = 110, .rowsFilled = 14,
                                                     .intervalAfter = 100}, LevelCase{.from = 47,
                                                                                      .intervalBefore = 100,
                                                                                      .rowsFilled = 14,
                                                                                      .intervalAfter = 100}));
// clang-format on

} // namespace
} // namespace quillop::test
