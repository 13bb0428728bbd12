// Saved games: what is written, what a load restores (board, original
// puzzle, clock, score, level, chain counter), who saved it and when, a save
// of the game's version 1.15, and refusal of damaged saves.
#include "app/game.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "puzzle/layout_file.h"
#include "puzzle/resume_point.h"
#include "puzzle/save_game.h"
#include "puzzle_file_test_util.h"

namespace {

const std::vector<std::string> kLayout = {
    "................", "..mm............", "................", "....cccc........",
    "................", "......mm........", "................", "................",
    "................", "................", "................", "......####......"};

class SaveGameTest : public PuzzleFileTest {
protected:
    SaveGameTest() : PuzzleFileTest("save-game-test") {}
    void SetUp() override {
        PuzzleFileTest::SetUp();
        PuzzleHooks().LoadLayout = [](TCellBox& box, const std::string&) {
            BuildBox(box, kLayout);
            return true;
        };
    }
    // A level started as the play screen does, then played a little.
    void StartAndPlay(TGameModeMatch3& mode) {
        ASSERT_EQ(mode.Init("layouts/007.layout", 0), 1);
        startGems = GemsOf(*mode.CellBox);
        // Change the live board: clear a row of gems and turn a marble normal.
        for (int c = 1; c <= 16; ++c) mode.CellBox->CellAt(c, 5).ClearContents();
        mode.CellBox->Layout[3][2].Contents = FLOOR_NORMAL;
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
            lines.push_back(text.substr(start, at - start));
        return lines;
    }

    TBlock startGems{};
};

TEST_F(SaveGameTest, SaveWritesTheLinesAndReadsBackScoreTimeBoardsAndLevel) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    GamePlay().Score = 1234;
    PlayClock().StartTime = plat::MilliSecs() - 65000;
    const TBoardBlocks live = BoardOf(*mode.CellBox);
    ASSERT_EQ(mode.SaveGame(File("game")), 1);

    const std::vector<std::string> lines = Lines(ReadText(File("game.save")));
    ASSERT_EQ(lines.size(), 134u);
    EXPECT_EQ(lines[0].substr(0, 27), "Vellichorns Savegame|saved=");
    const int elapsed = std::stoi(lines[1]);
    EXPECT_GE(elapsed, 65000);
    EXPECT_LT(elapsed, 66000);
    EXPECT_EQ(lines[2], "1234");
    EXPECT_EQ(lines[3], "-");
    EXPECT_EQ(lines[133], "0 layouts/007.layout");
    // The live board's gem block: row 5 is empty.
    EXPECT_EQ(lines[68 + 5], "0000000000000000");

    // Load into a different game.
    TGameModeMatch3 other;
    other.Init("layouts/099.layout", 1);
    GamePlay().Score = 5;
    GamePlay().ScoreAdder = 75;
    ASSERT_EQ(other.LoadGame(File("game.save")), 1);
    EXPECT_EQ(other.FileError, "");
    EXPECT_EQ(GamePlay().Score, 1234);
    EXPECT_EQ(GamePlay().ScoreAdder, 0);
    EXPECT_GE(PlayClock().Elapsed(), 65000u);
    EXPECT_LT(PlayClock().Elapsed(), 66000u);
    EXPECT_EQ(BoardOf(*other.CellBox), live);
    EXPECT_EQ(GemsOf(*other.OriginalPuzzle->CellBox), startGems);
    EXPECT_EQ(other.TotalMarbles, 4);
    EXPECT_EQ(GamePlay().CurrentLevel, "layouts/007.layout");
    EXPECT_EQ(GamePlay().IsCustomLevel, 0);
    EXPECT_EQ(other.CellBox->GameMode, &other);
}

TEST_F(SaveGameTest, RestartAfterLoadingReturnsToTheStartingGems) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    ASSERT_EQ(mode.SaveGame(File("r")), 1);
    TGameModeMatch3 other;
    ASSERT_EQ(other.LoadGame(File("r.save")), 1);
    ASSERT_NE(GemsOf(*other.CellBox), startGems);
    ASSERT_EQ(other.Reset(), 1);
    EXPECT_EQ(GemsOf(*other.CellBox), startGems);
    EXPECT_EQ(other.CellBox->Layout[3][2].Contents, FLOOR_MARBLE);
}

TEST_F(SaveGameTest, PointsStillRollingUpAreSaved) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    GamePlay().Score = 100;
    GamePlay().ScoreAdder = 75;  // three gems just cleared, not counted in yet
    ASSERT_EQ(mode.SaveGame(File("rolling")), 1);
    TGameModeMatch3 other;
    ASSERT_EQ(other.LoadGame(File("rolling.save")), 1);
    EXPECT_EQ(GamePlay().Score + GamePlay().ScoreAdder, 175);
}

TEST_F(SaveGameTest, ASaveFromAnyMomentOfACascadeLoadsToTheSameFinalScore) {
    // No creation cells, so every settling is the same: the swap clears the
    // 2s of column 2, the 1 above falls into the bottom row and clears it.
    const std::vector<std::string> rows = {"#.#", "#.#", "#.#", "#.#", "..."};
    const std::vector<std::string> gems = {"-4-", "-1-", "-2-", "-2-", "112"};
    PuzzleHooks().LoadLayout = [rows](TCellBox& box, const std::string&) {
        BuildBox(box, rows);
        return true;
    };
    auto startMove = [&](TGameModeMatch3& mode) {
        ASSERT_EQ(mode.Init("layouts/050.layout", 0), 1);
        BuildBox(*mode.CellBox, rows, gems);
        mode.CellBox->SetMarkedCell(&mode.CellBox->CellAt(2, 5));
        mode.CellBox->SetMarkedCell(&mode.CellBox->CellAt(3, 5));
    };
    auto settle = [](TGameModeMatch3& mode) {
        int ticks = 0;
        do {
            TickMode(mode);
            ++ticks;
        } while (!(mode.CellBox->IsSettled() && GamePlay().ScoreAdder == 0) && ticks < 5000);
        return ticks;
    };
    int finalScore = 0;
    int cascadeTicks = 0;
    {
        TGameModeMatch3 mode;
        startMove(mode);
        cascadeTicks = settle(mode);
        finalScore = GamePlay().Score;
    }
    ASSERT_EQ(finalScore, 6 * 25) << "no cascade";
    for (int moment = 0; moment < cascadeTicks; moment += 5) {
        SCOPED_TRACE(moment);
        TGameModeMatch3 mode;
        startMove(mode);
        TickMode(mode, moment);
        ASSERT_EQ(mode.SaveGame(File("moment")), 1);
        TGameModeMatch3 loaded;
        ASSERT_EQ(loaded.LoadGame(File("moment.save")), 1);
        settle(loaded);
        EXPECT_EQ(GamePlay().Score, finalScore);
    }
}

TEST_F(SaveGameTest, SaveWithoutThePuzzleLineLoadsAndLeavesTheLevelAlone) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    ASSERT_EQ(mode.SaveGame(File("old")), 1);
    std::string text = ReadText(File("old.save"));
    text.erase(text.rfind("0 layouts/"));
    WriteText(File("old.save"), text);
    ASSERT_EQ(Lines(text).size(), 133u);

    GamePlay().CurrentLevel = "custom/mine.layout";
    GamePlay().IsCustomLevel = 1;
    TGameModeMatch3 other;
    ASSERT_EQ(other.LoadGame(File("old.save")), 1);
    // Blank lines and blanks at the end, as editors leave them, with or
    // without the puzzle line.
    WriteText(File("old.save"), text + "\r\n \t\n");
    ASSERT_EQ(other.LoadGame(File("old.save")), 1) << other.FileError;
    EXPECT_EQ(GemsOf(*other.OriginalPuzzle->CellBox), startGems);
    EXPECT_EQ(GamePlay().CurrentLevel, "custom/mine.layout");
    EXPECT_EQ(GamePlay().IsCustomLevel, 1);

    // A custom level's name with blanks comes back whole.
    GamePlay().CurrentLevel = "/home/x/My Puzzles/a b.layout";
    ASSERT_EQ(other.SaveGame(File("custom")), 1);
    GamePlay().CurrentLevel.clear();
    GamePlay().IsCustomLevel = 0;
    WriteText(File("custom.save"), ReadText(File("custom.save")) + "\n\r\n");
    ASSERT_EQ(other.LoadGame(File("custom.save")), 1) << other.FileError;
    EXPECT_EQ(GamePlay().CurrentLevel, "/home/x/My Puzzles/a b.layout");
    EXPECT_EQ(GamePlay().IsCustomLevel, 1);
}

TEST_F(SaveGameTest, DamagedSavesAreRefusedAndChangeNothing) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    GamePlay().Score = 300;
    ASSERT_EQ(mode.SaveGame(File("good")), 1);
    const std::string good = ReadText(File("good.save"));
    const size_t gemRow = good.find("-\r\n") + 3;

    std::string gem7 = good;
    gem7[gemRow + 2] = '7';  // gem kinds are 0..6
    std::string badTime = good;
    badTime.replace(badTime.find("\r\n") + 2, 1, "x");
    std::string negativeScore = good;
    negativeScore.replace(negativeScore.find("\r\n300\r\n") + 2, 3, "-30");
    std::string badPuzzleLine = good;
    badPuzzleLine.replace(badPuzzleLine.rfind("0 layouts/"), 2, "7 ");
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"header only", "Vellichorns Savegame\r\n"},
        {"cut in the first board", good.substr(0, gemRow + 100)},
        {"cut in the last row", good.substr(0, good.rfind("-\r\n") + 30)},
        {"gem out of range", gem7},
        {"time not a number", badTime},
        {"negative score", negativeScore},
        {"bad puzzle line", badPuzzleLine},
        {"text after the puzzle line", good + "more\r\n"},
        {"text after a blank line", good + "\r\nmore"},
        {"control character in the puzzle line", [&] {
             std::string t = good;
             t.insert(t.rfind(".layout"), "\r");
             return t;
         }()},
        {"a layout, not a save", FormatLayout(LayoutOf(*mode.CellBox))},
    };

    TGameModeMatch3 other;
    other.Init("layouts/003.layout", 0);
    GamePlay().Score = 42;
    GamePlay().CurrentLevel = "layouts/003.layout";
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        WriteText(File("bad.save"), text);
        const TBoardBlocks board = BoardOf(*other.CellBox);
        const TBlock original = GemsOf(*other.OriginalPuzzle->CellBox);
        const uint32_t clockStart = PlayClock().StartTime;
        EXPECT_EQ(other.LoadGame(File("bad.save")), 0);
        EXPECT_NE(other.FileError.find("bad.save"), std::string::npos) << other.FileError;
        EXPECT_EQ(BoardOf(*other.CellBox), board);
        EXPECT_EQ(GemsOf(*other.OriginalPuzzle->CellBox), original);
        EXPECT_EQ(GamePlay().Score, 42);
        EXPECT_EQ(PlayClock().StartTime, clockStart);
        EXPECT_EQ(GamePlay().CurrentLevel, "layouts/003.layout");
    }
    EXPECT_EQ(other.LoadGame(File("missing.save")), 0);
    EXPECT_EQ(other.FileError, "Could not read file '" + File("missing.save") + "'");
}

TEST_F(SaveGameTest, PlayerDateAndChainLiveBehindTheHeaderTextWhereEveryReaderSkips) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    Game().ProfileName = "A|b%c";
    mode.BonusCounter = 6;
    mode.MovesMade = 14;
    mode.BonusEarned = 250;
    ASSERT_EQ(mode.SaveGame(File("who")), 1);
    const std::string text = ReadText(File("who.save")), rest = text.substr(text.find("\r\n"));
    TSaveGameData save;
    ASSERT_EQ(ReadSaveGameData(File("who.save"), save), "");
    EXPECT_EQ(text.substr(0, text.size() - rest.size()),
              "Vellichorns Savegame|player=A%7Cb%25c|saved=" + std::to_string(save.SavedAt) +
                  "|bonus=6|moves=14|chainbonus=250");
    EXPECT_LE(std::abs(save.SavedAt - plat::CalendarSeconds()), 5);
    TGameModeMatch3 other;
    ASSERT_EQ(other.LoadGame(File("who.save")), 1);
    EXPECT_TRUE(other.BonusCounter == 6 && other.BonusAnimation) << "the chain goes on counting";
    EXPECT_EQ(std::tie(other.MovesMade, other.BonusEarned), std::make_tuple(14, 250)) << "the summary goes on counting";
    // Fields it cannot read are passed over; nothing else differs from a save without them.
    WriteText(File("odd.save"), "Vellichorns Savegame|colour=blue|saved=soon|bonus=-3|player=A|b%c" + rest);
    ASSERT_EQ(ReadSaveGameData(File("odd.save"), save), "");
    EXPECT_EQ(std::tie(save.Owner, save.SavedAt, save.BonusCounter), std::make_tuple("A", int64_t{0}, 0));
    save.Owner.clear();
    EXPECT_EQ("Vellichorns Savegame" + rest, FormatSaveGame(save));

    // A resume point that cannot be read is put aside.
    Game().ProfilePath = File("");
    WriteText(ResumePointPath("Ana"), "Vellichorns Savegame\r\n12\r\n");
    EXPECT_EQ(ReadResumePoint("Ana", save), EResumePoint::PutAside);
    EXPECT_EQ(plat::FileType(PutAsideResumePointPath("Ana")), plat::FILETYPE_FILE);
    EXPECT_EQ(ReadResumePoint("Ana", save), EResumePoint::None);
}

// A save the game of version 1.15 wrote in play, with a move under way: it
// loads, the move completes and scores, and play goes on.
TEST_F(SaveGameTest, ASaveOfVersion115LoadsAndPlays) {
    TGameModeMatch3 mode;
    ASSERT_EQ(mode.LoadGame(std::string(VC_TEST_SOURCE_DIR) + "/tests/puzzle/data/midway-1.15.save"), 1);
    EXPECT_EQ(GamePlay().CurrentLevel, "layouts/002.layout");
    TickMode(mode, 2000);
    EXPECT_GT(GamePlay().Score, 0);
    EXPECT_TRUE(mode.CellBox->IsSettled() && !mode.HintList.IsEmptyList()) << "no move to play on with";
}

// No board of the game has a gem where there is no floor; one in a damaged
// save would hang over the hole and take part in runs.
TEST_F(SaveGameTest, GemsSavedOverHolesAreDropped) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    ASSERT_EQ(mode.SaveGame(File("holes")), 1);
    std::string text = ReadText(File("holes.save"));
    // Row 12 of both gem blocks: no floor in columns 7 to 10.
    size_t block = 0;
    for (int board = 0; board < 2; ++board) {
        block = text.find("-\r\n", block) + 3;
        const size_t row12 = block + 11 * 18;
        text.replace(row12 + 6, 4, "3333");
        block = text.find("-\r\n", block);
        for (int skip = 0; skip < 4; ++skip) block = text.find("-\r\n", block + 1);
    }
    WriteText(File("holes.save"), text);

    TGameModeMatch3 other;
    ASSERT_EQ(other.LoadGame(File("holes.save")), 1) << other.FileError;
    for (const TCellBox* box : {other.CellBox.get(), other.OriginalPuzzle->CellBox.get()})
        for (int c = 7; c <= 10; ++c) {
            ASSERT_EQ(box->Layout[c][12].Contents, FLOOR_NONE);
            EXPECT_EQ(box->CellAt(c, 12).Contents, 0) << c;
        }
    TickMode(other, 400);
    for (int c = 7; c <= 10; ++c) EXPECT_EQ(other.CellBox->CellAt(c, 12).Contents, 0) << c;
}

TEST_F(SaveGameTest, FailedSaveReportsAndKeepsTheOldSave) {
    TGameModeMatch3 mode;
    StartAndPlay(mode);
    ASSERT_EQ(mode.SaveGame(File("slot")), 1);
    const std::string old = ReadText(File("slot.save"));
    GamePlay().Score = 999;
    int answer = 0;
    {
        TFileSizeLimit limit(500);
        answer = mode.SaveGame(File("slot"));
    }
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(ReadText(File("slot.save")), old);
    // The player reads the plain words every failed write has; the path is logged.
    ErrorLogFolder = File("");
    GameText().Map["CANNOT SAVE"] = {"Nothing is kept in FFF: RRR."};
    GameText().Map["WRITE REASON FULL"] = {"it is full"};
    {
        TFileSizeLimit limit(500);
        answer = mode.SaveGame(File("slot"));
    }
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(mode.FileError, "Nothing is kept in " + dir.string() + ": it is full.");
    EXPECT_NE(ReadText(File("ErrorLog.txt")).find(File("slot.save")), std::string::npos);
    ResetErrorLog();
}

// An accented player's resume point, and the copy of a damaged one, are named in UTF-8.
TEST_F(SaveGameTest, AResumePointIsNamedInUtf8AndItsDamagedCopyToo) {
    Game().ProfilePath = File("");
    ErrorLogFolder = File("");
    TSaveGameData save;
    ASSERT_TRUE(WriteResumePoint(save, "Zo\xEB"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Zo\xC3\xAB.resume"));
    WriteText(File("Zo\xC3\xAB.resume"), "Vellichorns Savegame\r\n12\r\n");
    EXPECT_EQ(ReadResumePoint("Zo\xEB", save), EResumePoint::PutAside);
    EXPECT_TRUE(std::filesystem::exists(dir / "Zo\xC3\xAB.resume.bad"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Zo\xEB.resume.bad")) << "a Latin-1 name";
    EXPECT_NE(ReadText(File("ErrorLog.txt")).find(File("Zo\xC3\xAB.resume")), std::string::npos);
    ResetErrorLog();
}

}  // namespace
