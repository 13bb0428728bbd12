#pragma once
// A puzzle written as a picture of characters, and the board layout it stands
// for. The picture covers the 16 x 12 playable interior, one framed row per
// line:
//
//   title: Name shown in the puzzle list of the docs
//   idea: one line on what the puzzle is about
//   +----------------+
//   |cccccccccccccccc|
//   |..mm....#....mm.|     ... twelve rows in all
//   +----------------+
//
// Legend: '#' no floor, '.' floor, 'm' marble floor, 'c' creation cell,
// 'C' creation cell on marble, 'k' chained gem, 'K' chained gem on marble,
// 'o' floor that starts empty. Every floor except 'o' starts with a gem.
#include <string>
#include <vector>

#include "puzzle/layout_check.h"

constexpr int PUZZLE_COLUMNS = BOARD_COLUMNS;
constexpr int PUZZLE_ROWS = BOARD_ROWS;

using TPuzzleCell = TLayoutFlags;
// Indexed [column][row] like the board; the outer ring stays empty.
using TPuzzleGrid = TLayoutGrid;

struct TPuzzleSource {
    std::string Title;
    std::string Idea;
    TPuzzleGrid Grid{};
};

// Reads a picture; on failure answers false with a message naming the line.
bool ParsePuzzleSource(const std::string& text, TPuzzleSource& out, std::string& error);

// The layout file for the grid: header, then the four digit blocks, CR LF rows.
std::string LayoutFileBytes(const TPuzzleGrid& grid);

// Everything that keeps the grid from being a fair puzzle (LayoutFaults), one
// text per fault; empty when the puzzle may ship.
std::vector<std::string> PuzzleFaults(const TPuzzleGrid& grid);
