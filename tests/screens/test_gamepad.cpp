// A game controller plugged in during play, standing in for a real one: the
// d-pad and stick move the board's cursor, A chooses and swaps, Start opens
// the pause menu and B closes it.
#include "game_test_util.h"
#include "platform/gamepad.h"
#include "screens/ingame_menu.h"
#include "screens/screen_list.h"

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
    pad.reset();
    EXPECT_TRUE(WaitFor([] { return plat::GamepadCount() == 0; }, 100));
}

}  // namespace
