// The cost of one logic tick of the main loop with an empty screen.
#include <benchmark/benchmark.h>

#include "app/game.h"
#include "platform/clock.h"

namespace {

class EmptyScreen : public TScreen {
public:
    void Logic() override {}
    void Draw() override {}
};

void BM_EmptyLogicTick(benchmark::State& state) {
    plat::TManualClock clock;
    plat::SetClock(&clock);
    ResetGlobals();
    EmptyScreen screen;
    Game().CurrentTScreen = &screen;
    Game().FixedRateLogic.Init();
    for (auto _ : state) {
        clock.now += 5;
        benchmark::DoNotOptimize(Game().LogicWrapper());
    }
    Game().CurrentTScreen = nullptr;
    plat::SetClock(nullptr);
}
BENCHMARK(BM_EmptyLogicTick);

}  // namespace
