#include "boardpicture.h"
#include "fakes.h"

#include "game/core/column.h"
#include "game/core/gameloop.h"

#include <gtest/gtest.h>

namespace quillop::test {
namespace {

constexpr ColumnPieces RGB{CellCode::Red, CellCode::Green, CellCode::Blue};

class Game : public ::testing::Test {
protected:
    // A falling column already in the board, its top at the given row.
    void falling(ColumnPieces pieces, int row, int col)
    {
        PlaceFalling(state, pieces, row, col);
        loop.Timer1.Enabled = true;
    }

    // Fills a visible column from the given row to the floor with colours
    // that form no set.
    void stack(int col, int fromRow)
    {
        for (int r = fromRow; r <= FloorRow; ++r) {
            state.Board(r, col) = (r % 2 == 0) ? CellCode::Blue : CellCode::Green;
        }
    }

    GameState state;
    KeyBindings keys;
    RecordingView view;
    ScriptedRandom random;
    GameLoop loop{state, keys, view, random};
};

TEST_F(Game, StartsAtLevelOneWithAFirstColumnOfRoundedColours)
{
    state.GameLevel = 7;
    state.GameScore = 1234;
    loop.Timer1.Interval = 120;
    // Rounded colours 1, 6, 3 for the first next column, then an ordinary next column.
    random.push({0.05F, 0.95F, 0.45F, PickValue(1, 40), 0.0F, 0.0F, 0.0F});

    loop.Start();

    EXPECT_EQ(state.GameLevel, 1);
    EXPECT_EQ(state.GameScore, 0);
    EXPECT_EQ(loop.Timer1.Interval, 250);
    EXPECT_TRUE(loop.Timer1.Enabled);
    EXPECT_EQ(state.CurrentColumn, (ColumnPieces{CellCode::Red, CellCode::Yellow, CellCode::Blue}));
    EXPECT_EQ(state.CurrentRow, 1);
    EXPECT_EQ(state.CurrentCol, CentreColumn);
    EXPECT_EQ(view.log, Picture({"score 0", "level 1", "draw"}));
    EXPECT_EQ(random.left(), 0U);
}

TEST_F(Game, ATickDropsTheColumnOneRowAndDraws)
{
    falling(RGB, 5, 6);

    EXPECT_EQ(loop.GameTick(), TickOutcome::Continue);

    EXPECT_EQ(state.CurrentRow, 6);
    EXPECT_EQ(view.log, Picture({"draw"}));
}

TEST_F(Game, ALandingChecksSetsThenBringsTheNextColumnThenChecksAgain)
{
    falling(RGB, 21, 2);
    state.NextColumn = {CellCode::Yellow, CellCode::Yellow, CellCode::Orange};

    EXPECT_EQ(loop.GameTick(), TickOutcome::Continue);

    const auto check = Picture({"draw", "refresh", "pause 250", "draw", "pause 250", "score 0"});
    std::vector<std::string> expected = check;
    expected.push_back("draw"); // the next column enters
    expected.insert(expected.end(), check.begin(), check.end());
    EXPECT_EQ(view.log, expected);
    EXPECT_EQ(view.pausedMs, 1000) << "every landing holds the game for a second";
    EXPECT_EQ(state.CurrentColumn, (ColumnPieces{CellCode::Yellow, CellCode::Yellow, CellCode::Orange}));
    EXPECT_EQ(state.CurrentRow, 1);
    EXPECT_EQ(BottomRows(state, 21), Picture({".R.........", ".G.........", ".B........."}));
}

TEST_F(Game, ASpecialLandingRunsItsEffectAndTheSecondCheckScoresTheCollapse)
{
    // A Row Eater clears row 21; its two red pieces fall onto the red piece
    // below and the check after the next column's entry scores them.
    SetBottomRows(state, {"..R........",
                          "..R........",
                          "GB*BGBGBGBG",
                          "BGRGBGBGBGB",
                          "GBGBGBGBGBG"});
    state.CurrentColumn = {CellCode::Red, CellCode::Red, CellCode::Special};
    state.CurrentRow = 19;
    state.CurrentCol = 3;
    state.SpecialFalling = true;
    state.CurrentSpecial = SpecialKind::RowEater;
    loop.Timer1.Enabled = true;
    state.GameScore = 10;

    EXPECT_EQ(loop.GameTick(), TickOutcome::Continue);

    EXPECT_EQ(state.GameScore, 40);
    EXPECT_EQ(view.pausedMs, 500 + 2 * 500) << "the effect, then a check of two passes";
    EXPECT_EQ(BottomRows(state, 20), Picture({"...........", "...........", "BG.GBGBGBGB", "GBGBGBGBGBG"}));
}

TEST_F(Game, ClearingEveryVisiblePieceCompletesTheLevelWithTheNewColumnWaiting)
{
    falling({CellCode::Red, CellCode::Red, CellCode::Red}, 21, 6);
    state.NextColumn = RGB;

    EXPECT_EQ(loop.GameTick(), TickOutcome::LevelComplete);

    EXPECT_FALSE(loop.Timer1.Enabled);
    EXPECT_EQ(state.GameScore, 30);
    EXPECT_EQ(state.CurrentColumn, RGB);
    EXPECT_EQ(state.CurrentRow, 1);
    EXPECT_TRUE(IsBoardEmpty(state));
}

TEST_F(Game, AFullCentreColumnEndsTheGame)
{
    stack(CentreColumn, 7);
    falling({CellCode::Red, CellCode::Yellow, CellCode::Red}, 4, CentreColumn);

    EXPECT_EQ(loop.GameTick(), TickOutcome::GameOver);

    EXPECT_FALSE(loop.Timer1.Enabled);
}

TEST_F(Game, AnyOtherFullColumnDoesNotEndTheGame)
{
    stack(2, 7);
    falling({CellCode::Red, CellCode::Yellow, CellCode::Red}, 4, 2);

    EXPECT_EQ(loop.GameTick(), TickOutcome::Continue);
    EXPECT_TRUE(loop.Timer1.Enabled);
}

TEST(BoardTests, OnlyVisibleRowsCountForEmptinessAndOnlyTheCentreForFullness)
{
    GameState state;
    SetRows(state, 1, {".....R.....", ".....R.....", ".....R....."});
    EXPECT_TRUE(IsBoardEmpty(state));
    state.Board(23, 11) = CellCode::Yellow;
    EXPECT_FALSE(IsBoardEmpty(state));
    for (int r = FirstVisibleRow + 1; r <= FloorRow; ++r) {
        state.Board(r, CentreColumn) = CellCode::Blue;
    }
    EXPECT_FALSE(IsCentreColumnFull(state));
    state.Board(FirstVisibleRow, CentreColumn) = CellCode::Green;
    EXPECT_TRUE(IsCentreColumnFull(state));
}

class Keys : public Game {};

TEST_F(Keys, PPausesAndAnyKeyResumes)
{
    falling(RGB, 5, 6);

    loop.KeyDown(VirtualKey::P, {});
    EXPECT_FALSE(loop.Timer1.Enabled);
    loop.KeyDown(VirtualKey::P, {});
    EXPECT_TRUE(loop.Timer1.Enabled);
    loop.KeyDown(VirtualKey::P, {});
    loop.KeyDown('Q', {});
    EXPECT_TRUE(loop.Timer1.Enabled);
}

TEST_F(Keys, LeftWhilePausedResumesAndAlsoMoves)
{
    falling(RGB, 5, 6);
    loop.KeyDown(VirtualKey::P, {});

    loop.KeyDown(VirtualKey::Left, {});

    EXPECT_TRUE(loop.Timer1.Enabled);
    EXPECT_EQ(state.CurrentCol, 5);
}

TEST_F(Keys, ARefusedMoveOnlyRedraws)
{
    stack(5, 8);
    falling(RGB, 5, 6);
    const BoardGrid before = state.Board;
    view.clear();

    loop.KeyDown(VirtualKey::Left, {});

    EXPECT_EQ(state.CurrentCol, 6);
    EXPECT_EQ(state.Board, before);
    EXPECT_EQ(view.log, Picture({"draw"}));
}

TEST_F(Keys, AMoveDrawsNothing)
{
    falling(RGB, 5, 6);
    view.clear();
    loop.KeyDown(VirtualKey::Right, {});
    EXPECT_EQ(state.CurrentCol, 7);
    EXPECT_TRUE(view.log.empty());
}

class HardDropModifier : public Keys, public ::testing::WithParamInterface<Modifiers> {};

TEST_P(HardDropModifier, DownWithShiftCtrlOrAltDropsToTheStackAndDrawsOnce)
{
    stack(6, 15);
    falling(RGB, 3, 6);
    view.clear();

    loop.KeyDown(VirtualKey::Down, GetParam());

    EXPECT_EQ(state.CurrentRow, 12);
    EXPECT_EQ(view.log, Picture({"draw"}));
    EXPECT_EQ(view.pausedMs, 0) << "the landing waits for the next tick";
}

INSTANTIATE_TEST_SUITE_P(Modifiers, HardDropModifier,
                         ::testing::Values(Modifiers{true, false, false}, Modifiers{false, true, false},
                                           Modifiers{false, false, true}));

TEST_F(Keys, PlainDownDropsOneRow)
{
    falling(RGB, 3, 6);
    view.clear();
    loop.KeyDown(VirtualKey::Down, {});
    EXPECT_EQ(state.CurrentRow, 4);
    EXPECT_EQ(view.log, Picture({"draw", "draw"}));
}

TEST_F(Keys, RotateChangesTheOrderAndRedraws)
{
    falling(RGB, 3, 6);
    view.clear();
    loop.KeyDown(VirtualKey::Up, {});
    EXPECT_EQ(state.CurrentColumn, (ColumnPieces{CellCode::Green, CellCode::Blue, CellCode::Red}));
    EXPECT_EQ(view.log, Picture({"draw"}));
}

TEST_F(Keys, EscapeStopsTheTimerAndLeavesForTheMenu)
{
    falling(RGB, 3, 6);
    view.clear();
    EXPECT_EQ(loop.KeyDown(VirtualKey::Escape, {}), KeyOutcome::LeaveForMenu);
    EXPECT_FALSE(loop.Timer1.Enabled);
    EXPECT_EQ(view.log, Picture({"draw"}));
}

TEST_F(Keys, TheGameFollowsTheConfiguredKeys)
{
    keys = KeyBindings{'A', 'D', 'S', 'W'};
    falling(RGB, 5, 6);

    loop.KeyDown(VirtualKey::Left, {});
    EXPECT_EQ(state.CurrentCol, 6) << "the arrow is no longer bound";
    loop.KeyDown('A', {});
    EXPECT_EQ(state.CurrentCol, 5);
    loop.KeyDown('W', {});
    EXPECT_EQ(state.CurrentColumn[0], CellCode::Green);
}

struct LevelCase {
    int from;
    int intervalBefore;
    int rowsFilled;
    int intervalAfter;
};

void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << "from level " << c.from;
}

class LevelAdvance : public Game, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelAdvance, RefillsRowsAndSpeedsUpEveryThirdLevel)
{
    const LevelCase& c = GetParam();
    state.GameLevel = static_cast<std::int16_t>(c.from);
    loop.Timer1.Interval = c.intervalBefore;
    SeededRandom colours(c.from);

    GameLoop advancing{state, keys, view, colours};
    advancing.Timer1 = loop.Timer1;
    advancing.AdvanceLevel();

    EXPECT_EQ(state.GameLevel, c.from + 1);
    EXPECT_EQ(view.log, Picture({"level " + std::to_string(c.from + 1)}));
    EXPECT_EQ(advancing.Timer1.Interval, c.intervalAfter);
    EXPECT_TRUE(advancing.Timer1.Enabled);
    for (int r = 1; r <= FloorRow; ++r) {
        for (int col = 1; col <= BoardGrid::Columns; ++col) {
            const bool refilled = r > FloorRow - c.rowsFilled;
            EXPECT_EQ(state.Board(r, col) != CellCode::Empty, refilled) << r << "," << col;
            EXPECT_LE(static_cast<int>(state.Board(r, col)), 6);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelAdvance,
                         ::testing::Values(LevelCase{1, 250, 3, 250}, LevelCase{2, 250, 4, 240},
                                           LevelCase{13, 220, 15, 220}, LevelCase{14, 220, 14, 210},
                                           LevelCase{44, 110, 14, 100}, LevelCase{47, 100, 14, 100}));

TEST_F(Game, TheIntervalReachesItsFloorAtLevelFortyFiveAndStaysThere)
{
    SeededRandom colours(3);
    GameLoop advancing{state, keys, view, colours};
    std::vector<int> intervals;
    for (int level = 2; level <= 60; ++level) {
        advancing.AdvanceLevel();
        intervals.push_back(advancing.Timer1.Interval);
    }
    EXPECT_EQ(intervals[3 - 2], 240);
    EXPECT_EQ(intervals[6 - 2], 230);
    EXPECT_EQ(intervals[44 - 2], 110);
    EXPECT_EQ(intervals[45 - 2], 100);
    EXPECT_EQ(intervals.back(), 100);
}

} // namespace
} // namespace quillop::test
