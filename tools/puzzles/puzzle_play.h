#pragma once
// Headless play of a puzzle file with the automatic player, shared by the
// puzzle table tool and the puzzle tests.
#include <cstdint>
#include <string>

class TCellBox;

struct TPuzzleRun {
    bool Finished = false;
    bool Stuck = false;
    int Moves = 0;
    int Shuffles = 0;
};

// Fresh game, resource and puzzle globals with no sound, effects or dialogs,
// and the layout reader installed. Call before every run.
void PreparePuzzleRun();

// Reads a layout file into a cleared board, the way the game reads one: the
// first two lines are skipped, then four blocks of twelve 16-digit rows, each
// row followed by two line-end bytes, with a line between blocks.
bool ReadLayoutFile(TCellBox& box, const std::string& path);

// Starts the puzzle from a seed and lets the automatic player try it.
TPuzzleRun PlayPuzzle(const std::string& path, uint32_t seed, int maxMoves);
