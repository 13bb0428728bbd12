#include "puzzle/puzzle_file_hooks.h"

#include "effects/board_effects.h"
#include "puzzle/layout_file.h"
#include "puzzle/puzzle_hooks.h"

void InstallPuzzleFileHooks() {
    InstallLayoutHook();
    PuzzleHooks().CreateCellEffect = CreateScoreEffect;
}
