#include "puzzle/puzzle_hooks.h"

TPuzzleHooks& PuzzleHooks() {
    static TPuzzleHooks hooks;
    return hooks;
}
