// Wall tiles around the floor: every position without floor looks at its
// eight neighbours and takes the first matching tile of the table in
// puzzle/wall_tiles.h; a few tiles have a decorated variant placed at most
// once per board.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/wall_tiles.h"
#include "puzzle/walls.h"
#include "resources/resource_globals.h"

using namespace walls;

namespace {

// Each decorated tile is placed at most once per board; the board marks it here.
int TCellBox::*PlacedMark(std::string_view image) {
    static const std::pair<std::string_view, int TCellBox::*> marks[] = {
        {"wall-full", &TCellBox::DecorationFull},
        {"wall-lefttopbottom", &TCellBox::DecorationLeftTopBottom},
        {"wall-righttopbottom", &TCellBox::DecorationRightTopBottom},
        {"wall-topleftright", &TCellBox::DecorationTopLeftRight},
        {"wall-bottomleftright", &TCellBox::DecorationBottomLeftRight},
        {"wall-topleft", &TCellBox::DecorationTopLeft},
        {"wall-topright", &TCellBox::DecorationTopRight},
        {"wall-bottomleft", &TCellBox::DecorationBottomLeft},
        {"wall-bottomright", &TCellBox::DecorationBottomRight},
    };
    for (const auto& [name, mark] : marks)
        if (name == image) return mark;
    return nullptr;
}

}  // namespace

std::string WallTileName(int tile) {
    if (tile < 1 || tile > static_cast<int>(TILES.size())) return "";
    return TILES[static_cast<size_t>(tile - 1)].image;
}

std::string WallDecorationName(int tile) {
    if (tile < 1 || tile > static_cast<int>(TILES.size())) return "";
    const char* name = TILES[static_cast<size_t>(tile - 1)].decoration;
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
    const int tile = TileFor(WallFlagMask());
    if (tile == 0) return;
    const TileRow& row = TILES[static_cast<size_t>(tile - 1)];
    WallTile = tile;
    WallImage = WallBank().FindTImage(row.image);
    int TCellBox::*placed = PlacedMark(row.image);
    if (row.decoration && placed && CellBox->*placed == 0 && SetupDrawWallRandom()) {
        DecorationImage = WallBank().FindTImage(row.decoration);
        HasDecoration = 1;
        CellBox->*placed = 1;
    }
}
