// Wall tiles around the floor: every position without floor looks at its
// eight neighbours and takes the first matching tile of the table below; a
// few tiles have a decorated variant placed at most once per board.
#include <array>
#include <string>

#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/walls.h"
#include "resources/resource_globals.h"

namespace {

enum WallBit : int {
    L = 1 << 0, R = 1 << 1, T = 1 << 2, B = 1 << 3,
    INW = 1 << 4, INE = 1 << 5, ISW = 1 << 6, ISE = 1 << 7,
    ONW = 1 << 8, ONE = 1 << 9, OSW = 1 << 10, OSE = 1 << 11,
};

struct WallRow {
    int needs;
    const char* image;
    const char* decoration;
    int TCellBox::*placed;
};

// First match wins, so the order matters.
const std::array<WallRow, 46> WALL_ROWS{{
    {L | R | T | B | INW | INE | ISW | ISE, "wall-full", "wall-fulldecoration", &TCellBox::DecorationFull},
    {L | T | B | INW | ISW, "wall-lefttopbottom", "wall-lefttopbottomdecoration", &TCellBox::DecorationLeftTopBottom},
    {R | T | B | INE | ISE, "wall-righttopbottom", "wall-righttopbottomdecoration",
     &TCellBox::DecorationRightTopBottom},
    {L | R | T | INW | INE, "wall-topleftright", "wall-topleftrightdecoration", &TCellBox::DecorationTopLeftRight},
    {L | R | B | ISW | ISE, "wall-bottomleftright", "wall-bottomleftrightdecoration",
     &TCellBox::DecorationBottomLeftRight},
    {L | R, "wall-leftright", nullptr, nullptr},
    {T | B, "wall-topbottom", nullptr, nullptr},
    {T | L | OSE, "wall-topleftse", nullptr, nullptr},
    {T | L, "wall-topleft", "wall-topleftdecoration", &TCellBox::DecorationTopLeft},
    {T | R | OSW, "wall-toprightsw", nullptr, nullptr},
    {T | R, "wall-topright", "wall-toprightdecoration", &TCellBox::DecorationTopRight},
    {B | L | ONE, "wall-bottomleftne", nullptr, nullptr},
    {B | L, "wall-bottomleft", "wall-bottomleftdecoration", &TCellBox::DecorationBottomLeft},
    {B | R | ONW, "wall-bottomrightnw", nullptr, nullptr},
    {B | R, "wall-bottomright", "wall-bottomrightdecoration", &TCellBox::DecorationBottomRight},
    {B | ONW | ONE, "wall-bottomnwne", nullptr, nullptr},
    {B | ONW, "wall-bottomnw", nullptr, nullptr},
    {B | ONE, "wall-bottomne", nullptr, nullptr},
    {T | OSW | OSE, "wall-topswse", nullptr, nullptr},
    {T | OSW, "wall-topsw", nullptr, nullptr},
    {T | OSE, "wall-topse", nullptr, nullptr},
    {L | ONE | OSE, "wall-leftnese", nullptr, nullptr},
    {L | ONE, "wall-leftne", nullptr, nullptr},
    {L | OSE, "wall-leftse", nullptr, nullptr},
    {R | ONW | OSW, "wall-rightnwsw", nullptr, nullptr},
    {R | ONW, "wall-rightnw", nullptr, nullptr},
    {R | OSW, "wall-rightsw", nullptr, nullptr},
    {ONW | ONE | OSW | OSE, "wall-nwneswse", nullptr, nullptr},
    {ONE | OSW | OSE, "wall-neswse", nullptr, nullptr},
    {ONW | ONE | OSE, "wall-nwnese", nullptr, nullptr},
    {ONW | ONE | OSW, "wall-nwnesw", nullptr, nullptr},
    {ONW | OSW | OSE, "wall-nwswse", nullptr, nullptr},
    {ONE | OSE, "wall-nese", nullptr, nullptr},
    {ONE | OSW, "wall-nesw", nullptr, nullptr},
    {ONW | ONE, "wall-nwne", nullptr, nullptr},
    {ONW | OSE, "wall-nwse", nullptr, nullptr},
    {ONW | OSW, "wall-nwsw", nullptr, nullptr},
    {OSW | OSE, "wall-swse", nullptr, nullptr},
    {ONW, "wall-corner-outside-nw", nullptr, nullptr},
    {ONE, "wall-corner-outside-ne", nullptr, nullptr},
    {OSW, "wall-corner-outside-sw", nullptr, nullptr},
    {OSE, "wall-corner-outside-se", nullptr, nullptr},
    {L, "wall-left", nullptr, nullptr},
    {R, "wall-right", nullptr, nullptr},
    {T, "wall-top", nullptr, nullptr},
    {B, "wall-bottom", nullptr, nullptr},
}};

}  // namespace

std::string WallTileName(int tile) {
    if (tile < 1 || tile > static_cast<int>(WALL_ROWS.size())) return "";
    return WALL_ROWS[tile - 1].image;
}

std::string WallDecorationName(int tile) {
    if (tile < 1 || tile > static_cast<int>(WALL_ROWS.size())) return "";
    const char* name = WALL_ROWS[tile - 1].decoration;
    return name ? name : "";
}

void TCellBox::UpdateDrawWall() {
    DecorationFull = DecorationTopLeftRight = DecorationBottomLeftRight = 0;
    DecorationLeftTopBottom = DecorationRightTopBottom = 0;
    DecorationTopLeft = DecorationTopRight = DecorationBottomLeft = DecorationBottomRight = 0;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            TLayoutCell& floor = Layout[c][r];
            floor.WallImage.reset();
            floor.DecorationImage.reset();
            floor.WallTile = 0;
            floor.HasDecoration = 0;
            floor.SetupDrawWall();
        }
}

bool TLayoutCell::FloorAt(int column, int row) const {
    return TCellBox::IsInside(column, row) && CellBox->Layout[column][row].Contents != FLOOR_NONE;
}

void TLayoutCell::SetupDrawWall() {
    if (Contents != FLOOR_NONE) return;
    SetWallLeft();
    SetWallRight();
    SetWallTop();
    SetWallBottom();
    SetWallCornerInsideNW();
    SetWallCornerInsideNE();
    SetWallCornerInsideSW();
    SetWallCornerInsideSE();
    SetWallCornerOutsideNW();
    SetWallCornerOutsideNE();
    SetWallCornerOutsideSW();
    SetWallCornerOutsideSE();
    SetupDrawWallImage();
}

void TLayoutCell::SetWallLeft() { WallLeft = FloorAt(ArrayX - 1, ArrayY); }
void TLayoutCell::SetWallRight() { WallRight = FloorAt(ArrayX + 1, ArrayY); }
void TLayoutCell::SetWallTop() { WallTop = FloorAt(ArrayX, ArrayY - 1); }
void TLayoutCell::SetWallBottom() { WallBottom = FloorAt(ArrayX, ArrayY + 1); }

void TLayoutCell::SetWallCornerInsideNW() { WallCornerInsideNW = FloorAt(ArrayX - 1, ArrayY) && FloorAt(ArrayX, ArrayY - 1); }
void TLayoutCell::SetWallCornerInsideNE() { WallCornerInsideNE = FloorAt(ArrayX + 1, ArrayY) && FloorAt(ArrayX, ArrayY - 1); }
void TLayoutCell::SetWallCornerInsideSW() { WallCornerInsideSW = FloorAt(ArrayX - 1, ArrayY) && FloorAt(ArrayX, ArrayY + 1); }
void TLayoutCell::SetWallCornerInsideSE() { WallCornerInsideSE = FloorAt(ArrayX + 1, ArrayY) && FloorAt(ArrayX, ArrayY + 1); }

void TLayoutCell::SetWallCornerOutsideNW() {
    WallCornerOutsideNW = !FloorAt(ArrayX - 1, ArrayY) && !FloorAt(ArrayX, ArrayY - 1) && FloorAt(ArrayX - 1, ArrayY - 1);
}
void TLayoutCell::SetWallCornerOutsideNE() {
    WallCornerOutsideNE = !FloorAt(ArrayX + 1, ArrayY) && !FloorAt(ArrayX, ArrayY - 1) && FloorAt(ArrayX + 1, ArrayY - 1);
}
void TLayoutCell::SetWallCornerOutsideSW() {
    WallCornerOutsideSW = !FloorAt(ArrayX - 1, ArrayY) && !FloorAt(ArrayX, ArrayY + 1) && FloorAt(ArrayX - 1, ArrayY + 1);
}
void TLayoutCell::SetWallCornerOutsideSE() {
    WallCornerOutsideSE = !FloorAt(ArrayX + 1, ArrayY) && !FloorAt(ArrayX, ArrayY + 1) && FloorAt(ArrayX + 1, ArrayY + 1);
}

int TLayoutCell::WallFlagMask() const {
    int mask = 0;
    const std::array<std::pair<int, int>, 12> flags{{
        {WallLeft, L}, {WallRight, R}, {WallTop, T}, {WallBottom, B},
        {WallCornerInsideNW, INW}, {WallCornerInsideNE, INE}, {WallCornerInsideSW, ISW}, {WallCornerInsideSE, ISE},
        {WallCornerOutsideNW, ONW}, {WallCornerOutsideNE, ONE}, {WallCornerOutsideSW, OSW}, {WallCornerOutsideSE, OSE},
    }};
    for (const auto& [value, bit] : flags)
        if (value) mask |= bit;
    return mask;
}

bool TLayoutCell::SetupDrawWallRandom() { return plat::Rand(0, 4) == 0; }

void TLayoutCell::SetupDrawWallImage() {
    const int mask = WallFlagMask();
    for (size_t i = 0; i < WALL_ROWS.size(); ++i) {
        const WallRow& row = WALL_ROWS[i];
        if ((mask & row.needs) != row.needs) continue;
        WallTile = static_cast<int>(i) + 1;
        WallImage = WallBank().FindTImage(row.image);
        if (row.decoration && CellBox->*row.placed == 0 && SetupDrawWallRandom()) {
            DecorationImage = WallBank().FindTImage(row.decoration);
            HasDecoration = 1;
            CellBox->*row.placed = 1;
        }
        return;
    }
}
