// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/tests/boardpicture.h"
#include "game/ui/frmgame.h"
#include "game/ui/ticktimer.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace quillop {
namespace {

constexpr int Tile = 29;

QImage sheet(const char* name)
{
    return QImage(QStringLiteral(":/pictures/%1.ppm").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

QImage cell(const QImage& picture, int x, int y)
{
    return picture.copy(x, y, Tile, Tile);
}

// Counts the paints a widget receives.
struct PaintCounter final : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setPauseFunction([this](int ms) {
            pauses.push_back(ms);
            boardsAtPause.push_back(window.boardPicture().copy());
            paintsAtPause.push_back(boardPaints.paints);
        });
        window.childAt(20, 20)->installEventFilter(&boardPaints);
        NewGame(state);
        window.startGame();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        state.Board.fill(CellCode::Empty);
    }

    GameState state;
    KeyBindings keys;
    SeededRandom random{99};
    frmGame window{state, keys, random};
    std::vector<int> pauses;
    std::vector<QImage> boardsAtPause;
    PaintCounter boardPaints;
    std::vector<int> paintsAtPause;
    const QImage tiles = sheet("tiles");
    const QImage nextTiles = sheet("nexttiles");
    const QImage cleanBoard = sheet("board");
};

TEST_F(GameWindow, DrawsEachCellFromItsTileAndEverySpecialInTheFallingColumnsKind)
{
    EXPECT_EQ(std::pair(window.timer().interval(), window.timer().timerType()), std::pair(250, Qt::PreciseTimer));
    window.DrawBoard();
    EXPECT_EQ(window.boardPicture(), cleanBoard) << "an empty board is the clean board";

    state.Board(4, 1) = CellCode::Red;
    state.Board(23, 11) = CellCode::Blue;
    state.Board(23, 5) = CellCode::Vanishing;
    state.Board(23, 1) = CellCode::Special;
    const std::pair<SpecialKind, QPoint> kinds[] = {{SpecialKind::ColourGenocide, {87, 29}},
                                                    {SpecialKind::ColumnBuster, {87, 58}},
                                                    {SpecialKind::RowEater, {58, 58}}};
    for (const auto& [kind, origin] : kinds) {
        state.CurrentSpecial = kind;
        window.DrawBoard();
        EXPECT_EQ(cell(window.boardPicture(), 0, 19 * Tile), cell(tiles, origin.x(), origin.y()));
    }
    EXPECT_EQ(cell(window.boardPicture(), 0, 0), cell(tiles, 0, 0));
    EXPECT_EQ(cell(window.boardPicture(), 290, 551), cell(tiles, 58, 0));
    EXPECT_EQ(cell(window.boardPicture(), 29, 0), cell(cleanBoard, 0, 0));
    EXPECT_EQ(cell(window.boardPicture(), 4 * Tile, 19 * Tile), cell(cleanBoard, 0, 0)) << "vanishing is empty";
}

TEST_F(GameWindow, TheNextPieceBoxShowsPiecesOnBlackAndTheSpecialsOwnTile)
{
    state.NextColumn = {CellCode::Orange, CellCode::Special, CellCode::Green};
    state.NextSpecial = SpecialKind::ColumnBuster;

    window.DrawBoard();

    const QImage& next = window.nextPiecePicture();
    EXPECT_EQ(cell(next, 0, 0), cell(nextTiles, 0, 29));
    EXPECT_EQ(cell(next, 0, 29), cell(nextTiles, 87, 58));
    EXPECT_EQ(cell(next, 0, 58), cell(nextTiles, 29, 0));
    EXPECT_EQ(next.pixel(0, 0) & 0xFFFFFFU, 0U) << "the piece's corner stands on black";
    QImage black(Tile, Tile, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_EQ(cell(nextTiles, frmGame::TileOrigin()[0].x(), frmGame::TileOrigin()[0].y()), black)
        << "the mask tile is entirely black";
}

TEST_F(GameWindow, ALandingShowsTheVanishedSetDuringTheFirstPause)
{
    test::placeFalling(state, {CellCode::Red, CellCode::Red, CellCode::Red}, 21, 2);
    state.NextColumn = {CellCode::Green, CellCode::Blue, CellCode::Green};
    window.DrawBoard();
    const int paintsBefore = boardPaints.paints;

    window.Timer1_Timer();

    EXPECT_EQ(pauses, (std::vector<int>{250, 250, 250, 250, 250, 250}));
    EXPECT_EQ(cell(boardsAtPause.front(), Tile, 19 * Tile), cell(cleanBoard, 0, 0));
    EXPECT_GT(paintsAtPause.front(), paintsBefore) << "the vanished set is on screen before the pause";
}

TEST_F(GameWindow, DownWithShiftCtrlOrAltDropsToTheFloorAndDrawsAtOnce)
{
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        state.Board.fill(CellCode::Empty);
        test::placeFalling(state, {CellCode::Red, CellCode::Green, CellCode::Blue}, 3, 6);
        QTest::keyClick(&window, Qt::Key_Down, modifier);
        EXPECT_EQ(state.CurrentRow, 21);
        EXPECT_EQ(cell(window.boardPicture(), 5 * Tile, 19 * Tile), cell(tiles, 58, 0));
    }
    EXPECT_TRUE(pauses.empty());
}

TEST(GameWindowAtTwiceTheScale, CopiesTheFineTilesPixelForPixel)
{
    GameState state;
    KeyBindings keys;
    SeededRandom random{1};
    frmGame window(state, keys, random, 2);
    state.Board(4, 1) = CellCode::Red;
    state.Board(23, 11) = CellCode::Blue;

    window.DrawBoard();

    const QImage fine = sheet("tiles@2x");
    ASSERT_EQ(window.boardPicture().size(), QSize(638, 1160));
    EXPECT_EQ(window.boardPicture().copy(0, 0, 58, 58), fine.copy(0, 0, 58, 58));
    EXPECT_EQ(window.boardPicture().copy(580, 1102, 58, 58), fine.copy(116, 0, 58, 58));
}

// Qt's timers read the real clock, so the tick is let run a little for real.
TEST(HeldTick, GoesOnWithWhatWasLeftOfItAndTheNextTickIsWhole)
{
    TickTimer timer;
    timer.setInterval(10000);
    timer.setEnabled(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    timer.hold();
    EXPECT_FALSE(timer.running().isActive());
    timer.release(true);
    ASSERT_TRUE(timer.running().isActive());
    EXPECT_LE(timer.running().remainingTime(), 9950);
    EXPECT_GT(timer.running().remainingTime(), 5000);

    timer.hold();
    timer.setEnabled(false);
    timer.release(true);
    EXPECT_FALSE(timer.running().isActive()) << "switched off under the hold, it stays off";
}

} // namespace
} // namespace quillop
