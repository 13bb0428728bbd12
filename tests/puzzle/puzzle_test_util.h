#pragma once
// Boards drawn as text, and a fixture that gives every test fresh globals.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/resource_globals.h"

// Layout rows start at interior row 1, characters at interior column 1:
//   '#' no floor, '.' normal floor, 'm' marble floor, 'c' normal creation
//   floor, 'k' chained normal floor, 'K' chained marble floor. Every floor is
//   a fill cell; 'o' is normal floor that starts empty (no fill).
// Gem rows use the same positions: '1'..'6' a gem, anything else none.
inline void BuildBox(TCellBox& box, const std::vector<std::string>& layout,
                     const std::vector<std::string>& gems = {}) {
    box.Clear();
    for (size_t row = 0; row < layout.size(); ++row)
        for (size_t col = 0; col < layout[row].size(); ++col) {
            const int c = static_cast<int>(col) + 1;
            const int r = static_cast<int>(row) + 1;
            if (!TCellBox::IsInterior(c, r)) continue;
            TLayoutCell& floor = box.Layout[c][r];
            const char ch = layout[row][col];
            floor.Contents = ch == '#' ? FLOOR_NONE : (ch == 'm' || ch == 'K') ? FLOOR_MARBLE : FLOOR_NORMAL;
            floor.IsFill = ch != '#' && ch != 'o';
            floor.IsCreate = ch == 'c';
            floor.IsChain = ch == 'k' || ch == 'K';
        }
    for (size_t row = 0; row < gems.size(); ++row)
        for (size_t col = 0; col < gems[row].size(); ++col) {
            const int c = static_cast<int>(col) + 1;
            const int r = static_cast<int>(row) + 1;
            const char ch = gems[row][col];
            if (TCellBox::IsInterior(c, r) && ch >= '1' && ch <= '6') box.CellAt(c, r).SetContents(ch - '0');
        }
    box.UpdateDrawWall();
}

// A layout of the whole interior: every row is `row`.
inline std::vector<std::string> FullRows(const std::string& row, int count = BOARD_ROWS - 2) {
    return std::vector<std::string>(static_cast<size_t>(count), row);
}

// A fair puzzle: floor everywhere, creation cells along the top, marble in the middle.
inline std::vector<std::string> FairRows() {
    auto rows = FullRows("................");
    rows[0] = "cccccccccccccccc";
    rows[6] = ".....mmmm.......";
    return rows;
}

inline int PixelX(int column) { return 76 + CELL_SIZE * column + CELL_SIZE / 2; }
inline int PixelY(int row) { return 48 + CELL_SIZE * row + CELL_SIZE / 2; }

inline void Tick(TCellBox& box, int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
        Delta = 1.0f;
        box.Manage();
    }
}

inline void TickMode(TGameModeMatch3& mode, int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
        Delta = 1.0f;
        mode.Logic();
    }
}

inline int GemCount(const TCellBox& box) {
    int count = 0;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) count += box.CellAt(c, r).Contents != 0;
    return count;
}

class PuzzleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        ResetPuzzleGlobals();
        PuzzleHooks() = TPuzzleHooks{};
        PuzzleHooks().PlaySound = [this](const std::string& name) { sounds.push_back(name); };
        plat::SeedRnd(12345);
        Delta = 1.0f;
    }
    void TearDown() override { PuzzleHooks() = TPuzzleHooks{}; }

    int CountSound(const std::string& name) const {
        int count = 0;
        for (const auto& s : sounds) count += s == name;
        return count;
    }

    std::vector<std::string> sounds;
};
