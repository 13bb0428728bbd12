// One logic tick of a full 16 x 12 board in the middle of a cascade, and one
// level generation on an open board.
#include <benchmark/benchmark.h>

#include <memory>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"

namespace {

// A full board with creation cells along the top, filled at random.
std::unique_ptr<TGameModeMatch3> FullBoard() {
    auto mode = std::make_unique<TGameModeMatch3>();
    TCellBox& box = *mode->CellBox;
    box.SetupCells(0, FLOOR_NORMAL);
    for (int c = 1; c < BOARD_COLUMNS - 1; ++c) {
        for (int r = 1; r < BOARD_ROWS - 1; ++r) box.Layout[c][r].IsFill = 1;
        box.Layout[c][1].IsCreate = 1;
        box.Layout[c][6].Contents = FLOOR_MARBLE;
    }
    box.UpdateDrawWall();
    box.GenerateLevel();
    return mode;
}

// Clears a band of gems so that the columns above fall and the creation
// cells refill: a cascade in full swing.
void StartCascade(TCellBox& box) {
    for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
        for (int r = 7; r <= 9; ++r) box.CellAt(c, r).StartDestroyAnimation();
}

void BM_ManageTickDuringCascade(benchmark::State& state) {
    ResetGlobals();
    ResetPuzzleGlobals();
    plat::SeedRnd(7);
    auto mode = FullBoard();
    TCellBox& box = *mode->CellBox;
    StartCascade(box);
    int ticks = 0;
    for (auto _ : state) {
        Delta = 1.0f;
        box.Manage();
        // Keep the board busy: restart the cascade every 120 ticks (outside
        // the measurement as far as possible: it is one call in 120).
        if (++ticks % 120 == 0) {
            state.PauseTiming();
            StartCascade(box);
            GamePlay().ScoreAdder = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_ManageTickDuringCascade)->Unit(benchmark::kMicrosecond);

void BM_ManageTickAtRest(benchmark::State& state) {
    ResetGlobals();
    ResetPuzzleGlobals();
    plat::SeedRnd(7);
    auto mode = FullBoard();
    TCellBox& box = *mode->CellBox;
    for (auto _ : state) {
        Delta = 1.0f;
        box.Manage();
    }
}
BENCHMARK(BM_ManageTickAtRest)->Unit(benchmark::kMicrosecond);

void BM_GenerateLevelOpenBoard(benchmark::State& state) {
    ResetGlobals();
    ResetPuzzleGlobals();
    plat::SeedRnd(11);
    auto mode = FullBoard();
    for (auto _ : state) benchmark::DoNotOptimize(mode->CellBox->GenerateLevel());
}
BENCHMARK(BM_GenerateLevelOpenBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
