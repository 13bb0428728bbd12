// A game controller plugged in during play, standing in for a real one: the
// d-pad and stick move the board's cursor, A chooses and swaps, Start opens
// the pause menu and B closes it, and a pad unplugged stops the puzzle. With
// the pad alone: a first start and a name typed on the keys on the screen, a
// puzzle, a move, saves, the chooser's second row, and the editor.
#include <algorithm>

#include "game_test_util.h"
#include "platform/gamepad.h"
#include "puzzle/editor_mode.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/save_game_manager.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

namespace {

class GamepadPlay : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &StartFirstStandardPuzzle(); }
    void Press(plat::PadButton button) {
        pad->Button(button, true);
        Frames(2);
        pad->Button(button, false);
        Frames(2);
    }
    // Steps the cursor with the d-pad until it stands on the cell.
    void WalkTo(const TCell& cell) {
        const TBoardCursor& cursor = Mode().CellBox->Cursor;
        for (int i = 0; i < 40 && cursor.Column != cell.ArrayX; ++i)
            Press(cursor.Column < cell.ArrayX ? plat::PAD_RIGHT : plat::PAD_LEFT);
        for (int i = 0; i < 40 && cursor.Row != cell.ArrayY; ++i)
            Press(cursor.Row < cell.ArrayY ? plat::PAD_DOWN : plat::PAD_UP);
    }
    std::unique_ptr<plat::TVirtualPad> pad;
};

TEST_F(GamepadPlay, APadSwapsAGemByTheCursorAndOpensAndClosesThePauseMenu) {
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000));
    pad = plat::TVirtualPad::Plug();
    if (!pad) GTEST_SKIP() << "SDL offers no virtual joystick here";
    ASSERT_TRUE(WaitFor([] { return plat::GamepadCount() == 1; }, 100)) << "the pad plugged in during play was not opened";
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && !mode.HintList.Items.empty(); }, 2000));

    // The stick pushed right shows the cursor; a move from the hint list is walked to.
    pad->Axis(plat::PAD_AXIS_X, 30000);
    Frames(2);
    pad->Axis(plat::PAD_AXIS_X, 0);
    Frames(2);
    ASSERT_TRUE(mode.CellBox->Cursor.Shown);
    const TMatch3Hint move = mode.HintList.Items.front();
    WalkTo(*move.FirstCell);
    Press(plat::PAD_A);
    EXPECT_EQ(mode.CellBox->MarkedCell1.get(), move.FirstCell);
    const int dc = move.SecondCell->ArrayX - move.FirstCell->ArrayX;
    const int dr = move.SecondCell->ArrayY - move.FirstCell->ArrayY;
    Press(dc > 0 ? plat::PAD_RIGHT : dc < 0 ? plat::PAD_LEFT : dr > 0 ? plat::PAD_DOWN : plat::PAD_UP);
    ASSERT_TRUE(WaitFor([] { return GamePlay().Score > 0 || GamePlay().ScoreAdder > 0; }, 300)) << "no run made";
    Frames(20);
    Shot("board_cursor_pad");

    Press(plat::PAD_START);
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen(); }, 100)) << "Start should open the pause menu";
    Press(plat::PAD_DOWN);
    Frames(30);
    Shot("pause_menu_focus");
    Press(plat::PAD_B);
    EXPECT_TRUE(WaitFor([] { return !GameMenu().Active; }, 200)) << "B should close the pause menu";
    // Unplugged mid-puzzle: the puzzle stops under the pause menu.
    pad.reset();
    EXPECT_TRUE(WaitFor([] { return plat::GamepadCount() == 0; }, 100));
    EXPECT_TRUE(WaitFor([] { return GameMenu().IsOpen(); }, 100)) << "an unplugged pad should pause the puzzle";
}

class PadAlone : public RealGameTest {
protected:
    // The pad plugged in once the first screen shows.
    void PlugIn() {
        pad = plat::TVirtualPad::Plug();
        ASSERT_TRUE(pad) << "SDL offers no virtual joystick";
        ASSERT_TRUE(WaitFor([] { return plat::GamepadCount() == 1; }, 100));
    }
    void Press(plat::PadButton button) {
        pad->Button(button, true);
        Frames(2);
        pad->Button(button, false);
        Frames(2);
    }
    void Pull(plat::PadAxis trigger) {
        pad->Axis(trigger, 32000);
        Frames(2);
        pad->Axis(trigger, 0);
        Frames(2);
    }
    // The d-pad to each key of the screen's keyboard, and A on it.
    void TypeOnScreen(const TScreenKeyboard& keyboard, const std::string& text) {
        ASSERT_TRUE(keyboard.Shown) << "no keys on the screen";
        const auto& keys = keyboard.Keys();
        for (const char c : text) {
            const auto target = static_cast<size_t>(
                std::find_if(keys.begin(), keys.end(), [c](const auto& key) { return key.ch == c; }) - keys.begin());
            ASSERT_LT(target, keys.size()) << c;
            for (int i = 0; i < 40 && keyboard.Highlight != target; ++i) {
                const auto &at = keys[keyboard.Highlight], &to = keys[target];
                Press(at.row != to.row ? (at.row < to.row ? plat::PAD_DOWN : plat::PAD_UP)
                                       : (at.column < to.column ? plat::PAD_RIGHT : plat::PAD_LEFT));
            }
            Press(plat::PAD_A);
        }
    }
    void FocusOn(const TFocusRing& ring, const std::string& name, plat::PadButton step) {
        for (int i = 0; i < 12 && ring.FocusedName() != name; ++i) Press(step);
        ASSERT_EQ(ring.FocusedName(), name);
    }
    void SaveAs(const std::string& name) {
        if (!GameMenu().IsOpen()) Press(plat::PAD_START);
        ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
        FocusOn(GameMenu().Focus, "SAVEGAME", plat::PAD_DOWN);
        Press(plat::PAD_A);
        const auto& input = GameGUI().SaveGameNameInput;
        ASSERT_TRUE(WaitFor([&input] { return input && !input->Transitioning; }, 300));
        TypeOnScreen(input->Keyboard, name);
        Press(plat::PAD_START);
        ASSERT_TRUE(WaitFor([&input] { return !input; }, 300));
    }
    std::unique_ptr<plat::TVirtualPad> pad;
};

TEST_F(PadAlone, FirstStartAPuzzleTwoSavesAndTheChoosersSecondRow) {
    auto& title = TitleScreen();
    ASSERT_TRUE(WaitFor([] { return OnScreen(TitleScreen()); }, 500));
    ASSERT_TRUE(title.EnterName) << "a first start asks for a name";
    PlugIn();
    Press(plat::PAD_RIGHT);  // the pad taken up: the keys come up
    TypeOnScreen(title.EnterName->Keyboard, "pad");
    Press(plat::PAD_START);
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().DialogOpen(); }, 200));
    EXPECT_EQ(Game().ProfileName, "Pad");

    // The focus shows on Play at once; A there, and A again plays the puzzle chosen.
    Frames(2);
    EXPECT_EQ(title.Focus.FocusedName(), "PLAY");
    Press(plat::PAD_A);
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
    Press(plat::PAD_A);
    ASSERT_TRUE(WaitFor(OnGameScreen, 300));
    auto& mode = Mode();
    ASSERT_TRUE(WaitFor([&mode] { return mode.CellBox->IsSettled() && !mode.HintList.Items.empty(); }, 2000));
    const TMatch3Hint move = mode.HintList.Items.front();
    const TBoardCursor& cursor = mode.CellBox->Cursor;
    Press(plat::PAD_UP);
    for (int i = 0; i < 40 && cursor.Column != move.FirstCell->ArrayX; ++i)
        Press(cursor.Column < move.FirstCell->ArrayX ? plat::PAD_RIGHT : plat::PAD_LEFT);
    for (int i = 0; i < 40 && cursor.Row != move.FirstCell->ArrayY; ++i)
        Press(cursor.Row < move.FirstCell->ArrayY ? plat::PAD_DOWN : plat::PAD_UP);
    Press(plat::PAD_A);
    const int dc = move.SecondCell->ArrayX - move.FirstCell->ArrayX;
    const int dr = move.SecondCell->ArrayY - move.FirstCell->ArrayY;
    Press(dc > 0 ? plat::PAD_RIGHT : dc < 0 ? plat::PAD_LEFT : dr > 0 ? plat::PAD_DOWN : plat::PAD_UP);
    ASSERT_TRUE(WaitFor([&mode] { return GamePlay().Score > 0 && mode.CellBox->IsSettled(); }, 2000)) << "no run made";

    SaveAs("one");
    Frames(20);
    SaveAs("two");
    EXPECT_EQ(plat::FileType(Game().ProfilePath + "Two.save"), plat::FILETYPE_FILE);

    // Back to the grid; Load; the second row with the d-pad.
    Frames(20);
    if (!GameMenu().IsOpen()) Press(plat::PAD_START);
    ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
    FocusOn(GameMenu().Focus, "BACKTOMENU", plat::PAD_DOWN);
    Press(plat::PAD_A);
    ASSERT_TRUE(WaitFor([] { return GameGUI().QuitInput && !GameGUI().QuitInput->Transitioning; }, 300));
    Press(plat::PAD_A);
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 500));
    FocusOn(PlayScreen().Focus, "LOAD", plat::PAD_RIGHT_SHOULDER);
    Press(plat::PAD_A);
    const auto& chooser = PlayScreen().SaveGameManager;
    ASSERT_TRUE(WaitFor([&chooser] { return chooser && !chooser->Transitioning; }, 300));
    EXPECT_EQ(chooser->Focus.FocusedName(), "list");
    Press(plat::PAD_DOWN);
    EXPECT_EQ(chooser->ListBox->Index, 1);
    EXPECT_EQ(chooser->Names.size(), 2u);
    Shot("chooser_focused_list");
    Press(plat::PAD_A);
    EXPECT_TRUE(WaitFor(OnGameScreen, 500)) << "the second row was not loaded";
}

class PadEditor : public PadAlone {
protected:
    TScreen* FirstScreen() override { return &PlayScreen(); }
};

TEST_F(PadEditor, AStrokePaintedUndoneAndRedoneAndTheBrushChanged) {
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 1000));
    PlugIn();
    FocusOn(PlayScreen().Focus, "CUSTOM", plat::PAD_RIGHT_SHOULDER);
    Press(plat::PAD_A);
    ASSERT_TRUE(WaitFor(OnGameScreen, 1000)) << "the editor never came";
    Frames(20);
    auto& editor = dynamic_cast<TGameModeEditor&>(*GamePlay().GameMode);
    const TBoardCursor& cursor = editor.CellBox->Cursor;
    Press(plat::PAD_DOWN);
    ASSERT_TRUE(cursor.Shown);
    const auto& cell = editor.CellBox->Layout[cursor.Column][cursor.Row];
    const int before = cell.Contents;
    Press(plat::PAD_A);
    const int painted = cell.Contents;
    EXPECT_NE(painted, before) << "A should paint the cell at the cursor";
    Pull(plat::PAD_TRIGGER_LEFT);
    EXPECT_EQ(cell.Contents, before) << "the left trigger should undo";
    Pull(plat::PAD_TRIGGER_RIGHT);
    EXPECT_EQ(cell.Contents, painted) << "the right trigger should redo";
    const int brush = editor.LayoutContents;
    Press(plat::PAD_BACK);
    EXPECT_NE(editor.LayoutContents, brush) << "Back should change the brush";
    Press(plat::PAD_Y);
    EXPECT_EQ(cell.Contents, FLOOR_NONE) << "Y should erase";
}

}  // namespace
