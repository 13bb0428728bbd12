// The help screen in the running game: its text inside the panel, the Keys
// page under its own heading, and OK back to the title.
#include "gui/menu.h"
#include "gui/table_text.h"
#include "screens/help_screen.h"
#include "screens/game_test_util.h"
#include "screens/screen_list.h"

namespace {

class HelpScreenTest : public RealGameTest {};

int WhitePixels(const plat::TPixmap& shot, int left, int top, int right, int bottom) {
    int white = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t p = shot.ReadPixel(x, y);
            if (plat::PixR(p) > 220 && plat::PixG(p) > 220 && plat::PixB(p) > 220) ++white;
        }
    return white;
}

TEST_F(HelpScreenTest, TheRulesStandInsideThePanelAndOkLeadsBack) {
    ShowScreen(HelpScreen());
    auto shot = Shot("help");
    ASSERT_TRUE(shot);
    // The text block from x 285, its last line at y 434, nothing below it.
    EXPECT_GT(WhitePixels(*shot, 285, 110, 730, 460), 2000);
    EXPECT_EQ(WhitePixels(*shot, 285, 462, 740, 498), 0);

    // The Keys page: its own heading, and every key and pad button the game
    // reads, the editor's too.
    auto* header = dynamic_cast<THeader*>(HelpScreen().Header.get());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Key, "Header How to Play");
    ClickButton(HelpScreen().Menu->FindButton("page"));
    Frames(5);
    ASSERT_TRUE(HelpScreen().ShowingKeys);
    EXPECT_EQ(header->Key, "Header Keys");
    const std::string keys = GameText().FindString("Help Keys");
    for (const char* key : {"Mouse", "Arrows", "Tab", "Shift+Tab", "shoulder buttons", "Space", "Return", "H or X",
                            "P:", "Alt+Enter", "Esc or B", "Start", "Delete", "Ctrl:", "X:", "C:", "Z:", "M:", "T:",
                            "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"})
        EXPECT_NE(keys.find(key), std::string::npos) << key;
    Shot("help_keys");
    ClickButton(HelpScreen().Menu->FindButton("page"));
    Frames(5);
    EXPECT_EQ(header->Key, "Header How to Play");

    ClickButton(HelpScreen().Menu->FindButton("ok"));
    EXPECT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200));
}

}  // namespace
