// What the player sees, frame by frame, on a manual clock with fixed
// randomness: the title screen, the board at rest (under the pointer and in
// the light sweep), a cascade, the pause overlay and the pause menu, and the
// puzzle grid.
// VC_SCREENSHOT_DIR keeps the pictures, to compare two builds.
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
