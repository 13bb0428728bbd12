// The real game, headless, played with synthetic mouse events: loading,
// puzzle 001 from start to finish by clicking gems, the end-level menu and
// the next puzzle, then the pause menu: a typed save, a restart, and the
// save loaded back; clicks that must not reach the board, taps, and a next
// puzzle that cannot be loaded.
#include <fstream>
#include <utility>

#include "puzzle/completion_list.h"
#include "puzzle/layout_file.h"
#include "game_test_util.h"
#include "puzzle/save_game.h"
#include "screens/ingame_menu.h"
#include "screens/screen_list.h"

namespace {

class GamePlayThrough : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
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
        plat::PostKeyPress(key);
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
        Frames(10);
    }
    bool WaitForThePanel() {
        return WaitFor([] { return GameGUI().endLevelMenu->Ready(); }, 300);
    }
};

TEST_F(GamePlayThrough, FirstPuzzleToTheEndThenNextThenSaveRestartAndLoad) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000)) << "the game screen never came";
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/001.layout"));
    Game().ProfileName = "Tester";  // a player, who keeps bests
    DeletePlayerBests("Tester");
    Frames(100);

    int played = 0;
    PlayToTheEnd([this, &played](int moves) {
        played = moves;
        if (moves != 3) return;
        Frames(8);
        Shot("game_in_progress");
    });
    auto& gui = GameGUI();
    ASSERT_TRUE(gui.endLevelMenu && gui.endLevelMenu->Show);
    Frames(40);
    Shot("victory_particles");
    // The panel sums the win up, a place in the high-score table with it:
    // no message covers it.
    EXPECT_FALSE(gui.OKInput);
    const PNEndLevelMenu& panel = *gui.endLevelMenu;
    EXPECT_EQ(panel.Summary.Score, GamePlay().Score);
    EXPECT_TRUE(panel.Summary.MovesMade > 0 && panel.Summary.MovesMade <= played) << panel.Summary.MovesMade;
    EXPECT_EQ(panel.SummaryRows()[3].second, FormatPlayTime(PlayClock().Elapsed()));
    EXPECT_GT(PlayClock().Elapsed(), 0u);
    EXPECT_EQ(FormatPlayTime(((60 + 2) * 60 + 9) * 1000 + 999), "1:02:09");
    const int place = panel.Summary.HighscorePlace;
    ASSERT_GT(place, 0) << "a first win makes the table";
    EXPECT_EQ(GamePlay().HighscoreList.Entries[static_cast<size_t>(place - 1)].score, GamePlay().Score);
    EXPECT_TRUE(EndsWith(panel.HighscoreLine(), std::to_string(place) + "!")) << panel.HighscoreLine();
    EXPECT_TRUE(IsLevelCompleted(CompletionFilePath(Game().ProfileName, false), "001"));
    // The win earns stars against the shipped par.
    EXPECT_GT(panel.Summary.Par, 0);
    EXPECT_EQ(panel.Summary.Stars, StarsForWin(panel.Summary.MovesMade, panel.Summary.Par));
    // ... kept with the first win's bests and the play counted so far.
    const TPlayerBests bests(Game().ProfileName);
    ASSERT_NE(bests.Find(false, "001"), nullptr);
    EXPECT_EQ(bests.Find(false, "001")->Stars, panel.Summary.Stars);
    EXPECT_TRUE(panel.Summary.Better.Score && panel.Summary.Better.Moves);
    const TPlayerStats won = bests.Stats();
    EXPECT_EQ(won.Moves, panel.Summary.MovesMade);
    EXPECT_GE(won.Gems, 3 * won.Moves);
    EXPECT_GT(won.PlayMs, 0);
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
    // A name not used before, so the save is not a question of replacing one.
    plat::DeleteFile(Game().ProfilePath + "Midway.save");
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
    // The play of the second puzzle is counted at the restart.
    EXPECT_GT(TPlayerBests(Game().ProfileName).Stats().PlayMs, won.PlayMs);

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

    // A click the moment the panel comes up was meant for a gem: it presses
    // nothing. The click on "Next Puzzle" chooses no gem on the next board.
    FinishPuzzle();
    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    Frames(5);
    ASSERT_TRUE(GameState().stateFinished && !gui.RestartInput);
    ASSERT_TRUE(WaitForThePanel());
    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    ASSERT_TRUE(WaitFor([] { return OnGameScreen() && !GameState().stateFinished; }, 500));
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/002.layout"));
    Frames(5);
    EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);
}

// A paused board is dimmed under the plate, and the plate's second line,
// from the text table, says how to go on.
TEST_F(GamePlayThrough, APausedBoardIsDimmedAndThePlateSaysHowToGoOn) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    ASSERT_TRUE(WaitFor([] { return !Mode().StartGameAnimation && Mode().CellBox->IsSettled(); }, 2000));
    const auto light = [](const plat::TPixmap& picture, int x0, int y0, int x1, int y1) {
        double sum = 0;
        int white = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint32_t c = picture.ReadPixel(x, y);
                const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
                sum += r + g + b;
                white += r > 220 && g > 220 && b > 200;
            }
        return std::pair{sum / ((x1 - x0) * (y1 - y0)), white};
    };
    const TCellBox& box = *Mode().CellBox;
    const int x0 = box.AreaStartX, y0 = box.AreaStartY, x1 = x0 + 4 * CELL_SIZE, y1 = y0 + 3 * CELL_SIZE;
    const double before = light(*Shot("before_pause"), x0, y0, x1, y1).first;
    PressKey('P');
    Frames(2);
    ASSERT_TRUE(Game().Paused);
    const auto paused = Shot("paused_plate");
    EXPECT_LT(light(*paused, x0, y0, x1, y1).first, before * 0.7) << "the board is dimmed";
    const int lineTop = ScreenHeight / 2 + 20, lineBottom = ScreenHeight / 2 + 40;
    EXPECT_GT(light(*paused, 220, lineTop, 580, lineBottom).second, 40) << "the words are written";
    GameText().Map["PAUSED CONTINUE"] = {""};
    EXPECT_EQ(light(*Shot("paused_no_words"), 220, lineTop, 580, lineBottom).second, 0) << "they are that key's";
    PressKey('P');
    Frames(2);
    EXPECT_FALSE(Game().Paused);
}

TEST_F(GamePlayThrough, ANextPuzzleThatCannotBeLoadedLeavesTheFinishedOneWithTheReason) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    const std::string dataPrefix = Game().DataPrefix;
    const std::string folder = testing::TempDir() + "vc_next_" + std::to_string(getpid()) + "/";
    ASSERT_TRUE(plat::CreateDir(folder + "layouts", true));
    ASSERT_TRUE(plat::WriteFileAtomic(folder + "layouts/002.layout", "Lumen Spire Layout\r\n-\r\n0000\r\n"));
    Game().DataPrefix = folder;
    FinishPuzzle();
    ASSERT_TRUE(WaitForThePanel());
    const std::string level = GamePlay().CurrentLevel;
    auto& gui = GameGUI();
    ClickButton(gui.endLevelMenu->Menu->FindButton("nextpuzzle"));
    Frames(5);
    Game().DataPrefix = dataPrefix;
    EXPECT_TRUE(gui.OKInput) << "no message";
    EXPECT_EQ(Mode().FileError, "The puzzle \"002\" is damaged and cannot be loaded.") << Mode().FileError;
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
    plat::PostKeyPress(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([&mode] { return mode.ShufflePieces == nullptr; }, 300)) << "Escape did not answer";
    Frames(30);
    EXPECT_FALSE(GameMenu().Active) << "Escape opened the pause menu";
}

TEST_F(GamePlayThrough, AWonPuzzleKeepsItsBoardAndScoreAndLeavesWithoutAQuestion) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 2000));
    ASSERT_TRUE(WaitForMove());
    GamePlay().Score = 1234;
    FinishPuzzle();
    const int score = GamePlay().Score;
    const auto gems = [] {
        std::vector<int> all;
        for (const auto& column : Mode().CellBox->Cells)
            for (const auto& cell : column) all.push_back(cell ? cell->Contents : -1);
        return all;
    };
    const auto before = gems();
    auto& gui = GameGUI();
    ClickButton(gui.MainMenu->FindButton("menu"));
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    for (const char* name : {"shufflepuzzle", "savegame"}) {
        ClickButton(GameMenu().Menu->FindButton(name));
        Frames(60);
        EXPECT_FALSE(gui.AnyDialogOpen()) << name << " opened a dialog on a won puzzle";
    }
    EXPECT_EQ(GamePlay().Score, score);
    EXPECT_EQ(gems(), before);
    ClickButton(GameMenu().Menu->FindButton("backtomenu"));
    Frames(5);
    EXPECT_FALSE(gui.QuitInput) << "asked before leaving a won puzzle";
    EXPECT_EQ(Game().DestinationTScreen, &ScreenFor(EGameScreen::Play));
}

TEST_F(GamePlayThrough, TheNoMovesQuestionStandsClearOfASmallBoard) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 2000));
    auto& box = *Mode().CellBox;
    ASSERT_TRUE(WaitFor([&box] { return box.IsSettled(); }, 2000));
    // Only three rows of floor in the middle of the board.
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row)
            if (row < 5 || row > 7) box.Layout[column][row].Contents = FLOOR_NONE;
    auto question = PuzzleHooks().OpenQuestion("No Valid Matches 1");
    ASSERT_TRUE(question);
    const auto* dialog = dynamic_cast<const TPuzzleDialogQuestion*>(question.get());
    ASSERT_TRUE(dialog);
    const int floorBottom = box.AreaStartY + 8 * CELL_SIZE;
    const int floorTop = box.AreaStartY + 5 * CELL_SIZE;
    const auto& panel = *dialog->Dialog;
    EXPECT_TRUE(panel.y >= floorBottom || panel.y + panel.h <= floorTop)
        << "the question covers the board: " << panel.y << ".." << panel.y + panel.h;
}

TEST_F(GamePlayThrough, ADamagedSaveIsNamedPlainlyInAMessageThatFitsItsPanel) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 2000));
    const std::string path = Game().ProfilePath + "First.save";
    std::ofstream(path, std::ios::binary) << "not a saved game at all, " << std::string(300, 'x');
    EXPECT_FALSE(Mode().LoadGame(path));
    EXPECT_EQ(Mode().FileError, "The saved game \"First\" is damaged and cannot be loaded.");
    // A long text (a path, say) wraps inside the panel, which grows to hold it.
    std::string longText;
    for (int i = 0; i < 12; ++i) longText += "a rather long message ";
    for (const std::string& text : {Mode().FileError, longText}) {
        GameGUI().ShowMessage(text);
        const auto& dialog = *GameGUI().OKInput;
        const float width = static_cast<float>(dialog.w - 2 * dialog.Border);
        const auto& lines = dialog.Caption->TextArray;
        if (lines.empty()) {
            EXPECT_LE(dialog.Caption->CalcWidth(), width) << text;
        }
        for (const auto& line : lines) EXPECT_LE(dialog.Caption->TextWidth(line), width) << line;
        EXPECT_LE(dialog.Caption->CalcHeight(), static_cast<float>(dialog.h)) << text;
        Frames(60);
        ClickButton(dialog.Menu->FindButton("OK"));
        ASSERT_TRUE(WaitFor([] { return !GameGUI().OKInput; }, 300));
    }
}

}  // namespace
