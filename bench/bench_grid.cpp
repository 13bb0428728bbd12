// The puzzle grid of the eighty standard puzzles, every one won: each page
// drawn as it is today (a check mark per puzzle) and with each thumbnail's
// stars and best score and the page's and grid's star totals, per frame
// (software renderer, unthrottled flips; the ten pages in turn, paging left
// out of the timing), and the cost of turning a page, which reads the bests.
// Needs the built game data (VC_GAME_DATA_DIR, else the working folder).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

#include "bench_game.h"
#include "platform/graphics.h"
#include "screens/level_list.h"

namespace {

constexpr int PUZZLES = 80;
constexpr int FRAMES_PER_PAGE = 50;

std::string Key(int number) {
    char name[8];
    std::snprintf(name, sizeof name, "%03d", number);
    return name;
}

// The grid as the play screen makes it, every puzzle won, with or without stars.
std::unique_ptr<PNLevelList> MakeGrid(bool stars) {
    static std::map<std::string, TPersonalBest> bests;
    const std::string folder = "/tmp/vc_bench_grid_" + std::to_string(getpid()) + "/";
    plat::CreateDir(folder, true);
    std::string completion;
    for (int i = 1; i <= PUZZLES; ++i) {
        bests[Key(i)] = {1000 * i, 20 + i, 60000, 1 + i % 3};
        completion += Key(i) + "=1\r\n";
    }
    plat::WriteFileAtomic(folder + "Bench.ini", completion);
    auto list = PNLevelList::Create("layouts/", "layout", "", "Tiles", "None", 1, 0, 8, "Bench", folder);
    list->CreateLevelImageFunction = CreateLevelThumbnail;
    list->PageText = "Page NNN of MMM";
    if (stars) {
        list->FindBest = [](const std::string& key) {
            const auto found = bests.find(key);
            return found == bests.end() ? nullptr : &found->second;
        };
        list->PageStarsText = "Stars: NNN of MMM";
        list->AllStarsText = "In all: NNN of MMM stars";
    }
    list->Init();
    list->CreateImages(1);
    list->CreateMenu();
    return list;
}

void NextPage(PNLevelList& list) {
    if (list.PageNumber() == list.PageCount()) {
        while (list.PageNumber() > 1) list.MoveLeft();
    } else {
        list.MoveRight();
    }
}

void BM_PuzzleGridFrame(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    plat::SetUnthrottledFlip(true);
    const int syncMode = FlipSyncMode;
    FlipSyncMode = 0;
    auto list = MakeGrid(state.range(0) == 1);
    long frame = 0;
    for (auto _ : state) {
        if (++frame % FRAMES_PER_PAGE == 0) {
            state.PauseTiming();
            NextPage(*list);
            state.ResumeTiming();
        }
        plat::Cls();
        list->Draw();
        plat::Flip(0);
    }
    state.SetLabel(state.range(0) ? "stars and bests" : "check marks");
    list->Kill();
    plat::SetUnthrottledFlip(false);
    FlipSyncMode = syncMode;
}
BENCHMARK(BM_PuzzleGridFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PuzzleGridTurnPage(benchmark::State& state) {
    if (!StartedGameOrSkip(state)) return;
    auto list = MakeGrid(state.range(0) == 1);
    for (auto _ : state) NextPage(*list);
    state.SetLabel(state.range(0) ? "stars and bests" : "check marks");
    list->Kill();
}
BENCHMARK(BM_PuzzleGridTurnPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
