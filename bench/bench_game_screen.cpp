// The game screen of the real game: frames per second in the middle of a
// cascade with the victory sparkles running (software renderer, unthrottled
// flips, logic at 200 ticks per second). The idle board is measured in a
// fresh process (bench_idle_board.cpp). Needs the built game data: the folder
// named by VC_GAME_DATA_DIR, else the working folder.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "platform/graphics.h"
#include "puzzle/auto_player.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"

namespace {

void BM_GameScreenCascadeWithSparkles(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    plat::SetUnthrottledFlip(true);
    const int syncMode = FlipSyncMode;
    FlipSyncMode = 0;
    GameScreen().StartVictoryParticles();
    auto& mode = static_cast<TGameModeMatch3&>(*GamePlay().GameMode);
    long cascadeFrames = 0;
    for (auto _ : state) {
        GamePlay().ShowVictoryParticles = 1;
        if (mode.CellBox->IsSettled() && !mode.CellBox->IsCellSwitchAnimation()) {
            if (mode.IsFinished()) mode.Reset();
            if (const auto move = TAutoPlayer(mode).ChooseMove()) {
                mode.CellBox->SetMarkedCell(move->FirstCell);
                mode.CellBox->SetMarkedCell(move->SecondCell);
            } else {
                mode.Shuffle();
            }
        } else {
            ++cascadeFrames;
        }
        Game().RunFrame();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["moving_share"] = double(cascadeFrames) / double(state.iterations());
    plat::SetUnthrottledFlip(false);
    FlipSyncMode = syncMode;
}

}  // namespace

BENCHMARK(BM_GameScreenCascadeWithSparkles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
