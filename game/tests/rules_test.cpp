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
    Rows after; // the same rows afterwards
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

    friend void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }
};

Rows rowsFrom(const GameState& state, int top, std::size_t count)
{
    Rows rows = bottomRows(state, top);
    rows.resize(count);
    return rows;
}

class Rules : public TestGame, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Rules, TurnTheBoardIntoTheExpectedOne)
{
    const Scenario& s = GetParam();
    state.GameScore = 1000;
    const int top = s.top != 0 ? s.top : FloorRow - static_cast<int>(s.before.size()) + 1;
    setRows(state, top, s.before);
    if (s.row != 0) {
        state.CurrentRow = static_cast<std::int16_t>(s.row);
        state.CurrentCol = static_cast<std::int16_t>(s.col);
        for (int k = 0; k < 3; ++k) {
            state.CurrentColumn[static_cast<std::size_t>(k)] = state.Board(s.row + k, s.col);
        }
        state.CurrentSpecial = s.kind;
        state.SpecialFalling = s.kind != SpecialKind::None;
    }
    timer1.on = true;

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
        EXPECT_EQ(timer1.on, s.outcome == TickOutcome::Continue);
        EXPECT_EQ(state.CurrentRow, s.rowAfter);
        break;
    }

    EXPECT_EQ(rowsFrom(state, top, s.after.size()), s.after);
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    SetCheck, Rules,
    ::testing::Values(
        Scenario{.name = "AcrossClosedAtTheLastColumn", .act = Act::Sets, .before = {"........RRR"}, .after = {Empty},
                 .points = 30},
        Scenario{.name = "FourAcrossAreOneSet", .act = Act::Sets, .before = {"RRRR......."}, .after = {Empty},
                 .points = 40},
        Scenario{.name = "TwoRunsOfOneRow", .act = Act::Sets, .before = {"RRR.GGG...."}, .after = {Empty},
                 .points = 2 * 60},
        Scenario{.name = "APairAtTheLastColumnIsNoSet", .act = Act::Sets, .before = {"........RRG"},
                 .after = {"........RRG"}, .pausedMs = 500},
        Scenario{.name = "GapsBreakRuns", .act = Act::Sets, .before = {"RR.RR.R.R.R"}, .after = {"RR.RR.R.R.R"}},
        Scenario{.name = "ThreeSpecialsMatchLikeAColour", .act = Act::Sets, .before = {"***G......."},
                 .after = {"...G......."}, .points = 30},
        Scenario{.name = "DownOnTheFloor", .act = Act::Sets, .before = {"R..........", "R..........", "R.........."},
                 .after = {Empty, Empty, Empty}, .points = 30},
        Scenario{.name = "DownOfFourInTheLastColumn", .act = Act::Sets,
                 .before = {"..........B", "..........B", "..........B", "..........B"},
                 .after = {Empty, Empty, Empty, Empty}, .points = 40},
        Scenario{.name = "AcrossAndDownSharingAPieceAreTwoSets", .act = Act::Sets,
                 .before = {"R..........", "R..........", "RRR........"}, .after = {Empty, Empty, Empty},
                 .points = 2 * 60},
        Scenario{.name = "AChainCountsInTheSameSumAndEveryPassCostsHalfASecond", .act = Act::Sets,
                 .before = {"..G........", "RRRGG......"}, .after = {Empty, Empty}, .points = 2 * 60,
                 .pausedMs = 3 * 500},
        // A diagonal of five scores itself and its tails of four and three.
        Scenario{.name = "RisingDiagonalOfFiveIsThreeSets", .act = Act::Sets,
                 .before = {"....R......", "...RG......", "..RBG......", ".RBGB......", "RGBGP......"},
                 .after = {Empty, "....G......", "...BG......", "..BGB......", ".GBGP......"}, .points = 3 * 120},
        Scenario{.name = "RisingDiagonalIntoTheLastColumn", .act = Act::Sets,
                 .before = {"..........R", ".........RG", "........RGB"},
                 .after = {Empty, "..........G", ".........GB"}, .points = 30},
        Scenario{.name = "FallingDiagonalOntoTheLastColumn", .act = Act::Sets,
                 .before = {"........R..", "........GR.", "........BGR"},
                 .after = {Empty, "........G..", "........BG."}, .points = 30},
        Scenario{.name = "FallingDiagonalOfFourIsTwoSets", .act = Act::Sets,
                 .before = {"R..........", "GR.........", "BGR........", "GBPR......."},
                 .after = {Empty, "G..........", "BG.........", "GBP........"}, .points = 2 * 70},
        Scenario{.name = "HiddenRowsAreNeverExaminedAcrossOrAlone", .act = Act::Sets,
                 .before = {".....R.....", ".....R.....", "RRRRRR.....", ".....B....."},
                 .after = {".....R.....", ".....R.....", "RRRRRR.....", ".....B....."}, .pausedMs = 500, .top = 1},
        // Column 6 holds red in rows 3 to 5 over a pattern without sets.
        Scenario{.name = "AVerticalSetMayReachIntoHiddenRowThree", .act = Act::Sets,
                 .before = {".....R.....", ".....R.....", ".....R.....", ".....G.....", ".....B.....", ".....G....."},
                 .after = {Empty, Empty, ".....R.....", ".....G.....", ".....B.....", ".....G....."}, .points = 30,
                 .top = 3}),
    Named);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Collapse, Rules,
    ::testing::Values(Scenario{.name = "ClosesEveryGapOfAColumnFromTheTopDown", .act = Act::Collapse,
                               .before = {"R..........", "x..........", "G..........", "x..........", "x.........."},
                               .after = {Empty, Empty, Empty, "R..........", "G.........."}},
                      Scenario{.name = "RowThreeDropsButRowsOneAndTwoNeverMove", .act = Act::Collapse,
                               .before = {".....R.....", ".....G.....", ".....B.....", ".....x....."},
                               .after = {".....R.....", ".....G.....", Empty, ".....B....."}, .top = 1}),
    Named);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Specials, Rules,
    ::testing::Values(
        Scenario{.name = "ColourGenocideRemovesTheColourItLandsOnAndItself", .act = Act::Special,
                 .before = {".....*.....", ".....*.....", ".....*.....", ".....Y.....", "Y....G....Y", "RY..BRY..BY"},
                 .after = {Empty, Empty, Empty, Empty, ".....G.....", "R...BR...B."}, .pausedMs = 500, .row = 18,
                 .col = 6, .kind = SpecialKind::ColourGenocide},
        Scenario{.name = "ColourGenocideOneRowAboveTheFloorRemovesTheFloorsColour", .act = Act::Special,
                 .before = {".....*.....", ".....*.....", ".....*.....", "Y....Y...R."},
                 .after = {Empty, Empty, Empty, ".........R."}, .pausedMs = 500, .row = 20, .col = 6,
                 .kind = SpecialKind::ColourGenocide},
        Scenario{.name = "ColourGenocideOnTheFloorDoesNothingItself", .act = Act::Special,
                 .before = {".....*.....", ".....*.....", ".....*....."},
                 .after = {".....*.....", ".....*.....", ".....*....."}, .pausedMs = 0, .row = 21, .col = 6,
                 .kind = SpecialKind::ColourGenocide},
        Scenario{.name = "ColourGenocideOnASpecialRemovesAllSpecials", .act = Act::Special,
                 .before = {".....*.....", ".....*.....", ".....*.....", ".....*.....", "..*..R..*..", "..G..B..R.."},
                 .after = {Empty, Empty, Empty, Empty, ".....R.....", "..G..B..R.."}, .pausedMs = 500, .row = 18,
                 .col = 6, .kind = SpecialKind::ColourGenocide},
        Scenario{.name = "ColumnBusterOnTopClearsTheWholeColumn", .act = Act::Special,
                 .before = {"...*.......", "...R.......", "...G.......", "...B.......", "...R.......", "...G.......", "...B......O", "...R....OYO"},
                 .after = {Empty, Empty, Empty, Empty, Empty, Empty, "..........O", "........OYO"}, .pausedMs = 500,
                 .row = 16, .col = 4, .kind = SpecialKind::ColumnBuster},
        Scenario{.name = "ColumnBusterAtTheBottomLetsThePiecesAboveDrop", .act = Act::Special,
                 .before = {"...R.......", "...G.......", "...*.......", "...B.......", "...R.......", "...G.......", "...B.......", "...R......."},
                 .after = {Empty, Empty, Empty, Empty, Empty, Empty, "...R.......", "...G......."}, .pausedMs = 500,
                 .row = 16, .col = 4, .kind = SpecialKind::ColumnBuster},
        Scenario{.name = "RowEaterClearsItsRowAndEverythingAboveDropsOne", .act = Act::Special,
                 .before = {"..R........", "..*...B....", "RBG.YPGOR.Y", "GRBOYRPBGYR", "BGRYPOBRYGB"},
                 .after = {Empty, "..R........", "RBG.YPGOR.Y", "GRBOYRPBGYR", "BGRYPOBRYGB"}, .pausedMs = 500,
                 .row = 19, .col = 3, .kind = SpecialKind::RowEater},
        // Only a full centre column lets a Row Eater land in a hidden row.
        Scenario{.name = "RowEaterInAHiddenRowRemovesNothingButStillPauses", .act = Act::Special,
                 .before = {".....R.....", ".....*.....", ".....G.....", ".....B.....", ".....Y....."},
                 .after = {".....R.....", ".....*.....", ".....G.....", ".....B.....", ".....Y....."}, .pausedMs = 500,
                 .top = 1, .row = 1, .col = 6, .kind = SpecialKind::RowEater},
        // Specials left by a Colour Genocide on the floor do not count.
        Scenario{.name = "RowEaterOnLeftoverSpecialsEatsItsOwnRow", .act = Act::Special,
                 .before = {".....R.....", "..G..*..B..", ".....G.....", ".....*.....", ".....*.....", "Y....*....Y"},
                 .after = {Empty, ".....R.....", ".....G.....", ".....*.....", ".....*.....", "Y....*....Y"},
                 .pausedMs = 500, .row = 18, .col = 6, .kind = SpecialKind::RowEater}),
    Named);
// clang-format on

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Ticks, Rules,
    ::testing::Values(
        Scenario{.name = "ATickDropsTheColumnOneRow", .act = Act::Tick,
                 .before = {".R.........", ".G.........", ".B.........", Empty},
                 .after = {Empty, ".R.........", ".G.........", ".B........."}, .pausedMs = 0, .row = 20, .col = 2,
                 .rowAfter = 21},
        // The next column enters at the top and waits there.
        // Pieces in the first column alone are no empty well.
        Scenario{.name = "ALandingChecksTwiceAndHoldsTheGameForASecond", .act = Act::Tick,
                 .before = {"R..........", "G..........", "B.........."},
                 .after = {"R..........", "G..........", "B.........."}, .pausedMs = 1000, .row = 21, .col = 1,
                 .rowAfter = 1},
        // The effect, then a check of two passes scores the collapse.
        Scenario{.name = "ASpecialLandingScoresWhatItsCollapseForms", .act = Act::Tick,
                 .before = {"..R........", "..R........", "GB*BGBGBGBG", "BGRGBGBGBGB", "GBGBGBGBGBG"},
                 .after = {Empty, Empty, Empty, "BG.GBGBGBGB", "GBGBGBGBGBG"}, .points = 30, .pausedMs = 500 + 2 * 500,
                 .row = 19, .col = 3, .kind = SpecialKind::RowEater, .rowAfter = 1},
        Scenario{.name = "ClearingTheWellCompletesTheLevel", .act = Act::Tick,
                 .before = {".....*.....", ".....*.....", ".....*....."}, .after = {Empty, Empty, Empty}, .points = 30,
                 .pausedMs = 1000, .row = 21, .col = 6, .kind = SpecialKind::ColourGenocide,
                 .outcome = TickOutcome::LevelComplete, .rowAfter = 1},
        Scenario{.name = "AFullCentreColumnEndsTheGame", .act = Act::Tick,
                 .before = {".....R.....", ".....Y.....", ".....R.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B.....", ".....G.....", ".....B....."},
                 .after = {".....R....."}, .pausedMs = 1000, .row = 4, .col = 6, .outcome = TickOutcome::GameOver,
                 .rowAfter = 1},
        Scenario{.name = "AnyOtherFullColumnGoesOn", .act = Act::Tick,
                 .before = {".R.........", ".Y.........", ".R.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B.........", ".G.........", ".B........."},
                 .after = {".R........."}, .pausedMs = 1000, .row = 4, .col = 2, .rowAfter = 1}),
    Named);
// clang-format on

using SetCheckSteps = TestGame;

TEST_F(SetCheckSteps, ABoardWithoutSetsIsStillDrawnTwiceAndPausedForHalfASecond)
{
    setBottomRows(state, {"RGBRGBRGBRG"});
    CheckForSets(state, view);
    EXPECT_EQ(view.log, Rows({"draw", "refresh", "pause 250", "draw", "pause 250", "score 0"}));
}

TEST_F(SetCheckSteps, TheSetVanishesOnScreenBeforeThePiecesAboveFallAndHiddenMarksStay)
{
    // A run down from hidden row 3 is marked there too, without effect.
    setRows(state, 3, {"..........R", "..........R", "..........R", "..........G"});
    setBottomRows(state, {"G..........", "RRR........"});
    std::vector<Rows> drawn;
    view.onDraw = [&] { drawn.push_back(bottomRows(state, 22)); };

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
    setBottomRows(state, {"RRR........"});
    CheckForSets(state, view);
    EXPECT_EQ(state.GameScore, std::numeric_limits<std::int32_t>::max());
}

} // namespace
} // namespace quillop::test
