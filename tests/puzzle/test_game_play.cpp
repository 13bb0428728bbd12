// The gameplay objects around a puzzle: the player's completion list, the
// play clock that leaves pauses out once, finishing a loaded game, the next
// standard puzzle, the finish waiting for the score roll-up, and the
// personal bests a win updates, with its stars against the par table.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <unistd.h>

#include "persistence/personal_bests.h"
#include "platform/files.h"
#include "puzzle/completion_list.h"
#include "puzzle/custom_par.h"
#include "puzzle/editor_history.h"
#include "puzzle/layout_file.h"
#include "puzzle/par_table.h"
#include "puzzle/save_game.h"
#include "puzzle_test_util.h"
#include "resources/error_state.h"
#include "screens/game_gui.h"
#include "screens/game_screen.h"
#include "screens/ingame_menu.h"

namespace {

class GamePlayTest : public PuzzleTest {
protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        plat::SetClock(&clock);
        clock.now = 50000;
        folder = testing::TempDir() + "vc_gp_" + std::to_string(getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(folder + "layouts", true);
        Game().ProfilePath = folder;
        Game().DataPrefix = folder;
        Game().ProfileName = "Robin";
        // A full table of big scores: nothing a test scores makes it.
        auto& table = GamePlay().HighscoreList;
        table.Create("highscores", 10);
        for (int i = 0; i < 10; ++i) table.Add("Best", 1000000);
    }
    void TearDown() override {
        plat::DeleteDir(folder, true);
        GameMenu().Active = 0;
        plat::SetClock(nullptr);
        PuzzleTest::TearDown();
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& path, const std::string& text) const { ASSERT_TRUE(plat::WriteFileAtomic(path, text)); }

    plat::TManualClock clock;
    std::string folder;
};

TEST_F(GamePlayTest, CompletionListKeepsEveryEntry) {
    const std::string file = CompletionFilePath("Robin", false);
    EXPECT_EQ(file, folder + "Robins.ini");
    EXPECT_EQ(CompletionFilePath("Robin", true), folder + "Robinc.ini");
    Write(file, "001=1\r\n002=1\r\n003=1\r\nnotes=kept as they are\r\n");

    ASSERT_TRUE(RecordLevelCompleted(file, "007"));
    EXPECT_EQ(Read(file), "001=1\r\n002=1\r\n003=1\r\nnotes=kept as they are\r\n007=1\r\n");
    // Already completed (any letter case): the file is left alone, no duplicate.
    ASSERT_TRUE(plat::DeleteFile(file));
    Write(file, "001=1\nLevelA=1\n");
    ASSERT_TRUE(RecordLevelCompleted(file, "levela"));
    EXPECT_EQ(Read(file), "001=1\nLevelA=1\n");
    // An entry that says "not completed" makes way for the completed one.
    Write(file, "001=0\n002=1\n");
    ASSERT_TRUE(RecordLevelCompleted(file, "001"));
    EXPECT_EQ(Read(file), "002=1\r\n001=1\r\n");
    EXPECT_TRUE(IsLevelCompleted(file, "001"));
    EXPECT_FALSE(IsLevelCompleted(file, "003"));
    // A new player starts a new list.
    const std::string fresh = CompletionFilePath("Sam", false);
    ASSERT_TRUE(RecordLevelCompleted(fresh, CompletionKey("layouts/012.layout")));
    EXPECT_EQ(Read(fresh), "012=1\r\n");
}

// A damaged list is kept as ".bad" and logged; the marks that could be read
// stay, the caller hears of it once, and the next win records as ever.
TEST_F(GamePlayTest, ADamagedCompletionListIsKeptAsideLoggedAndToldOnce) {
    ErrorLogFolder = folder;
    const std::string file = CompletionFilePath("Robin", false);
    const std::string damaged = std::string("001=1\r\n002=1\r\n\0\0\0\0\x93\x11", 20) + "\r\n003=1\r\n";
    Write(file, damaged);
    bool told = false;
    const auto entries = ReadCompletionList(file, told);
    EXPECT_TRUE(told);
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_EQ(Read(file + ".bad"), damaged);
    EXPECT_NE(Read(folder + "ErrorLog.txt").find(file), std::string::npos);
    ReadCompletionList(file, told);
    EXPECT_FALSE(told) << "told twice";
    EXPECT_TRUE(IsLevelCompleted(file, "003"));
    // A line of other text, too; the next win writes the marks that were read.
    Write(file, "001=1\r\nthis is no list\r\n");
    ASSERT_TRUE(RecordLevelCompleted(file, "004"));
    EXPECT_EQ(Read(file), "001=1\r\n004=1\r\n");
    EXPECT_EQ(Read(file + ".bad"), "001=1\r\nthis is no list\r\n");
    // Blank lines, sections and comments are no damage.
    Write(file, "[Done]\r\n\r\n; mine\r\n001=1\r\n");
    ReadCompletionList(file, told);
    EXPECT_FALSE(told);
    ResetErrorLog();
}

TEST_F(GamePlayTest, PlayTimeLeavesOutPausesOnce) {
    TGameScreen screen;
    PlayClock().Start();
    clock.now += 1000;
    // The in-game menu opens, the game is paused on top of it, both end.
    GameMenu().Active = 1;
    screen.PauseBookkeeping();
    clock.now += 3000;
    Game().Paused = 1;
    screen.PauseBookkeeping();
    clock.now += 2000;
    EXPECT_EQ(PlayClock().Elapsed(), 1000u);
    Game().Paused = 0;
    GameMenu().Active = 0;
    screen.PauseBookkeeping();
    screen.PauseBookkeeping();
    clock.now += 500;
    EXPECT_EQ(PlayClock().Elapsed(), 1500u);
    EXPECT_EQ(screen.DidPauseOrSuspend, -1);

    // A won level keeps its clock stopped through later pauses.
    PlayClock().Pause();
    GameState().stateFinished = 1;
    GameMenu().Active = 1;
    screen.PauseBookkeeping();
    clock.now += 4000;
    GameMenu().Active = 0;
    screen.PauseBookkeeping();
    clock.now += 4000;
    EXPECT_EQ(PlayClock().Elapsed(), 1500u);
}

TEST_F(GamePlayTest, FinishingALoadedGameRecordsTheSavedPuzzle) {
    Write(folder + "layouts/005.layout", "");
    Write(folder + "layouts/006.layout", "");
    GamePlay().Init(GAMEMODE_MATCH3);
    auto& mode = static_cast<TGameModeMatch3&>(*GamePlay().GameMode);
    GamePlay().CurrentLevel = StandardLevelPath(1);
    // A save of puzzle 005 whose last marble is gone.
    BuildBox(*mode.CellBox, FullRows("c..............."), FullRows("1234561234561234"));
    TSaveGameData save = SaveGameDataOf(mode);
    save.Original.Layout.Contents[0][0] = FLOOR_MARBLE;  // the puzzle had marble to clear
    save.Puzzle = TSavedPuzzle{StandardLevelPath(5), 0};
    save.Score = 120;
    ApplySaveGameData(mode, save);
    EXPECT_EQ(mode.IsGameFinished(), 1);

    EXPECT_EQ(RecordLevelFinished().Problem, "");
    const std::string list = CompletionFilePath("Robin", false);
    EXPECT_TRUE(IsLevelCompleted(list, "005"));
    EXPECT_FALSE(IsLevelCompleted(list, "001"));
    EXPECT_EQ(NextStandardLevelPath(GamePlay().CurrentLevel), StandardLevelPath(6));
}

TEST_F(GamePlayTest, ABoardLeftEmptyByAFileThatCannotBeLoadedIsNeverWon) {
    InstallLayoutHook();
    GamePlay().Init(GAMEMODE_MATCH3);
    GameGUI().Load();
    Write(folder + "layouts/004.layout", "Lumen Spire Layout\r\n-\r\n");
    for (const int number : {3, 4}) {  // missing, damaged
        EXPECT_EQ(GamePlay().GameMode->Init(StandardLevelPath(number), 0), 0);
        GameGUI().CheckLevelFinished();
        EXPECT_EQ(GameState().stateFinished, 0);
    }
    EXPECT_EQ(plat::FileType(CompletionFilePath("Robin", false)), plat::FILETYPE_NONE) << "something was recorded";
}

TEST_F(GamePlayTest, NextStandardPuzzleWrapsToTheFirst) {
    Write(folder + "layouts/002.layout", "");
    Write(folder + "layouts/080.layout", "");
    EXPECT_EQ(StandardLevelPath(7), folder + "layouts/007.layout");
    EXPECT_EQ(NextStandardLevelPath(StandardLevelPath(1)), StandardLevelPath(2));
    EXPECT_EQ(NextStandardLevelPath(StandardLevelPath(2)), StandardLevelPath(1));  // 003 is missing
    EXPECT_EQ(NextStandardLevelPath(StandardLevelPath(79)), StandardLevelPath(80));
    EXPECT_EQ(NextStandardLevelPath(StandardLevelPath(80)), StandardLevelPath(1));
    EXPECT_EQ(NextStandardLevelPath(folder + "mine.layout"), StandardLevelPath(1));
}

TEST_F(GamePlayTest, HighScoreEntryAndWinWaitForTheScore) {
    GamePlay().Init(GAMEMODE_MATCH3);
    auto& mode = static_cast<TGameModeMatch3&>(*GamePlay().GameMode);
    BuildBox(*mode.CellBox, FullRows("c..............."), FullRows("1234561234561234"));
    auto& table = GamePlay().HighscoreList;
    table.Entries.clear();
    table.Add("Best", 900);
    GamePlay().CurrentLevel = StandardLevelPath(3);
    GamePlay().Score = 400;
    const TLevelRecord record = RecordLevelFinished();
    EXPECT_EQ(std::tie(record.Place, record.Problem), std::make_tuple(2, std::string()));
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Entries[1].name, "Robin");
    EXPECT_EQ(plat::FileType(table.filepath), plat::FILETYPE_FILE);

    // While points still roll up the level is not yet won.
    GameGUI().Load();
    GamePlay().ScoreAdder = 3;
    GameGUI().CheckLevelFinished();
    EXPECT_EQ(GameState().stateFinished, 0);
}

TEST_F(GamePlayTest, AWinUpdatesThePlayersBests) {
    GamePlay().Init(GAMEMODE_MATCH3);
    auto& mode = static_cast<TGameModeMatch3&>(*GamePlay().GameMode);
    GamePlay().CurrentLevel = StandardLevelPath(3);
    const auto win = [&](int score, int moves, uint32_t ms) {
        PlayClock().Start();
        clock.now += ms;
        GamePlay().Score = score;
        mode.MovesMade = moves;
        return RecordLevelFinished();
    };
    // No par table: a win is one star.
    TLevelRecord record = win(400, 40, 60000);
    EXPECT_TRUE(record.Better.Score && record.Better.Moves && record.Better.Time && record.Better.Stars);
    EXPECT_EQ(std::tie(record.Par, record.Won.Stars), std::make_tuple(0, 1));

    Write(folder + "layouts/par.txt", "Vellichorns par 1\n002 9\n003 20\n");
    record = win(300, 30, 70000);
    EXPECT_EQ(std::tie(record.Par, record.Won.Stars), std::make_tuple(20, 2));
    EXPECT_FALSE(record.Better.Score || record.Better.Time);
    EXPECT_TRUE(record.Better.Moves && record.Better.Stars);
    record = win(300, 20, 70000);
    EXPECT_EQ(record.Won.Stars, 3);
    const TPlayerBests bests("Robin");
    const TPersonalBest* best = bests.Find(false, "003");
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(std::tie(best->Score, best->Moves, best->TimeMs, best->Stars), std::make_tuple(400, 20, 60000u, 3));

    // A damaged file is put aside with a plain word; the completion list stays.
    Write(BestsFilePath("Robin"), "rubbish");
    record = win(100, 40, 90000);
    EXPECT_TRUE(record.BestsPutAside);
    EXPECT_TRUE(record.Better.Score);
    EXPECT_EQ(plat::FileType(PutAsideBestsPath("Robin")), plat::FILETYPE_FILE);
    EXPECT_TRUE(IsLevelCompleted(CompletionFilePath("Robin", false), "003"));
}

// The par of a puzzle of the player's own follows its contents: a renamed
// copy keeps it, a changed puzzle has none until it is worked out again.
TEST_F(GamePlayTest, AnOwnPuzzlesParIsWorkedOutForItsContents) {
    const auto save = [this](const std::string& name, int marbleRows) {
        auto box = TCellBox::New();
        box->Clear();
        TLayoutGrid grid{};
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r)
                grid[c][r] = {r > 8 - marbleRows && r <= 8 ? FLOOR_MARBLE : FLOOR_NORMAL, 0, r == 1, 1};
        SetLayoutGrid(*box, grid);
        EXPECT_EQ(SaveLayout(*box, folder + name), "");
        return folder + name;
    };
    const std::string mine = save("Mine.layout", 1);
    const std::string out = CustomParPath(mine);
    EXPECT_EQ(CustomPar(mine), 0);
    ASSERT_EQ(RunParHelper(mine, out), 0);  // the helper's globals are its own
    Game().ProfilePath = folder;
    const int par = CustomPar(mine);
    EXPECT_GT(par, 0);
    EXPECT_EQ(CustomPar(save("Renamed.layout", 1)), par);
    EXPECT_EQ(CustomPar(save("Mine.layout", 2)), 0);
    EXPECT_NE(CustomParPath(mine), out);
}

TEST_F(GamePlayTest, TheParTableReadsBackAndADamagedOneGivesNoPar) {
    const std::map<std::string, int> pars = {{"001", 8}, {"002", 31}};
    std::string problem;
    EXPECT_EQ(ParseParTable(FormatParTable(pars), problem), pars);
    for (const std::string& bad : {std::string(), std::string("001 8\n"), std::string("Vellichorns par 1\n001\n"),
                                   std::string("Vellichorns par 1\n001 0\n"), std::string("Vellichorns par 1\n001 8x\n"),
                                   std::string("Vellichorns par 1\n001 8\n001 9\n")})
        EXPECT_FALSE(ParseParTable(bad, problem)) << bad;

    EXPECT_EQ(StandardPar("001"), 0);  // no table
    Write(folder + "layouts/par.txt", FormatParTable(pars));
    EXPECT_EQ(StandardPar("002"), 31);
    EXPECT_EQ(StandardPar("003"), 0);
    Write(folder + "layouts/par.txt", "Vellichorns par 1\n002 x\n");
    EXPECT_EQ(StandardPar("002"), 0);
}

}  // namespace
