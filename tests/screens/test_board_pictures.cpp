// What the player sees, frame by frame, on a manual clock with fixed
// randomness: the title screen, the board at rest (under the pointer and in
// the light sweep), a cascade, the pause overlay and the pause menu, and the
// puzzle grid.
// VC_SCREENSHOT_DIR keeps the pictures, to compare two builds.
#include <cstdlib>

#include "game_test_util.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/screen_list.h"

namespace {

class BoardPictures : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
    void ToRestingBoard() {
        ASSERT_TRUE(WaitFor([] { return OnGameScreen() && !Mode().StartGameAnimation; }, 1000));
        ASSERT_TRUE(WaitFor([] { return Mode().CellBox->IsSettled() && Mode().HintList.Exists; }, 1000));
    }
    void Press(int key) {
        plat::PostKeyPress(key);
        Frames(1);
    }
};

class TitlePictures : public BoardPictures {
protected:
    TScreen* FirstScreen() override { return nullptr; }
};

TEST_F(TitlePictures, Title) {
    ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 1000));
    Frames(25);
    Shot("title");
}

class GridPictures : public BoardPictures {
protected:
    TScreen* FirstScreen() override { return &PlayScreen(); }
};

TEST_F(GridPictures, Grid) {
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 1000));
    Frames(25);
    Shot("grid");
}

TEST_F(BoardPictures, BoardCascadePauseAndMenu) {
    ToRestingBoard();
    auto& box = *Mode().CellBox;
    MoveTo(CellX(box, 5), CellY(box, 6));
    Frames(10);
    Shot("board_rest");
    // The light sweep starts 15 s into its cycle.
    Frames(800);
    Shot("board_light");
    const auto move = TAutoPlayer(Mode()).ChooseMove();
    ASSERT_TRUE(move);
    ClickCell(box, *move->FirstCell);
    ClickCell(box, *move->SecondCell);
    Frames(12);
    Shot("cascade");
    ToRestingBoard();
    Press('P');
    Frames(5);
    Shot("paused");
    Press('P');
    Press(plat::KEY_ESCAPE);
    Frames(40);
    Shot("menu");
}

// The composed board picture against the board drawn piece by piece, in
// the same frame: at rest under the pointer, in the light sweep, after a
// floor changed and with the pause menu open.
class BoardLayerPictures : public BoardPictures {
protected:
    static plat::PixmapPtr Picture(bool layered) {
        GameScreen().UseBoardLayer = layered;
        Game().ScreenDraw();
        GameScreen().UseBoardLayer = true;
        return plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
    }
    static int Differences(const plat::TPixmap& a, const plat::TPixmap& b) {
        int count = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) count += a.ReadPixel(x, y) != b.ReadPixel(x, y);
        return count;
    }
    void ExpectSamePictures(const std::string& scene) {
        const auto layered = Picture(true);
        const auto plain = Picture(false);
        ASSERT_TRUE(layered && plain);
        EXPECT_EQ(Differences(*layered, *plain), 0) << scene;
    }
};

TEST_F(BoardLayerPictures, MatchTheBoardDrawnPieceByPiece) {
    ToRestingBoard();
    auto& box = *Mode().CellBox;
    const int composed = GameScreen().BoardLayer.Compositions();
    MoveTo(CellX(box, 5), CellY(box, 6));
    ExpectSamePictures("at rest, pointer on a floor");
    // The pointer over the score and the buttons: floors near them are drawn after them.
    MoveTo(600, 30);
    ExpectSamePictures("pointer at the top");
    EXPECT_GT(GameScreen().BoardLayer.Compositions(), composed) << "the picture never changed with the pointer";

    Frames(800);
    ASSERT_FALSE(box.CellsLights.empty());
    ExpectSamePictures("light sweep");

    // A floor that changes is drawn again.
    const int before = GameScreen().BoardLayer.Compositions();
    const auto firstMarble = [&box]() -> TLayoutCell* {
        for (auto& column : box.Layout)
            for (auto& floor : column)
                if (floor.Contents == FLOOR_MARBLE) return &floor;
        return nullptr;
    };
    TLayoutCell* marble = firstMarble();
    ASSERT_TRUE(marble);
    marble->Contents = FLOOR_NORMAL;
    ExpectSamePictures("a marble floor turned normal");
    EXPECT_GT(GameScreen().BoardLayer.Compositions(), before);
    const int after = GameScreen().BoardLayer.Compositions();
    Frames(3);
    EXPECT_EQ(GameScreen().BoardLayer.Compositions(), after) << "composed again with nothing changed";

    Press(plat::KEY_ESCAPE);
    Frames(40);
    ASSERT_TRUE(GameMenu().Active);
    ExpectSamePictures("pause menu");
}

}  // namespace

namespace {

// A gem picked with Space is told apart from the plain cursor at a glance,
// on marble too: much of its cell looks different once it is picked, at
// every moment of its glow.
TEST_F(BoardPictures, APickedGemIsUnmistakableFromThePlainCursorOnMarble) {
    ToRestingBoard();
    auto& box = *Mode().CellBox;
    const TCell* target = nullptr;
    for (int c = 0; c < BOARD_COLUMNS && !target; ++c)
        for (int r = 0; r < BOARD_ROWS && !target; ++r) {
            const TCell* cell = box.GetCellAtLocation(c, r);
            if (cell && cell->Contents && box.Layout[c][r].Contents == FLOOR_MARBLE && !box.Layout[c][r].IsChain)
                target = cell;
        }
    ASSERT_TRUE(target) << "no gem on marble";
    Press(plat::KEY_UP);  // shows the cursor
    box.Cursor.Column = target->ArrayX;
    box.Cursor.Row = target->ArrayY;
    const int left = box.AreaStartX + target->ArrayX * CELL_SIZE, top = box.AreaStartY + target->ArrayY * CELL_SIZE;
    const auto cell = [left, top] {
        Game().ScreenDraw();
        return plat::GrabPixmap(left, top, CELL_SIZE, CELL_SIZE);
    };
    Frames(5);
    const auto plain = cell();
    Press(plat::KEY_SPACE);
    ASSERT_EQ(box.MarkedCell1.get(), target);
    Shot("picked_gem_on_marble");
    for (int moment = 0; moment < 6; ++moment) {
        SCOPED_TRACE(moment);
        const auto picked = cell();
        int changed = 0;
        for (int y = 0; y < CELL_SIZE; ++y)
            for (int x = 0; x < CELL_SIZE; ++x) {
                const uint32_t a = plain->ReadPixel(x, y), b = picked->ReadPixel(x, y);
                int distance = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    distance += std::abs(int((a >> shift) & 255) - int((b >> shift) & 255));
                changed += distance > 120;
            }
        EXPECT_GT(changed, CELL_SIZE * CELL_SIZE / 4) << "the picked gem looks much like the plain cursor";
        Frames(17);
    }
}

}  // namespace
