// Making one day's puzzle, generation and proof together: one date at a
// time, and a whole year of dates with the median, the worst and the most
// candidates one day needed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "app/game.h"
#include "puzzle/daily_puzzle.h"
#include "puzzle/game_play.h"

namespace {

const int64_t FIRST_DAY = DaysFromCivil({2027, 1, 1});

void BM_DailyPuzzleOneDay(benchmark::State& state) {
    ResetGlobals();
    ResetPuzzleGlobals();
    int64_t day = FIRST_DAY;
    for (auto _ : state) benchmark::DoNotOptimize(MakeDailyPuzzle(CivilFromDays(day++)).Moves);
}
BENCHMARK(BM_DailyPuzzleOneDay)->Unit(benchmark::kMillisecond);

void BM_DailyPuzzleYear(benchmark::State& state) {
    ResetGlobals();
    ResetPuzzleGlobals();
    for (auto _ : state) {
        std::vector<double> ms;
        int candidates = 0;
        for (int64_t day = FIRST_DAY; day < FIRST_DAY + 365; ++day) {
            const auto start = std::chrono::steady_clock::now();
            candidates = std::max(candidates, MakeDailyPuzzle(CivilFromDays(day)).Candidate + 1);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(ms.begin(), ms.end());
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["worst_ms"] = ms.back();
        state.counters["most_candidates"] = candidates;
    }
}
BENCHMARK(BM_DailyPuzzleYear)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
