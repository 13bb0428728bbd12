// Where start-up's loading time goes, by kind of resource: the font in its
// seven sizes, the sounds and music, the bank images, and the large pictures
// from the archive. Needs the built game data: the folder named by
// VC_GAME_DATA_DIR, else the working folder.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/game.h"
#include "platform/files.h"
#include "resources/resource_globals.h"

namespace {

bool FoundGameData() {
    if (const char* folder = std::getenv("VC_GAME_DATA_DIR")) plat::ChangeDir(folder);
    return plat::FileType("data/resources/data.pak") == plat::FILETYPE_FILE;
}

// Fresh globals with the archives mounted and the banks pointed at their folders.
void PrepareLoading() {
    ResetGlobals();
    Game().SetDefaultPaths();
    LoadGameTextFile();
    MountArchives();
    PointBanksAtFolders();
}

void BM_Loading(benchmark::State& state, void (*load)()) {
    if (!FoundGameData()) {
        state.SkipWithError("game data not found (set VC_GAME_DATA_DIR)");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        PrepareLoading();
        state.ResumeTiming();
        load();
    }
    ResetGlobals();
}

void Fonts() { LoadGameFonts(); }
void SoundsAndMusic() { LoadSoundResources([] {}); }
void BankImages() { LoadBankImages(); }
void ArchiveImages() { LoadArchiveImages([] {}); }

}  // namespace

BENCHMARK_CAPTURE(BM_Loading, fonts, &Fonts)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Loading, sounds_and_music, &SoundsAndMusic)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Loading, bank_images, &BankImages)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(BM_Loading, archive_images, &ArchiveImages)->Unit(benchmark::kMillisecond)->Iterations(5);
