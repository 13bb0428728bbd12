// The high-score table: ranking, the default and zeroed tables, and the
// file: round trip, name shift, truncated, oversized and unwritable files.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "app/game.h"
#include "persistence/high_scores.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

class HighScoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        folder = testing::TempDir() + "vc_hs_" + std::to_string(getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(folder, true);
        Game().ProfilePath = folder;
        ErrorLogFolder = folder;
        table.Create("highscores", 10);
    }
    void TearDown() override {
        plat::DeleteDir(folder, true);
        ResetErrorLog();
        ResetGlobals();
    }
    std::vector<int> Scores() const {
        std::vector<int> scores;
        for (const auto& entry : table.Entries) scores.push_back(entry.score);
        return scores;
    }
    std::string folder;
    TLumenSpireHighScoreList table;
};

TEST_F(HighScoreTest, DefaultTableRanksAndInserts) {
    table.Load();  // no file: the default table, written at once
    EXPECT_EQ(table.filepath, folder + "highscores.hsdat");
    ASSERT_EQ(plat::FileType(table.filepath), plat::FILETYPE_FILE);
    EXPECT_EQ(Scores(), (std::vector<int>{200, 170, 150, 130, 110, 90, 70, 50, 30, 10}));
    EXPECT_EQ(table.GetPosition(10), 0);
    EXPECT_EQ(table.GetPosition(11), 10);
    EXPECT_EQ(table.GetPosition(175), 2);
    EXPECT_EQ(table.Insert("Kit", 175), 1);
    EXPECT_EQ(Scores(), (std::vector<int>{200, 175, 170, 150, 130, 110, 90, 70, 50, 30}));
    EXPECT_EQ(table.Entries[1].name, "Kit");
    // Equal scores keep the better place for the earlier entry.
    EXPECT_EQ(table.Insert("Late", 170), 1);
    EXPECT_EQ(table.Entries[2].score, 170);
    EXPECT_NE(table.Entries[2].name, "Late");
    EXPECT_EQ(table.Entries[3].name, "Late");
    EXPECT_EQ(table.Insert("Low", 30), 0);
}

TEST_F(HighScoreTest, TablesOfNoScoresAndShortTables) {
    for (int i = 0; i < 10; ++i) table.Add("Empty", 0);
    EXPECT_EQ(table.GetPosition(0), 0);
    EXPECT_EQ(table.Insert("Zero", 0), 0);
    EXPECT_EQ(table.GetPosition(1), 1);
    EXPECT_EQ(table.Insert("One", 1), 1);
    EXPECT_EQ(table.Entries.front().name, "One");
    EXPECT_EQ(table.Count(), 10);

    table.Entries.resize(3);
    EXPECT_EQ(table.Insert("Tail", 0), 1);  // room left: placed at the end
    EXPECT_EQ(table.Entries.back().name, "Tail");
}

TEST_F(HighScoreTest, FileRoundTripShiftsNames) {
    table.Add("Ann", 500);
    table.Add("B\xE9", MaxPuzzleScore);
    ASSERT_TRUE(table.Save());
    const auto bytes = table.Format();
    ASSERT_EQ(bytes.size(), 4u + 4u + 3u + 4u);
    EXPECT_EQ(bytes[0], 'A' + HighScoreNameShift);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(bytes[4], 500 & 0xFF);
    EXPECT_EQ(bytes[5], 500 >> 8);

    TLumenSpireHighScoreList again;
    again.Create("highscores", 10);
    again.Load();
    ASSERT_EQ(again.Count(), 2);
    EXPECT_EQ(again.Entries[0].name, "Ann");
    EXPECT_EQ(again.Entries[1].name, "B\xE9");
    EXPECT_EQ(again.Entries[1].score, MaxPuzzleScore);
}

// The puzzles live in a file beside the table: the table file keeps its old
// format, an old table (no puzzle file) loads with no puzzles, and after an
// older game changed the table only the entries it kept have their puzzles.
TEST_F(HighScoreTest, PuzzlesAreKeptBesideTheTableInItsOldFormat) {
    table.Add("Ann", 500);
    table.Insert("Bo", 900, "12", false);
    table.Insert("Cy", 700, "My\tCastle", true);
    ASSERT_TRUE(table.Save());
    TLumenSpireHighScoreList old;
    old.Entries = {{"Bo", 900}, {"Cy", 700}, {"Ann", 500}};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(plat::LoadBytes(table.filepath, bytes));
    EXPECT_EQ(bytes, old.Format()) << "the table file is not the old format";

    const auto puzzles = [] {
        TLumenSpireHighScoreList again;
        again.Create("highscores", 10);
        again.Load();
        std::vector<std::string> seen;
        for (const auto& e : again.Entries) seen.push_back(e.name + ":" + e.puzzle + (e.custom ? "+" : ""));
        return seen;
    };
    EXPECT_EQ(puzzles(), (std::vector<std::string>{"Bo:12", "Cy:My Castle+", "Ann:"}));
    // An older game puts a score first and pushes one out; the puzzle file stays.
    old.Entries = {{"Di", 950}, {"Bo", 900}, {"Ann", 500}};
    ASSERT_TRUE(plat::WriteFileAtomic(table.filepath, old.Format()));
    EXPECT_EQ(puzzles(), (std::vector<std::string>{"Di:", "Bo:12", "Ann:"}));
    // Without the puzzle file, and with a damaged one, the table is as it was.
    ASSERT_TRUE(plat::WriteFileAtomic(table.PuzzlePath(), std::string("900\tX\t12\tBo\nrubbish\n")));
    EXPECT_EQ(puzzles(), (std::vector<std::string>{"Di:", "Bo:", "Ann:"}));
    ASSERT_TRUE(plat::WriteFileAtomic(table.PuzzlePath(), std::string("900\tS\t12\tBo\r\n")));
    EXPECT_EQ(puzzles(), (std::vector<std::string>{"Di:", "Bo:12", "Ann:"})) << "CR LF lines";
    ASSERT_TRUE(plat::DeleteFile(table.PuzzlePath()));
    EXPECT_EQ(puzzles(), (std::vector<std::string>{"Di:", "Bo:", "Ann:"}));
}

// A table no game could have written is kept as ".bad"; the default is shown.
TEST_F(HighScoreTest, DamagedTableIsKeptAsideAndTheDefaultShown) {
    for (const TLumenSpireHighScore& bad : {TLumenSpireHighScore{"\x9c\x03\xf1", 20}, {"Elevenchars", 20},
                                            {"Ann", -1}, {"Ann", MaxPuzzleScore + 1}}) {
        table.Entries = {{"Ann", 500}, bad};
        const auto bytes = table.Format();
        ASSERT_TRUE(plat::WriteFileAtomic(table.filepath, bytes));
        table.Load();
        EXPECT_EQ(Scores().front(), 200) << bad.name << " " << bad.score;
        std::vector<uint8_t> kept;
        EXPECT_TRUE(plat::LoadBytes(table.filepath + ".bad", kept) && kept == bytes);
    }
    // Bytes that end before a whole entry, after whole ones or with none, are
    // no empty or shorter table: the file is damaged, kept and told.
    table.Entries = {{"Ann", 500}};
    const auto whole = table.Format();
    std::vector<uint8_t> tail = whole;
    tail.insert(tail.end(), {'B' + HighScoreNameShift, 0, 7});
    for (const auto& bytes : {std::vector<uint8_t>{0x8e, 0x13, 0xf7, 0x41, 0x99}, std::vector<uint8_t>{0, 1}, tail}) {
        ASSERT_TRUE(plat::WriteFileAtomic(table.filepath, bytes));
        plat::DeleteFile(table.filepath + ".bad");
        table.Load();
        EXPECT_EQ(Scores().front(), 200) << bytes.size();
        EXPECT_TRUE(table.WasDamaged);
        std::vector<uint8_t> kept;
        EXPECT_TRUE(plat::LoadBytes(table.filepath + ".bad", kept) && kept == bytes) << bytes.size();
        std::vector<uint8_t> log;
        ASSERT_TRUE(plat::LoadBytes(folder + "ErrorLog.txt", log));
        EXPECT_NE(std::string(log.begin(), log.end()).find(table.filepath), std::string::npos);
    }
    // An empty file is an empty table, and a sound one is no news.
    ASSERT_TRUE(plat::WriteFileAtomic(table.filepath, std::vector<uint8_t>{}));
    table.Load();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_FALSE(table.WasDamaged);
}

TEST_F(HighScoreTest, DamagedFilesReadCleanly) {
    table.Add("Whole", 42);
    table.Add("Cut", 7);
    auto bytes = table.Format();
    // Cut inside the last score, then inside the last name.
    for (const size_t keep : {bytes.size() - 2, bytes.size() - 6}) {
        EXPECT_FALSE(table.Parse(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(keep))));
        ASSERT_EQ(table.Count(), 1) << keep;
        EXPECT_EQ(table.Entries[0].name, "Whole");
        EXPECT_EQ(table.Entries[0].score, 42);
    }
    // A name with no end and far too many records are capped.
    EXPECT_FALSE(table.Parse(std::vector<uint8_t>(100000, 'x')));
    EXPECT_EQ(table.Count(), 0);
    std::vector<uint8_t> huge(5000, 'y');
    huge.insert(huge.end(), {0, 1, 0, 0, 0});
    for (int i = 0; i < 300; ++i) huge.insert(huge.end(), {'z', 0, 2, 0, 0, 0});
    EXPECT_TRUE(table.Parse(huge)) << "records past the limit are ignored";
    EXPECT_EQ(table.Count(), TLumenSpireHighScoreList::MaxStoredEntries);
    EXPECT_EQ(table.Entries[0].name.size(), TLumenSpireHighScoreList::MaxStoredNameLength);
    EXPECT_EQ(table.Entries[0].score, 1);
}

TEST_F(HighScoreTest, UnwritableTableIsReportedNotFatal) {
    table.filepath = folder + "missing/folder/highscores.hsdat";
    table.Add("Ann", 1);
    EXPECT_FALSE(table.Save());
    EXPECT_NE(table.SaveFailureText().find("Failed to save file "), std::string::npos);
}

}  // namespace
