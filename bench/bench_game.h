#pragma once
// The real game for the benchmarks of its screens, started once per process
// on the first standard puzzle's game screen: software renderer, dummy video
// without DISPLAY, null audio. Needs the built game data: the folder named by
// VC_GAME_DATA_DIR, else the working folder. False when it is not there.
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "app/game.h"
#include "app/loading_screen.h"
#include "platform/files.h"
#include "platform/input.h"
#include "screens/game_screen.h"
#include "startup.h"

inline bool StartedGame() {
    static int started = -1;
    if (started >= 0) return started == 1;
    setenv("SDL_RENDER_DRIVER", "software", 1);
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    if (const char* folder = std::getenv("VC_GAME_DATA_DIR")) plat::ChangeDir(folder);
    started = plat::FileType("layouts/001.layout") == plat::FILETYPE_FILE ? 1 : 0;
    if (!started) return false;
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
    StartGame();
    InstallGameScreenHooks();
    LoadingScreen().Destination = &StartFirstStandardPuzzle();
    while (Game().CurrentTScreen != &GameScreen() || Game().GameFade.Active) Game().RunFrame();
    return true;
}

// StartedGame, or the benchmark skipped with the reason.
inline bool StartedGameOrSkip(benchmark::State& state) {
    if (StartedGame()) return true;
    state.SkipWithError("game data not found (set VC_GAME_DATA_DIR)");
    return false;
}
