// The whole game with the keyboard alone, the mouse never touched: a first
// start and a name, the title, the puzzle grid, a move with the board's
// cursor, the pause menu and a save, back to the title and out through the
// quit question.
#include "game_test_util.h"
#include "gui/dialog.h"
#include "screens/game_gui.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

namespace {

class KeyboardFlow : public RealGameTest {
protected:
    static bool OnTitle() { return OnScreen(TitleScreen()); }
    // Walks the board's cursor onto the cell with the arrow keys.
    void WalkTo(const TCell& cell) {
        const TBoardCursor& cursor = Mode().CellBox->Cursor;
        for (int i = 0; i < 40 && cursor.Column != cell.ArrayX; ++i)
            Key(cursor.Column < cell.ArrayX ? plat::KEY_RIGHT : plat::KEY_LEFT);
        for (int i = 0; i < 40 && cursor.Row != cell.ArrayY; ++i)
            Key(cursor.Row < cell.ArrayY ? plat::KEY_DOWN : plat::KEY_UP);
    }
    // Moves the pause menu's focus down to the button.
    void FocusPauseButton(const std::string& name) {
        Key(plat::KEY_DOWN);  // shows the focus on the first button
        for (int i = 0; i < 8 && GameMenu().Focus.FocusedName() != name; ++i) Key(plat::KEY_DOWN);
        ASSERT_EQ(GameMenu().Focus.FocusedName(), name);
    }
    void OpenPauseMenu() {
        Key(plat::KEY_ESCAPE);
        ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    }
};

TEST_F(KeyboardFlow, FirstStartToAMoveASaveAndQuittingWithKeysOnly) {
    ASSERT_TRUE(WaitFor(OnTitle, 500));
    ASSERT_TRUE(TitleScreen().EnterName) << "a first start asks for a name";
    Type("Kai\r");
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().DialogOpen(); }, 200));

    // Title: the first arrow shows the focus on Play; Return presses it.
    Key(plat::KEY_DOWN);
    ASSERT_EQ(TitleScreen().Focus.FocusedName(), "PLAY");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));

    // The grid: two steps right to puzzle 3, Return plays it.
    Key(plat::KEY_RIGHT);
    Key(plat::KEY_RIGHT);
    ASSERT_TRUE(PlayScreen().ShownLevelList());
    EXPECT_EQ(PlayScreen().ShownLevelList()->CurrentLevel, "003");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor(OnGameScreen, 300));
    EXPECT_TRUE(EndsWith(GamePlay().CurrentLevel, "003.layout"));

    // A move from the hint list, made with the cursor.
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && !mode.HintList.Items.empty(); }, 2000));
    const TMatch3Hint move = mode.HintList.Items.front();
    Key(plat::KEY_UP);
    WalkTo(*move.FirstCell);
    Key(plat::KEY_SPACE);
    ASSERT_EQ(mode.CellBox->MarkedCell1.get(), move.FirstCell);
    const int dc = move.SecondCell->ArrayX - move.FirstCell->ArrayX;
    const int dr = move.SecondCell->ArrayY - move.FirstCell->ArrayY;
    Key(dc > 0 ? plat::KEY_RIGHT : dc < 0 ? plat::KEY_LEFT : dr > 0 ? plat::KEY_DOWN : plat::KEY_UP);
    ASSERT_TRUE(WaitFor([] { return GamePlay().Score > 0 || GamePlay().ScoreAdder > 0; }, 300)) << "no run made";
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && GamePlay().ScoreAdder == 0; }, 2000));

    // Pause menu, Save Game, a typed name.
    OpenPauseMenu();
    FocusPauseButton("SAVEGAME");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return GameGUI().SaveGameNameInput && !GameGUI().SaveGameNameInput->Transitioning; }, 300));
    Type("Keys\r");
    ASSERT_TRUE(WaitFor([] { return !GameGUI().SaveGameNameInput; }, 300));
    EXPECT_EQ(plat::FileType(Game().ProfilePath + "Keys.save"), plat::FILETYPE_FILE);

    // Back to Menu, the question answered with Return (Yes), then Escape to the title.
    Frames(20);
    if (!GameMenu().IsOpen()) OpenPauseMenu();
    FocusPauseButton("BACKTOMENU");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return GameGUI().QuitInput && !GameGUI().QuitInput->Transitioning; }, 300));
    // The question tells what a quit costs: the puzzle is not kept to continue.
    EXPECT_NE(GameGUI().QuitInput->Caption->Text.find("progress"), std::string::npos) << GameGUI().QuitInput->Caption->Text;
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 500));
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor(OnTitle, 300));

    // Escape asks; Return answers Yes and the game ends.
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return TitleScreen().QuitQuestion && !TitleScreen().QuitQuestion->Transitioning; }, 100));
    Key(plat::KEY_ENTER);
    int result = 0;
    for (int i = 0; i < 200 && result != -1; ++i) {
        clock.now += FRAME_MS;
        result = Game().RunFrame();
    }
    EXPECT_EQ(result, -1) << "Yes to the quit question should end the game";
}

// Escape on the title always asks, also right after the first start's name
// (whose prompt opened before the title had taken Escape as its own).
TEST_F(KeyboardFlow, EscapeOnTheTitleAsksRightAfterTheFirstName) {
    ASSERT_TRUE(WaitFor(OnTitle, 500));
    Type("Kai\r");
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().DialogOpen(); }, 200));
    Key(plat::KEY_DOWN);
    Key(plat::KEY_ESCAPE);
    Frames(30);
    ASSERT_TRUE(TitleScreen().QuitQuestion) << "Escape did not ask";
    EXPECT_FALSE(Game().GameFade.Active);
    Key(plat::KEY_ESCAPE);  // No
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().QuitQuestion; }, 200));
    Key(plat::KEY_ESCAPE);
    Frames(30);
    EXPECT_TRUE(TitleScreen().QuitQuestion) << "the second Escape did not ask";
}

// The keys used in "Choose a player" stay there: the title's focus behind it
// is where it was when the dialog closes.
TEST_F(KeyboardFlow, KeysInTheChooserLeaveTheTitleBehindItAlone) {
    ASSERT_TRUE(WaitFor(OnTitle, 500));
    Type("Kai\r");
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().DialogOpen(); }, 200));
    auto& title = TitleScreen();
    for (int i = 0; i < 8 && title.Focus.FocusedName() != "CHANGEPLAYER"; ++i) Key(plat::KEY_DOWN);
    ASSERT_EQ(title.Focus.FocusedName(), "CHANGEPLAYER");
    for (const int close : {plat::KEY_ENTER, plat::KEY_ESCAPE}) {
        SCOPED_TRACE(close == plat::KEY_ENTER ? "OK" : "Cancel");
        Key(plat::KEY_ENTER);
        ASSERT_TRUE(WaitFor([&title] { return title.PlayerManager && !title.PlayerManager->Transitioning; }, 200));
        for (const int key : {plat::KEY_DOWN, plat::KEY_UP, plat::KEY_DOWN, plat::KEY_UP}) Key(key);
        Key(close);
        ASSERT_TRUE(WaitFor([&title] { return !title.PlayerManager; }, 200));
        Frames(5);
        EXPECT_EQ(title.Focus.FocusedName(), "CHANGEPLAYER");
        EXPECT_TRUE(OnTitle());
    }
}

}  // namespace

namespace {

class KeyboardEndLevel : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
};

// A won puzzle is left by keys too: its panel takes the focus at once.
TEST_F(KeyboardEndLevel, TheArrowsReachNextPuzzleOnThePanel) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    for (auto& column : Mode().CellBox->Layout)
        for (auto& floor : column)
            if (floor.Contents == FLOOR_MARBLE) floor.Contents = FLOOR_NORMAL;
    ASSERT_TRUE(WaitFor([] { return GameState().stateFinished != 0; }, 3000));
    auto& gui = GameGUI();
    ASSERT_TRUE(WaitFor([&gui] { return gui.endLevelMenu && gui.endLevelMenu->Show; }, 500));
    Frames(30);
    Key(plat::KEY_DOWN);
    ASSERT_EQ(gui.endLevelMenu->Focus.FocusedName(), "NEXTPUZZLE");
    Key(plat::KEY_ENTER);
    EXPECT_TRUE(WaitFor([] { return OnGameScreen() && EndsWith(GamePlay().CurrentLevel, "002.layout"); }, 1000));
}

// Over a won puzzle the pause menu's Save and Shuffle are greyed and skipped
// by the focus; Escape on the panel goes back to the grid, as its Back to
// Menu does.
TEST_F(KeyboardEndLevel, EscapeOnThePanelGoesBackAndAWonPuzzleCannotBeSavedOrShuffled) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    for (auto& column : Mode().CellBox->Layout)
        for (auto& floor : column)
            if (floor.Contents == FLOOR_MARBLE) floor.Contents = FLOOR_NORMAL;
    auto& gui = GameGUI();
    ASSERT_TRUE(WaitFor([&gui] { return gui.endLevelMenu && gui.endLevelMenu->Show && gui.endLevelMenu->Ready(); }, 3000));

    ClickButton(gui.MainMenu->FindButton("menu"));
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    for (const char* name : {"savegame", "shufflepuzzle"}) EXPECT_TRUE(GameMenu().Menu->FindButton(name)->Disabled) << name;
    Shot("pause_menu_over_a_won_puzzle");
    for (int i = 0; i < 12; ++i) {
        Key(plat::KEY_DOWN);
        const std::string focused = GameMenu().Focus.FocusedName();
        EXPECT_NE(focused, "SAVEGAME");
        EXPECT_NE(focused, "SHUFFLEPUZZLE");
    }
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return !GameMenu().Active; }, 200));

    Key(plat::KEY_ESCAPE);
    Frames(5);
    EXPECT_FALSE(GameMenu().Active) << "Escape on the panel opened the pause menu";
    EXPECT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 500)) << "Escape did not go back to the grid";
}

}  // namespace

namespace {

class KeyboardBoardButtons : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
};

// Tab reaches the buttons beside the board; an arrow gives Return and Space
// back to the board's cursor.
TEST_F(KeyboardBoardButtons, TabWalksTheButtonsBesideTheBoardAndAnArrowGoesBackToTheCursor) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    ASSERT_TRUE(WaitFor([] { return Mode().CellBox->IsSettled(); }, 2000));
    auto& gui = GameGUI();
    Key(plat::KEY_TAB);
    Key(plat::KEY_TAB);
    ASSERT_EQ(gui.PlayFocus.FocusedName(), "HINT");
    Key(plat::KEY_TAB);
    ASSERT_EQ(gui.PlayFocus.FocusedName(), "MENU");
    Shot("board_focus_menu");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200)) << "Return pressed no Menu";
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return !GameMenu().Active; }, 200));

    Key(plat::KEY_TAB);
    ASSERT_TRUE(gui.PlayFocus.Shown());
    Key(plat::KEY_RIGHT);
    EXPECT_FALSE(gui.PlayFocus.Shown()) << "the arrow left the outline on the button";
    Key(plat::KEY_SPACE);
    EXPECT_TRUE(Mode().CellBox->MarkedCell1) << "Space went to the button, not the cursor";
    EXPECT_FALSE(GameMenu().Active);
}

}  // namespace

namespace {

class KeyboardSaveNotice : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
};

// A chain bonus told under the board as the pause menu opened is over once a
// save's notice has taken that line: it does not come back when the notice fades.
TEST_F(KeyboardSaveNotice, TheLineUnderTheBoardDoesNotGoBackToABonusFromBeforeTheSave) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled(); }, 2000));
    mode.BonusTotalPoints = 50;
    mode.BonusEndAnimation = TAnimation(2000);
    mode.BonusEndAnimation->AddPhase(1000);
    mode.BonusEndAnimation->AddPhase(500);
    mode.BonusEndAnimation->Start();
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    Key(plat::KEY_DOWN);
    for (int i = 0; i < 8 && GameMenu().Focus.FocusedName() != "SAVEGAME"; ++i) Key(plat::KEY_DOWN);
    Key(plat::KEY_ENTER);
    auto& gui = GameGUI();
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    Type("Notice\r");
    ASSERT_TRUE(WaitFor([&gui] { return gui.NoticeAnimation.Active; }, 300)) << "no notice";
    if (GameMenu().IsOpen()) Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([&gui] { return !gui.NoticeAnimation.Active; }, 500));
    EXPECT_FALSE(mode.BonusEndAnimation) << "the old chain bonus is back under the board";
}

}  // namespace
