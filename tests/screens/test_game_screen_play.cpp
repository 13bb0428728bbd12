// The real game, headless, played with synthetic mouse events: loading,
// puzzle 001 from start to finish by clicking gems, the end-level menu and
// the next puzzle, then the pause menu: a typed save, a restart, and the
// save loaded back.
#include "game_test_util.h"
#include "puzzle/completion_list.h"
#include "puzzle/layout_file.h"
#include "screens/ingame_menu.h"

namespace {

class GamePlayThrough : public RealGameTest {};

TEST_F(GamePlayThrough, FirstPuzzleToTheEndThenNextThenSaveRestartAndLoad) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000)) << "the game screen never came";
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/001.layout"));
    Frames(100);

    PlayToTheEnd([this](int moves) {
        if (moves != 3) return;
        Frames(8);
        Shot("game_in_progress");
    });
    auto& gui = GameGUI();
    ASSERT_TRUE(gui.endLevelMenu && gui.endLevelMenu->Show);
    Frames(40);
    Shot("victory_particles");
    // A first win makes the high-score table: its message comes first.
    if (gui.OKInput) {
        Frames(60);
        ClickButton(gui.OKInput->Menu->FindButton("OK"));
        ASSERT_TRUE(WaitFor([&gui] { return !gui.OKInput; }, 300));
    }
    EXPECT_TRUE(IsLevelCompleted(CompletionFilePath(Game().ProfileName, false), "001"));
    EXPECT_EQ(plat::FileType(GamePlay().HighscoreList.filepath), plat::FILETYPE_FILE);
    Frames(10);
    Shot("end_level_menu");

    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    ASSERT_TRUE(WaitFor([] { return OnGameScreen() && !GameState().stateFinished; }, 500));
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/002.layout"));
    Frames(150);

    // Play a little, then pause and save under a typed name.
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && !mode.HintList.Items.empty(); }, 2000));
    if (const auto move = TAutoPlayer(mode).ChooseMove()) {
        ClickCell(*mode.CellBox, *move->FirstCell);
        ClickCell(*mode.CellBox, *move->SecondCell);
        Frames(2);
    }
    ClickButton(gui.MainMenu->FindButton("menu"));
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    Shot("pause_menu");
    ClickButton(GameMenu().Menu->FindButton("savegame"));
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    for (const char c : std::string("midway"))
        plat::PostEvent({plat::EventKind::KeyChar, static_cast<unsigned char>(c), 0, 0});
    Frames(3);
    const TBoardBlocks saved = BoardOf(*mode.CellBox);
    ClickButton(gui.SaveGameNameInput->Menu->FindButton("OK"));
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    EXPECT_FALSE(gui.OKInput) << "the save failed";
    const std::string savePath = Game().ProfilePath + "Midway.save";
    ASSERT_EQ(plat::FileType(savePath), plat::FILETYPE_FILE);

    // Restart from the pause menu: the board goes back to the puzzle's start.
    ASSERT_TRUE(GameMenu().IsOpen());
    ClickButton(GameMenu().Menu->FindButton("restartpuzzle"));
    ASSERT_TRUE(WaitFor([&gui] { return gui.RestartInput && !gui.RestartInput->Transitioning; }, 300));
    ClickButton(gui.RestartInput->Menu->FindButton("Yes"));
    ASSERT_TRUE(WaitFor([&gui] { return !gui.RestartInput && !GameMenu().Active; }, 300));
    EXPECT_EQ(GamePlay().Score, 0);

    ASSERT_EQ(Mode().LoadGame(savePath), 1) << Mode().FileError;
    EXPECT_EQ(BoardOf(*Mode().CellBox), saved);
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/002.layout"));
    Frames(20);
}

TEST_F(GamePlayThrough, EscapeAnswersTheNoMovesQuestionInsteadOfOpeningTheMenu) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 2000));
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled(); }, 2000));
    mode.ShufflePieces = PuzzleHooks().OpenQuestion("No Valid Matches 1");
    ASSERT_TRUE(mode.ShufflePieces);
    Frames(60);  // the question slides in
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_ESCAPE, 0, 0});
    plat::PostEvent({plat::EventKind::KeyUp, plat::KEY_ESCAPE, 0, 0});
    ASSERT_TRUE(WaitFor([&mode] { return mode.ShufflePieces == nullptr; }, 300)) << "Escape did not answer";
    Frames(30);
    EXPECT_FALSE(GameMenu().Active) << "Escape opened the pause menu";
}

}  // namespace
