#include "puzzle/layout_check.h"

#include "puzzle/cell_box.h"

namespace {

bool IsFloor(const TLayoutGrid& grid, int column, int row) {
    return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS && grid[column][row].Contents != 0;
}

// A gem that stays on a fill cell that is not a creation cell, for the
// one-kind trial fill.
bool IsTrialGem(const TLayoutGrid& grid, int column, int row) {
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

std::string Where(const TLayoutFault& fault) {
    return " at column " + std::to_string(fault.Column) + ", row " + std::to_string(fault.Row);
}

}  // namespace

TLayoutGrid LayoutGridOf(const TCellBox& box) {
    TLayoutGrid grid{};
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row) {
            const TLayoutCell& cell = box.Layout[column][row];
            grid[column][row] = {cell.Contents, cell.IsChain, cell.IsCreate, cell.IsFill};
        }
    return grid;
}

namespace {

// A chained gem is cleared (and its chain with it) by a line of three through
// it: all three cells able to hold a gem, one of them unchained to set the
// line off with a swap or a fall.
bool ChainCanBeCleared(const TLayoutGrid& grid, const TCellMask& holdsGem, int column, int row) {
    for (int vertical = 0; vertical <= 1; ++vertical) {
        const int dc = vertical ? 0 : 1;
        const int dr = vertical ? 1 : 0;
        for (int start = -2; start <= 0; ++start) {
            bool all = true, unchained = false;
            for (int i = start; i < start + 3 && all; ++i) {
                const int c = column + i * dc, r = row + i * dr;
                all = IsFloor(grid, c, r) && holdsGem[c][r];
                unchained = unchained || (all && !grid[c][r].IsChain);
            }
            if (all && unchained) return true;
        }
    }
    return false;
}

}  // namespace

TCellMask FedCells(const TLayoutGrid& grid) {
    TCellMask fed{};
    // Cells a gem can fall out of: unchained floor, and chained floor once a
    // line can clear its gem, which leaves the cell open floor.
    TCellMask open{};
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row) open[column][row] = !grid[column][row].IsChain;
    // Every chain opened lets gems further down; go on until no more open.
    for (bool opened = true; opened;) {
        // Row by row from the top: a cell is fed when it spawns gems itself or
        // when a fed, open floor cell straight above or diagonally above can drop into it.
        for (int row = 1; row < BOARD_ROWS - 1; ++row)
            for (int column = 1; column < BOARD_COLUMNS - 1; ++column) {
                const TLayoutFlags& cell = grid[column][row];
                if (!cell.Contents) continue;
                bool reached = cell.IsCreate && !IsFloor(grid, column, row - 1);
                for (int dc = -1; dc <= 1 && !reached; ++dc) {
                    const int from = column + dc;
                    reached = IsFloor(grid, from, row - 1) && fed[from][row - 1] && open[from][row - 1];
                }
                fed[column][row] = reached;
            }
        TCellMask holdsGem{};
        for (int column = 0; column < BOARD_COLUMNS; ++column)
            for (int row = 0; row < BOARD_ROWS; ++row)
                holdsGem[column][row] = IsFloor(grid, column, row) && (grid[column][row].IsFill || fed[column][row]);
        opened = false;
        for (int column = 1; column < BOARD_COLUMNS - 1; ++column)
            for (int row = 1; row < BOARD_ROWS - 1; ++row)
                if (!open[column][row] && ChainCanBeCleared(grid, holdsGem, column, row)) {
                    open[column][row] = true;
                    opened = true;
                }
    }
    return fed;
}

uint32_t LayoutSeed(const TLayoutGrid& grid) {
    // FNV-1a over the four flags of every cell.
    uint32_t hash = 2166136261u;
    for (const auto& column : grid)
        for (const TLayoutFlags& cell : column)
            for (const int value : {cell.Contents, cell.IsChain, cell.IsCreate, cell.IsFill}) {
                hash ^= static_cast<uint32_t>(value) & 0xFFu;
                hash *= 16777619u;
            }
    return hash;
}

std::vector<TLayoutFault> LayoutFaults(const TLayoutGrid& grid) {
    std::vector<TLayoutFault> faults;
    int floor = 0, marble = 0, fill = 0, create = 0;
    bool trialMove = false;
    const auto trialGem = [&grid](int c, int r) { return IsTrialGem(grid, c, r); };
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row) {
            const TLayoutFlags& cell = grid[column][row];
            floor += cell.Contents != 0;
            marble += cell.Contents == 2;
            fill += cell.IsFill != 0;
            create += cell.IsCreate != 0;
            trialMove = trialMove || (trialGem(column, row) && InRunOfThree(column, row, trialGem));
        }
    if (!floor) faults.push_back({ELayoutFault::NoFloor});
    if (!marble) faults.push_back({ELayoutFault::NoMarble});
    if (!fill) faults.push_back({ELayoutFault::NoFill});
    if (!create) faults.push_back({ELayoutFault::NoCreate});
    if (!trialMove) faults.push_back({ELayoutFault::NoTrialMove});

    const auto fed = FedCells(grid);
    const auto anyFloor = [&grid](int c, int r) { return IsFloor(grid, c, r); };
    for (int column = 1; column < BOARD_COLUMNS - 1; ++column)
        for (int row = 1; row < BOARD_ROWS - 1; ++row) {
            const TLayoutFlags& cell = grid[column][row];
            if (!cell.Contents) continue;
            if (cell.IsCreate && IsFloor(grid, column, row - 1))
                faults.push_back({ELayoutFault::CreateUnderFloor, column, row});
            if (!fed[column][row]) faults.push_back({ELayoutFault::Unfed, column, row});
            if (cell.Contents == 2 && !InRunOfThree(column, row, anyFloor))
                faults.push_back({ELayoutFault::MarbleOutsideLine, column, row});
        }
    return faults;
}

std::string DescribeLayoutFault(const TLayoutFault& fault) {
    switch (fault.Kind) {
        case ELayoutFault::NoFloor: return "no floor";
        case ELayoutFault::NoMarble: return "no marble floor";
        case ELayoutFault::NoFill: return "no cell starts with a gem";
        case ELayoutFault::NoCreate: return "no creation cell";
        case ELayoutFault::NoTrialMove: return "no move is possible on the starting gems";
        case ELayoutFault::CreateUnderFloor: return "creation cell under floor" + Where(fault);
        case ELayoutFault::Unfed: return "no gem can fall to" + Where(fault);
        case ELayoutFault::MarbleOutsideLine: return "marble outside any line of three" + Where(fault);
    }
    return "unknown fault";
}
