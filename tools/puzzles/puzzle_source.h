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
#include <array>
#include <string>
#include <vector>

constexpr int PUZZLE_COLUMNS = 18;
constexpr int PUZZLE_ROWS = 14;

struct TPuzzleCell {
    int Contents = 0;  // 0 no floor, 1 floor, 2 marble
    int IsChain = 0;
    int IsCreate = 0;
    int IsFill = 0;
};

// Indexed [column][row] like the board; the outer ring stays empty.
using TPuzzleGrid = std::array<std::array<TPuzzleCell, PUZZLE_ROWS>, PUZZLE_COLUMNS>;

struct TPuzzleSource {
    std::string Title;
    std::string Idea;
    TPuzzleGrid Grid{};
};

// Reads a picture; on failure answers false with a message naming the line.
bool ParsePuzzleSource(const std::string& text, TPuzzleSource& out, std::string& error);

// The layout file for the grid: header, then the four digit blocks, CR LF rows.
std::string LayoutFileBytes(const TPuzzleGrid& grid);

// Floor cells a gem can reach by falling (straight or diagonally, never
// through a chained gem) from a creation cell that is able to spawn.
// Indexed [column][row].
std::array<std::array<bool, PUZZLE_ROWS>, PUZZLE_COLUMNS> FedCells(const TPuzzleGrid& grid);

// Everything that keeps the grid from being a fair puzzle, one text per fault;
// empty when the puzzle may ship.
std::vector<std::string> PuzzleFaults(const TPuzzleGrid& grid);
