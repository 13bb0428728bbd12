// The resume point after a settled move: what the frame pays when it only
// turns the play into bytes and hands them to the keeper's writer thread,
// against writing the file (temporary file, flush to disk, rename) in the
// frame itself.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "app/game.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/resume_point.h"
#include "puzzle/save_game.h"
#include "screens/resume_keeper.h"

namespace {

// A full board in play, and a private profile folder.
struct TResumeBench {
    TResumeBench() {
        ResetGlobals();
        ResetPuzzleGlobals();
        plat::SeedRnd(5);
        folder = "/tmp/vc_bench_resume_" + std::to_string(getpid()) + "/";
        plat::CreateDir(folder, true);
        Game().ProfilePath = folder;
        mode = std::make_unique<TGameModeMatch3>();
        TCellBox& box = *mode->CellBox;
        box.SetupCells(0, FLOOR_NORMAL);
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c) {
            for (int r = 1; r < BOARD_ROWS - 1; ++r) box.Layout[c][r].IsFill = 1;
            box.Layout[c][6].Contents = FLOOR_MARBLE;
        }
        box.UpdateDrawWall();
        box.GenerateLevel();
    }
    ~TResumeBench() { plat::DeleteDir(folder, true); }
    std::string folder;
    std::unique_ptr<TGameModeMatch3> mode;
};

void BM_ResumePointHandedToItsThread(benchmark::State& state) {
    TResumeBench bench;
    TBackgroundWriter writer;
    const std::string path = ResumePointPath("Bench");
    for (auto _ : state) {
        const TSaveGameData save = SaveGameDataOf(*bench.mode);
        writer.Post(path, ResumePointBytes(save, "Bench"));
        // One move a frame at most: the thread has had its time before the next.
        state.PauseTiming();
        writer.Wait();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResumePointHandedToItsThread)->Unit(benchmark::kMicrosecond);

void BM_ResumePointWrittenInTheFrame(benchmark::State& state) {
    TResumeBench bench;
    for (auto _ : state) {
        const TSaveGameData save = SaveGameDataOf(*bench.mode);
        benchmark::DoNotOptimize(WriteResumePoint(save, "Bench"));
    }
}
BENCHMARK(BM_ResumePointWrittenInTheFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
