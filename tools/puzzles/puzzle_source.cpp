#include "puzzle_source.h"

#include <sstream>

namespace {

constexpr int INTERIOR_COLUMNS = PUZZLE_COLUMNS - 2;
constexpr int INTERIOR_ROWS = PUZZLE_ROWS - 2;
constexpr const char* LAYOUT_HEADER = "Lumen Spire Layout";
constexpr const char* FRAME = "+----------------+";

bool CellFromChar(char ch, TPuzzleCell& cell) {
    cell = {};
    switch (ch) {
        case '#': return true;
        case '.': cell = {1, 0, 0, 1}; return true;
        case 'm': cell = {2, 0, 0, 1}; return true;
        case 'c': cell = {1, 0, 1, 1}; return true;
        case 'C': cell = {2, 0, 1, 1}; return true;
        case 'k': cell = {1, 1, 0, 1}; return true;
        case 'K': cell = {2, 1, 0, 1}; return true;
        case 'o': cell = {1, 0, 0, 0}; return true;
        default: return false;
    }
}

std::string AfterKey(const std::string& line, size_t keyLength) {
    const auto from = line.find_first_not_of(' ', keyLength);
    return from == std::string::npos ? std::string() : line.substr(from);
}

std::string Where(int column, int row) {
    return "column " + std::to_string(column) + ", row " + std::to_string(row);
}

bool IsFloor(const TPuzzleGrid& grid, int column, int row) {
    return column >= 0 && column < PUZZLE_COLUMNS && row >= 0 && row < PUZZLE_ROWS &&
           grid[column][row].Contents != 0;
}

// A gem that stays on a fill cell that is not a creation cell, for the
// editor's one-kind trial fill.
bool IsTrialGem(const TPuzzleGrid& grid, int column, int row) {
    return IsFloor(grid, column, row) && grid[column][row].IsFill && !grid[column][row].IsCreate;
}

// True when [column, row] lies in a straight run of three cells that pass the test.
template <typename Test>
bool InRunOfThree(int column, int row, Test test) {
    for (int vertical = 0; vertical <= 1; ++vertical) {
        const int dc = vertical ? 0 : 1;
        const int dr = vertical ? 1 : 0;
        for (int start = -2; start <= 0; ++start) {
            bool all = true;
            for (int i = start; i < start + 3 && all; ++i) all = test(column + i * dc, row + i * dr);
            if (all) return true;
        }
    }
    return false;
}

}  // namespace

bool ParsePuzzleSource(const std::string& text, TPuzzleSource& out, std::string& error) {
    out = {};
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    int row = 0;  // interior rows read so far
    bool open = false, closed = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        if (closed) {
            if (!line.empty()) return error = at + "text after the picture", false;
        } else if (!open) {
            if (line.rfind("title:", 0) == 0) {
                out.Title = AfterKey(line, 6);
            } else if (line.rfind("idea:", 0) == 0) {
                out.Idea = AfterKey(line, 5);
            } else if (line == FRAME) {
                open = true;
            } else if (!line.empty()) {
                return error = at + "expected title:, idea: or the picture frame", false;
            }
        } else if (line == FRAME) {
            if (row != INTERIOR_ROWS) return error = at + "the picture needs 12 rows", false;
            closed = true;
        } else {
            if (row == INTERIOR_ROWS) return error = at + "more than 12 rows", false;
            if (line.size() != INTERIOR_COLUMNS + 2 || line.front() != '|' || line.back() != '|')
                return error = at + "a row is '|', 16 cells and '|'", false;
            for (int column = 1; column <= INTERIOR_COLUMNS; ++column) {
                const char ch = line[static_cast<size_t>(column)];
                if (!CellFromChar(ch, out.Grid[column][row + 1]))
                    return error = at + "unknown cell '" + std::string(1, ch) + "'", false;
            }
            ++row;
        }
    }
    if (!closed) return error = "the picture is missing or not closed", false;
    if (out.Title.empty()) return error = "no title", false;
    return true;
}

std::string LayoutFileBytes(const TPuzzleGrid& grid) {
    std::string bytes = std::string(LAYOUT_HEADER) + "\r\n-\r\n";
    for (int block = 0; block < 4; ++block) {
        if (block > 0) bytes += "-\r\n";
        for (int row = 1; row <= INTERIOR_ROWS; ++row) {
            for (int column = 1; column <= INTERIOR_COLUMNS; ++column) {
                const TPuzzleCell& cell = grid[column][row];
                const int values[] = {cell.Contents, cell.IsChain, cell.IsCreate, cell.IsFill};
                bytes += static_cast<char>('0' + values[block]);
            }
            bytes += "\r\n";
        }
    }
    return bytes;
}

std::array<std::array<bool, PUZZLE_ROWS>, PUZZLE_COLUMNS> FedCells(const TPuzzleGrid& grid) {
    std::array<std::array<bool, PUZZLE_ROWS>, PUZZLE_COLUMNS> fed{};
    // Row by row from the top: a cell is fed when it spawns gems itself or
    // when a fed floor cell straight above or diagonally above can drop into it.
    for (int row = 1; row <= INTERIOR_ROWS; ++row)
        for (int column = 1; column <= INTERIOR_COLUMNS; ++column) {
            const TPuzzleCell& cell = grid[column][row];
            if (!cell.Contents) continue;
            bool reached = cell.IsCreate && !IsFloor(grid, column, row - 1);
            for (int dc = -1; dc <= 1 && !reached; ++dc) {
                // A chained gem holds on until it is cleared: count no falls through it.
                const int from = column + dc;
                reached = IsFloor(grid, from, row - 1) && fed[from][row - 1] && !grid[from][row - 1].IsChain;
            }
            fed[column][row] = reached;
        }
    return fed;
}

std::vector<std::string> PuzzleFaults(const TPuzzleGrid& grid) {
    std::vector<std::string> faults;
    int floor = 0, marble = 0, fill = 0, create = 0;
    bool trialMove = false;
    for (int column = 0; column < PUZZLE_COLUMNS; ++column)
        for (int row = 0; row < PUZZLE_ROWS; ++row) {
            const TPuzzleCell& cell = grid[column][row];
            floor += cell.Contents != 0;
            marble += cell.Contents == 2;
            fill += cell.IsFill != 0;
            create += cell.IsCreate != 0;
            trialMove = trialMove || (IsTrialGem(grid, column, row) &&
                                      InRunOfThree(column, row, [&grid](int c, int r) { return IsTrialGem(grid, c, r); }));
        }
    if (!floor) faults.push_back("no floor");
    if (!marble) faults.push_back("no marble floor");
    if (!fill) faults.push_back("no cell starts with a gem");
    if (!create) faults.push_back("no creation cell");
    if (!trialMove) faults.push_back("no move is possible on the starting gems");

    const auto fed = FedCells(grid);
    for (int column = 1; column <= INTERIOR_COLUMNS; ++column)
        for (int row = 1; row <= INTERIOR_ROWS; ++row) {
            const TPuzzleCell& cell = grid[column][row];
            if (!cell.Contents) continue;
            if (cell.IsCreate && IsFloor(grid, column, row - 1))
                faults.push_back("creation cell under floor at " + Where(column, row));
            if (!fed[column][row]) faults.push_back("no gem can fall to " + Where(column, row));
            if (cell.Contents == 2 && !InRunOfThree(column, row, [&grid](int c, int r) { return IsFloor(grid, c, r); }))
                faults.push_back("marble outside any line of three at " + Where(column, row));
        }
    return faults;
}
