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
void FillBusy(GameState& state)
{
    SeededRandom random(5);
    for (int r = 9; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            state.Board(r, c) = RoundedColour(random);
        }
    }
    state.Board(12, 3) = CellCode::Special;
    state.CurrentSpecial = SpecialKind::RowEater;
    state.NextColumn = {CellCode::Red, CellCode::Special, CellCode::Blue};
    state.NextSpecial = SpecialKind::ColumnBuster;
}

struct Fixture {
    Fixture()
    {
        window.setPauseFunction([](QWidget*, int) {});
        NewGame(state);
        window.StartGame();
        FillBusy(state);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the window was never shown");
        }
    }
    GameState state;
    KeyBindings keys;
    SeededRandom random{1};
    frmGame window{state, keys, random};
};

// Baseline: one opaque copy of a whole board-sized picture.
void BM_CopyWholeBoardPicture(benchmark::State& bench)
{
    const QImage source = QImage(QStringLiteral(":/pictures/board.png")).convertToFormat(QImage::Format_RGB32);
    QImage target(source.size(), QImage::Format_RGB32);
    for (auto _ : bench) {
        platform::BitBlt(target, 0, 0, source.width(), source.height(), source, 0, 0, platform::RasterOp::SrcCopy);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_CopyWholeBoardPicture)->Unit(benchmark::kMicrosecond);

// The 220 board tiles and the next-piece transfers into their pictures.
void BM_DrawBoard(benchmark::State& bench)
{
    Fixture f;
    for (auto _ : bench) {
        f.window.DrawBoard();
        benchmark::DoNotOptimize(f.window.boardPicture().constBits());
    }
}
BENCHMARK(BM_DrawBoard)->Unit(benchmark::kMicrosecond);

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
