// Player profiles on disk: which files are players, what choosing a player
// writes, a folder that cannot be written or read, the names a new player
// may take, and the hint marks.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <unistd.h>

#include "app/game.h"
#include "app/write_failure.h"
#include "persistence/profile.h"
#include "platform/files.h"
#include "platform/os.h"
#include "platform/stream.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/player_manager.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        folder = testing::TempDir() + "vc_profiles_" + std::to_string(getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(folder, true);
        Game().ProfilePath = folder + "profiles/";
    }
    void TearDown() override {
        plat::DeleteDir(folder, true);
        ResetGlobals();
    }
    void Put(const std::string& file) {
        plat::CreateDir(Game().ProfilePath, true);
        ASSERT_TRUE(plat::WriteFileAtomic(Game().ProfilePath + file, std::string("\1\0\0\0", 4)));
    }
    // The profile folder replaced by a plain file: nothing can be listed or written there.
    void BlockFolder() {
        ASSERT_TRUE(plat::WriteFileAtomic(folder + "blocked", "x"));
        Game().ProfilePath = folder + "blocked/";
    }
    std::string folder;
};

TEST_F(ProfileTest, OnlyPlainFilesEndingInLowerCaseDatArePlayersAndAMissingFolderIsMade) {
    std::vector<std::string> players;
    ASSERT_TRUE(ListPlayers(players)) << "a missing profile folder should be created";
    EXPECT_TRUE(players.empty());
    EXPECT_EQ(plat::FileType(Game().ProfilePath), plat::FILETYPE_DIR);
    for (const char* file : {"zoe.dat", "Ann.dat", "Bob.DAT", ".dat", "Cid.dat.bak", "x.y.dat", "Dan.datx", "Eve"})
        Put(file);
    // A folder named like a player's file is no player: its file could never be written.
    ASSERT_TRUE(plat::CreateDir(Game().ProfilePath + "Fay.dat", false));
    ASSERT_TRUE(ListPlayers(players));
    EXPECT_EQ(players, (std::vector<std::string>{"Ann", "x.y", "zoe"}));
    EXPECT_TRUE(IsPlayer("Ann"));
    EXPECT_FALSE(IsPlayer("ann"));
    EXPECT_FALSE(IsPlayer("Bob"));

    BlockFolder();
    EXPECT_FALSE(ListPlayers(players));
    EXPECT_TRUE(players.empty());
}

TEST_F(ProfileTest, ChoosingAPlayerWritesItsFileOnceAndAnEmptyNameWritesNothing) {
    MakeCurrentPlayer("Zed", false);
    ASSERT_TRUE(Game().CurrentProfile);
    EXPECT_EQ(Game().CurrentProfile->Name, "Zed");
    EXPECT_EQ(Game().ProfileName, "Zed");
    const std::string file = Game().ProfilePath + "Zed.dat";
    {
        auto stream = plat::ReadFile(file);
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->ReadAll(), (std::vector<uint8_t>{1, 0, 0, 0}));
    }
    // A damaged file is kept aside, logged and written again; the player
    // goes on. Saving through the game's hook writes the same four bytes.
    ErrorLogFolder = folder;
    ASSERT_TRUE(plat::WriteFileAtomic(file, std::string("\7\0\0", 3)));
    EXPECT_EQ(Game().CurrentProfile->Load(), 1);
    EXPECT_EQ(plat::FileSize(file), 4);
    EXPECT_EQ(plat::FileSize(file + ".bad"), 3);
    std::vector<uint8_t> log;
    ASSERT_TRUE(plat::LoadBytes(folder + "ErrorLog.txt", log));
    EXPECT_NE(std::string(log.begin(), log.end()).find(file), std::string::npos);
    ResetErrorLog();
    ASSERT_TRUE(Game().SaveCurrentProfile);
    Game().SaveCurrentProfile();
    EXPECT_EQ(plat::ReadFile(file)->ReadInt(), 1);

    MakeCurrentPlayer("", false);
    EXPECT_FALSE(Game().CurrentProfile);
    EXPECT_EQ(plat::FileType(Game().ProfilePath + ".dat"), plat::FILETYPE_NONE);
}

std::vector<std::string> told;
void RecordBox(const std::string&, const std::string& text, bool) { told.push_back(text); }

// Told once, in plain words, like every write that fails: a second player
// whose file cannot be written either adds no second message.
TEST_F(ProfileTest, APlayerWhoseFileCannotBeWrittenIsKeptInMemoryAndTheFailureToldOnce) {
    told.clear();
    plat::SetMessageBoxHook(&RecordBox);
    GameText().Map["CANNOT SAVE"] = {"Nothing can be saved in FFF: RRR."};
    BlockFolder();
    MakeCurrentPlayer("Zed", false);
    ASSERT_TRUE(Game().CurrentProfile);
    EXPECT_EQ(Game().CurrentProfile->Name, "Zed");
    MakeCurrentPlayer("Amy", false);
    plat::SetMessageBoxHook(nullptr);
    EXPECT_TRUE(told.empty()) << "a system box";
    const std::string notice = TakeWriteFailureNotice();
    EXPECT_NE(notice.find(folder + "blocked"), std::string::npos) << notice;
    EXPECT_EQ(TakeWriteFailureNotice(), "");
}

TEST_F(ProfileTest, NewNamesMustBeSafeShortAndNotTakenInAnyLetterCase) {
    Put("Ann.dat");
    Put("Bob.DAT");
    Put("\xC9lodie.dat");
    EXPECT_TRUE(NewPlayerNameAllowed("Zed"));
    EXPECT_TRUE(NewPlayerNameAllowed("Zo\xEB")) << "Latin-1 letters are fine";
    EXPECT_TRUE(NewPlayerNameAllowed("Ten letter"));
    EXPECT_TRUE(NewPlayerNameAllowed("J\xFCrg \xF1\xE7\xDF\xEA\xE8"));
    for (const char* taken : {"Ann", "ANN", "ann", "bob", "\xE9LODIE"}) EXPECT_FALSE(NewPlayerNameAllowed(taken)) << taken;
    EXPECT_EQ(PlayerNameOwner("bob") + PlayerNameOwner("\xE9LODIE") + PlayerNameOwner("Zed"), "Bob\xC9lodie");
    for (const char* bad : {"", ".", "..", " Lead", "Trail ", "a/b", "a\\b", "a=b", "a:b", "a?b", "a*b",
                             "Eleven char", "a\x7F", "a\x85"})
        EXPECT_FALSE(NewPlayerNameAllowed(bad)) << '"' << bad << '"';
}

}  // namespace
