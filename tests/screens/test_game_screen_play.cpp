// The real game, headless, played with synthetic mouse events: loading,
// puzzle 001 from start to finish by clicking gems, the end-level menu and
// the next puzzle, then the pause menu: a typed save, a restart, and the
// save loaded back; clicks that must not reach the board, taps, and a next
// puzzle that cannot be loaded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

#include "app/game.h"
#include "app/loading_screen.h"
#include "app/startup.h"
#include "gui/dialog.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/auto_player.h"
#include "puzzle/completion_list.h"
#include "puzzle/game_gui.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "puzzle/save_game.h"
#include "screens/game_screen.h"
#include "screens/ingame_menu.h"

namespace {

constexpr uint32_t FRAME_MS = 20;

class GamePlayThrough : public ::testing::Test {
protected:
    void SetUp() override {
        // The build's own data, or the data folder of another build.
        std::string folder = VC_TEST_BINARY_DIR;
        if (plat::FileType(folder + "/layouts/001.layout") != plat::FILETYPE_FILE && std::getenv("VC_GAME_DATA_DIR"))
            folder = std::getenv("VC_GAME_DATA_DIR");
        if (plat::FileType(folder + "/data/resources/data.pak") != plat::FILETYPE_FILE ||
            plat::FileType(folder + "/layouts/001.layout") != plat::FILETYPE_FILE) {
            GTEST_SKIP() << "game data not built";
        }
        ASSERT_TRUE(plat::ChangeDir(folder));
        shots = std::getenv("VC_SCREENSHOT_DIR") ? std::getenv("VC_SCREENSHOT_DIR") : "";
        // Start-up runs on the real clock (its splash waits in real time);
        // the first event skips the splash.
        plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
        StartGame();
        InstallGameScreenHooks();
        LoadingScreen().Destination = &StartFirstStandardPuzzle();
        clock.now = plat::MilliSecs();
        plat::SetClock(&clock);
        Game().FixedRateLogic.Init();
        plat::SeedRnd(12345);
    }
    void TearDown() override {
        plat::SetClock(nullptr);
        GameExit();
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.now += FRAME_MS;
            ASSERT_NE(Game().RunFrame(), -1);
        }
    }
    bool WaitFor(const std::function<bool()>& done, int maxFrames) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done()) return true;
            Frames(1);
        }
        return done();
    }
    void Click(int x, int y) {
        plat::PostEvent({plat::EventKind::MouseMove, 0, x, y});
        Frames(2);
        plat::PostEvent({plat::EventKind::MouseDown, 1, x, y});
        Frames(1);
        plat::PostEvent({plat::EventKind::MouseUp, 1, x, y});
        Frames(1);
    }
    void ClickButton(const ButtonPtr& button) {
        ASSERT_TRUE(button);
        Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
    }
    void ClickCell(const TCellBox& box, const TCell& cell) {
        Click(box.AreaStartX + cell.ArrayX * CELL_SIZE + CELL_SIZE / 2,
              box.AreaStartY + cell.ArrayY * CELL_SIZE + CELL_SIZE / 2);
    }
    // A tap: press and release arrive between two frames.
    void TapCell(const TCellBox& box, const TCell& cell) {
        const int x = box.AreaStartX + cell.ArrayX * CELL_SIZE + CELL_SIZE / 2;
        const int y = box.AreaStartY + cell.ArrayY * CELL_SIZE + CELL_SIZE / 2;
        plat::PostEvent({plat::EventKind::MouseMove, 0, x, y});
        Frames(2);
        plat::PostEvent({plat::EventKind::MouseDown, 1, x, y});
        plat::PostEvent({plat::EventKind::MouseUp, 1, x, y});
        Frames(1);
    }
    static void PressKey(int key) {
        plat::PostEvent({plat::EventKind::KeyDown, key, 0, 0});
        plat::PostEvent({plat::EventKind::KeyUp, key, 0, 0});
    }
    bool WaitForMove() {
        return WaitFor(
            [] { return Mode().CellBox->IsSettled() && Mode().HintList.Exists && !Mode().HintList.Items.empty(); },
            2000);
    }
    // Wins the puzzle in play at once: its marble turns normal.
    void FinishPuzzle() {
        for (auto& column : Mode().CellBox->Layout)
            for (auto& floor : column)
                if (floor.Contents == FLOOR_MARBLE) floor.Contents = FLOOR_NORMAL;
        ASSERT_TRUE(WaitFor([] { return GameState().stateFinished != 0; }, 3000));
        auto& gui = GameGUI();
        if (gui.OKInput) {  // a first win makes the high-score table
            Frames(60);
            ClickButton(gui.OKInput->Menu->FindButton("OK"));
            ASSERT_TRUE(WaitFor([&gui] { return !gui.OKInput; }, 300));
        }
        Frames(10);
    }
    void Shot(const std::string& name) {
        if (shots.empty()) return;
        Game().ScreenDraw();
        auto pixmap = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
        if (pixmap) plat::SavePixmapPNG(*pixmap, shots + "/" + name + ".png");
    }
    static TGameModeMatch3& Mode() { return static_cast<TGameModeMatch3&>(*GamePlay().GameMode); }
    static bool OnGameScreen() { return Game().CurrentTScreen == &GameScreen() && !Game().GameFade.Active; }
    static bool EndsWith(const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }

    // Clicks gems until the puzzle is won, choosing each move from the hint list.
    void PlayToTheEnd() {
        int moves = 0;
        bool shotTaken = false;
        while (!GameState().stateFinished && moves < 600) {
            auto& mode = Mode();
            if (auto* question = dynamic_cast<TPuzzleDialogQuestion*>(mode.ShufflePieces.get())) {
                Frames(60);
                ClickButton(question->Dialog->Menu->FindButton("Yes"));
                Frames(10);
                continue;
            }
            const bool ready = WaitFor(
                [&mode] {
                    return GameState().stateFinished || mode.ShufflePieces ||
                           (mode.CellBox->IsSettled() && mode.HintList.Exists && !mode.HintList.Items.empty());
                },
                2000);
            ASSERT_TRUE(ready) << "the board never settled";
            if (GameState().stateFinished || mode.ShufflePieces) continue;
            const auto move = TAutoPlayer(mode).ChooseMove();
            ASSERT_TRUE(move);
            ClickCell(*mode.CellBox, *move->FirstCell);
            ClickCell(*mode.CellBox, *move->SecondCell);
            ++moves;
            if (moves == 3 && !shotTaken) {
                Frames(8);
                Shot("game_in_progress");
                shotTaken = true;
            }
            Frames(5);
        }
        ASSERT_TRUE(WaitFor([] { return GameState().stateFinished != 0; }, 3000)) << "not won after " << moves;
    }

    plat::TManualClock clock;
    std::string shots;
};

TEST_F(GamePlayThrough, FirstPuzzleToTheEndThenNextThenSaveRestartAndLoad) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000)) << "the game screen never came";
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/001.layout"));
    Frames(100);

    PlayToTheEnd();
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
    // The move under way is saved as made.
    const TBoardBlocks saved = SaveGameDataOf(mode).Current;
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

TEST_F(GamePlayThrough, ClicksReachTheBoardOnceAndTapsCount) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    auto& mode = Mode();
    const TCellBox& box = *mode.CellBox;
    ASSERT_TRUE(WaitForMove());
    // Two taps make a move.
    auto move = TAutoPlayer(mode).ChooseMove();
    ASSERT_TRUE(move);
    TapCell(box, *move->FirstCell);
    EXPECT_EQ(mode.CellBox->MarkedCell1.get(), move->FirstCell);
    TapCell(box, *move->SecondCell);
    EXPECT_TRUE(mode.CellBox->IsCellSwitchAnimation());

    // The click that ends a pause chooses no gem.
    ASSERT_TRUE(WaitForMove());
    PressKey('P');
    Frames(2);
    ASSERT_TRUE(Game().Paused);
    move = TAutoPlayer(mode).ChooseMove();
    ClickCell(*mode.CellBox, *move->FirstCell);
    Frames(2);
    EXPECT_FALSE(Game().Paused);
    EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);

    // A gem chosen before "Shuffle Gems" is not chosen after it.
    TapCell(*mode.CellBox, *move->FirstCell);
    ASSERT_TRUE(mode.CellBox->MarkedCell1);
    auto& gui = GameGUI();
    ClickButton(gui.MainMenu->FindButton("menu"));
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    ClickButton(GameMenu().Menu->FindButton("shufflepuzzle"));
    ASSERT_TRUE(WaitFor([&gui] { return gui.ShuffleInput && !gui.ShuffleInput->Transitioning; }, 300));
    ClickButton(gui.ShuffleInput->Menu->FindButton("Yes"));
    ASSERT_TRUE(WaitFor([] { return OnGameScreen() && !GameMenu().Active; }, 500));
    Frames(5);
    EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);

    // The click on "Next Puzzle" chooses no gem on the next board.
    FinishPuzzle();
    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    ASSERT_TRUE(WaitFor([] { return OnGameScreen() && !GameState().stateFinished; }, 500));
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/002.layout"));
    Frames(5);
    EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);
}

TEST_F(GamePlayThrough, ANextPuzzleThatCannotBeLoadedLeavesTheFinishedOneWithTheReason) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    const std::string dataPrefix = Game().DataPrefix;
    const std::string folder = testing::TempDir() + "vc_next_" + std::to_string(getpid()) + "/";
    ASSERT_TRUE(plat::CreateDir(folder + "layouts", true));
    ASSERT_TRUE(plat::WriteFileAtomic(folder + "layouts/002.layout", "Lumen Spire Layout\r\n-\r\n0000\r\n"));
    Game().DataPrefix = folder;
    FinishPuzzle();
    const std::string level = GamePlay().CurrentLevel;
    auto& gui = GameGUI();
    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    Frames(5);
    Game().DataPrefix = dataPrefix;
    EXPECT_TRUE(gui.OKInput) << "no message";
    EXPECT_NE(Mode().FileError.find("002.layout"), std::string::npos) << Mode().FileError;
    EXPECT_EQ(GamePlay().CurrentLevel, level);
    EXPECT_TRUE(GameState().stateFinished);
    EXPECT_FALSE(Game().GameFade.Active);
    EXPECT_TRUE(Game().Mouse.Active);
    if (gui.OKInput) {
        Frames(60);
        ClickButton(gui.OKInput->Menu->FindButton("OK"));
        ASSERT_TRUE(WaitFor([&gui] { return !gui.OKInput; }, 300));
    }
    EXPECT_TRUE(gui.endLevelMenu->Show) << "the end-level menu is still offered";
    plat::DeleteDir(folder, true);
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
