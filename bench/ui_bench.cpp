// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing and input latency of the game window, offscreen. Each figure has
// a baseline from the same run to compare with.
#include "game/core/random.h"
#include "game/ui/frmgame.h"
#include "platform/tiles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace quillop;

// A busy board: 15 full rows and a next column with a special piece.
void fillBusy(GameState& state)
{
    SeededRandom random(5);
    for (int r = 9; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            state.Board(r, c) = roundedColour(random);
        }
    }
    state.Board(12, 3) = CellCode::Special;
    state.CurrentSpecial = SpecialKind::RowEater;
    state.NextColumn = {CellCode::Red, CellCode::Special, CellCode::Blue};
    state.NextSpecial = SpecialKind::ColumnBuster;
}

// The falling column of the busy board at a row of column 4.
void placeColumnAt(GameState& state, int row)
{
    for (int r = 1; r <= 8; ++r) {
        state.Board(r, 4) = CellCode::Empty;
    }
    for (int k = 0; k < 3; ++k) {
        state.Board(row + k, 4) = k == 1 ? CellCode::Green : CellCode::Purple;
    }
}

struct Fixture {
    explicit Fixture(int scale = 1) : window(state, keys, random, scale)
    {
        window.setPauseFunction([](int) {});
        NewGame(state);
        window.startGame();
        fillBusy(state);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the window was never shown");
        }
    }
    GameState state;
    KeyBindings keys;
    SeededRandom random{1};
    frmGame window;
};

// Baseline: one opaque copy of a whole board-sized picture.
void BM_CopyWholeBoardPicture(benchmark::State& bench)
{
    const QImage source = QImage(QStringLiteral(":/pictures/board.ppm")).convertToFormat(QImage::Format_RGB32);
    QImage target(source.size(), QImage::Format_RGB32);
    for (auto _ : bench) {
        platform::BitBlt(target, 0, 0, source.width(), source.height(), source, 0, 0, platform::RasterOp::SrcCopy);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_CopyWholeBoardPicture)->Unit(benchmark::kMicrosecond);

// Every cell changes: the busy board and the same board one colour on, in
// turn, so all 220 tiles and the next-piece transfers are copied each time.
// The argument is the pictures' scale: 1, or 2 for high-resolution screens.
void BM_DrawBoardAllCells(benchmark::State& bench)
{
    Fixture f(static_cast<int>(bench.range(0)));
    GameState other = f.state;
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            other.Board(r, c) = static_cast<CellCode>((static_cast<int>(other.Board(r, c)) % 6) + 1);
        }
    }
    other.NextColumn = {CellCode::Green, CellCode::Yellow, CellCode::Orange};
    std::swap(f.state, other);
    for (auto _ : bench) {
        std::swap(f.state, other);
        f.window.DrawBoard();
        benchmark::DoNotOptimize(f.window.boardPicture().constBits());
    }
}
BENCHMARK(BM_DrawBoardAllCells)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A tick: the falling column drops one row, so three or four cells change;
// at scale 1 and 2.
void BM_DrawBoardOneDrop(benchmark::State& bench)
{
    Fixture f(static_cast<int>(bench.range(0)));
    placeColumnAt(f.state, 1);
    f.window.DrawBoard();
    int row = 1;
    for (auto _ : bench) {
        row = row == 5 ? 1 : row + 1;
        placeColumnAt(f.state, row);
        f.window.DrawBoard();
        benchmark::DoNotOptimize(f.window.boardPicture().constBits());
    }
}
BENCHMARK(BM_DrawBoardOneDrop)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Baseline: repainting the whole window without any game work.
void BM_RepaintWindow(benchmark::State& bench)
{
    Fixture f;
    f.window.DrawBoard();
    for (auto _ : bench) {
        f.window.repaint();
    }
}
BENCHMARK(BM_RepaintWindow)->Unit(benchmark::kMicrosecond);

// A key press (Rotate, which redraws the board) up to the repainted frame:
// the event, the rules, the drawing, and the paint of what changed.
void BM_KeyToRepaintedFrame(benchmark::State& bench)
{
    Fixture f;
    for (auto _ : bench) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&f.window, &press);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_KeyToRepaintedFrame)->Unit(benchmark::kMicrosecond);

// Reading the menu's picture, as the first frame waits for it: from the
// PNG the repository keeps (the baseline), and from the PPM the program has
// built in.
void BM_ReadMenuPicture(benchmark::State& bench, const char* path)
{
    for (auto _ : bench) {
        benchmark::DoNotOptimize(platform::screenPicture(QString::fromUtf8(path), 1).constBits());
    }
}
BENCHMARK_CAPTURE(BM_ReadMenuPicture, DrawnPng, QUILLOP_SOURCE_DIR "/assets/pictures/menu.png")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadMenuPicture, BuiltInPpm, ":/pictures/menu.ppm")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
