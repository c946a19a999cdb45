#include "boardpicture.h"
#include "fakes.h"

#include "game/core/sets.h"
#include "game/core/specials.h"

#include <gtest/gtest.h>

namespace quillop::test {
namespace {

class SpecialEffect : public ::testing::Test {
protected:
    // The landed column stands in the board already; it is described by its
    // top row and column.
    void landed(SpecialKind kind, int row, int col)
    {
        state.CurrentSpecial = kind;
        state.SpecialFalling = true;
        state.CurrentRow = static_cast<std::int16_t>(row);
        state.CurrentCol = static_cast<std::int16_t>(col);
        state.GameScore = 500;
    }

    GameState state;
    RecordingView view;
};

TEST_F(SpecialEffect, ColourGenocideRemovesEveryPieceOfTheColourItLandsOnAndItself)
{
    SetBottomRows(state, {".....*.....",
                          ".....*.....",
                          ".....*.....",
                          ".....Y.....",
                          "Y....G....Y",
                          "RY..BRY..BY"});
    landed(SpecialKind::ColourGenocide, 18, 6);

    ApplySpecial(state, view);

    EXPECT_EQ(BottomRows(state, 18), Picture({"...........",
                                              "...........",
                                              "...........",
                                              "...........",
                                              ".....G.....",
                                              "R...BR...B."}));
    EXPECT_EQ(state.GameScore, 500) << "special pieces earn nothing themselves";
    EXPECT_EQ(view.pausedMs, 500);
}

TEST_F(SpecialEffect, ColourGenocideOnTheFloorLeavesItsPiecesToTheSetCheck)
{
    SetBottomRows(state, {".....*.....", ".....*.....", ".....*....."});
    landed(SpecialKind::ColourGenocide, 21, 6);

    ApplySpecial(state, view);
    EXPECT_TRUE(view.log.empty()) << "no mark, no removal, no pause";
    EXPECT_EQ(state.Board(21, 6), CellCode::Special);

    CheckForSets(state, view);
    EXPECT_EQ(state.GameScore, 530);
    EXPECT_EQ(state.Board, BoardGrid{});
}

TEST_F(SpecialEffect, ColourGenocideLandingOnASpecialPieceRemovesAllSpecials)
{
    SetBottomRows(state, {".....*.....",
                          ".....*.....",
                          ".....*.....",
                          ".....*.....",
                          "..*..R..*..",
                          "..G..B..R.."});
    landed(SpecialKind::ColourGenocide, 18, 6);

    ApplySpecial(state, view);

    EXPECT_EQ(BottomRows(state, 22), Picture({".....R.....", "..G..B..R.."}));
}

TEST_F(SpecialEffect, ColumnBusterOnTopOfItsColumnClearsTheWholeColumn)
{
    SetBottomRows(state, {"...*.......",
                          "...R.......",
                          "...G.......",
                          "...B.......",
                          "...R.......",
                          "...G.......",
                          "...B......O",
                          "...R....OYO"});
    landed(SpecialKind::ColumnBuster, 16, 4);

    ApplySpecial(state, view);

    for (int r = 1; r <= FloorRow; ++r) {
        EXPECT_EQ(state.Board(r, 4), CellCode::Empty) << "row " << r;
    }
    EXPECT_EQ(BottomRows(state, 22), Picture({"..........O", "........OYO"}));
}

TEST_F(SpecialEffect, ColumnBusterAtTheBottomRemovesTheStackAndLetsItsPiecesDrop)
{
    SetBottomRows(state, {"...R.......",
                          "...G.......",
                          "...*.......",
                          "...B.......",
                          "...R.......",
                          "...G.......",
                          "...B.......",
                          "...R......."});
    landed(SpecialKind::ColumnBuster, 16, 4);

    ApplySpecial(state, view);

    EXPECT_EQ(BottomRows(state, 21), Picture({"...........", "...R.......", "...G......."}));
}

TEST_F(SpecialEffect, RowEaterClearsItsRowAndEverythingAboveDropsOne)
{
    SetBottomRows(state, {"..R........",
                          "..*...B....",
                          "RBG.YPGOR.Y",
                          "GRBOYRPBGYR",
                          "BGRYPOBRYGB"});
    landed(SpecialKind::RowEater, 19, 3);

    ApplySpecial(state, view);

    EXPECT_EQ(BottomRows(state, 19), Picture({"...........",
                                              "..R........",
                                              "RBG.YPGOR.Y",
                                              "GRBOYRPBGYR",
                                              "BGRYPOBRYGB"}));
}

TEST_F(SpecialEffect, RowEaterInAHiddenRowRemovesNothingButStillPauses)
{
    SetRows(state, 1, {".....R.....", ".....*.....", ".....G....."});
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        state.Board(r, CentreColumn) = (r % 2 == 0) ? CellCode::Blue : CellCode::Yellow;
    }
    const BoardGrid before = state.Board;
    landed(SpecialKind::RowEater, 1, 6);

    ApplySpecial(state, view);

    EXPECT_EQ(state.Board, before);
    EXPECT_EQ(state.Marks(2, 1), MarkValue);
    EXPECT_EQ(state.Marks(2, 11), MarkValue);
    EXPECT_EQ(view.pausedMs, 500);
}

} // namespace
} // namespace quillop::test
