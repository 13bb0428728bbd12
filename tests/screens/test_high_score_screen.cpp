// The high-score screen in the running game: the lines flying in and
// resting, the table's limits, and the clear question with Escape after it.
#include "gui/menu.h"
#include "puzzle/game_play.h"
#include "resources/resource_globals.h"
#include "screens/high_score_screen.h"
#include "screens/game_test_util.h"
#include "screens/screen_list.h"

namespace {

class HighScoreScreenTest : public RealGameTest {
protected:
    static THighScoreScreen& Screen() { return HighScoreScreen(); }
    static TLumenSpireHighScoreList& Table() { return GamePlay().HighscoreList; }

    // Pixels of white or green text within the rows of entries.
    int LitTextPixels(const plat::TPixmap& shot) const {
        const auto& s = Screen();
        int lit = 0;
        for (int y = s.StartY - 5; y < s.StartY + s.LineSpacing * THighScoreScreen::MAX_LINES; ++y)
            for (int x = s.col1; x < s.col3; ++x) {
                const uint32_t p = shot.ReadPixel(x, y);
                if (plat::PixG(p) > 200 && plat::PixR(p) > 90) ++lit;
            }
        return lit;
    }
    int YellowHeadingPixels(const plat::TPixmap& shot) const {
        const auto& s = Screen();
        int yellow = 0;
        for (int y = s.StartY - s.HeadingGap; y < s.StartY - 5; ++y)
            for (int x = s.col1; x < s.col3; ++x) {
                const uint32_t p = shot.ReadPixel(x, y);
                if (plat::PixR(p) > 200 && plat::PixG(p) > 200 && plat::PixB(p) < 80) ++yellow;
            }
        return yellow;
    }
    bool AllResting() const {
        for (const auto& line : Screen().SlideLines.Lines)
            if (line->Active) return false;
        return true;
    }
    void LeavesForTheTitleOnEscape() {
        Key(plat::KEY_ESCAPE);
        EXPECT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200)) << "Escape is dead";
    }
};

TEST_F(HighScoreScreenTest, LinesFlyInFromAlternatingSidesAndComeToRestInTheNameColumn) {
    ShowScreen(Screen());
    // Shown again from the start, so the flight is seen from its beginning.
    Screen().SetSlideLines();
    const auto& lines = Screen().SlideLines.Lines;
    ASSERT_EQ(lines.size(), 10u);
    Frames(10);  // 40 updates: the first two lines are under way
    const float rest = static_cast<float>(Screen().col1);
    EXPECT_LT(lines[0]->GetX(), rest);
    EXPECT_GT(lines[0]->GetX(), static_cast<float>(-Screen().w));
    EXPECT_GT(lines[1]->GetX(), rest);
    EXPECT_LT(lines[1]->GetX(), static_cast<float>(ScreenWidth));
    for (size_t i = 1; i < lines.size(); ++i)
        EXPECT_FLOAT_EQ(lines[i]->GetY() - lines[i - 1]->GetY(), static_cast<float>(Screen().LineSpacing));
    Shot("highscores-mid-slide");

    // Where it lands, the first line glows green and fades back to white.
    ASSERT_TRUE(WaitFor([&lines] { return lines[0]->CurrentPhase == THighScoreScreen::GLOW_LEG; }, 100));
    auto glowing = Shot("highscores-glow");
    int green = 0;
    for (int y = Screen().StartY; y < Screen().StartY + Screen().LineSpacing - 4; ++y)
        for (int x = Screen().col1; x < Screen().col2; ++x) {
            const uint32_t p = glowing->ReadPixel(x, y);
            if (plat::PixG(p) > 200 && plat::PixR(p) < 200 && plat::PixB(p) < 100) ++green;
        }
    EXPECT_GT(green, 50);

    ASSERT_TRUE(WaitFor([this] { return AllResting(); }, 200));
    for (const auto& line : lines) EXPECT_EQ(line->GetX(), rest);
    auto shot = Shot("highscores");
    EXPECT_GT(LitTextPixels(*shot), 500);
    EXPECT_GT(YellowHeadingPixels(*shot), 100);
}

TEST_F(HighScoreScreenTest, AnEmptyTableShowsOnlyTheHeadingsAndALongOneOnlyTen) {
    Table().Entries.clear();
    ShowScreen(Screen());
    EXPECT_EQ(Screen().SlideLines.Count(), 0);
    Frames(150);
    auto shot = Shot("highscores-empty");
    EXPECT_EQ(LitTextPixels(*shot), 0);
    EXPECT_GT(YellowHeadingPixels(*shot), 100);

    for (int i = 0; i < 25; ++i) Table().Add("Player" + std::to_string(i), 1000 - i);
    Table().Entries[3] = {std::string(60, 'W'), 7};
    // Each score says its puzzle; the player's own are marked so.
    Table().Entries[4] = {"Bo", 6, "12", false};
    Table().Entries[5] = {"Cy", 5, std::string(40, 'M'), true};
    Screen().SetSlideLines();
    EXPECT_EQ(Screen().SlideLines.Count(), THighScoreScreen::MAX_LINES);
    ASSERT_TRUE(WaitFor([this] { return AllResting(); }, 200));
    shot = Shot("highscores-long-name");
    // The long name stops short of its score "7".
    int touching = 0;
    const int rowY = Screen().StartY + 3 * Screen().LineSpacing;
    for (int y = rowY; y < rowY + Screen().LineSpacing - 4; ++y)
        for (int x = Screen().col2 - 30; x < Screen().col2 - 18; ++x) {
            const uint32_t p = shot->ReadPixel(x, y);
            if (plat::PixR(p) + plat::PixG(p) + plat::PixB(p) > 450) ++touching;
        }
    EXPECT_EQ(touching, 0);
    // Nor does the long name of a custom puzzle, whose mark still shows.
    for (int y = rowY + 2 * Screen().LineSpacing; y < rowY + 3 * Screen().LineSpacing - 4; ++y)
        for (int x = Screen().col2 - 30; x < Screen().col2 - 18; ++x) {
            const uint32_t p = shot->ReadPixel(x, y);
            if (plat::PixR(p) + plat::PixG(p) + plat::PixB(p) > 450) ++touching;
        }
    EXPECT_EQ(touching, 0);
}

TEST_F(HighScoreScreenTest, ClearingAsksThenPutsTheDefaultsBackFlyingInAndEscapeStillLeaves) {
    Table().Entries.clear();
    Table().Add("Alice", 5000);
    ASSERT_TRUE(Table().Save());
    ShowScreen(Screen());
    ASSERT_EQ(Screen().SlideLines.Count(), 1);

    ClickButton(Screen().Menu->FindButton("clear"));
    ASSERT_TRUE(Screen().ClearHighscore);
    EXPECT_EQ(Screen().ShowingInput, 1);
    Frames(60);
    ClickButton(Screen().ClearHighscore->Menu->FindButton("Yes"));
    ASSERT_TRUE(WaitFor([] { return !Screen().ClearHighscore; }, 200));
    EXPECT_EQ(Screen().ShowingInput, 0);

    ASSERT_EQ(Table().Count(), 10);
    EXPECT_EQ(Table().Entries[0].name, GameText().FindString("Highscore Name 1"));
    TLumenSpireHighScoreList saved;
    saved.filepath = Table().filepath;
    saved.Load();
    ASSERT_EQ(saved.Count(), 10);
    EXPECT_EQ(saved.Entries[9].score, Table().Entries[9].score);

    const auto& lines = Screen().SlideLines.Lines;
    ASSERT_EQ(lines.size(), 10u);
    Frames(10);
    EXPECT_LT(lines[0]->GetX(), static_cast<float>(Screen().col1));
    EXPECT_GT(lines[1]->GetX(), static_cast<float>(Screen().col1));
    Shot("highscores-after-clear");

    LeavesForTheTitleOnEscape();
}

TEST_F(HighScoreScreenTest, EscapeAnswersTheQuestionNoAndThenLeaves) {
    ShowScreen(Screen());
    const int before = Table().Count();
    ClickButton(Screen().Menu->FindButton("clear"));
    ASSERT_TRUE(Screen().ClearHighscore);
    Frames(60);
    // The menu behind the question does not answer.
    ClickButton(Screen().Menu->FindButton("ok"));
    Frames(30);
    EXPECT_TRUE(OnScreen(Screen()));
    ASSERT_TRUE(Screen().ClearHighscore);
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return !Screen().ClearHighscore; }, 200));
    EXPECT_TRUE(OnScreen(Screen())) << "the answer must not leave the screen too";
    EXPECT_EQ(Table().Count(), before);
    Frames(5);
    LeavesForTheTitleOnEscape();
}

// Over the statistics the button leads back to the table and Clear, which
// would empty the table, is gone; the table brings both back.
TEST_F(HighScoreScreenTest, StatisticsHideClearAndTheirButtonLeadsBackToTheTable) {
    ShowScreen(Screen());
    const auto stats = Screen().Menu->FindButton("stats");
    const auto clear = Screen().Menu->FindButton("clear");
    ASSERT_TRUE(stats && clear);
    for (const bool statistics : {true, false}) {
        ClickButton(stats);
        ASSERT_TRUE(WaitFor([statistics] { return Screen().ShowingStats == statistics; }, 100));
        EXPECT_EQ(clear->Active, statistics ? 0 : 1);
        EXPECT_EQ(stats->Caption->Text, GameText().FindString(statistics ? "Button High Scores" : "Button Statistics"));
        Frames(30);
    }
    LeavesForTheTitleOnEscape();
}

}  // namespace
