#pragma once
// The wall tiles, in one table for the game and for the art tool that draws
// them. A position without floor looks at its eight neighbours and takes the
// first tile whose needs it meets, so the order matters. Nine tiles have a
// decorated variant. Only the standard library here: the tool includes it.
#include <array>

namespace walls {

// What a position without floor has around it: floor on a side, an inside
// corner (floor on both sides that meet there), or an outside corner (floor
// diagonally and on neither side that meets there).
enum WallBit : int {
    L = 1 << 0, R = 1 << 1, T = 1 << 2, B = 1 << 3,
    INW = 1 << 4, INE = 1 << 5, ISW = 1 << 6, ISE = 1 << 7,
    ONW = 1 << 8, ONE = 1 << 9, OSW = 1 << 10, OSE = 1 << 11,
};

struct TileRow {
    int needs;
    const char* image;       // the picture's name, "wall-..."
    const char* decoration;  // its decorated variant, or null
};

inline constexpr std::array<TileRow, 46> TILES{{
    {L | R | T | B | INW | INE | ISW | ISE, "wall-full", "wall-fulldecoration"},
    {L | T | B | INW | ISW, "wall-lefttopbottom", "wall-lefttopbottomdecoration"},
    {R | T | B | INE | ISE, "wall-righttopbottom", "wall-righttopbottomdecoration"},
    {L | R | T | INW | INE, "wall-topleftright", "wall-topleftrightdecoration"},
    {L | R | B | ISW | ISE, "wall-bottomleftright", "wall-bottomleftrightdecoration"},
    {L | R, "wall-leftright", nullptr},
    {T | B, "wall-topbottom", nullptr},
    {T | L | OSE, "wall-topleftse", nullptr},
    {T | L, "wall-topleft", "wall-topleftdecoration"},
    {T | R | OSW, "wall-toprightsw", nullptr},
    {T | R, "wall-topright", "wall-toprightdecoration"},
    {B | L | ONE, "wall-bottomleftne", nullptr},
    {B | L, "wall-bottomleft", "wall-bottomleftdecoration"},
    {B | R | ONW, "wall-bottomrightnw", nullptr},
    {B | R, "wall-bottomright", "wall-bottomrightdecoration"},
    {B | ONW | ONE, "wall-bottomnwne", nullptr},
    {B | ONW, "wall-bottomnw", nullptr},
    {B | ONE, "wall-bottomne", nullptr},
    {T | OSW | OSE, "wall-topswse", nullptr},
    {T | OSW, "wall-topsw", nullptr},
    {T | OSE, "wall-topse", nullptr},
    {L | ONE | OSE, "wall-leftnese", nullptr},
    {L | ONE, "wall-leftne", nullptr},
    {L | OSE, "wall-leftse", nullptr},
    {R | ONW | OSW, "wall-rightnwsw", nullptr},
    {R | ONW, "wall-rightnw", nullptr},
    {R | OSW, "wall-rightsw", nullptr},
    {ONW | ONE | OSW | OSE, "wall-nwneswse", nullptr},
    {ONE | OSW | OSE, "wall-neswse", nullptr},
    {ONW | ONE | OSE, "wall-nwnese", nullptr},
    {ONW | ONE | OSW, "wall-nwnesw", nullptr},
    {ONW | OSW | OSE, "wall-nwswse", nullptr},
    {ONE | OSE, "wall-nese", nullptr},
    {ONE | OSW, "wall-nesw", nullptr},
    {ONW | ONE, "wall-nwne", nullptr},
    {ONW | OSE, "wall-nwse", nullptr},
    {ONW | OSW, "wall-nwsw", nullptr},
    {OSW | OSE, "wall-swse", nullptr},
    {ONW, "wall-corner-outside-nw", nullptr},
    {ONE, "wall-corner-outside-ne", nullptr},
    {OSW, "wall-corner-outside-sw", nullptr},
    {OSE, "wall-corner-outside-se", nullptr},
    {L, "wall-left", nullptr},
    {R, "wall-right", nullptr},
    {T, "wall-top", nullptr},
    {B, "wall-bottom", nullptr},
}};

// The tile for a mask: its row 1..46, 0 for none.
constexpr int TileFor(int mask) {
    int tile = 0;
    for (const TileRow& row : TILES) {
        ++tile;
        if ((mask & row.needs) == row.needs) return tile;
    }
    return 0;
}

}  // namespace walls
