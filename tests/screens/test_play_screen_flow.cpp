// The play screen in the real game, headless, with synthetic input only:
// choosing a puzzle from the grid, saving it from the pause menu (and the
// question before replacing a save), loading it back through the chooser,
// completion marks per player, the custom grid, and the files the grids and
// the chooser cannot open.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "game_test_util.h"
#include "puzzle/completion_list.h"
#include "puzzle/editor_mode.h"
#include "puzzle/layout_file.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/save_game_manager.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PlayScreenFlow : public RealGameTest {
protected:
    // The title screen asks for the first player's name; then its Play button.
    void FromTitleToPlayScreen(const std::string& player) {
        ASSERT_TRUE(WaitFor([] { return Game().CurrentTScreen == &TitleScreen() && !Game().GameFade.Active; }, 1000))
            << "the title screen never came";
        ASSERT_TRUE(TitleScreen().EnterName);
        Type(player + "\r");
        ASSERT_TRUE(WaitFor([] { return !TitleScreen().EnterName; }, 100));
        ClickMenu(TitleScreen().Menu, "play");
        ASSERT_TRUE(WaitFor(OnPlayScreen, 300)) << "the play screen never came";
    }

    static bool OnPlayScreen() { return Game().CurrentTScreen == &PlayScreen() && !Game().GameFade.Active; }
    static PNLevelList& Grid() {
        PNLevelList* list = PlayScreen().ShownLevelList();
        EXPECT_TRUE(list);
        return *list;
    }
    // The slot of a level on the shown page, or -1.
    static int SlotOf(const std::string& name) {
        const PNLevelList& list = Grid();
        for (int slot = 0; slot < list.PageItems(); ++slot)
            if (list.LevelList[static_cast<size_t>(list.CurrentPagePosition + slot)] == name) return slot;
        return -1;
    }
    void DoubleClickAt(int x, int y) {
        Click(x, y);
        Click(x, y);
    }
    void DoubleClickSlot(int slot) {
        ASSERT_GE(slot, 0);
        DoubleClickAt(static_cast<int>(PNLevelList::SlotX(slot)), static_cast<int>(PNLevelList::SlotY(slot)));
    }
    void ClickMenu(const MenuPtr& menu, const std::string& name) {
        ASSERT_TRUE(menu);
        ClickButton(menu->FindButton(name));
    }
    // Pause menu, "savegame", the name typed, OK.
    void SaveAs(const std::string& name) {
        auto& gui = GameGUI();
        if (!GameMenu().IsOpen()) {
            ClickButton(gui.MainMenu->FindButton("menu"));
            ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
        }
        ClickMenu(GameMenu().Menu, "savegame");
        ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
        Type(name);
        ClickMenu(gui.SaveGameNameInput->Menu, "OK");
        ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    }
    void AnswerOverwrite(const char* button) {
        auto& gui = GameGUI();
        ASSERT_TRUE(WaitFor([&gui] { return gui.OverwriteInput != nullptr; }, 100)) << "no question before replacing";
        ClickMenu(gui.OverwriteInput->Menu, button);
        ASSERT_TRUE(WaitFor([&gui] { return !gui.OverwriteInput; }, 300));
    }
    // Pause menu (or end-level menu) "backtomenu", Yes, and the play screen.
    void BackToPlayScreen() {
        auto& gui = GameGUI();
        if (!GameState().stateFinished && !GameMenu().IsOpen()) {
            ClickButton(gui.MainMenu->FindButton("menu"));
            ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
        }
        if (GameState().stateFinished) {
            // A won puzzle has nothing to lose: no question.
            ClickMenu(gui.endLevelMenu->Menu, "backtomenu");
        } else {
            ClickMenu(GameMenu().Menu, "backtomenu");
            ASSERT_TRUE(WaitFor([&gui] { return gui.QuitInput && !gui.QuitInput->Transitioning; }, 300));
            ClickMenu(gui.QuitInput->Menu, "Yes");
        }
        ASSERT_TRUE(WaitFor(OnPlayScreen, 500)) << "the play screen never came back";
    }
    void OpenChooser() {
        ClickMenu(PlayScreen().MainMenu, "load");
        ASSERT_TRUE(WaitFor([] { return PlayScreen().SaveGameManager != nullptr; }, 50));
    }
    // Double-clicks the chooser's row of that name (it must be in the window).
    void ChooseFile(const std::string& name) {
        const auto& chooser = *PlayScreen().SaveGameManager;
        const auto& list = *chooser.ListBox;
        const auto found = std::find(chooser.Names.begin(), chooser.Names.end(), name);
        ASSERT_NE(found, chooser.Names.end()) << name << " is not listed";
        const int row = static_cast<int>(found - chooser.Names.begin()) - list.TopIndex;
        DoubleClickAt(static_cast<int>(list.Box->X) + 30,
                      static_cast<int>(list.Box->Y) + list.LineHeight * row + list.LineHeight / 2);
    }
    // The player's score in the high-score table (its puzzle too).
    static TLumenSpireHighScore EntryOf(const std::string& player) {
        const auto& entries = GamePlay().HighscoreList.Entries;
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.name == player; });
        EXPECT_NE(found, entries.end()) << player << " has no score";
        return found == entries.end() ? TLumenSpireHighScore{} : *found;
    }
    void CopyLayout(int number, const std::string& name) {
        fs::copy_file(StandardLevelPath(number), Game().ProfilePath + name + ".layout",
                      fs::copy_options::overwrite_existing);
    }
};

TEST_F(PlayScreenFlow, PuzzleFromTheGridSavedLoadedBackAndMarkedCompletedForItsPlayer) {
    FromTitleToPlayScreen("Tester");
    EXPECT_EQ(Game().ProfileName, "Tester");
    ASSERT_TRUE(PlayScreen().StandardLevelList);
    EXPECT_EQ(Grid().LevelCount(), 80);
    EXPECT_EQ(Grid().CurrentLevel, "001") << "nothing completed yet";
    const int slot = SlotOf("003");
    EXPECT_EQ(Grid().LevelCompletedList[static_cast<size_t>(slot)], "0");
    Shot("play_standard_first");

    DoubleClickSlot(slot);
    ASSERT_TRUE(WaitFor(OnGameScreen, 500)) << "a double click did not start the puzzle";
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/003.layout"));
    EXPECT_EQ(GamePlay().IsCustomLevel, 0);
    EXPECT_EQ(PuzzleLabel(), GameText().FindString("Puzzle Number") + "3");
    TCellBox fromFile;
    ASSERT_EQ(LoadLayout(fromFile, StandardLevelPath(3)), "");
    EXPECT_EQ(LayoutOf(*Mode().CellBox), LayoutOf(fromFile));

    // One move, so that there is a score to keep.
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && !mode.HintList.Items.empty(); }, 2000));
    const auto move = TAutoPlayer(mode).ChooseMove();
    ASSERT_TRUE(move);
    ClickCell(*mode.CellBox, *move->FirstCell);
    ClickCell(*mode.CellBox, *move->SecondCell);
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && GamePlay().ScoreAdder == 0; }, 2000));
    Shot("game_screen_puzzle_number");
    const TBoardBlocks board = BoardOf(*mode.CellBox);
    const int score = GamePlay().Score;
    EXPECT_GT(score, 0);

    SaveAs("mine");
    const std::string savePath = Game().ProfilePath + "Mine.save";
    ASSERT_EQ(plat::FileType(savePath), plat::FILETYPE_FILE);
    const std::string saved = ReadFile(savePath);
    // The notice names the game as it was typed, accents and points kept.
    SaveAs("caf\xE9 v1.2");
    EXPECT_EQ(plat::FileType(Game().ProfilePath + "Caf\xC3\xA9 v1.2.save"), plat::FILETYPE_FILE);
    EXPECT_EQ(GameGUI().Notice, FillIn(GameText().FindString("Saved As"), "NNN", "Caf\xE9 v1.2"));
    ASSERT_TRUE(plat::DeleteFile(Game().ProfilePath + "Caf\xC3\xA9 v1.2.save"));

    // Saving under the same name asks first: No keeps the file as it is.
    std::ofstream(savePath, std::ios::binary) << "kept";
    SaveAs("mine");
    AnswerOverwrite("No");
    EXPECT_EQ(ReadFile(savePath), "kept");
    // ... and goes back to the name prompt, the typed name kept.
    auto& gui = GameGUI();
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    EXPECT_EQ(gui.SaveGameNameInput->Answer(), "Mine");
    ClickMenu(gui.SaveGameNameInput->Menu, "OK");
    AnswerOverwrite("Yes");
    // The same game, saved a moment later (the header line has the date).
    EXPECT_EQ(ReadFile(savePath).substr(ReadFile(savePath).find('\n')), saved.substr(saved.find('\n')));
    // Another player's save is not replaced: a message, then the name prompt again.
    const std::string theirs = "Vellichorns Savegame|player=Somebody Else" + saved.substr(saved.find('\n'));
    std::ofstream(savePath, std::ios::binary) << theirs;
    SaveAs("mine");
    ASSERT_TRUE(WaitFor([&gui] { return gui.OKInput && !gui.OKInput->Transitioning; }, 300));
    ClickMenu(gui.OKInput->Menu, "OK");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    EXPECT_EQ(gui.SaveGameNameInput->Answer(), "Mine");
    ClickMenu(gui.SaveGameNameInput->Menu, "Cancel");
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    EXPECT_EQ(ReadFile(savePath), theirs);
    std::ofstream(savePath, std::ios::binary) << saved;

    BackToPlayScreen();
    EXPECT_TRUE(PlayScreen().StandardLevelList);
    EXPECT_EQ(Grid().CurrentLevel, "003");

    OpenChooser();
    Frames(5);
    Shot("chooser_one_save");
    ChooseFile("Mine");
    ASSERT_TRUE(WaitFor(OnGameScreen, 500)) << "the chosen game did not start";
    EXPECT_EQ(BoardOf(*Mode().CellBox), board);
    EXPECT_EQ(GamePlay().Score, score);
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "layouts/003.layout"));

    Frames(50);
    PlayToTheEnd();
    Frames(30);
    BackToPlayScreen();
    ASSERT_EQ(SlotOf("003"), slot);
    EXPECT_EQ(Grid().LevelCompletedList[static_cast<size_t>(slot)], "1");
    EXPECT_EQ(Grid().CurrentLevel, "004") << "the grid does not offer the next puzzle";
    Shot("play_standard_completed");
    const auto best = EntryOf("Tester");
    EXPECT_EQ(best.puzzle, "3");
    EXPECT_FALSE(best.custom);
    // The grid opens on the page after the last completed puzzle.
    ASSERT_TRUE(RecordLevelCompleted(CompletionFilePath("Tester", false), CompletionKey(StandardLevelPath(12))));
    PlayScreen().ShowStandardLevelList();
    EXPECT_EQ(Grid().CurrentLevel, "013");
    EXPECT_EQ(Grid().PageLine(), "Page 2 of 10");
    // Another player has completed nothing.
    Game().ProfileName = "Someone";
    PlayScreen().ShowStandardLevelList();
    EXPECT_EQ(Grid().LevelCompletedList[static_cast<size_t>(slot)], "0");
}

TEST_F(PlayScreenFlow, CustomGridAndFilesThatCannotBeOpened) {
    FromTitleToPlayScreen("Maker");
    // The page line between the arrows, and each arrow greyed at its end.
    const auto arrow = [](const char* name) { return Grid().NavigationMenu->FindButton(name); };
    const auto region = [this](const ButtonPtr& b) { return Region(int(b->x), int(b->y), b->w, b->h); };
    const auto same = SamePixels;
    const auto between = [&] {
        const auto left = arrow("arrowLeft"), right = arrow("arrowRight");
        return Region(int(left->x) + left->w, int(left->y), int(right->x - left->x) - left->w, left->h);
    };
    EXPECT_EQ(Grid().PageLine(), "Page 1 of 10");
    EXPECT_TRUE(arrow("arrowLeft")->Disabled);
    EXPECT_FALSE(arrow("arrowRight")->Disabled);
    const auto firstLeft = region(arrow("arrowLeft")), firstRight = region(arrow("arrowRight"));
    const auto firstLine = between();
    ClickMenu(Grid().NavigationMenu, "arrowRight");
    EXPECT_EQ(Grid().PageLine(), "Page 2 of 10");
    EXPECT_FALSE(arrow("arrowLeft")->Disabled);
    EXPECT_FALSE(same(region(arrow("arrowLeft")), firstLeft)) << "the left arrow still looks disabled";
    EXPECT_TRUE(same(region(arrow("arrowRight")), firstRight));
    EXPECT_FALSE(same(between(), firstLine)) << "the page line did not change";
    // The last page of the standard grid is full: puzzles 73 to 80.
    for (int i = 0; i < 10; ++i) ClickMenu(Grid().NavigationMenu, "arrowRight");
    EXPECT_EQ(Grid().CurrentPagePosition, 72);
    EXPECT_EQ(Grid().PageLine(), "Page 10 of 10");
    EXPECT_TRUE(arrow("arrowRight")->Disabled);
    EXPECT_FALSE(same(region(arrow("arrowRight")), firstRight)) << "the right arrow does not look disabled";
    Shot("play_standard_last");

    ClickMenu(PlayScreen().LevelTypeMenu, "customlevel");
    ASSERT_TRUE(WaitFor([] { return PlayScreen().CustomLevelList != nullptr; }, 50));
    EXPECT_EQ(Grid().LevelCount(), 0);
    Frames(5);
    Shot("play_custom_empty");
    ClickMenu(PlayScreen().MainMenu, "playsmall");
    Frames(5);
    EXPECT_TRUE(OnPlayScreen()) << "Play with no puzzle did something";

    CopyLayout(5, "Sunrise");
    CopyLayout(7, "007");
    fs::create_directories(Game().ProfilePath + "broken.layout");
    ClickMenu(PlayScreen().LevelTypeMenu, "standardlevel");
    ClickMenu(PlayScreen().LevelTypeMenu, "customlevel");
    ASSERT_EQ(Grid().LevelList, (std::vector<std::string>{"007", "broken", "Sunrise"}));
    Frames(5);
    Shot("play_custom_two");
    DoubleClickSlot(1);
    // One that cannot be read is not started, and the player is told why.
    ASSERT_TRUE(WaitFor([] { return PlayScreen().MessageDialog != nullptr; }, 20)) << "no word for an unreadable puzzle";
    EXPECT_EQ(PlayScreen().MessageDialog->Caption->Text, "The file \"broken\" could not be read.");
    Frames(40);
    ClickMenu(PlayScreen().MessageDialog->Menu, "OK");
    ASSERT_TRUE(WaitFor([] { return !PlayScreen().MessageDialog; }, 100));
    EXPECT_TRUE(OnPlayScreen()) << "a layout that cannot be read was started";
    // Deleted since the grid was built: the player is told and stays.
    fs::remove(Game().ProfilePath + "007.layout");
    DoubleClickSlot(0);
    ASSERT_TRUE(WaitFor([] { return PlayScreen().MessageDialog != nullptr; }, 20));
    Frames(40);
    ClickMenu(PlayScreen().MessageDialog->Menu, "OK");
    ASSERT_TRUE(WaitFor([] { return !PlayScreen().MessageDialog; }, 100));
    EXPECT_TRUE(OnPlayScreen());

    DoubleClickSlot(2);
    ASSERT_TRUE(WaitFor(OnGameScreen, 500));
    EXPECT_EQ(GamePlay().IsCustomLevel, 1);
    EXPECT_EQ(GamePlay().CurrentLevel, Game().ProfilePath + "Sunrise.layout");
    EXPECT_EQ(PuzzleLabel(), GameText().FindString("Puzzle Name") + "Sunrise");
    BackToPlayScreen();
    ASSERT_TRUE(PlayScreen().CustomLevelList) << "the custom grid was not reopened";
    EXPECT_EQ(Grid().CurrentLevel, "Sunrise");

    // The chooser with a dozen saves, one of them not a saved game.
    for (int i = 1; i <= 11; ++i) std::ofstream(Game().ProfilePath + "Game " + std::to_string(i) + ".save") << "x";
    std::ofstream(Game().ProfilePath + "Damaged.save") << "not a saved game";
    OpenChooser();
    Frames(5);
    Shot("chooser_twelve_saves");
    ChooseFile("Damaged");
    ASSERT_TRUE(WaitFor([] { return PlayScreen().MessageDialog != nullptr; }, 20)) << "no message for a bad save";
    EXPECT_FALSE(PlayScreen().SaveGameManager);
    Frames(40);
    ClickMenu(PlayScreen().MessageDialog->Menu, "OK");
    ASSERT_TRUE(WaitFor([] { return !PlayScreen().MessageDialog; }, 100));
    EXPECT_TRUE(OnPlayScreen());
    EXPECT_EQ(plat::FileType(Game().ProfilePath + "Damaged.save"), plat::FILETYPE_FILE) << "nothing is lost";

    // Escape leaves for the title screen.
    plat::PostKeyPress(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return Game().CurrentTScreen == &TitleScreen() && !Game().GameFade.Active; }, 300));
}

// From the play screen's "custom" button: a small puzzle painted with drags
// and the brush keys, saved under a typed name, found in the custom grid,
// won with clicks, and marked completed there for its player.
TEST_F(PlayScreenFlow, APuzzlePaintedInTheEditorIsSavedPlayedToTheEndAndMarkedCompleted) {
    FromTitleToPlayScreen("Maker");
    ClickMenu(PlayScreen().MainMenu, "custom");
    ASSERT_TRUE(WaitFor(OnGameScreen, 500)) << "the editor never came";
    const auto* editor = dynamic_cast<const TGameModeEditor*>(GamePlay().GameMode.get());
    ASSERT_TRUE(editor);
    const TCellBox& box = *editor->CellBox;
    Frames(20);
    // Creation cells along the top, floor below, a bottom row that starts
    // without gems, marble in the middle and one chained gem.
    Key('C');
    DragAlongRow(box, 1, 1, 10);
    Key('C');
    for (int row = 2; row <= 7; ++row) DragAlongRow(box, row, 1, 10);
    Key('Z');
    DragAlongRow(box, 7, 1, 10);
    Key('Z');
    Key(plat::KEY_LCONTROL);
    DragAlongRow(box, 4, 4, 7);
    Key(plat::KEY_LCONTROL);
    Key('X');
    Click(CellX(box, 2), CellY(box, 3));
    Key('X');
    const auto at = [&box](int column, int row) { return box.Layout[column][row]; };
    EXPECT_EQ(at(5, 1).IsCreate, 1);
    EXPECT_EQ(at(5, 2).IsCreate, 0);
    EXPECT_EQ(at(6, 4).Contents, FLOOR_MARBLE);
    EXPECT_EQ(at(8, 4).Contents, FLOOR_NORMAL);
    EXPECT_EQ(at(3, 7).IsFill, 0);
    EXPECT_EQ(at(3, 6).IsFill, 1);
    EXPECT_EQ(at(2, 3).IsChain, 1);
    EXPECT_EQ(at(11, 3).Contents, FLOOR_NONE);
    Shot("custom_painted");

    auto& gui = GameGUI();
    ClickButton(gui.CustomMenu->FindButton("savecustom"));
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300))
        << "refused: " << (gui.OKInput ? gui.OKInput->Caption->Text : "(nothing)");
    Type("mine");
    Answer(gui.SaveGameNameInput, "OK");
    EXPECT_FALSE(gui.OKInput);
    ASSERT_EQ(plat::FileType(Game().ProfilePath + "Mine.layout"), plat::FILETYPE_FILE);
    ClickButton(gui.CustomMenu->FindButton("backtomenu"));  // just saved: nothing to ask about
    EXPECT_FALSE(gui.QuitInput);
    ASSERT_TRUE(WaitFor(OnPlayScreen, 500)) << "the editor did not lead back";
    ASSERT_TRUE(PlayScreen().CustomLevelList) << "the editor did not lead to the player's own puzzles";
    EXPECT_EQ(Grid().CurrentLevel, "Mine") << "the puzzle just saved is not selected";
    ASSERT_EQ(Grid().LevelList, std::vector<std::string>{"Mine"});
    EXPECT_EQ(Grid().LevelCompletedList[0], "0");
    Frames(5);
    Shot("custom_grid_mine");
    DoubleClickSlot(SlotOf("Mine"));
    ASSERT_TRUE(WaitFor(OnGameScreen, 500)) << "the custom puzzle did not start";
    EXPECT_EQ(GamePlay().IsCustomLevel, 1);
    EXPECT_EQ(GamePlay().CurrentLevel, Game().ProfilePath + "Mine.layout");
    Frames(50);
    PlayToTheEnd();
    Frames(30);
    EXPECT_FALSE(gui.endLevelMenu->Menu->FindButton("nextpuzzle")) << "a custom puzzle has no next one";
    Shot("custom_finished");

    BackToPlayScreen();
    ASSERT_TRUE(PlayScreen().CustomLevelList) << "the custom grid was not reopened";
    EXPECT_EQ(Grid().CurrentLevel, "Mine");
    EXPECT_EQ(Grid().LevelCompletedList[static_cast<size_t>(SlotOf("Mine"))], "1");
    EXPECT_EQ(ReadFile(CompletionFilePath("Maker", true)), "Mine=1\r\n");
    const auto best = EntryOf("Maker");
    EXPECT_EQ(best.puzzle, "Mine");
    EXPECT_TRUE(best.custom);
    Shot("custom_grid_completed");
}

}  // namespace
