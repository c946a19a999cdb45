#include "boardpicture.h"
#include "fakes.h"

#include "game/core/sets.h"

#include <gtest/gtest.h>

namespace quillop::test {
namespace {

struct SetCase {
    const char* name;
    std::vector<std::string_view> before; // bottom rows
    std::int32_t points;
    std::vector<std::string_view> after;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << c.name;
}

class SetScoring : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetScoring, RemovesTheSetsAndAddsSetsTimesPoints)
{
    const SetCase& c = GetParam();
    GameState state;
    state.GameScore = 1000;
    int row = FloorRow - static_cast<int>(c.before.size()) + 1;
    for (std::string_view line : c.before) {
        SetRows(state, row++, {line});
    }
    RecordingView view;

    CheckForSets(state, view);

    EXPECT_EQ(state.GameScore, 1000 + c.points);
    EXPECT_EQ(view.log.back(), "score " + std::to_string(1000 + c.points));
    std::vector<std::string> expected(c.after.begin(), c.after.end());
    EXPECT_EQ(BottomRows(state, FloorRow - static_cast<int>(c.after.size()) + 1), expected);
    EXPECT_EQ(state.SetPoints, 0);
    EXPECT_EQ(state.SetCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, SetScoring,
    ::testing::Values(
        SetCase{"AcrossClosedAtTheLastColumn", {"........RRR"}, 30, {"..........."}},
        SetCase{"FourAcrossAreOneSet", {"RRRR......."}, 40, {"..........."}},
        SetCase{"TwoAcrossRunsOfOneRow", {"RRR.GGG...."}, 2 * 60, {"..........."}},
        SetCase{"PairClosedByTheLastColumnIsNoSet", {"........RRG"}, 0, {"........RRG"}},
        SetCase{"GapsBreakRuns", {"RR.RR.R.R.R"}, 0, {"RR.RR.R.R.R"}},
        SetCase{"ThreeSpecialsMatchLikeAColour", {"***G......."}, 30, {"...G......."}},
        SetCase{"DownOnTheFloor", {"R..........", "R..........", "R.........."}, 30,
                {"...........", "...........", "..........."}},
        SetCase{"DownOfFourInTheLastColumn",
                {"..........B", "..........B", "..........B", "..........B"}, 40,
                {"...........", "...........", "...........", "..........."}},
        SetCase{"AcrossAndDownSharingAPieceAreTwoSets",
                {"R..........", "R..........", "RRR........"}, 2 * 60,
                {"...........", "...........", "..........."}},
        SetCase{"ChainFormedByTheCollapseCountsInTheSameSum",
                {"..G........", "RRRGG......"}, 2 * 60,
                {"...........", "..........."}},
        // A rising diagonal of five scores itself and its tails of four and three.
        SetCase{"RisingDiagonalOfFiveScoresThreeSets",
                {"....R......", "...RG......", "..RBG......", ".RBGB......", "RGBGP......"},
                3 * 120,
                {"...........", "....G......", "...BG......", "..BGB......", ".GBGP......"}},
        SetCase{"FallingDiagonalOfFourScoresTwoSets",
                {"R..........", "GR.........", "BGR........", "GBPR......."}, 2 * 70,
                {"...........", "G..........", "BG.........", "GBP........"}}));

class SetCheckSteps : public ::testing::Test {
protected:
    GameState state;
    RecordingView view;
};

TEST_F(SetCheckSteps, ABoardWithoutSetsIsStillDrawnTwiceAndPausedForHalfASecond)
{
    SetBottomRows(state, {"RGBRGBRGBRG"});
    state.GameScore = 70;

    CheckForSets(state, view);

    EXPECT_EQ(view.log, Picture({"draw", "refresh", "pause 250", "draw", "pause 250", "score 70"}));
}

TEST_F(SetCheckSteps, EveryPassThatFindsASetCostsAnotherHalfSecond)
{
    SetBottomRows(state, {"..G........", "RRRGG......"});

    CheckForSets(state, view);

    EXPECT_EQ(view.pausedMs, 3 * 500);
    EXPECT_EQ(view.count("refresh"), 3);
}

TEST_F(SetCheckSteps, TheSetVanishesOnScreenBeforeThePiecesAboveFall)
{
    SetBottomRows(state, {"G..........", "RRR........"});
    std::vector<std::vector<std::string>> drawn;
    struct SnapshotView final : GameView {
        const GameState* s;
        std::vector<std::vector<std::string>>* shots;
        void DrawBoard() override { shots->push_back(BottomRows(*s, 22)); }
        void Refresh() override {}
        void Pause(int) override {}
        void ShowScore(std::int32_t) override {}
        void ShowLevel(std::int16_t) override {}
    } snapshots;
    snapshots.s = &state;
    snapshots.shots = &drawn;

    CheckForSets(state, snapshots);

    ASSERT_GE(drawn.size(), 2U);
    EXPECT_EQ(drawn[0], Picture({"G..........", "xxx........"}));
    EXPECT_EQ(drawn[1], Picture({"...........", "G.........."}));
}

TEST_F(SetCheckSteps, HiddenRowsAreNeverExaminedAcrossOrAlone)
{
    SetRows(state, 1, {".....R.....", ".....R.....", "RRRRRR....."});
    SetRows(state, 4, {".....B....."});

    CheckForSets(state, view);

    EXPECT_EQ(state.GameScore, 0);
    EXPECT_EQ(BottomRows(state, 1)[0], ".....R.....");
}

TEST_F(SetCheckSteps, AVerticalSetMayReachIntoHiddenRowThree)
{
    // Column 6 is full; its top three pieces (rows 3 to 5) are red.
    SetRows(state, 3, {".....R.....", ".....R.....", ".....R....."});
    for (int r = 6; r <= FloorRow; ++r) {
        state.Board(r, CentreColumn) = (r % 2 == 0) ? CellCode::Blue : CellCode::Green;
    }

    CheckForSets(state, view);

    EXPECT_EQ(state.GameScore, 30);
    EXPECT_EQ(state.Board(3, CentreColumn), CellCode::Empty);
    EXPECT_EQ(state.Board(4, CentreColumn), CellCode::Empty);
    EXPECT_EQ(state.Board(5, CentreColumn), CellCode::Red) << "the hidden piece drops into the gap";
    EXPECT_EQ(state.Marks(3, CentreColumn), MarkValue) << "its mark stays, without effect";
}

TEST_F(SetCheckSteps, NoVanishingCellOrMarkOfTheVisibleRowsOutlivesTheCheck)
{
    SetBottomRows(state, {"Y...B......", "YY.BB......", "YYYBBB....."});

    CheckForSets(state, view);

    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            EXPECT_NE(state.Board(r, c), CellCode::Vanishing);
            EXPECT_EQ(state.Marks(r, c), 0);
        }
    }
}

TEST_F(SetCheckSteps, TheScoreStopsAtTheLargestValueInsteadOfWrapping)
{
    state.GameScore = std::numeric_limits<std::int32_t>::max() - 10;
    SetBottomRows(state, {"RRR........"});

    CheckForSets(state, view);

    EXPECT_EQ(state.GameScore, std::numeric_limits<std::int32_t>::max());
}

class Collapse : public ::testing::Test {
protected:
    GameState state;
};

TEST_F(Collapse, ClosesEveryGapOfAColumnFromTheTopDown)
{
    SetBottomRows(state, {"R..........", "x..........", "G..........", "x..........", "x.........."});

    CollapseBoard(state);

    EXPECT_EQ(BottomRows(state, 19),
              Picture({"...........", "...........", "...........", "R..........", "G.........."}));
}

TEST_F(Collapse, RowThreeDropsButRowsOneAndTwoNeverMove)
{
    SetRows(state, 1, {".....R.....", ".....G.....", ".....B.....", ".....x....."});

    CollapseBoard(state);

    EXPECT_EQ(state.Board(1, 6), CellCode::Red);
    EXPECT_EQ(state.Board(2, 6), CellCode::Green);
    EXPECT_EQ(state.Board(3, 6), CellCode::Empty);
    EXPECT_EQ(state.Board(4, 6), CellCode::Blue);
}

} // namespace
} // namespace quillop::test
