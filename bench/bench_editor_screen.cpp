// The level editor on the game screen of the real game, with the live
// verdict on: strokes across the board one after the other (press, one cell
// every two frames, release, a pause until the verdict has dealt its trial
// boards, then a hundred idle frames), each frame timed; reported are the
// worst frame overall, while a stroke paints, while the verdict waits and
// deals and while idle, and the 99th percentile (a loaded machine's noise
// makes the worst frame vary from run to run). Also the cost
// of one dealing attempt on a board all of floor, the unit of the verdict's
// slice per tick. Software renderer, unthrottled flips, logic at 200 ticks a
// second; needs the built game data (VC_GAME_DATA_DIR, else the working folder).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "resources/anim_timing.h"
#include "bench_game.h"
#include "platform/graphics.h"
#include "puzzle/editor_mode.h"
#include "puzzle/game_play.h"
#include "screens/game_gui.h"

namespace {

using Clock = std::chrono::steady_clock;

// Floor everywhere, creation cells along the top, a row of marble: every
// stroke over it keeps it a layout the verdict deals for.
void LayFairFloor(TCellBox& box) {
    TLayoutGrid grid{};
    for (int column = 1; column < BOARD_COLUMNS - 1; ++column)
        for (int row = 1; row < BOARD_ROWS - 1; ++row)
            grid[column][row] = {row == 7 ? FLOOR_MARBLE : FLOOR_NORMAL, 0, row == 1, 1};
    SetLayoutGrid(box, grid);
    box.UpdateDrawWall();
}

TGameModeEditor& OpenEditor() {
    auto& play = GamePlay();
    play.Init(GAMEMODE_EDITOR);
    GameGUI().Start();
    play.GameMode->Init("", 0);
    auto& editor = static_cast<TGameModeEditor&>(*play.GameMode);
    LayFairFloor(*editor.CellBox);
    editor.Verdict.Changed(*editor.CellBox);
    return editor;
}

// The first standard puzzle again, for the benchmarks that play.
void BackToPlay() {
    StartFirstStandardPuzzle();
    GameState().disableButtons = 0;
}

void Post(plat::EventKind kind, int data, int x, int y) { plat::PostEvent({kind, data, x, y}); }

void BM_EditorStrokeWithLiveVerdict(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    plat::SetUnthrottledFlip(true);
    const int syncMode = FlipSyncMode;
    FlipSyncMode = 0;
    TGameModeEditor& editor = OpenEditor();
    const TCellBox& box = *editor.CellBox;
    const auto cellX = [&box](int column) { return box.AreaStartX + column * CELL_SIZE + CELL_SIZE / 2; };
    const auto cellY = [&box](int row) { return box.AreaStartY + row * CELL_SIZE + CELL_SIZE / 2; };

    // The worst frame with the layout settled and nothing touched: the
    // machine's own noise, to hold the others against.
    constexpr int IDLE_FRAMES = 100;
    double worst = 0, worstStroke = 0, worstDealing = 0, worstIdle = 0, total = 0;
    long strokes = 0;
    std::vector<double> times;
    int step = 0, row = 2, idle = 0;
    for (auto _ : state) {
        // Steps 0..32 paint along a row, then the verdict is left to settle.
        const bool painting = step <= 2 * (BOARD_COLUMNS - 2);
        if (step == 0) {
            // Marble and normal floor by turns, so each stroke changes the layout.
            plat::PostKeyPress(plat::KEY_LCONTROL);
            Post(plat::EventKind::MouseMove, 0, cellX(1), cellY(row));
            Post(plat::EventKind::MouseDown, 1, cellX(1), cellY(row));
        } else if (painting && step % 2 == 0) {
            Post(plat::EventKind::MouseMove, 0, cellX(1 + step / 2), cellY(row));
        } else if (step == 2 * (BOARD_COLUMNS - 2) + 1) {
            Post(plat::EventKind::MouseUp, 1, cellX(BOARD_COLUMNS - 2), cellY(row));
        }
        const bool dealing = !painting && !editor.Verdict.Settled();
        const auto start = Clock::now();
        Game().RunFrame();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        worst = std::max(worst, ms);
        if (painting) worstStroke = std::max(worstStroke, ms);
        if (dealing) worstDealing = std::max(worstDealing, ms);
        if (!painting && !dealing) worstIdle = std::max(worstIdle, ms);
        total += ms;
        times.push_back(ms);
        ++step;
        if (!painting && editor.Verdict.Settled() && ++idle == IDLE_FRAMES) {
            step = idle = 0;
            row = row % (BOARD_ROWS - 3) + 2;
            ++strokes;
        }
    }
    state.counters["worst_frame_ms"] = worst;
    state.counters["worst_stroke_frame_ms"] = worstStroke;
    state.counters["worst_dealing_frame_ms"] = worstDealing;
    state.counters["worst_idle_frame_ms"] = worstIdle;
    state.counters["mean_frame_ms"] = total / double(std::max<size_t>(1, times.size()));
    if (!times.empty()) {
        std::nth_element(times.begin(), times.begin() + long(times.size() * 99 / 100), times.end());
        state.counters["p99_frame_ms"] = times[times.size() * 99 / 100];
    }
    state.counters["strokes"] = double(strokes);
    plat::SetUnthrottledFlip(false);
    FlipSyncMode = syncMode;
    BackToPlay();
}

void BM_DealAttemptOnAFullBoard(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    TCellBox box;
    box.Clear();
    LayFairFloor(box);
    for (auto _ : state) benchmark::DoNotOptimize(box.GenerateLevel(1));
    // The time of a whole slice (ATTEMPTS_PER_TICK attempts), in milliseconds.
    const double slices = double(state.iterations()) / TLiveVerdict::ATTEMPTS_PER_TICK;
    state.counters["slice_ms"] =
        benchmark::Counter(slices / 1000.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The verdict's work on a layout change: the quick checks alone (what a
// stroke pays on every cell it changes), and with the trial deals to the end.
void BM_VerdictQuickChecks(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    TCellBox box;
    box.Clear();
    LayFairFloor(box);
    TLiveVerdict verdict;
    for (auto _ : state) verdict.Changed(box);
}

void BM_VerdictToTheEnd(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    TCellBox box;
    box.Clear();
    LayFairFloor(box);
    TLiveVerdict verdict;
    long ticks = 0;
    for (auto _ : state) {
        verdict.Changed(box);
        verdict.Tick(box, AnimTiming().CalcAnimLength(TLiveVerdict::STILL_MS), false);
        for (++ticks; !verdict.Settled(); ++ticks) verdict.Tick(box, 1, false);
    }
    state.counters["ticks"] = double(ticks) / double(state.iterations());
}

}  // namespace

BENCHMARK(BM_VerdictQuickChecks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VerdictToTheEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorStrokeWithLiveVerdict)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_DealAttemptOnAFullBoard)->Unit(benchmark::kMicrosecond);
