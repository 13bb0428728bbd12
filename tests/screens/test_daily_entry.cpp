// The play screen's daily puzzles (seven days, today's selected, the best
// and the streak) and puzzles that come in: a dropped file, a pasted code,
// a damaged one, a name already used.
#include <filesystem>

#include "game_test_util.h"
#include "puzzle/daily_results.h"
#include "puzzle/share_code.h"
#include "screens/daily_entry.h"
#include "screens/end_level_menu.h"
#include "screens/game_gui.h"
#include "screens/play_screen.h"
#include "screens/title_screen.h"

namespace fs = std::filesystem;

namespace {

class DailyEntry : public RealGameTest {
protected:
    void ToPlayScreen() {
        ASSERT_TRUE(WaitFor([] { return OnScreen(TitleScreen()); }, 1000));
        Type("Dana\r");
        ASSERT_TRUE(WaitFor([] { return !TitleScreen().EnterName; }, 100));
        ClickButton(TitleScreen().Menu->FindButton("play"));
        ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
    }
    void Tab(const char* name) { ClickButton(PlayScreen().LevelTypeMenu->FindButton(name)); }
    // The message shown, closed.
    std::string Message() {
        EXPECT_TRUE(WaitFor([] { return PlayScreen().MessageDialog != nullptr; }, 20));
        if (!PlayScreen().MessageDialog) return {};
        const std::string text = PlayScreen().MessageDialog->Caption->Text;
        Answer(PlayScreen().MessageDialog, "OK");
        return text;
    }
};

}  // namespace

TEST_F(DailyEntry, SevenDaysTodaySelectedTheStreakAndPuzzlesThatComeIn) {
    ToPlayScreen();
    const TCivilDate today = TodayDate();
    const TCivilDate yesterday = CivilFromDays(DaysFromCivil(today) - 1);
    ASSERT_TRUE(RecordDailyWin("Dana", yesterday, 700));
    Tab("dailylevel");
    ASSERT_TRUE(PlayScreen().DailyLevelList);
    EXPECT_EQ(PlayScreen().DailyLevelList->LevelCount(), DAILY_DAYS_PLAYABLE);
    EXPECT_EQ(PlayScreen().DailyLevelList->CurrentLevel, FormatIsoDate(today));
    EXPECT_EQ(DailyBestLine("Dana", today), "Today's puzzle awaits you");
    EXPECT_EQ(DailyStreakLine("Dana", today), "Days won in a row: 1");
    // Today's played to the end: its best, the streak, its check mark; back on the daily grid.
    ClickButton(PlayScreen().MainMenu->FindButton("playsmall"));
    ASSERT_TRUE(WaitFor(OnGameScreen, 300));
    PlayToTheEnd();
    Frames(30);
    ClickButton(GameGUI().endLevelMenu->Menu->FindButton("backtomenu"));
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
    ASSERT_TRUE(PlayScreen().DailyLevelList) << "the daily grid was not reopened";
    EXPECT_EQ(DailyBestLine("Dana", today), "Today's best: " + std::to_string(GamePlay().Score));
    EXPECT_EQ(DailyStreakLine("Dana", today), "Days won in a row: 2");
    EXPECT_EQ(PlayScreen().DailyLevelList->LevelCompletedList.back(), "1");
    Frames(5);
    Shot("daily_entry");

    // A dropped layout file joins the player's own; a damaged one does not.
    Tab("customlevel");
    const std::string layout = DailyFolder() + FormatIsoDate(today) + ".layout";
    fs::copy_file(layout, "/tmp/Dropped.layout", fs::copy_options::overwrite_existing);
    plat::DropFileForTest("/tmp/Dropped.layout");
    EXPECT_EQ(Message(), "The puzzle \"Dropped\" was added to your puzzles.");
    EXPECT_EQ(PlayScreen().CustomLevelList->CurrentLevel, "Dropped");
    fs::resize_file("/tmp/Dropped.layout", 500);
    plat::DropFileForTest("/tmp/Dropped.layout");
    EXPECT_EQ(Message(), "This file is not a puzzle, or it is damaged. Nothing was added.");
    EXPECT_EQ(fs::file_size(Game().ProfilePath + "Dropped.layout"), 896u);

    // Its code shown; a damaged copy or an unplayable puzzle change nothing, the
    // same name is not replaced unasked, another name is added.
    PlayScreen().ShareSelected();
    EXPECT_NE(Message().find("VC-"), std::string::npos);
    std::string problem, name;
    const std::string code = ShareCodeOfFile(Game().ProfilePath + "Dropped.layout", "Dropped", problem);
    PlayScreen().TakeCode(code.substr(0, code.size() - 2));
    EXPECT_EQ(Message(), "This is not a puzzle code, or it is damaged. Nothing was added.");
    PlayScreen().TakeCode(MakeShareCode("Empty", TLayoutBlocks{}));
    EXPECT_EQ(Message(), "This puzzle cannot be played as it is. Nothing was added.");
    PlayScreen().TakeCode(code);
    Answer(PlayScreen().ReplaceDialog, "No");
    TLayoutBlocks blocks;
    ASSERT_EQ(ReadShareCode(code, name, blocks), "");
    PlayScreen().TakeCode(MakeShareCode("Copy", blocks));
    EXPECT_EQ(Message(), "The puzzle \"Copy\" was added to your puzzles.");
    EXPECT_EQ(PlayScreen().CustomLevelList->LevelList, (std::vector<std::string>{"Copy", "Dropped"}));
    Shot("pasted_puzzle");
}
