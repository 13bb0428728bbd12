#pragma once
// What keeps a layout from being a fair puzzle: no floor, marble, gem or
// creation cell at all, no move on the starting gems, creation cells that can
// never spawn, floor that no falling gem can reach, marble that can never be
// lined up. Shared by the level editor and the puzzle converter; works on
// plain values, so the converter needs no board.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int BOARD_COLUMNS = 18;
constexpr int BOARD_ROWS = 14;

struct TLayoutFlags {
    int Contents = 0;  // 0 no floor, 1 floor, 2 marble
    int IsChain = 0;
    int IsCreate = 0;
    int IsFill = 0;
};

// Indexed [column][row] like the board; the outer ring has no floor.
using TLayoutGrid = std::array<std::array<TLayoutFlags, BOARD_ROWS>, BOARD_COLUMNS>;
using TCellMask = std::array<std::array<bool, BOARD_ROWS>, BOARD_COLUMNS>;

class TCellBox;
TLayoutGrid LayoutGridOf(const TCellBox& box);

enum class ELayoutFault {
    NoFloor,
    NoMarble,
    NoFill,
    NoCreate,
    NoTrialMove,        // one gem kind on every starting gem lines nothing up
    CreateUnderFloor,   // floor right above a creation cell: it never spawns
    Unfed,              // no falling gem can ever reach this floor
    MarbleOutsideLine,  // no line of three floor cells runs through this marble
};

struct TLayoutFault {
    ELayoutFault Kind = ELayoutFault::NoFloor;
    int Column = -1;  // the cell at fault, -1 for the whole layout
    int Row = -1;
};

// Floor cells a gem can reach by falling (straight or diagonally) from a
// creation cell that is able to spawn. A chained gem does not fall, so
// nothing passes its cell until a line of three can clear it; then the chain
// is gone and the cell is open floor.
TCellMask FedCells(const TLayoutGrid& grid);

// A number made from every cell of the layout: the same layout always gives
// the same number, so checks that deal random gems can deal the same ones.
uint32_t LayoutSeed(const TLayoutGrid& grid);

// Every fault: those of the whole layout first, then those of single cells
// column by column, top to bottom.
std::vector<TLayoutFault> LayoutFaults(const TLayoutGrid& grid);

// A short technical text ("creation cell under floor at column 3, row 4").
std::string DescribeLayoutFault(const TLayoutFault& fault);
