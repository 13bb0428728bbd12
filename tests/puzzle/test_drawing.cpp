// Draws a board with walls through the dummy video driver into a PNG, with
// plain stand-in images, and checks a few pixels.
#include <string>

#include "puzzle/walls.h"
#include "puzzle_test_util.h"

namespace {

using plat::ARGB;

plat::ImagePtr Solid(int w, int h, uint32_t argb) {
    plat::TPixmap pixmap(w, h);
    pixmap.Clear(argb);
    return plat::LoadImageFromPixmap(pixmap, 0);
}

// A wall tile: dark stone, lit edges on the sides named in the tile name.
plat::ImagePtr WallTile(const std::string& name) {
    plat::TPixmap p(36, 36);
    p.Clear(ARGB(255, 70, 50, 40));
    const uint32_t edge = ARGB(255, 200, 170, 120);
    auto has = [&name](const char* word) { return name.find(word) != std::string::npos; };
    const bool full = has("full");
    for (int i = 0; i < 36; ++i)
        for (int d = 0; d < 4; ++d) {
            if (full || has("left")) p.WritePixel(d, i, edge);
            if (full || has("right")) p.WritePixel(35 - d, i, edge);
            if (full || has("top")) p.WritePixel(i, d, edge);
            if (full || has("bottom")) p.WritePixel(i, 35 - d, edge);
        }
    const std::string corners = name.substr(name.rfind('-') + 1);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            if (corners.find("nw") != std::string::npos) p.WritePixel(x, y, edge);
            if (corners.find("ne") != std::string::npos) p.WritePixel(35 - x, y, edge);
            if (corners.find("sw") != std::string::npos) p.WritePixel(x, 35 - y, edge);
            if (corners.find("se") != std::string::npos) p.WritePixel(35 - x, 35 - y, edge);
        }
    if (has("decoration"))
        for (int y = 14; y < 22; ++y)
            for (int x = 14; x < 22; ++x) p.WritePixel(x, y, ARGB(255, 40, 160, 60));
    return plat::LoadImageFromPixmap(p, 0);
}

plat::ImagePtr Gem(int r, int g, int b) {
    plat::TPixmap p(30, 30);
    p.Clear(0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if ((x - 15) * (x - 15) + (y - 15) * (y - 15) < 14 * 14) p.WritePixel(x, y, ARGB(255, r, g, b));
    return plat::LoadImageFromPixmap(p, 0);
}

void FillBanks() {
    auto add = [](TImageBank& bank, const std::string& name, plat::ImagePtr image) {
        AddImageToBank(std::move(image), name, 1, &bank);
    };
    add(CellBank(), "cellnormal", Solid(36, 36, ARGB(255, 90, 90, 110)));
    add(CellBank(), "cellnormalmo", Solid(36, 36, ARGB(255, 120, 120, 140)));
    add(CellBank(), "cellmarble", Solid(36, 36, ARGB(255, 225, 220, 205)));
    add(CellBank(), "cellmarblemo", Solid(36, 36, ARGB(255, 240, 235, 220)));
    add(CellBank(), "cellmarked", Solid(34, 34, ARGB(120, 255, 255, 0)));
    plat::TPixmap chain(36, 36);
    for (int i = 0; i < 36; ++i) {
        chain.WritePixel(i, i, ARGB(255, 20, 20, 20));
        chain.WritePixel(35 - i, i, ARGB(255, 20, 20, 20));
    }
    add(CellBank(), "cellchain", plat::LoadImageFromPixmap(chain, 0));
    const int colours[6][3] = {{220, 40, 40}, {40, 200, 60}, {50, 80, 230}, {230, 210, 40}, {200, 60, 200}, {40, 210, 210}};
    for (int k = 1; k <= 6; ++k)
        add(CellBank(), "cell" + std::to_string(k), Gem(colours[k - 1][0], colours[k - 1][1], colours[k - 1][2]));
    for (int tile = 1; tile <= 46; ++tile) {
        add(WallBank(), WallTileName(tile), WallTile(WallTileName(tile)));
        if (!WallDecorationName(tile).empty())
            add(WallBank(), WallDecorationName(tile), WallTile(WallDecorationName(tile)));
    }
}

uint32_t Pixel(int x, int y) {
    auto p = plat::GrabPixmap(x, y, 1, 1);
    return p ? p->ReadPixel(0, 0) : 0;
}

}  // namespace

class DrawingTest : public PuzzleTest {};

TEST_F(DrawingTest, BoardWithWallsRendersToAPng) {
    plat::ResetDrawingState();
    ASSERT_TRUE(plat::OpenGraphics(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT, 0, 0));
    FillBanks();
    TGameModeMatch3 mode;
    TCellBox& box = *mode.CellBox;
    box.LoadImages();
    BuildBox(box, {"###......#######", "##........######", "#....mmmm.....##", "#....mmmm......#",
                   "#..#.mmmm..#...#", "#...........k..#", "##.......k.....#", "###..#.........#",
                   "####...........#", "####....###....#", "#####..........#", "######.........#"});
    box.GenerateLevel();
    box.SetMarkedCell(&box.CellAt(10, 6));
    plat::SetClsColor(10, 10, 20);
    plat::Cls();
    plat::SetBlend(plat::ALPHABLEND);
    box.Draw();

    auto screen = plat::GrabPixmap(0, 0, plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT);
    ASSERT_TRUE(screen);
    const std::string path = std::string(VC_TEST_BINARY_DIR) + "/puzzle_board.png";
    EXPECT_TRUE(plat::SavePixmapPNG(*screen, path));

    // A wall position is stone coloured, marble floor is light, a gem's
    // centre shows its colour, and the border outside the floor is wall.
    const uint32_t wall = Pixel(PixelX(3) - 8, PixelY(1) - 8);
    EXPECT_EQ(plat::PixR(wall), 70);
    const uint32_t marbleEdge = Pixel(PixelX(6) - 17, PixelY(3) - 17);
    EXPECT_EQ(plat::PixR(marbleEdge), 225);
    const uint32_t gem = Pixel(PixelX(6), PixelY(3));
    const int kind = box.CellAt(6, 3).Contents;
    ASSERT_GE(kind, 1);
    const int expectedRed[6] = {220, 40, 50, 230, 200, 40};
    EXPECT_EQ(plat::PixR(gem), expectedRed[kind - 1]);
    plat::CloseGraphics();
}
