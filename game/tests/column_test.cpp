#include "boardpicture.h"
#include "fakes.h"

#include "game/core/column.h"

#include <gtest/gtest.h>

#include <map>

namespace quillop::test {
namespace {

constexpr ColumnPieces RGB{CellCode::Red, CellCode::Green, CellCode::Blue};

class NewColumnEntry : public ::testing::Test {
protected:
    GameState state;
    RecordingView view;
    ScriptedRandom random;
};

TEST_F(NewColumnEntry, TheNextColumnEntersAtTheTopOfTheCentreColumnWithoutBeingWritten)
{
    state.NextColumn = RGB;
    state.CurrentRow = 15;
    state.CurrentCol = 2;
    random.push({PickValue(1, 40), PickValue(4, 6), PickValue(5, 6), PickValue(6, 6)});

    NewColumn(state, random, view);

    EXPECT_EQ(state.CurrentColumn, RGB);
    EXPECT_EQ(state.CurrentRow, 1);
    EXPECT_EQ(state.CurrentCol, CentreColumn);
    EXPECT_FALSE(state.SpecialFalling);
    EXPECT_EQ(state.NextColumn, (ColumnPieces{CellCode::Purple, CellCode::Orange, CellCode::Yellow}));
    EXPECT_EQ(state.Board, BoardGrid{}) << "the column is not in the board before its first drop";
    EXPECT_EQ(view.log, Picture({"draw"}));
    EXPECT_EQ(random.overdrawn, 0);
    EXPECT_EQ(random.left(), 0U);
}

TEST_F(NewColumnEntry, ASpecialPieceCarriesTheKindDrawnWithIt)
{
    state.NextColumn = {CellCode::Green, CellCode::Special, CellCode::Red};
    state.NextSpecial = SpecialKind::RowEater;
    random.push({PickValue(40, 40), PickValue(1, 3)}); // the next one: Colour Genocide

    NewColumn(state, random, view);

    EXPECT_TRUE(state.SpecialFalling);
    EXPECT_EQ(state.CurrentSpecial, SpecialKind::RowEater);
    EXPECT_EQ(state.NextSpecial, SpecialKind::ColourGenocide);
    EXPECT_EQ(state.NextColumn, (ColumnPieces{CellCode::Special, CellCode::Special, CellCode::Special}));
}

TEST_F(NewColumnEntry, OneSpecialPieceGoesToTheChosenPlaceAfterTheColoursAreDrawn)
{
    // Column Buster, at place 3; the three colours are drawn after the place.
    random.push({PickValue(40, 40), PickValue(2, 3), PickValue(3, 3), PickValue(1, 6),
                 PickValue(2, 6), PickValue(3, 6)});

    NewColumn(state, random, view);

    EXPECT_EQ(state.NextSpecial, SpecialKind::ColumnBuster);
    EXPECT_EQ(state.NextColumn, (ColumnPieces{CellCode::Red, CellCode::Green, CellCode::Special}));
    EXPECT_EQ(random.left(), 0U);
}

TEST_F(NewColumnEntry, AnOrdinaryNextColumnKeepsTheLastSpecialKind)
{
    state.NextSpecial = SpecialKind::ColumnBuster;
    state.NextColumn = RGB;
    random.push({PickValue(39, 40), 0.0F, 0.0F, 0.0F});

    NewColumn(state, random, view);

    EXPECT_EQ(state.NextSpecial, SpecialKind::ColumnBuster);
    EXPECT_FALSE(state.SpecialFalling);
}

// Statistics over many columns from a fixed seed: the shares the game is
// tuned for, each within a few standard deviations.
TEST(ColumnOdds, SpecialColumnsComeOneInFortyAndColoursAreUniform)
{
    SeededRandom random(20261205);
    RecordingView view;
    GameState state;
    constexpr int Columns = 400000;
    int special = 0;
    int genocide = 0;
    std::map<int, int> place;
    std::map<CellCode, int> colours;
    for (int i = 0; i < Columns; ++i) {
        NewColumn(state, random, view);
        view.clear();
        const auto specials = std::count(state.NextColumn.begin(), state.NextColumn.end(), CellCode::Special);
        if (specials == 0) {
            for (CellCode c : state.NextColumn) {
                ++colours[c];
            }
            continue;
        }
        ++special;
        if (state.NextSpecial == SpecialKind::ColourGenocide) {
            ++genocide;
            EXPECT_EQ(specials, 3);
        } else {
            EXPECT_EQ(specials, 1);
            ++place[static_cast<int>(std::find(state.NextColumn.begin(), state.NextColumn.end(), CellCode::Special) - state.NextColumn.begin())];
        }
    }
    EXPECT_NEAR(special / double(Columns), 1.0 / 40, 0.0015);
    EXPECT_NEAR(genocide / double(special), 1.0 / 3, 0.02);
    for (int p = 0; p < 3; ++p) {
        EXPECT_NEAR(place[p] / double(special - genocide), 1.0 / 3, 0.02) << "place " << p;
    }
    ASSERT_EQ(colours.size(), 6U);
    const double total = (Columns - special) * 3.0;
    for (auto [code, n] : colours) {
        EXPECT_NEAR(n / total, 1.0 / 6, 0.003) << static_cast<int>(code);
    }
}

TEST(ColumnOdds, TheFirstNextColumnHasNoSpecialAndRoundedColours)
{
    SeededRandom random(7);
    GameState state;
    std::map<CellCode, int> colours;
    constexpr int Columns = 200000;
    for (int i = 0; i < Columns; ++i) {
        FirstNextColumn(state, random);
        for (CellCode c : state.NextColumn) {
            ++colours[c];
        }
    }
    ASSERT_EQ(colours.size(), 6U);
    const double total = Columns * 3.0;
    EXPECT_NEAR(colours[CellCode::Red] / total, 0.1, 0.003);
    EXPECT_NEAR(colours[CellCode::Yellow] / total, 0.1, 0.003);
    for (CellCode c : {CellCode::Green, CellCode::Blue, CellCode::Purple, CellCode::Orange}) {
        EXPECT_NEAR(colours[c] / total, 0.2, 0.004) << static_cast<int>(c);
    }
}

TEST(RandomDraws, PickAndRoundedColourStayInRangeAtTheEdges)
{
    ScriptedRandom random{0.0F, 0.99999994F, 0.0F, 0.99999994F, 0.1F, 0.3F};
    EXPECT_EQ(Pick(random, 40), 1);
    EXPECT_EQ(Pick(random, 40), 40);
    EXPECT_EQ(RoundedColour(random), CellCode::Red);
    EXPECT_EQ(RoundedColour(random), CellCode::Yellow);
    EXPECT_EQ(RoundedColour(random), CellCode::Green);
    EXPECT_EQ(RoundedColour(random), CellCode::Blue);
}

TEST(RandomDraws, TheProgramsGeneratorStaysBelowOne)
{
    SeededRandom random(1);
    float low = 1.0F;
    float high = 0.0F;
    for (int i = 0; i < 100000; ++i) {
        const float u = random.Next();
        low = std::min(low, u);
        high = std::max(high, u);
    }
    EXPECT_GE(low, 0.0F);
    EXPECT_LT(high, 1.0F);
    EXPECT_GT(high, 0.999F);
}

class Falling : public ::testing::Test {
protected:
    void enter(ColumnPieces pieces, int row, int col) { PlaceFalling(state, pieces, row, col); }
    GameState state;
    RecordingView view;
};

TEST_F(Falling, ADropStepMovesTheColumnDownAndClearsTheCellItLeft)
{
    enter(RGB, 10, 4);

    DropStep(state);

    EXPECT_EQ(state.CurrentRow, 11);
    EXPECT_EQ(state.Board(10, 4), CellCode::Empty);
    EXPECT_EQ(state.Board(11, 4), CellCode::Red);
    EXPECT_EQ(state.Board(13, 4), CellCode::Blue);
}

TEST_F(Falling, TheFirstDropShowsOnlyTheBottomPieceInTheWell)
{
    state.CurrentColumn = RGB;
    DropStep(state);
    EXPECT_EQ(state.Board(4, CentreColumn), CellCode::Blue);
    EXPECT_EQ(state.Board(2, CentreColumn), CellCode::Red);
}

TEST_F(Falling, AColumnCannotFallOntoAPieceOrThroughTheFloor)
{
    SetBottomRows(state, {"...........", "....Y......", "....Y......"});
    state.CurrentCol = 1;
    state.CurrentRow = 21;
    EXPECT_FALSE(CanFall(state)) << "on the floor";
    state.CurrentCol = 5;
    state.CurrentRow = 19;
    EXPECT_FALSE(CanFall(state)) << "on the stack";
    state.CurrentRow = 18;
    EXPECT_TRUE(CanFall(state));
}

TEST_F(Falling, ASoftDropFallsOneRowAndDrawsButNeverLands)
{
    enter(RGB, 20, 3);
    SoftDrop(state, view);
    EXPECT_EQ(state.CurrentRow, 21);
    EXPECT_EQ(view.log, Picture({"draw"}));

    SoftDrop(state, view);
    EXPECT_EQ(state.CurrentRow, 21);
    EXPECT_EQ(view.log, Picture({"draw"}));
}

TEST_F(Falling, AHardDropFromTheTopEndsOnTheFloorWithoutDrawingOrChecking)
{
    state.CurrentColumn = RGB;

    HardDrop(state);

    EXPECT_EQ(state.CurrentRow, 21);
    EXPECT_EQ(BottomRows(state, 20), Picture({"...........", ".....R.....", ".....G.....", ".....B....."}));
    EXPECT_TRUE(view.log.empty());
}

TEST_F(Falling, RotationCyclesThePiecesAndShowsOnlyAtTheNextDrop)
{
    enter(RGB, 10, 6);

    RotateColumn(state);

    EXPECT_EQ(state.CurrentColumn, (ColumnPieces{CellCode::Green, CellCode::Blue, CellCode::Red}));
    EXPECT_EQ(state.Board(10, 6), CellCode::Red) << "the board still holds the old order";
    DropStep(state);
    EXPECT_EQ(state.Board(11, 6), CellCode::Green);
    EXPECT_EQ(state.Board(13, 6), CellCode::Red);
}

// Sideways moves look only at the cell one row below the column's bottom in
// the target column.
struct MoveCase {
    const char* name;
    int row;
    int col;
    Direction direction;
    int stackTopRow; // top of a stack in the target column; 0 for none
    bool allowed;
};

void PrintTo(const MoveCase& c, std::ostream* os)
{
    *os << c.name;
}

class SidewaysMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(SidewaysMove, FollowsTheCellBelowTheTarget)
{
    const MoveCase& c = GetParam();
    GameState state;
    const int target = c.col + (c.direction == Direction::Left ? -1 : 1);
    if (c.stackTopRow != 0) {
        for (int r = c.stackTopRow; r <= FloorRow; ++r) {
            state.Board(r, target) = CellCode::Yellow;
        }
    }
    PlaceFalling(state, RGB, c.row, c.col);

    EXPECT_EQ(MoveSideways(state, c.direction), c.allowed);
    EXPECT_EQ(state.CurrentCol, c.allowed ? target : c.col);
}

INSTANTIATE_TEST_SUITE_P(
    Places, SidewaysMove,
    ::testing::Values(
        MoveCase{"RowOneNeverMoves", 1, 6, Direction::Left, 0, false},
        MoveCase{"RowTwoNeverMoves", 2, 6, Direction::Right, 0, false},
        MoveCase{"RowThreeMovesOverAnEmptyColumn", 3, 6, Direction::Left, 0, true},
        MoveCase{"StackTopRightBelowTheBottomRefuses", 10, 6, Direction::Left, 13, false},
        MoveCase{"StackTopOneRowLowerAllows", 10, 6, Direction::Left, 14, true},
        MoveCase{"StackBesideTheColumnRefuses", 10, 6, Direction::Right, 11, false},
        MoveCase{"LeftAtTheFirstColumnRefuses", 10, 1, Direction::Left, 0, false},
        MoveCase{"RightAtTheLastColumnRefuses", 10, 11, Direction::Right, 0, false},
        MoveCase{"OnTheFloorNothingMoves", 21, 4, Direction::Right, 0, false}));

TEST_F(Falling, AMovedColumnLeavesTheBoardUntilItsNextDropOneRowLower)
{
    enter(RGB, 10, 6);

    ASSERT_TRUE(MoveSideways(state, Direction::Left));

    for (int r = 1; r <= FloorRow; ++r) {
        EXPECT_EQ(state.Board(r, 5), CellCode::Empty);
        EXPECT_EQ(state.Board(r, 6), CellCode::Empty);
    }
    ASSERT_TRUE(MoveSideways(state, Direction::Left)) << "moves again from the column reached";
    DropStep(state);
    EXPECT_EQ(BottomRows(state, 10)[0], "...........");
    EXPECT_EQ(BottomRows(state, 11)[0], "...R.......");
    EXPECT_EQ(BottomRows(state, 13)[0], "...B.......");
}

} // namespace
} // namespace quillop::test
