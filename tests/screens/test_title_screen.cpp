// The title screen and the player manager in the real game, headless, driven
// with synthetic mouse and key events: the first-run name prompt, the last
// player taken up or the manager opened, creating, refusing and deleting
// players, the menu's destinations and a return from another screen.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "persistence/profile.h"
#include "platform/stream.h"
#include "screens/game_test_util.h"
#include "screens/player_manager.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

namespace {

// Where start-up puts the game's shared folder below the data folder.
const char* const SHARED_FOLDER = "Pellorine Games/Vellichorns";

class TitleScreenTest : public RealGameTest {
protected:
    // Players and settings are written first; StartUp starts the game.
    bool BootAtOnce() const override { return false; }
    void SetUp() override {
        RealGameTest::SetUp();
        if (IsSkipped()) return;
        ResetGlobals();
        Game().SetSubPathWrapper(SHARED_FOLDER);
        profiles = Game().ProfilePath;
        settings = IniFileNameFor(Game()) + ".ini";
        ResetGlobals();
        std::filesystem::create_directories(profiles);
    }

    void AddPlayers(const std::vector<std::string>& names) {
        for (const auto& name : names) ASSERT_TRUE(plat::WriteFileAtomic(profiles + name + ".dat", std::string("\1\0\0\0", 4)));
    }
    void LastPlayer(const std::string& name) {
        ASSERT_TRUE(plat::WriteFileAtomic(settings, "Full Screen=0\r\nProfile Name=" + name + "\r\n"));
    }
    // Start-up with the game's data, up to the title screen shown in full.
    void StartUp() {
        Boot();
        ASSERT_TRUE(WaitFor(OnTitle, 500)) << "the title screen never came";
        Frames(5);
    }

    static TTitleScreen& Title() { return TitleScreen(); }
    static bool OnTitle() { return OnScreen(TitleScreen()); }
    static TPlayerManager& Manager() { return *TitleScreen().PlayerManager; }
    static std::string Current() {
        const auto& profile = Game().CurrentProfile;
        return profile ? profile->Name : "(nobody)";
    }
    static std::string Text(const std::string& key) { return GameText().FindString(key); }
    std::string SavedLastPlayer() const { return IniReadValue(settings, "profile name"); }
    bool Exists(const std::string& file) const { return plat::FileType(profiles + file) == plat::FILETYPE_FILE; }

    void OpenManager() {
        ClickButton(Title().Menu->FindButton("changeplayer"));
        ASSERT_TRUE(Title().PlayerManager) << "no player manager";
        Frames(2);
    }
    void ClickRow(const std::string& name) {
        const auto& list = *Manager().ListBox;
        const auto at = std::find(list.Strings.begin(), list.Strings.end(), name);
        ASSERT_NE(at, list.Strings.end()) << name << " is not listed";
        const int row = static_cast<int>(at - list.Strings.begin()) - list.TopIndex;
        Click(static_cast<int>(list.Box->X) + 40, static_cast<int>(list.Box->Y) + row * list.LineHeight + list.LineHeight / 2);
    }
    void ClickManagerButton(const std::string& name) { ClickButton(Manager().Menu->FindButton(name)); }

    std::string profiles, settings;
};

TEST_F(TitleScreenTest, FirstRunAsksForANameBeforeTheMenuWorksAndReturningLeavesItAlone) {
    StartUp();
    ASSERT_TRUE(Title().EnterName) << "a fresh data folder should ask for a name";
    EXPECT_FALSE(Title().PlayerManager);
    EXPECT_EQ(Game().Audio.MusicFileName, "music1.ogg");
    EXPECT_EQ(Game().Audio.MusicRotationEnabled, 1);
    Shot("title_name_prompt");

    // The menu does not react while the question is open.
    ClickButton(Title().Menu->FindButton("options"));
    Frames(30);
    EXPECT_TRUE(OnTitle());
    ASSERT_TRUE(Title().EnterName);

    Type("zed\r");
    ASSERT_TRUE(WaitFor([] { return !Title().EnterName; }, 100));
    EXPECT_EQ(Current(), "Zed");
    EXPECT_EQ(Game().ProfileName, "Zed");
    EXPECT_EQ(SavedLastPlayer(), "Zed");
    ASSERT_TRUE(Exists("Zed.dat"));
    EXPECT_EQ(plat::FileSize(profiles + "Zed.dat"), 4);
    {
        auto file = plat::ReadFile(profiles + "Zed.dat");
        ASSERT_TRUE(file);
        EXPECT_EQ(file->ReadInt(), 1);
    }
    Frames(10);
    Shot("title_welcome");

    // Away to another screen and back: no question, the same track plays on.
    const auto track = Game().Audio.MusicSample;
    const int nextTrack = Game().Audio.MusicTrackNumber;
    ClickButton(Title().Menu->FindButton("options"));
    ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Options)); }, 200));
    Frames(10);
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor(OnTitle, 200)) << "Escape should lead back to the title screen";
    EXPECT_FALSE(Title().DialogOpen());
    EXPECT_EQ(Game().Audio.MusicSample, track);
    EXPECT_EQ(Game().Audio.MusicTrackNumber, nextTrack);
    ASSERT_TRUE(Game().Audio.MusicChannel);
    EXPECT_TRUE(plat::ChannelPlaying(*Game().Audio.MusicChannel));
    EXPECT_EQ(Current(), "Zed");
}

TEST_F(TitleScreenTest, EachMenuButtonLeadsToItsScreenEscapeAsksBeforeQuittingAndExitEndsTheGame) {
    AddPlayers({"Ann"});
    LastPlayer("Ann");
    StartUp();
    EXPECT_FALSE(Title().DialogOpen()) << "the last player should simply be taken up";
    EXPECT_EQ(Current(), "Ann");
    Shot("title_menu");
    // Loaded again as if straight after loading: the first arrival's work is done already.
    const int nextTrack = Game().Audio.MusicTrackNumber;
    for (int again = 0; again < 2; ++again) {
        Game().CurrentTScreen = &LoadingScreen();
        Title().PreStart();
    }
    ASSERT_TRUE(WaitFor(OnTitle, 100));
    EXPECT_EQ(Game().Audio.MusicTrackNumber, nextTrack) << "the music was started again";
    EXPECT_FALSE(Title().DialogOpen());
    const std::pair<const char*, EGameScreen> buttons[] = {{"play", EGameScreen::Play},
                                                           {"help", EGameScreen::Help},
                                                           {"options", EGameScreen::Options},
                                                           {"highscore", EGameScreen::HighScore}};
    for (const auto& [button, role] : buttons) {
        ClickButton(Title().Menu->FindButton(button));
        TScreen& destination = ScreenFor(role);
        ASSERT_TRUE(WaitFor([&destination] { return OnScreen(destination); }, 200)) << button;
        Key(plat::KEY_ESCAPE);
        ASSERT_TRUE(WaitFor(OnTitle, 200)) << "no way back from " << button;
        EXPECT_FALSE(Title().DialogOpen());
    }
    // Back by a key, the focus shows at once on the button that led away;
    // Up past the first button wraps round, as Tab does, and Down comes back.
    Frames(2);
    EXPECT_EQ(Title().Focus.FocusedName(), "HIGHSCORE");
    for (int i = 0; i < 8 && Title().Focus.FocusedName() != "PLAY"; ++i) Key(plat::KEY_UP);
    ASSERT_EQ(Title().Focus.FocusedName(), "PLAY");
    Key(plat::KEY_UP);
    EXPECT_NE(Title().Focus.FocusedName(), "PLAY");
    Key(plat::KEY_DOWN);
    EXPECT_EQ(Title().Focus.FocusedName(), "PLAY");
    Key(plat::KEY_DOWN);
    EXPECT_EQ(Title().Focus.FocusedName(), "HELP");
    Frames(20);
    Shot("title_focus");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Help)); }, 200)) << "Return presses the focus";
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor(OnTitle, 200));
    // Escape on the title asks; Escape again is "No".
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return Title().QuitQuestion != nullptr; }, 50)) << "Escape should ask before quitting";
    Frames(30);
    EXPECT_EQ(Title().QuitQuestion->Focus.FocusedName(), "YES") << "asked by a key, the focus shows at once";
    Key(plat::KEY_RIGHT);
    EXPECT_EQ(Title().QuitQuestion->Focus.FocusedName(), "NO");
    Frames(5);
    Shot("title_quit_question");
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return !Title().DialogOpen(); }, 200));
    Frames(20);
    EXPECT_TRUE(OnTitle());
    ClickButton(Title().Menu->FindButton("exit"));
    int result = 0;
    for (int i = 0; i < 100 && result != -1; ++i) {
        clock.now += FRAME_MS;
        result = Game().RunFrame();
    }
    EXPECT_EQ(result, -1) << "Exit should end the game";
}

TEST_F(TitleScreenTest, ALastPlayerWithoutAFileOpensTheManagerAndOnlyDatFilesArePlayers) {
    AddPlayers({"Ann", "Bob"});
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + "Cid.DAT", std::string("\1\0\0\0", 4)));
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + ".dat", std::string("\1\0\0\0", 4)));
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + "Ann.txt", "x"));
    LastPlayer("Ghost");
    StartUp();
    ASSERT_TRUE(Title().PlayerManager) << "a missing player file should open the manager";
    EXPECT_FALSE(Exists("Ghost.dat")) << "the missing player must not be made again";
    EXPECT_EQ(Manager().ListBox->Strings, (std::vector<std::string>{"Ann", "Bob"}));
    // It says why it opened, between the title and the list.
    EXPECT_EQ(Manager().NoticeText(), "The player \"Ghost\" could not be found.");
    Shot("title_player_manager");

    // Cancel cannot leave the game without a player: the first one is taken.
    ClickManagerButton("Cancel");
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50));
    EXPECT_EQ(Current(), "Ann");
    EXPECT_EQ(SavedLastPlayer(), "Ann");
}

// Players' files are named in UTF-8; the last player's file written by an
// older version under the name's Latin-1 bytes is found and moved.
TEST_F(TitleScreenTest, PlayerFilesAreUtf8AndAnOldLatin1OneStillLoads) {
    { std::ofstream(profiles + "Zo\xeb.dat") << std::string("\1\0\0\0", 4); }
    LastPlayer("Zo\xeb");
    StartUp();
    EXPECT_EQ(Current(), "Zo\xeb");
    OpenManager();
    ClickManagerButton("Create");
    ASSERT_TRUE(Manager().EnterName);
    Frames(2);
    plat::PostTextInput("\xc5\x81ukasz\xe6\x97\xa5");  // "Łukasz日", as the keyboard sends it
    Frames(3);
    EXPECT_EQ(Manager().EnterName->Answer(), "ukasz");
    EXPECT_EQ(Manager().EnterName->TextInput->Refusal, ERefusal::Letter) << "refused in plain sight";
    Type("\b\b\b\b\bRen\xe9" "e\r");
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50));
    EXPECT_EQ(Current(), "Ren\xe9" "e");
    const auto files = plat::ReadDir(profiles);
    EXPECT_EQ(std::count(files.begin(), files.end(), "Ren\xc3\xa9" "e.dat"), 1);
    EXPECT_EQ(std::count(files.begin(), files.end(), "Zo\xc3\xab.dat"), 1) << "moved, the Latin-1 one gone";
    EXPECT_EQ(std::count(files.begin(), files.end(), "Zo\xeb.dat"), 0);
}

TEST_F(TitleScreenTest, TheManagerRefusesAnEighthPlayerAndDeletingTheOnlyOne) {
    AddPlayers({"P1", "P2", "P3", "P4", "P5", "P6", "P7"});
    LastPlayer("P3");
    StartUp();
    EXPECT_EQ(Current(), "P3");
    OpenManager();
    EXPECT_EQ(Manager().ListBox->Value, "P3") << "the current player is highlighted";
    ClickManagerButton("Create");
    ASSERT_TRUE(Manager().DialogOK) << "an eighth player should be refused";
    EXPECT_FALSE(Manager().EnterName);
    EXPECT_EQ(Manager().DialogOK->Caption->Text, Text("Player No More"));
    Shot("manager_no_more");
    ClickButton(Manager().DialogOK->Menu->FindButton("OK"));
    ASSERT_TRUE(WaitFor([] { return !Manager().DialogOK; }, 50));

    // Down to one player behind the game's back: it cannot be deleted.
    for (const char* name : {"P1", "P2", "P4", "P5", "P6", "P7"}) ASSERT_TRUE(plat::DeleteFile(profiles + name + ".dat"));
    Manager().FillList();
    ASSERT_EQ(Manager().ListBox->Count(), 1);
    ClickRow("P3");
    ClickManagerButton("Delete");
    ASSERT_TRUE(Manager().DialogOK);
    EXPECT_FALSE(Manager().DialogYesNo);
    EXPECT_EQ(Manager().DialogOK->Caption->Text, Text("Player One Player"));
    ClickButton(Manager().DialogOK->Menu->FindButton("OK"));
    ASSERT_TRUE(WaitFor([] { return !Manager().DialogOK; }, 50));
    EXPECT_TRUE(Exists("P3.dat"));

    // Escape leaves the manager, not the game.
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50));
    Frames(40);
    EXPECT_TRUE(OnTitle());
    EXPECT_EQ(Current(), "P3");
}

TEST_F(TitleScreenTest, DeletingTheCurrentPlayerThenCancelTakesTheFirstAndCreatingRefusesATakenName) {
    AddPlayers({"Ann", "Bob", "Cid"});
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + "Bobs.ini", "001=1\r\n"));
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + "Bobc.ini", "mine=1\r\n"));
    LastPlayer("Bob");
    StartUp();
    OpenManager();
    ClickRow("Bob");
    ClickManagerButton("Delete");
    ASSERT_TRUE(Manager().DialogYesNo);
    EXPECT_EQ(Manager().DialogYesNo->Caption->Text, "Delete the player \"Bob\"?");
    Frames(5);
    Shot("manager_confirm_delete");
    ClickButton(Manager().DialogYesNo->Menu->FindButton("Yes"));
    ASSERT_TRUE(WaitFor([] { return !Manager().DialogYesNo; }, 50));
    EXPECT_FALSE(Exists("Bob.dat"));
    EXPECT_FALSE(Exists("Bobs.ini"));
    EXPECT_FALSE(Exists("Bobc.ini"));
    EXPECT_EQ(Manager().ListBox->Strings, (std::vector<std::string>{"Ann", "Cid"}));
    ClickManagerButton("Cancel");
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50));
    EXPECT_EQ(Current(), "Ann");
    EXPECT_EQ(SavedLastPlayer(), "Ann");

    // A name that is taken, in any letter case, is refused saying by whom;
    // the file system's own name and an empty one say so too; a new one is
    // created with a capital and chosen at once.
    OpenManager();
    ClickManagerButton("Create");
    ASSERT_TRUE(Manager().EnterName);
    Frames(2);
    Type("cID\r");
    ASSERT_TRUE(Manager().EnterName) << "a taken name must not close the prompt";
    ASSERT_TRUE(Manager().EnterName->DialogOK);
    EXPECT_EQ(Manager().EnterName->DialogOK->Caption->Text, "That name is already taken by the player \"Cid\".");
    Shot("manager_name_error");
    ClickButton(Manager().EnterName->DialogOK->Menu->FindButton("OK"));
    Frames(3);
    ASSERT_TRUE(Manager().EnterName);
    EXPECT_EQ(Manager().EnterName->Answer(), "CID") << "the refused name stays to be mended";
    Type("\b\b\b..\r");
    ASSERT_TRUE(Manager().EnterName->DialogOK);
    EXPECT_EQ(Manager().EnterName->DialogOK->Caption->Text, "The name \"..\" is reserved by the system.");
    ClickButton(Manager().EnterName->DialogOK->Menu->FindButton("OK"));
    Frames(3);
    Type("\b\b\r");
    EXPECT_FALSE(Manager().EnterName->DialogOK);
    EXPECT_EQ(Manager().EnterName->TextInput->RefusalText(), "Please type a name first.");
    Type("eve\r");
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50)) << "a new player is accepted at once";
    EXPECT_TRUE(Exists("Eve.dat"));
    EXPECT_EQ(Current(), "Eve");
    EXPECT_EQ(SavedLastPlayer(), "Eve");

    // A double click chooses a player too.
    OpenManager();
    ClickRow("Cid");
    ClickRow("Cid");
    ASSERT_TRUE(WaitFor([] { return !Title().PlayerManager; }, 50)) << "a double click should choose";
    EXPECT_EQ(Current(), "Cid");
}

}  // namespace
