// The shipped puzzles: eighty exact layout files, each valid for the editor,
// fair (every creation cell spawns, every marble cell can be reached and
// lined up), finished by the automatic player from fixed seeds, and harder at
// the end than at the start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/cell_box.h"
#include "puzzle/match3_hint.h"
#include "puzzle_play.h"
#include "puzzle_source.h"

namespace {

constexpr int PUZZLE_COUNT = 80;
// Generous: the hardest puzzles take the automatic player a few hundred moves.
constexpr int MOVE_LIMIT = 1500;
constexpr uint32_t SEEDS[] = {11, 23};

std::string LayoutPath(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.layout", number);
    return VC_LAYOUT_FOLDER + std::string(name);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsFloor(const TCellBox& box, int column, int row) {
    return TCellBox::IsInside(column, row) && box.Layout[column][row].Contents != FLOOR_NONE;
}

// The editor's check: floor, marble, fill cells, creation cells, and a move
// on the fill cells when all of them hold the same gem.
int EditorCheck(TCellBox& box) {
    if (box.GetLayoutCellNotEmptyCount() == 0) return 1;
    if (box.GetLayoutCellMarbleCount() == 0) return 2;
    if (box.GetLayoutCellFillCount() == 0) return 3;
    if (box.GetLayoutCellCreateCount() == 0) return 4;
    TMatch3HintList hints;
    box.FillLevel(1, 0);
    box.CreateHintList(hints);
    box.FillLevel(0, 0);
    return hints.Items.empty() ? 5 : 0;
}

bool InFloorLineOfThree(const TCellBox& box, int column, int row) {
    for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}})
        for (int start = -2; start <= 0; ++start)
            if (IsFloor(box, column + start * dc, row + start * dr) &&
                IsFloor(box, column + (start + 1) * dc, row + (start + 1) * dr) &&
                IsFloor(box, column + (start + 2) * dc, row + (start + 2) * dr))
                return true;
    return false;
}

int Median(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

TEST(ShippedPuzzles, EightyExactLayoutFiles) {
    for (int number = 1; number <= PUZZLE_COUNT; ++number) {
        SCOPED_TRACE(LayoutPath(number));
        const std::string bytes = ReadBytes(LayoutPath(number));
        ASSERT_EQ(bytes.size(), 896u);
        EXPECT_EQ(bytes.substr(0, 23), "Lumen Spire Layout\r\n-\r\n");
        size_t at = 23;
        for (int block = 0; block < 4; ++block) {
            if (block > 0) {
                EXPECT_EQ(bytes.substr(at, 3), "-\r\n");
                at += 3;
            }
            const char highest = block == 0 ? '2' : '1';
            for (int row = 0; row < 12; ++row, at += 18) {
                for (int column = 0; column < 16; ++column)
                    EXPECT_TRUE(bytes[at + column] >= '0' && bytes[at + column] <= highest) << block << " " << row;
                EXPECT_EQ(bytes.substr(at + 16, 2), "\r\n");
            }
        }
        EXPECT_EQ(at, bytes.size());
    }
    // "Next puzzle" chains at most eighty; a further file would never be reached.
    EXPECT_FALSE(std::ifstream(LayoutPath(PUZZLE_COUNT + 1)).good());
}

TEST(ShippedPuzzles, ValidAndFair) {
    for (int number = 1; number <= PUZZLE_COUNT; ++number) {
        SCOPED_TRACE(LayoutPath(number));
        PreparePuzzleRun();
        TCellBox box;
        ASSERT_TRUE(ReadLayoutFile(box, LayoutPath(number)));
        EXPECT_EQ(EditorCheck(box), 0);
        const TCellMask reached = FedCells(LayoutGridOf(box));
        for (int column = 1; column < BOARD_COLUMNS - 1; ++column)
            for (int row = 1; row < BOARD_ROWS - 1; ++row) {
                const TLayoutCell& cell = box.Layout[column][row];
                SCOPED_TRACE("column " + std::to_string(column) + ", row " + std::to_string(row));
                if (cell.Contents == FLOOR_NONE) {
                    EXPECT_FALSE(cell.IsChain || cell.IsCreate || cell.IsFill) << "flags on a hole";
                    continue;
                }
                if (cell.IsCreate) {
                    EXPECT_FALSE(IsFloor(box, column, row - 1)) << "creation cell that cannot spawn";
                }
                EXPECT_TRUE(reached[column][row]) << "no gem can fall here";
                if (cell.Contents == FLOOR_MARBLE) {
                    EXPECT_TRUE(InFloorLineOfThree(box, column, row)) << "marble that can never be lined up";
                }
            }
    }
}

// Both seeds in one process, each run stopping at its finish; the median of
// the two runs (their mean) stands for the puzzle in the difficulty check.
TEST(ShippedPuzzles, FinishedByTheAutomaticPlayerAndHarderAtTheEnd) {
    std::vector<int> firstTen, lastTen;
    for (int number = 1; number <= PUZZLE_COUNT; ++number) {
        int moves = 0;
        for (const uint32_t seed : SEEDS) {
            const TPuzzleRun run = PlayPuzzle(LayoutPath(number), seed, MOVE_LIMIT);
            EXPECT_TRUE(run.Finished) << LayoutPath(number) << " seed " << seed << ": " << run.Moves << " moves";
            EXPECT_FALSE(run.Stuck) << LayoutPath(number) << " seed " << seed;
            moves += run.Moves;
        }
        if (number <= 10) firstTen.push_back(moves);
        if (number > PUZZLE_COUNT - 10) lastTen.push_back(moves);
    }
    EXPECT_GT(Median(lastTen), 2 * Median(firstTen));
}

TEST(PuzzlePictures, UnfairPicturesAreRefused) {
    const std::string frame = "+----------------+\n";
    const auto picture = [&frame](const std::vector<std::string>& rows) {
        std::string text = "title: Test\n" + frame;
        for (const auto& row : rows) text += "|" + row + "|\n";
        return text + frame;
    };
    std::vector<std::string> rows(12, "................");
    rows[0] = "cccccccccccccccc";
    rows[6] = ".....mmmm.......";
    TPuzzleSource source;
    std::string error;
    ASSERT_TRUE(ParsePuzzleSource(picture(rows), source, error)) << error;
    EXPECT_TRUE(PuzzleFaults(source.Grid).empty());
    EXPECT_EQ(LayoutFileBytes(source.Grid).size(), 896u);

    // True when some fault of the changed picture mentions the text.
    auto refusedFor = [&](const std::vector<std::string>& changed, const std::string& text) {
        EXPECT_TRUE(ParsePuzzleSource(picture(changed), source, error)) << error;
        for (const auto& fault : PuzzleFaults(source.Grid))
            if (fault.find(text) != std::string::npos) return true;
        return false;
    };
    auto shelf = rows;  // marble under a wide shelf
    shelf[5] = "....#####.......";
    shelf[6] = ".....mmm........";
    EXPECT_TRUE(refusedFor(shelf, "no gem can fall"));
    auto buried = rows;
    buried[3] = "......c.........";
    EXPECT_TRUE(refusedFor(buried, "creation cell under floor"));
    auto lonely = rows;  // a marble cell walled in on three sides
    lonely[9] = "################";
    lonely[10] = "#######m########";
    lonely[11] = "################";
    EXPECT_TRUE(refusedFor(lonely, "line of three"));

    auto wide = rows;
    wide[2] += ".";
    EXPECT_FALSE(ParsePuzzleSource(picture(wide), source, error));
    auto odd = rows;
    odd[2][3] = 'x';
    EXPECT_FALSE(ParsePuzzleSource(picture(odd), source, error));
    rows.pop_back();
    EXPECT_FALSE(ParsePuzzleSource(picture(rows), source, error));
}
