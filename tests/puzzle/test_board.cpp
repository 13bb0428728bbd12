// The board model: pixel mapping, lookups, copies, walls and the light sweep.
#include "puzzle/walls.h"
#include "puzzle_test_util.h"

namespace {

std::string TileAt(const TCellBox& box, int c, int r) { return WallTileName(box.Layout[c][r].WallTile); }

}  // namespace

using BoardTest = PuzzleTest;

TEST_F(BoardTest, PixelsMapToInteriorPositionsOnly) {
    TCellBox box;
    EXPECT_EQ(box.GetCellLocationX(76, 300), -1);    // column 0 is border
    EXPECT_EQ(box.GetCellLocationX(111, 300), -1);
    EXPECT_EQ(box.GetCellLocationX(112, 300), 1);
    EXPECT_EQ(box.GetCellLocationX(687, 300), 16);
    EXPECT_EQ(box.GetCellLocationX(688, 300), -1);   // column 17 is border
    EXPECT_EQ(box.GetCellLocationX(724, 300), -1);   // right edge, c = 18
    EXPECT_EQ(box.GetCellLocationX(75, 300), -1);
    EXPECT_EQ(box.GetCellLocationX(300, 47), -1);    // outside vertically
    EXPECT_EQ(box.GetCellLocationY(300, 84), 1);
    EXPECT_EQ(box.GetCellLocationY(300, 83), -1);
    EXPECT_EQ(box.GetCellLocationY(300, 515), 12);
    EXPECT_EQ(box.GetCellLocationY(300, 516), -1);
    EXPECT_EQ(box.GetCellLocationY(800, 300), -1);
}

TEST_F(BoardTest, NoCellOnBorderHoleOrOutside) {
    TCellBox box;
    BuildBox(box, {"..#.", "...."});
    EXPECT_NE(box.GetCellAtMouseLocation(PixelX(1), PixelY(1)), nullptr);
    EXPECT_EQ(box.GetCellAtMouseLocation(PixelX(3), PixelY(1)), nullptr);  // hole
    EXPECT_EQ(box.GetCellAtMouseLocation(PixelX(0), PixelY(1)), nullptr);  // border
    EXPECT_EQ(box.GetCellAtMouseLocation(10, 10), nullptr);                // outside
    EXPECT_EQ(box.GetCellAtLocation(-1, 3), nullptr);
    EXPECT_EQ(box.GetCellAtLocation(18, 3), nullptr);
}

TEST_F(BoardTest, NeighboursAreOrthogonalOnly) {
    TCellBox box;
    const TCell& a = box.CellAt(5, 5);
    EXPECT_TRUE(TCellBox::IsCellsNextToEachOther(a, box.CellAt(6, 5)));
    EXPECT_TRUE(TCellBox::IsCellsNextToEachOther(a, box.CellAt(5, 4)));
    EXPECT_FALSE(TCellBox::IsCellsNextToEachOther(a, box.CellAt(6, 6)));
    EXPECT_FALSE(TCellBox::IsCellsNextToEachOther(a, box.CellAt(7, 5)));
    EXPECT_FALSE(TCellBox::IsCellsNextToEachOther(a, a));
}

TEST_F(BoardTest, CountsAndSetupKeepTheBorderEmpty) {
    TCellBox box;
    box.SetupCells(3, 2);
    EXPECT_EQ(box.GetLayoutCellMarbleCount(), 192);
    EXPECT_EQ(box.GetLayoutCellNotEmptyCount(), 192);
    EXPECT_EQ(box.CellAt(0, 5).Contents, 0);
    EXPECT_EQ(box.CellAt(17, 13).Contents, 0);
    EXPECT_EQ(box.CellAt(1, 1).Contents, 3);
    EXPECT_EQ(box.CellAt(4, 7).X, 94 + 36 * 4);
    EXPECT_EQ(box.CellAt(4, 7).Y, 66 + 36 * 7);
    BuildBox(box, {"cmo", "k.."});
    EXPECT_EQ(box.GetLayoutCellCreateCount(), 1);
    EXPECT_EQ(box.GetLayoutCellFillCount(), 5);
    EXPECT_EQ(box.GetLayoutCellMarbleCount(), 1);
    EXPECT_EQ(box.GetLayoutCellNotEmptyCount(), 6);
}

TEST_F(BoardTest, CloneIsIndependentAndKeepsTheSelectionOnItsOwnCells) {
    TCellBox box;
    BuildBox(box, FullRows("m..............."), {"123", "456"});
    box.IsLevelEditor = 1;
    box.SetMarkedCell(&box.CellAt(2, 1));
    box.CellAt(3, 1).StartDestroyAnimation();
    auto copy = box.Clone();

    EXPECT_EQ(copy->GameMode, nullptr);
    EXPECT_EQ(copy->IsLevelEditor, 1);
    EXPECT_EQ(copy->CellAt(1, 2).Contents, 4);
    EXPECT_EQ(copy->Layout[1][1].Contents, FLOOR_MARBLE);
    EXPECT_EQ(copy->Layout[1][1].CellBox, copy.get());
    EXPECT_EQ(copy->CellAt(1, 1).CellBox, copy.get());
    ASSERT_TRUE(copy->MarkedCell1);
    EXPECT_EQ(copy->MarkedCell1.get(), &copy->CellAt(2, 1));
    EXPECT_NE(copy->MarkedCell1.get(), box.MarkedCell1.get());

    // Changing the copy leaves the original alone, and the other way round.
    copy->CellAt(1, 1).SetContents(6);
    copy->Layout[1][1].Contents = FLOOR_NORMAL;
    EXPECT_EQ(box.CellAt(1, 1).Contents, 1);
    EXPECT_EQ(box.Layout[1][1].Contents, FLOOR_MARBLE);

    // Timers are copied, not shared.
    const float before = copy->CellAt(3, 1).DestroyAnimation->Counter;
    Tick(box, 5);
    EXPECT_EQ(copy->CellAt(3, 1).DestroyAnimation->Counter, before);
    Tick(box, 60);
    EXPECT_EQ(box.CellAt(3, 1).Contents, 0);
    EXPECT_EQ(copy->CellAt(3, 1).Contents, 3);
}

TEST_F(BoardTest, CloneDoesNotShareTheBurstEffect) {
    struct Effect : TCellEffect {
        void SetLoop(bool) override {}
        bool IsFinished() const override { return false; }
        void Render(float) override {}
    };
    PuzzleHooks().CreateCellEffect = [](int, int, int) { return std::make_shared<Effect>(); };
    TCellBox box;
    BuildBox(box, {"..."}, {"111"});
    box.CellAt(1, 1).StartDestroyAnimation();
    ASSERT_TRUE(box.CellAt(1, 1).Particle);
    auto copy = box.Clone();
    EXPECT_FALSE(copy->CellAt(1, 1).Particle);
}

// ---- walls ----------------------------------------------------------------------

TEST_F(BoardTest, SingleFloorCellIsFramedByEightTiles) {
    TCellBox box;
    box.Clear();
    box.Layout[8][6].Contents = FLOOR_NORMAL;
    box.UpdateDrawWall();
    EXPECT_EQ(TileAt(box, 7, 6), "wall-right");
    EXPECT_EQ(TileAt(box, 9, 6), "wall-left");
    EXPECT_EQ(TileAt(box, 8, 5), "wall-bottom");
    EXPECT_EQ(TileAt(box, 8, 7), "wall-top");
    EXPECT_EQ(TileAt(box, 7, 5), "wall-corner-outside-se");
    EXPECT_EQ(TileAt(box, 9, 5), "wall-corner-outside-sw");
    EXPECT_EQ(TileAt(box, 7, 7), "wall-corner-outside-ne");
    EXPECT_EQ(TileAt(box, 9, 7), "wall-corner-outside-nw");
    EXPECT_EQ(box.Layout[8][6].WallTile, 0);  // floor gets no tile
    EXPECT_EQ(box.Layout[3][3].WallTile, 0);  // far away: no tile
    EXPECT_EQ(box.Layout[7][6].WallCornerInsideNW, 0);
}

TEST_F(BoardTest, OneCellHoleIsAFullWall) {
    TCellBox box;
    BuildBox(box, FullRows("................"));
    box.Layout[5][5].Contents = FLOOR_NONE;
    box.UpdateDrawWall();
    EXPECT_EQ(TileAt(box, 5, 5), "wall-full");
}

TEST_F(BoardTest, BorderShowsNoWallFaceOutward) {
    TCellBox box;
    BuildBox(box, FullRows("................"));
    EXPECT_EQ(TileAt(box, 0, 5), "wall-right");
    EXPECT_EQ(TileAt(box, 17, 5), "wall-left");
    EXPECT_EQ(TileAt(box, 5, 0), "wall-bottom");
    EXPECT_EQ(TileAt(box, 5, 13), "wall-top");
    EXPECT_EQ(TileAt(box, 0, 0), "wall-corner-outside-se");
    EXPECT_EQ(TileAt(box, 17, 13), "wall-corner-outside-nw");
    // An L-shaped notch: a wall with floor left and below and the inside
    // corner between them.
    box.Layout[16][1].Contents = FLOOR_NONE;
    box.UpdateDrawWall();
    EXPECT_EQ(TileAt(box, 16, 1), "wall-bottomleft");
}

TEST_F(BoardTest, TileOrderPrefersEarlierRows) {
    TCellBox box;
    BuildBox(box, {"...", ".#.", "#.#"});
    // [2,2] has floor on all four sides, so all four inside corners too.
    EXPECT_EQ(TileAt(box, 2, 2), "wall-full");
    // [1,3]: floor above and right only; no outside corner, so the plain
    // top-right tile rather than the "sw" variant before it.
    EXPECT_EQ(TileAt(box, 1, 3), "wall-topright");
    EXPECT_EQ(TileAt(box, 3, 3), "wall-topleft");
    EXPECT_EQ(TileAt(box, 2, 4), "wall-top");
}

TEST_F(BoardTest, DecorationsAtMostOncePerKindAndRedrawnEachTime) {
    TCellBox box;
    // Many single-cell holes: many candidates for the full-wall decoration.
    std::vector<std::string> rows;
    for (int r = 0; r < 12; ++r) rows.push_back(r % 2 ? "#.#.#.#.#.#.#.#." : "................");
    BuildBox(box, rows);
    int seenDifferent = 0;
    int firstPlace = -1;
    for (int seed = 1; seed <= 20; ++seed) {
        plat::SeedRnd(static_cast<uint32_t>(seed));
        box.UpdateDrawWall();
        int full = 0, place = -1;
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            for (int r = 0; r < BOARD_ROWS; ++r) {
                const TLayoutCell& floor = box.Layout[c][r];
                if (!floor.HasDecoration) continue;
                EXPECT_FALSE(WallDecorationName(floor.WallTile).empty());
                if (WallTileName(floor.WallTile) == "wall-full") {
                    ++full;
                    place = c * BOARD_ROWS + r;
                }
            }
        EXPECT_LE(full, 1);
        EXPECT_EQ(full, box.DecorationFull);
        if (firstPlace < 0) firstPlace = place;
        if (place != firstPlace) ++seenDifferent;
    }
    EXPECT_GT(seenDifferent, 0);  // drawn anew: not always the same spot
}

TEST_F(BoardTest, WallImagesComeFromTheWallBank) {
    auto image = plat::CreateImage(36, 36);
    AddImageToBank(image, "wall-full", 1, &WallBank());
    TCellBox box;
    BuildBox(box, FullRows("................"));
    box.Layout[5][5].Contents = FLOOR_NONE;
    box.UpdateDrawWall();
    EXPECT_EQ(box.Layout[5][5].WallImage, image);
    EXPECT_EQ(box.Layout[0][5].WallImage, nullptr);  // not in the bank
}

// ---- light sweep -------------------------------------------------------------------

TEST_F(BoardTest, LightBandReachesEachPositionOnTime) {
    TCellBox box;
    BuildBox(box, FullRows("................"));
    auto glowAt = [&box](int c, int r) -> const TGlow& { return box.CellsLights[c * BOARD_ROWS + r]; };
    // Position [3, 2] starts after 3000 + 20 * 5 = 3100 updates.
    for (int i = 0; i < 3100; ++i) box.ManageLights();
    EXPECT_EQ(glowAt(3, 2).GlowCounter.Counter, 0.0f);
    box.ManageLights();
    EXPECT_GT(glowAt(3, 2).GlowCounter.Counter, 0.0f);
    EXPECT_EQ(glowAt(3, 3).GlowCounter.Counter, 0.0f);  // one diagonal step later
    // First half-period of 180 degrees at 1.7 per update: ~106 updates.
    for (int i = 0; i < 104; ++i) box.ManageLights();
    EXPECT_EQ(glowAt(3, 2).numWraps, 0);
    box.ManageLights();
    EXPECT_EQ(glowAt(3, 2).numWraps, 1);
    for (int i = 0; i < 106; ++i) box.ManageLights();
    EXPECT_EQ(glowAt(3, 2).numWraps, 2);
    // The cycle restarts after 6000 updates.
    while (box.lightCounter != 0) box.ManageLights();
    EXPECT_EQ(glowAt(3, 2).numWraps, 0);
    EXPECT_EQ(glowAt(3, 2).GlowCounter.Counter, 0.0f);
}
