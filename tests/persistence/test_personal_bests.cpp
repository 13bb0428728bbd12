// Personal bests: each figure only improves, stars against par at the
// boundaries, the file read back as written, a damaged file put aside, and
// each player's bests their own.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "app/game.h"
#include "persistence/personal_bests.h"
#include "platform/files.h"
#include "resources/resource_globals.h"

namespace {

class BestsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        folder = testing::TempDir() + "vc_bests_" + std::to_string(getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(folder, true);
        Game().ProfilePath = folder;
    }
    void TearDown() override {
        plat::DeleteDir(folder, true);
        ResetGlobals();
    }
    std::string folder;
};

TEST(PersonalBests, EachFigureOnlyImprovesOnItsOwn) {
    TPersonalBest best;
    TBestImprovement better = ImproveBest(best, {5000, 30, 90000, 2});
    EXPECT_TRUE(better.Score && better.Moves && better.Time && better.Stars);

    // Higher score, but more moves, slower and fewer stars.
    better = ImproveBest(best, {6000, 31, 90001, 1});
    EXPECT_TRUE(better.Score);
    EXPECT_FALSE(better.Moves || better.Time || better.Stars);
    // Fewer moves and faster, lower score.
    better = ImproveBest(best, {100, 25, 80000, 3});
    EXPECT_FALSE(better.Score);
    EXPECT_TRUE(better.Moves && better.Time && better.Stars);
    // Equal figures are no improvement; a win with no moves or time counted keeps them.
    EXPECT_FALSE(ImproveBest(best, {6000, 25, 80000, 3}).Any());
    EXPECT_FALSE(ImproveBest(best, {0, 0, 0, 0}).Any());
    EXPECT_EQ(best.Score, 6000);
    EXPECT_EQ(best.Moves, 25);
    EXPECT_EQ(best.TimeMs, 80000u);
    EXPECT_EQ(best.Stars, 3);
}

TEST(PersonalBests, StarsAgainstParAtTheBoundaries) {
    EXPECT_EQ(StarsForWin(20, 20), 3);
    EXPECT_EQ(StarsForWin(1, 20), 3);
    EXPECT_EQ(StarsForWin(21, 20), 2);
    EXPECT_EQ(StarsForWin(30, 20), 2);  // exactly one and a half times
    EXPECT_EQ(StarsForWin(31, 20), 1);
    EXPECT_EQ(StarsForWin(16, 11), 2);  // 16.5 is the edge of an odd par
    EXPECT_EQ(StarsForWin(17, 11), 1);
    EXPECT_EQ(StarsForWin(40, 0), 1);  // no par: a win is one star
}

TEST(PersonalBests, DamagedTextsAreRefused) {
    std::string problem;
    const std::string header = "Vellichorns bests 1\n";
    ASSERT_TRUE(ParseBests(header, problem));
    ASSERT_TRUE(ParseBests(header + "s 10 2 300 3 007\r\nc 1 1 1 0 My  Garden \n", problem));
    EXPECT_EQ(ParseBests(header + "c 1 1 1 0 My  Garden \n", problem)->front().Key, "My  Garden ");
    for (const std::string& bad : {std::string(), std::string("s 10 2 300 3 007\n"), header + "x 1 1 1 1 a\n",
                                  header + "s 1 1 1 4 a\n", header + "s 1 -1 1 1 a\n", header + "s 1 1 1 1\n",
                                  header + "s 1 1 1 1 \n", header + "s 1 1x 1 1 a\n", header + "s 99999999999 1 1 1 a\n",
                                  header + "s 1 1 1 1 abc\ns 2 2 2 2 ABC\n"}) {
        EXPECT_FALSE(ParseBests(bad, problem)) << bad;
        EXPECT_FALSE(problem.empty());
    }
}

TEST_F(BestsTest, AWinIsKeptAndReadBack) {
    EXPECT_EQ(BestsFilePath("Ana"), folder + "Ana.bests");
    TPlayerBests bests("Ana");
    EXPECT_EQ(bests.Find(false, "007"), nullptr);
    bool written = false;
    EXPECT_TRUE(bests.RecordWin(false, "007", {1200, 30, 61000, 2}, &written).Any());
    EXPECT_TRUE(written);
    bests.RecordWin(true, "My Garden", {800, 12, 20000, 3});
    bests.RecordWin(false, "007", {900, 28, 70000, 3});

    const TPlayerBests again("Ana");
    ASSERT_NE(again.Find(false, "007"), nullptr);
    const TPersonalBest best = *again.Find(false, "007");
    EXPECT_EQ(best.Score, 1200);
    EXPECT_EQ(best.Moves, 28);
    EXPECT_EQ(best.TimeMs, 61000u);
    EXPECT_EQ(best.Stars, 3);
    EXPECT_NE(again.Find(true, "MY GARDEN"), nullptr);
    EXPECT_EQ(again.Find(false, "My Garden"), nullptr);  // a standard puzzle is another one

    DeletePlayerBests("Ana");
    EXPECT_EQ(TPlayerBests("Ana").Entries().size(), 0u);
}

TEST_F(BestsTest, ADamagedFileIsPutAsideAndTheOtherFilesStay) {
    ASSERT_TRUE(plat::WriteFileAtomic(BestsFilePath("Ana"), "Vellichorns bests 1\ns 10 nonsense\n"));
    ASSERT_TRUE(plat::WriteFileAtomic(folder + "Anas.ini", "007=1\r\n"));
    TPlayerBests bests("Ana");
    EXPECT_TRUE(bests.PutAside());
    EXPECT_TRUE(bests.Entries().empty());
    EXPECT_EQ(plat::FileType(PutAsideBestsPath("Ana")), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::FileType(folder + "Anas.ini"), plat::FILETYPE_FILE);
    bests.RecordWin(false, "002", {10, 5, 5000, 1});
    EXPECT_FALSE(TPlayerBests("Ana").PutAside());
    EXPECT_NE(TPlayerBests("Ana").Find(false, "002"), nullptr);
}

// Statistics sum up and keep their records; a file without them still reads,
// one with them says so in its header.
TEST_F(BestsTest, StatisticsAddUpAndOldFilesStillRead) {
    ASSERT_TRUE(plat::WriteFileAtomic(BestsFilePath("Ana"), "Vellichorns bests 1\ns 10 2 300 3 007\n"));
    TPlayerBests bests("Ana");
    EXPECT_NE(bests.Find(false, "007"), nullptr);
    EXPECT_TRUE(bests.Stats().Empty());
    EXPECT_TRUE(bests.AddStats({.PlayMs = 1000, .Moves = 5, .Gems = 15, .BestChainBonus = 40, .LongestCascade = 4}));
    EXPECT_TRUE(bests.AddStats({.PlayMs = 500, .Moves = 2, .Hints = 1, .Reshuffles = 1, .BestChainBonus = 20,
                                .LongestCascade = 6}));
    const TPlayerBests again("Ana");
    EXPECT_EQ(again.Stats(), (TPlayerStats{1500, 7, 15, 1, 1, 40, 6}));
    EXPECT_NE(again.Find(false, "007"), nullptr);

    std::string problem;
    TPlayerStats read;
    const std::string text = FormatBests(again.Entries(), again.Stats());
    EXPECT_EQ(text.substr(0, 20), "Vellichorns bests 2\n");
    ASSERT_TRUE(ParseBests(text + "t sparkles 9\n", problem, &read)) << "a total of a later version is passed over";
    EXPECT_EQ(read, again.Stats());
    for (const std::string bad : {"Vellichorns bests 1\nt moves 3\n", "Vellichorns bests 2\nt moves -3\n",
                                  "Vellichorns bests 2\nt moves\n", "Vellichorns bests 2\nt moves 3x\n"})
        EXPECT_FALSE(ParseBests(bad, problem)) << bad;
}

TEST_F(BestsTest, PlayersDoNotSeeEachOthersBests) {
    TPlayerBests("Ana").RecordWin(false, "001", {500, 10, 9000, 3});
    TPlayerBests("Ben").RecordWin(false, "002", {400, 11, 8000, 2});
    EXPECT_NE(TPlayerBests("Ana").Find(false, "001"), nullptr);
    EXPECT_EQ(TPlayerBests("Ana").Find(false, "002"), nullptr);
    EXPECT_EQ(TPlayerBests("Ben").Find(false, "001"), nullptr);
    DeletePlayerBests("Ben");
    EXPECT_NE(TPlayerBests("Ana").Find(false, "001"), nullptr);
}

}  // namespace
