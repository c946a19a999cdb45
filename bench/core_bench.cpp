// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Speed of the rules with the screen taken out: pauses and drawing are
// no-ops, so what is measured is the game's own work.
#include "game/core/column.h"
#include "game/core/gameloop.h"
#include "game/core/sets.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace quillop;

class NullView final : public GameView {
public:
    void DrawBoard() override {}
    void refresh() override {}
    void pause(int) override {}
    void showScore(std::int32_t) override {}
    void showLevel(std::int16_t) override {}
};

class NullTimer final : public GameTimer {
public:
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    int interval() const override { return m_interval; }
    void setInterval(int milliseconds) override { m_interval = milliseconds; }

private:
    bool m_enabled = false;
    int m_interval = StartInterval;
};

// A level-14 refill: 15 full rows of random colours, sets and all.
GameState busyBoard(std::uint64_t seed)
{
    GameState state;
    SeededRandom random(seed);
    for (int r = 9; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            state.Board(r, c) = roundedColour(random);
        }
    }
    return state;
}

// The floor to compare with: reading every cell of the board once.
void BM_ReadEveryCell(benchmark::State& bench)
{
    const GameState state = busyBoard(1);
    for (auto _ : bench) {
        int sum = 0;
        for (int r = 1; r <= FloorRow; ++r) {
            for (int c = 1; c <= BoardGrid::Columns; ++c) {
                sum += static_cast<int>(state.Board(r, c));
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadEveryCell);

// One whole set check, chains included, on a freshly refilled busy board.
void BM_CheckForSetsBusyBoard(benchmark::State& bench)
{
    const GameState busy = busyBoard(2);
    NullView view;
    for (auto _ : bench) {
        GameState state = busy;
        CheckForSets(state, view);
        benchmark::DoNotOptimize(state.GameScore);
    }
}
BENCHMARK(BM_CheckForSetsBusyBoard);

// One set check that finds nothing: the cost paid by every landing twice.
void BM_CheckForSetsQuietBoard(benchmark::State& bench)
{
    GameState state;
    for (int r = 9; r <= FloorRow; ++r) {
        for (int c = 1; c <= BoardGrid::Columns; ++c) {
            // A pattern of four colours that never lines up three alike.
            state.Board(r, c) = static_cast<CellCode>(1 + ((r / 2) + (c / 2) * 2) % 4);
        }
    }
    NullView view;
    for (auto _ : bench) {
        CheckForSets(state, view);
        benchmark::DoNotOptimize(state.Board);
    }
}
BENCHMARK(BM_CheckForSetsQuietBoard);

// Whole games played by random keys, ticks driven directly. Counts landings.
void BM_HeadlessGames(benchmark::State& bench)
{
    NullView view;
    NullTimer timer;
    KeyBindings keys;
    SeededRandom random(42);
    SeededRandom player(4242);
    std::int64_t landings = 0;
    constexpr std::int16_t Moves[] = {VirtualKey::Left, VirtualKey::Right, VirtualKey::Up, VirtualKey::Down};
    for (auto _ : bench) {
        GameState state;
        NewGame(state);
        GameLoop loop(state, keys, view, timer, random);
        loop.start();
        for (int ticks = 0; ticks < 100000; ++ticks) {
            const int key = pick(player, 6);
            if (key <= 4) {
                loop.keyDown(Moves[key - 1], {});
            } else if (key == 5) {
                loop.keyDown(VirtualKey::Down, {true, false, false});
            }
            const std::int16_t rowBefore = state.CurrentRow;
            const bool fell = CanFall(state);
            const TickOutcome outcome = loop.GameTick();
            if (!fell || state.CurrentRow < rowBefore) {
                ++landings;
            }
            if (outcome == TickOutcome::LevelComplete) {
                loop.AdvanceLevel();
            } else if (outcome == TickOutcome::GameOver) {
                break;
            }
        }
    }
    bench.counters["landings"] = benchmark::Counter(static_cast<double>(landings), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HeadlessGames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
