#include "screens/puzzle_file_hooks.h"

#include "puzzle/layout_file.h"
#include "puzzle/puzzle_hooks.h"
#include "screens/board_effects.h"

void InstallPuzzleFileHooks() {
    InstallLayoutHook();
    PuzzleHooks().CreateCellEffect = CreateScoreEffect;
}
