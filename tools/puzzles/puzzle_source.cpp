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

std::vector<std::string> PuzzleFaults(const TPuzzleGrid& grid) {
    std::vector<std::string> texts;
    for (const TLayoutFault& fault : LayoutFaults(grid)) texts.push_back(DescribeLayoutFault(fault));
    return texts;
}
