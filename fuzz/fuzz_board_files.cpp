// libFuzzer target: the layout and saved-game readers must refuse any
// damaged or hostile file with a message, never crash, and whatever they
// accept must write back to the same bytes (for layouts) or read back equal.
// What they accept is then played as the game would: a layout started as a
// new puzzle, a save loaded into a game in progress, each run for two seconds
// of game logic with never a gem on a position without floor.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/game.h"
#include "platform/clock.h"
#include "fuzz_files.h"
#include "puzzle/board_text.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_mode.h"
#include "puzzle/game_play.h"
#include "puzzle/save_game.h"

namespace {

constexpr int kTicks = 400;  // two seconds of game logic

void Play(TGameModeMatch3& mode) {
    for (int tick = 0; tick < kTicks; ++tick) {
        Delta = 1.0f;
        mode.Logic();
    }
    const TCellBox& box = *mode.CellBox;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r)
            if (box.CellAt(c, r).Contents != 0 && box.Layout[c][r].Contents == FLOOR_NONE)
                fuzz::Fail("a gem on a position without floor");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_board_files");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    TLayoutBlocks layout;
    if (ParseLayout(bytes, layout).empty()) {
        const std::string text = FormatLayout(layout);
        TLayoutBlocks again;
        if (!ParseLayout(std::vector<uint8_t>(text.begin(), text.end()), again).empty() || !(again == layout))
            fuzz::Fail("a layout reads back different");
        ResetPuzzleGlobals();
        plat::SeedRnd(1);
        TGameModeMatch3 mode;
        ApplyLayout(*mode.CellBox, layout);
        mode.StartLoadedLevel();
        Play(mode);
    }
    TSaveGameData save;
    if (ParseSaveGame(bytes, save).empty()) {
        const std::string text = FormatSaveGame(save);
        TSaveGameData again;
        if (!ParseSaveGame(std::vector<uint8_t>(text.begin(), text.end()), again).empty() || !(again == save))
            fuzz::Fail("a saved game reads back different");
        ResetPuzzleGlobals();
        plat::SeedRnd(1);
        TGameModeMatch3 mode;
        ApplySaveGameData(mode, save);
        Play(mode);
    }
    return 0;
}
