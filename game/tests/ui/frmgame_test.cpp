#include "game/tests/boardpicture.h"
#include "game/ui/frmgame.h"
#include "platform/drag.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace quillop {
namespace {

constexpr int Tile = 29;

QImage Sheet(const char* name)
{
    return QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

QImage Cell(const QImage& picture, int x, int y)
{
    return picture.copy(x, y, Tile, Tile);
}

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setPauseFunction([this](QWidget*, int ms) {
            pauses.push_back(ms);
            boardsAtPause.push_back(window.boardPicture().copy());
        });
        NewGame(state);
        window.StartGame();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void falling(ColumnPieces pieces, int row, int col) { test::PlaceFalling(state, pieces, row, col); }

    GameState state;
    KeyBindings keys;
    SeededRandom random{99};
    frmGame window{state, keys, random};
    std::vector<int> pauses;
    std::vector<QImage> boardsAtPause;
    const QImage tiles = Sheet("tiles");
    const QImage nextTiles = Sheet("nexttiles");
    const QImage cleanBoard = Sheet("board");
};

TEST_F(GameWindow, IsABorderlessFixedWindowOfTheGamesSize)
{
    EXPECT_EQ(window.size(), QSize(470, 600));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(GameWindow, StartsItsPreciseTimerAtTheStartInterval)
{
    EXPECT_TRUE(window.timer().isActive());
    EXPECT_EQ(window.timer().interval(), 250);
    EXPECT_EQ(window.timer().timerType(), Qt::PreciseTimer);
}

TEST_F(GameWindow, AnEmptyBoardDrawsAsTheCleanBoard)
{
    state.Board.fill(CellCode::Empty);
    window.DrawBoard();
    EXPECT_EQ(window.boardPicture(), cleanBoard);
}

TEST_F(GameWindow, TheCornerCellsLandAtTheirPixelPlaces)
{
    state.Board.fill(CellCode::Empty);
    state.Board(4, 1) = CellCode::Red;
    state.Board(23, 11) = CellCode::Blue;

    window.DrawBoard();

    EXPECT_EQ(Cell(window.boardPicture(), 0, 0), Cell(tiles, 0, 0));
    EXPECT_EQ(Cell(window.boardPicture(), 290, 551), Cell(tiles, 58, 0));
    EXPECT_EQ(Cell(window.boardPicture(), 29, 0), Cell(cleanBoard, 0, 0));
}

TEST_F(GameWindow, VanishingCellsDrawAsEmptyCells)
{
    state.Board(23, 5) = CellCode::Vanishing;
    window.DrawBoard();
    EXPECT_EQ(Cell(window.boardPicture(), 4 * Tile, 19 * Tile), Cell(cleanBoard, 0, 0));
}

TEST_F(GameWindow, EverySpecialPieceWearsTheFallingColumnsKind)
{
    const std::pair<SpecialKind, QPoint> kinds[] = {{SpecialKind::ColourGenocide, {87, 29}},
                                                    {SpecialKind::ColumnBuster, {87, 58}},
                                                    {SpecialKind::RowEater, {58, 58}}};
    state.Board(23, 1) = CellCode::Special;
    state.Board(10, 7) = CellCode::Special;
    for (const auto& [kind, origin] : kinds) {
        state.CurrentSpecial = kind;
        window.DrawBoard();
        EXPECT_EQ(Cell(window.boardPicture(), 0, 19 * Tile), Cell(tiles, origin.x(), origin.y()));
        EXPECT_EQ(Cell(window.boardPicture(), 6 * Tile, 6 * Tile), Cell(tiles, origin.x(), origin.y()));
    }
}

TEST_F(GameWindow, TheNextPieceBoxShowsPiecesOnBlackAndTheSpecialsOwnTile)
{
    state.NextColumn = {CellCode::Orange, CellCode::Special, CellCode::Green};
    state.NextSpecial = SpecialKind::ColumnBuster;

    window.DrawBoard();

    const QImage& next = window.nextPiecePicture();
    EXPECT_EQ(Cell(next, 0, 0), Cell(nextTiles, 0, 29));
    EXPECT_EQ(Cell(next, 0, 29), Cell(nextTiles, 87, 58));
    EXPECT_EQ(Cell(next, 0, 58), Cell(nextTiles, 29, 0));
    EXPECT_EQ(next.pixel(0, 0) & 0xFFFFFFU, 0U) << "the piece's corner stands on black";
}

TEST_F(GameWindow, TheNextPieceSheetsMaskTileIsEntirelyBlack)
{
    const QPoint mask = frmGame::TileOrigin()[0];
    QImage black(Tile, Tile, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_EQ(Cell(nextTiles, mask.x(), mask.y()), black);
}

TEST_F(GameWindow, ALandingShowsTheVanishedSetDuringTheFirstPause)
{
    state.Board.fill(CellCode::Empty);
    falling({CellCode::Red, CellCode::Red, CellCode::Red}, 21, 2);
    state.NextColumn = {CellCode::Green, CellCode::Blue, CellCode::Green};

    window.Timer1_Timer();

    EXPECT_EQ(pauses, (std::vector<int>{250, 250, 250, 250, 250, 250}));
    EXPECT_EQ(Cell(boardsAtPause.front(), Tile, 19 * Tile), Cell(cleanBoard, 0, 0));
    EXPECT_EQ(window.findChildren<QLabel*>().size(), 5);
}

class GameKeys : public GameWindow {};

TEST_F(GameKeys, PPausesTheTimerAndAnyKeyResumesIt)
{
    QTest::keyClick(&window, Qt::Key_P);
    EXPECT_FALSE(window.timer().isActive());
    QTest::keyClick(&window, Qt::Key_X);
    EXPECT_TRUE(window.timer().isActive());
}

class HardDropKeys : public GameWindow, public ::testing::WithParamInterface<Qt::KeyboardModifier> {};

TEST_P(HardDropKeys, DownWithAModifierDropsToTheFloor)
{
    state.Board.fill(CellCode::Empty);
    falling({CellCode::Red, CellCode::Green, CellCode::Blue}, 3, 6);

    QTest::keyClick(&window, Qt::Key_Down, GetParam());

    EXPECT_EQ(state.CurrentRow, 21);
    EXPECT_EQ(Cell(window.boardPicture(), 5 * Tile, 19 * Tile), Cell(tiles, 58, 0)) << "drawn at once";
    EXPECT_TRUE(pauses.empty());
}

INSTANTIATE_TEST_SUITE_P(Modifiers, HardDropKeys,
                         ::testing::Values(Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier));

TEST_F(GameKeys, EscapeStopsTheTimerAndAsksForTheMenu)
{
    int asked = 0;
    QObject::connect(&window, &frmGame::leaveForMenu, [&] { ++asked; });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(window.timer().isActive());
}

TEST_F(GameKeys, AFinishedGameIgnoresKeys)
{
    state.Board.fill(CellCode::Empty);
    for (int r = 7; r <= FloorRow; ++r) {
        state.Board(r, CentreColumn) = r % 2 == 0 ? CellCode::Yellow : CellCode::Purple;
    }
    falling({CellCode::Red, CellCode::Green, CellCode::Blue}, 4, 6);
    int ended = 0;
    QObject::connect(&window, &frmGame::gameOver, [&] { ++ended; });

    window.Timer1_Timer();
    ASSERT_EQ(ended, 1);
    QTest::keyClick(&window, Qt::Key_P);
    QTest::keyClick(&window, Qt::Key_Left);

    EXPECT_FALSE(window.timer().isActive());
    EXPECT_TRUE(window.isFinished());
}

TEST_F(GameWindow, APressOnTheBackgroundDragsAndOnACaptionDoesNot)
{
    QTest::mousePress(window.findChildren<QLabel*>().front(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_FALSE(platform::IsManualDragActive(&window));
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_TRUE(platform::IsManualDragActive(&window));
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
}

} // namespace
} // namespace quillop
