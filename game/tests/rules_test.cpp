// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boardpicture.h"
#include "fakes.h"

#include "game/core/column.h"
#include "game/core/gameloop.h"
#include "game/core/sets.h"
#include "game/core/specials.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillop::test {
namespace {

// One rule applied to a board drawn as a picture: the set check, a special
// piece's effect, the collapse, or a whole tick of the game.
enum class Act { Sets, Special, Collapse, Tick };

struct Scenario {
    const char* name;
    Act act;
    Rows before; // rows from `top` down; the floor when `top` is 0
    Rows after;  // the same rows afterwards
    std::int32_t points = 0;
    int pausedMs = -1; // unchecked when negative
    int top = 0;
    // The landed or falling column, already in the board: its top row, its
    // column and its kind.
    int row = 0;
    int col = 0;
    SpecialKind kind = SpecialKind::None;
    TickOutcome outcome = TickOutcome::Continue;
    int rowAfter = 0; // the falling column's top row after a tick
};

Rows RowsFrom(const GameState& state, int top, std::size_t count)
{
    Rows rows = BottomRows(state, top);
    rows.resize(count);
    return rows;
}

void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }

class Rules : public TestGame, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Rules, TurnTheBoardIntoTheExpectedOne)
{
    const Scenario& s = GetParam();
    state.GameScore = 1000;
    const int top = s.top != 0 ? s.top : FloorRow - static_cast<int>(s.before.size()) + 1;
    SetRows(state, top, s.before);
    if (s.row != 0) {
        state.CurrentRow = static_cast<std::int16_t>(s.row);
        state.CurrentCol = static_cast<std::int16_t>(s.col);
        for (int k = 0; k < 3; ++k) {
            state.CurrentColumn[static_cast<std::size_t>(k)] = state.Board(s.row + k, s.col);
        }
        state.CurrentSpecial = s.kind;
        state.SpecialFalling = s.kind != SpecialKind::None;
    }
    timer1.enabled = true;

    switch (s.act) {
    case Act::Sets:
        CheckForSets(state, view);
        EXPECT_EQ(view.log.back(), "score " + std::to_string(state.GameScore));
        break;
    case Act::Special:
        ApplySpecial(state, view);
        break;
    case Act::Collapse:
        CollapseBoard(state);
        break;
    case Act::Tick:
        EXPECT_EQ(loop.GameTick(), s.outcome);
        EXPECT_EQ(timer1.enabled, s.outcome == TickOutcome::Continue);
        EXPECT_EQ(state.CurrentRow, s.rowAfter);
        break;
    }

    EXPECT_EQ(RowsFrom(state, top, s.after.size()), s.after);
    EXPECT_EQ(state.GameScore, 1000 + s.points);
    if (s.pausedMs >= 0) {
        EXPECT_EQ(view.pausedMs, s.pausedMs);
    }
    EXPECT_EQ(state.SetPoints, 0);
    EXPECT_EQ(state.SetCount, 0);
    if (s.act != Act::Collapse) {
        for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
            for (int c = 1; c <= BoardGrid::Columns; ++c) {
                ASSERT_NE(state.Board(r, c), CellCode::Vanishing) << r << "," << c;
                ASSERT_EQ(state.Marks(r, c), 0) << r << "," << c;
            }
        }
    }
}

const std::string Empty = "...........";

INSTANTIATE_TEST_SUITE_P(
    SetCheck, Rules,
    ::testing::Values(
        Scenario{"AcrossClosedAtTheLastColumn", Act::Sets, {"........RRR"}, {Empty}, 30},
        Scenario{"FourAcrossAreOneSet", Act::Sets, {"RRRR......."}, {Empty}, 40},
        Scenario{"TwoRunsOfOneRow", Act::Sets, {"RRR.GGG...."}, {Empty}, 2 * 60},
        Scenario{"APairAtTheLastColumnIsNoSet", Act::Sets, {"........RRG"}, {"........RRG"}, 0, 500},
        Scenario{"GapsBreakRuns", Act::Sets, {"RR.RR.R.R.R"}, {"RR.RR.R.R.R"}},
        Scenario{"ThreeSpecialsMatchLikeAColour", Act::Sets, {"***G......."}, {"...G......."}, 30},
        Scenario{"DownOnTheFloor", Act::Sets, {"R..........", "R..........", "R.........."}, {Empty, Empty, Empty}, 30},
        Scenario{"DownOfFourInTheLastColumn", Act::Sets, {"..........B", "..........B", "..........B", "..........B"},
                 {Empty, Empty, Empty, Empty}, 40},
        Scenario{"AcrossAndDownSharingAPieceAreTwoSets", Act::Sets, {"R..........", "R..........", "RRR........"},
                 {Empty, Empty, Empty}, 2 * 60},
        Scenario{"AChainCountsInTheSameSumAndEveryPassCostsHalfASecond", Act::Sets, {"..G........", "RRRGG......"},
                 {Empty, Empty}, 2 * 60, 3 * 500},
        // A diagonal of five scores itself and its tails of four and three.
        Scenario{"RisingDiagonalOfFiveIsThreeSets", Act::Sets,
                 {"....R......", "...RG......", "..RBG......", ".RBGB......", "RGBGP......"},
                 {Empty, "....G......", "...BG......", "..BGB......", ".GBGP......"}, 3 * 120},
        Scenario{"RisingDiagonalIntoTheLastColumn", Act::Sets, {"..........R", ".........RG", "........RGB"},
                 {Empty, "..........G", ".........GB"}, 30},
        Scenario{"FallingDiagonalOntoTheLastColumn", Act::Sets, {"........R..", "........GR.", "........BGR"},
                 {Empty, "........G..", "........BG."}, 30},
        Scenario{"FallingDiagonalOfFourIsTwoSets", Act::Sets, {"R..........", "GR.........", "BGR........", "GBPR......."},
                 {Empty, "G..........", "BG.........", "GBP........"}, 2 * 70},
        Scenario{"HiddenRowsAreNeverExaminedAcrossOrAlone", Act::Sets,
                 {".....R.....", ".....R.....", "RRRRRR.....", ".....B....."},
                 {".....R.....", ".....R.....", "RRRRRR.....", ".....B....."}, 0, 500, 1},
        // Column 6 holds red in rows 3 to 5 over a pattern without sets.
        Scenario{"AVerticalSetMayReachIntoHiddenRowThree", Act::Sets,
                 {".....R.....", ".....R.....", ".....R.....", ".....G.....", ".....B.....", ".....G....."},
                 {Empty, Empty, ".....R.....", ".....G.....", ".....B.....", ".....G....."}, 30, -1, 3}),
    Named);

INSTANTIATE_TEST_SUITE_P(
    Collapse, Rules,
    ::testing::Values(Scenario{"ClosesEveryGapOfAColumnFromTheTopDown", Act::Collapse,
                               {"R..........", "x..........", "G..........", "x..........", "x.........."},
                               {Empty, Empty, Empty, "R..........", "G.........."}},
                      Scenario{"RowThreeDropsButRowsOneAndTwoNeverMove", Act::Collapse,
                               {".....R.....", ".....G.....", ".....B.....", ".....x....."},
                               {".....R.....", ".....G.....", Empty, ".....B....."}, 0, -1, 1}),
    Named);

INSTANTIATE_TEST_SUITE_P(
    Specials, Rules,
    ::testing::Values(
        Scenario{"ColourGenocideRemovesTheColourItLandsOnAndItself", Act::Special,
                 {".....*.....", ".....*.....", ".....*.....", ".....Y.....", "Y....G....Y", "RY..BRY..BY"},
                 {Empty, Empty, Empty, Empty, ".....G.....", "R...BR...B."}, 0, 500, 0, 18, 6,
                 SpecialKind::ColourGenocide},
        Scenario{"ColourGenocideOnTheFloorDoesNothingItself", Act::Special,
                 {".....*.....", ".....*.....", ".....*....."}, {".....*.....", ".....*.....", ".....*....."}, 0, 0,
                 0, 21, 6, SpecialKind::ColourGenocide},
        Scenario{"ColourGenocideOnASpecialRemovesAllSpecials", Act::Special,
                 {".....*.....", ".....*.....", ".....*.....", ".....*.....", "..*..R..*..", "..G..B..R.."},
                 {Empty, Empty, Empty, Empty, ".....R.....", "..G..B..R.."}, 0, 500, 0, 18, 6,
                 SpecialKind::ColourGenocide},
        Scenario{"ColumnBusterOnTopClearsTheWholeColumn", Act::Special,
                 {"...*.......", "...R.......", "...G.......", "...B.......", "...R.......", "...G.......",
                  "...B......O", "...R....OYO"},
                 {Empty, Empty, Empty, Empty, Empty, Empty, "..........O", "........OYO"}, 0, 500, 0, 16, 4,
                 SpecialKind::ColumnBuster},
        Scenario{"ColumnBusterAtTheBottomLetsThePiecesAboveDrop", Act::Special,
                 {"...R.......", "...G.......", "...*.......", "...B.......", "...R.......", "...G.......",
                  "...B.......", "...R......."},
                 {Empty, Empty, Empty, Empty, Empty, Empty, "...R.......", "...G......."}, 0, 500, 0, 16, 4,
                 SpecialKind::ColumnBuster},
        Scenario{"RowEaterClearsItsRowAndEverythingAboveDropsOne", Act::Special,
                 {"..R........", "..*...B....", "RBG.YPGOR.Y", "GRBOYRPBGYR", "BGRYPOBRYGB"},
                 {Empty, "..R........", "RBG.YPGOR.Y", "GRBOYRPBGYR", "BGRYPOBRYGB"}, 0, 500, 0, 19, 3,
                 SpecialKind::RowEater},
        // Only a full centre column lets a Row Eater land in a hidden row.
        Scenario{"RowEaterInAHiddenRowRemovesNothingButStillPauses", Act::Special,
                 {".....R.....", ".....*.....", ".....G.....", ".....B.....", ".....Y....."},
                 {".....R.....", ".....*.....", ".....G.....", ".....B.....", ".....Y....."}, 0, 500, 1, 1, 6,
                 SpecialKind::RowEater},
        // Specials left by a Colour Genocide on the floor do not count.
        Scenario{"RowEaterOnLeftoverSpecialsEatsItsOwnRow", Act::Special,
                 {".....R.....", "..G..*..B..", ".....G.....", ".....*.....", ".....*.....", "Y....*....Y"},
                 {Empty, ".....R.....", ".....G.....", ".....*.....", ".....*.....", "Y....*....Y"}, 0, 500, 0, 18, 6,
                 SpecialKind::RowEater}),
    Named);

INSTANTIATE_TEST_SUITE_P(
    Ticks, Rules,
    ::testing::Values(
        Scenario{"ATickDropsTheColumnOneRow", Act::Tick, {".R.........", ".G.........", ".B.........", Empty},
                 {Empty, ".R.........", ".G.........", ".B........."}, 0, 0, 0, 20, 2, SpecialKind::None,
                 TickOutcome::Continue, 21},
        // The next column enters at the top and waits there.
        // Pieces in the first column alone are no empty well.
        Scenario{"ALandingChecksTwiceAndHoldsTheGameForASecond", Act::Tick,
                 {"R..........", "G..........", "B.........."},
                 {"R..........", "G..........", "B.........."}, 0, 1000, 0, 21, 1, SpecialKind::None,
                 TickOutcome::Continue, 1},
        // The effect, then a check of two passes scores the collapse.
        Scenario{"ASpecialLandingScoresWhatItsCollapseForms", Act::Tick,
                 {"..R........", "..R........", "GB*BGBGBGBG", "BGRGBGBGBGB", "GBGBGBGBGBG"},
                 {Empty, Empty, Empty, "BG.GBGBGBGB", "GBGBGBGBGBG"}, 30, 500 + 2 * 500, 0, 19, 3,
                 SpecialKind::RowEater, TickOutcome::Continue, 1},
        Scenario{"ClearingTheWellCompletesTheLevel", Act::Tick, {".....*.....", ".....*.....", ".....*....."},
                 {Empty, Empty, Empty}, 30, 1000, 0, 21, 6, SpecialKind::ColourGenocide, TickOutcome::LevelComplete, 1},
        Scenario{"AFullCentreColumnEndsTheGame", Act::Tick,
                 {".....R.....", ".....Y.....", ".....R.....", ".....B.....", ".....G.....", ".....B.....",
                  ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....",
                  ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....",
                  ".....G.....", ".....B....."},
                 {".....R....."}, 0, 1000, 0, 4, 6, SpecialKind::None, TickOutcome::GameOver, 1},
        Scenario{"AnyOtherFullColumnGoesOn", Act::Tick,
                 {".R.........", ".Y.........", ".R.........", ".B.........", ".G.........", ".B.........",
                  ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........",
                  ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........",
                  ".G.........", ".B........."},
                 {".R........."}, 0, 1000, 0, 4, 2, SpecialKind::None, TickOutcome::Continue, 1}),
    Named);

using SetCheckSteps = TestGame;

TEST_F(SetCheckSteps, ABoardWithoutSetsIsStillDrawnTwiceAndPausedForHalfASecond)
{
    SetBottomRows(state, {"RGBRGBRGBRG"});
    CheckForSets(state, view);
    EXPECT_EQ(view.log, Rows({"draw", "refresh", "pause 250", "draw", "pause 250", "score 0"}));
}

TEST_F(SetCheckSteps, TheSetVanishesOnScreenBeforeThePiecesAboveFallAndHiddenMarksStay)
{
    // A run down from hidden row 3 is marked there too, without effect.
    SetRows(state, 3, {"..........R", "..........R", "..........R", "..........G"});
    SetBottomRows(state, {"G..........", "RRR........"});
    std::vector<Rows> drawn;
    view.onDraw = [&] { drawn.push_back(BottomRows(state, 22)); };

    CheckForSets(state, view);

    ASSERT_GE(drawn.size(), 2U);
    EXPECT_EQ(drawn[0], Rows({"G..........", "xxx........"}));
    EXPECT_EQ(drawn[1], Rows({Empty, "G.........."}));
    EXPECT_EQ(state.Marks(3, 11), MarkValue);
}

using Specials = TestGame;

TEST_F(Specials, AColumnBusterOnAFullColumnClearsItUpToRowFour)
{
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        state.Board(r, 4) = r % 2 == 0 ? CellCode::Blue : CellCode::Green;
    }
    state.Board(FirstVisibleRow, 4) = CellCode::Special;
    state.CurrentRow = FirstVisibleRow;
    state.CurrentCol = 4;
    state.CurrentSpecial = SpecialKind::ColumnBuster;

    ApplySpecial(state, view);

    EXPECT_EQ(state.Board, BoardGrid{});
}

TEST(NewGame, ClearsTheWellAndMarksHiddenRowsIncludedAndTheScore)
{
    GameState state;
    state.Board.fill(CellCode::Red);
    state.Marks.fill(MarkValue);
    state.GameScore = 77;
    state.GameLevel = 4;

    NewGame(state);

    EXPECT_EQ(state.Board, BoardGrid{});
    EXPECT_EQ(state.Marks, MarkGrid{});
    EXPECT_EQ(state.GameScore, 0);
    EXPECT_TRUE(state.GameInProgress);
    EXPECT_EQ(state.GameLevel, 4) << "the level belongs to the game window's start";
}

TEST_F(SetCheckSteps, TheScoreStopsAtTheLargestValueInsteadOfWrapping)
{
    state.GameScore = std::numeric_limits<std::int32_t>::max() - 10;
    SetBottomRows(state, {"RRR........"});
    CheckForSets(state, view);
    EXPECT_EQ(state.GameScore, std::numeric_limits<std::int32_t>::max());
}

} // namespace
} // namespace quillop::test
