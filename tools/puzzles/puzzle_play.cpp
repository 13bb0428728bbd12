#include "puzzle_play.h"

#include <fstream>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/auto_player.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/resource_globals.h"

bool ReadLayoutFile(TCellBox& box, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    box.Clear();
    for (int block = 0; block < 4; ++block) {
        if (block > 0) std::getline(in, line);
        for (int row = 1; row < BOARD_ROWS - 1; ++row) {
            char bytes[BOARD_COLUMNS] = {};  // 16 digits and the line end
            in.read(bytes, BOARD_COLUMNS);
            for (int column = 1; column < BOARD_COLUMNS - 1; ++column) {
                const char ch = bytes[column - 1];
                const int value = ch >= '0' && ch <= '9' ? ch - '0' : 0;
                TLayoutCell& cell = box.Layout[column][row];
                int* fields[] = {&cell.Contents, &cell.IsChain, &cell.IsCreate, &cell.IsFill};
                *fields[block] = value;
            }
        }
    }
    box.UpdateDrawWall();
    return true;
}

void PreparePuzzleRun() {
    ResetGlobals();
    ResetResourceGlobals();
    ResetPuzzleGlobals();
    PuzzleHooks() = TPuzzleHooks{};
    PuzzleHooks().LoadLayout = ReadLayoutFile;
    Delta = 1.0f;
}

TPuzzleRun PlayPuzzle(const std::string& path, uint32_t seed, int maxMoves) {
    PreparePuzzleRun();
    plat::SeedRnd(seed);
    TGameModeMatch3 mode;
    TPuzzleRun run;
    if (!mode.Init(path, 0)) {
        run.Stuck = true;
        return run;
    }
    TAutoPlayer player(mode);
    const TAutoPlayResult result = player.PlayLevel(maxMoves);
    run.Finished = result.Finished;
    run.Stuck = result.Stuck;
    run.Moves = result.Moves;
    run.Shuffles = result.Shuffles;
    return run;
}
