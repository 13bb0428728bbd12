// The title screen of the real game at rest, the pointer still and off the
// buttons: the time of a frame with the software renderer, each frame a
// display frame (1/48 s of logic at 200 ticks per second) later than the one
// before, as the game idles, while the logo's glow moves and all else stands.
// The share of frames presented tells how many the glow changed; the light
// added by the game's own code per frame, whether the glow took that path.
// Needs the built game data: the folder named by VC_GAME_DATA_DIR, else the
// working folder.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "screens/screen_list.h"

namespace {

void BM_TitleFrame(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    auto& game = Game();
    game.DestinationTScreen = &ScreenFor(EGameScreen::Title);
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
    while (game.CurrentTScreen != &ScreenFor(EGameScreen::Title) || game.GameFade.Active) game.RunFrame();
    plat::MoveMouse(20, 590);
    plat::SetUnthrottledFlip(true);
    const int syncMode = FlipSyncMode;
    FlipSyncMode = 0;
    // The pointer's arrival and the buttons' settling are not measured.
    for (int i = 0; i < 200; ++i) game.RunFrame();
    plat::TManualClock clock;
    clock.now = plat::MilliSecs();
    plat::SetClock(&clock);
    game.FixedRateLogic.Init();
    const uint64_t presented = plat::PresentedFrames();
    const uint64_t inPart = plat::FramesDrawnInPart();
    const uint64_t byHand = plat::LightsAddedByHand();
    for (auto _ : state) {
        clock.now += 1000 / 48;
        game.RunFrame();
    }
    plat::SetClock(nullptr);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["in_part"] = double(plat::FramesDrawnInPart() - inPart) / double(state.iterations());
    state.counters["lights_by_hand"] = double(plat::LightsAddedByHand() - byHand) / double(state.iterations());
    state.counters["presented_share"] = double(plat::PresentedFrames() - presented) / double(state.iterations());
    plat::SetUnthrottledFlip(false);
    FlipSyncMode = syncMode;
}

}  // namespace

BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
