// Never lose a puzzle, in the real game: a puzzle left by a close request,
// SIGTERM or a killed process comes back with Continue as it was; a quit or
// won puzzle leaves nothing. Two players each see their own saves and resume
// point; deleting one takes only theirs.
#include <csignal>
#include <filesystem>
#include <vector>

#include "app/ini_file.h"
#include "game_test_util.h"
#include "platform/stream.h"
#include "puzzle/resume_point.h"
#include "puzzle/save_game.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/resume_keeper.h"
#include "screens/save_game_manager.h"
#include "screens/title_screen.h"

namespace {

std::string LogText(const std::string& path) {
    std::vector<uint8_t> bytes;
    return plat::LoadBytes(path, bytes) ? std::string(bytes.begin(), bytes.end()) : std::string();
}

class ResumeTest : public RealGameTest {
protected:
    bool BootAtOnce() const override { return false; }
    void SetUp() override {
        RealGameTest::SetUp();
        if (IsSkipped()) return;
        ResetGlobals();
        Game().SetSubPathWrapper("Pellorine Games/Vellichorns");
        profiles = Game().ProfilePath;
        const std::string settings = IniFileNameFor(Game()) + ".ini";
        std::filesystem::create_directories(profiles);
        for (const char* name : {"Ana", "Ben"}) plat::WriteFileAtomic(profiles + name + ".dat", std::string("\1\0\0\0", 4));
        plat::WriteFileAtomic(settings, "Full Screen=0\r\nProfile Name=Ana\r\n");
        Boot();
        ASSERT_TRUE(WaitFor(OnTitle, 500)) << "the title screen never came";
    }
    static bool OnTitle() { return OnScreen(TitleScreen()); }
    static ButtonPtr TitleButton(const char* name) { return TitleScreen().Menu->FindButton(name); }
    bool Exists(const std::string& file) const { return plat::FileType(profiles + file) != plat::FILETYPE_NONE; }

    // Title, Play, the grid's puzzle, and one move made and settled.
    void StartAPuzzleAndMove() {
        ClickButton(TitleButton("play"));
        ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
        PlayScreen().StartLevel();
        auto& box = *Mode().CellBox;
        ASSERT_TRUE(WaitFor([&box] { return OnGameScreen() && box.IsSettled() && !Mode().HintList.Items.empty(); }, 2000));
        const auto move = TAutoPlayer(Mode()).ChooseMove();
        ClickCell(box, *move->FirstCell);
        ClickCell(box, *move->SecondCell);
        ASSERT_TRUE(WaitFor([&box] { return box.IsSettled() && GamePlay().ScoreAdder == 0 && GamePlay().Score; }, 2000));
    }

    std::string profiles;
};

TEST_F(ResumeTest, APuzzleLeftByCloseSigtermOrAKillComesBackAsItWasButNotOnceWonOrQuit) {
    for (const std::string ending : {"close", "SIGTERM", "kill"}) {
        SCOPED_TRACE(ending);
        StartAPuzzleAndMove();
        TSaveGameData left = SaveGameDataOf(Mode());
        // The grid offers the puzzle after the last one won: 1 at first, then 2.
        const std::string label = PuzzleLabel();
        if (ending == "kill") {
            // The write after the move (a frame or two later, its own thread
            // done), then the process is gone: no close, no exit routine.
            Frames(2);
            ResumeKeeper().Flush();
            TSaveGameData kept;  // the chain may have ended since
            left.BonusCounter = ReadResumePoint("Ana", kept) == EResumePoint::Ready ? kept.BonusCounter : -1;
            plat::CloseGraphics();
            plat::ShutdownAudio();
            Boot();
        } else {
            // SDL's handler turns SIGTERM into a close request; without it the test dies.
            if (ending == "SIGTERM") std::raise(SIGTERM);
            else plat::PostEvent({plat::EventKind::AppTerminate, 0, 0, 0});
            int frames = 0;
            for (; frames < 500 && Game().RunFrame() != -1; ++frames) clock.now += FRAME_MS;
            ASSERT_LT(frames, 500) << "the game did not end";
            Restart();
        }
        ASSERT_TRUE(WaitFor(OnTitle, 500));
        EXPECT_EQ(TitleScreen().ContinueDetails(), label + ", score " + std::to_string(left.Score));
        ClickButton(TitleButton("continue"));
        ASSERT_TRUE(WaitFor(OnGameScreen, 300)) << "no Continue";
        const TSaveGameData now = SaveGameDataOf(Mode());
        EXPECT_TRUE(now.Current == left.Current && now.Original == left.Original) << "not the board left";
        EXPECT_EQ(std::tie(now.Score, now.BonusCounter, now.Puzzle), std::tie(left.Score, left.BonusCounter, left.Puzzle));
        if (ending == "close") Shot("resume_board_continued");

        if (ending == "SIGTERM") {  // won
            for (auto& column : Mode().CellBox->Layout)
                for (auto& floor : column) floor.Contents = floor.Contents == FLOOR_MARBLE ? FLOOR_NORMAL : floor.Contents;
            ASSERT_TRUE(WaitFor([] { return GameState().stateFinished != 0; }, 3000));
            EXPECT_FALSE(Exists("Ana.resume")) << "a won puzzle is kept";
            Frames(10);
            ClickButton(GameGUI().endLevelMenu->Menu->FindButton("backtomenu"));  // leaves without asking
        } else {  // quit
            ClickButton(GameGUI().MainMenu->FindButton("menu"));
            ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 200));
            ClickButton(GameMenu().Menu->FindButton("backtomenu"));
            Answer(GameGUI().QuitInput, "Yes");
        }
        EXPECT_FALSE(Exists("Ana.resume")) << "a quit puzzle is kept";
        ShowScreen(TitleScreen());
        EXPECT_FALSE(TitleButton("continue")->Active);
    }
}

// A resume point that cannot be written is logged once and tried again only
// once the play has changed, not every few seconds.
TEST_F(ResumeTest, AResumePointThatCannotBeWrittenIsLoggedOnceAndTriedAgainAfterAMove) {
    std::filesystem::create_directories(profiles + "Ana.resume/blocked");
    const std::string log = ErrorLogFolder + "ErrorLog.txt";
    ClickButton(TitleButton("play"));
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
    PlayScreen().StartLevel();
    // Told once in the game's own dialog over the board, logged with the path.
    Answer(Game().Notice, "OK");
    EXPECT_NE(LogText(log).find(profiles + "Ana.resume"), std::string::npos);
    ASSERT_TRUE(plat::DeleteFile(log));
    auto& box = *Mode().CellBox;
    const auto move = [this, &box] {
        ASSERT_TRUE(WaitFor([&box] { return OnGameScreen() && box.IsSettled() && !Mode().HintList.Items.empty(); }, 2000));
        const auto chosen = TAutoPlayer(Mode()).ChooseMove();
        ASSERT_TRUE(chosen);
        ClickCell(box, *chosen->FirstCell);
        ClickCell(box, *chosen->SecondCell);
        ASSERT_TRUE(WaitFor([&box] { return box.IsSettled() && GamePlay().ScoreAdder == 0 && GamePlay().Score; }, 2000));
        Frames(2);
        ResumeKeeper().Flush();
    };
    move();
    Frames(400);
    ResumeKeeper().Flush();
    EXPECT_EQ(plat::FileType(log), plat::FILETYPE_NONE) << "logged again";
    EXPECT_FALSE(Game().Notice) << "told again";
    // Unblocked: nothing is written while nothing changes; the next move is kept at once.
    std::filesystem::remove_all(profiles + "Ana.resume");
    Frames(400);
    ResumeKeeper().Flush();
    EXPECT_FALSE(Exists("Ana.resume")) << "tried again with nothing changed";
    move();
    TSaveGameData kept;
    ASSERT_EQ(ReadResumePoint("Ana", kept), EResumePoint::Ready);
    EXPECT_TRUE(kept.Current == SaveGameDataOf(Mode()).Current);
}

TEST_F(ResumeTest, EachPlayerSeesOwnSavesAndResumePointAndDeletingOneTakesExactlyTheirs) {
    const std::tuple<const char*, const char*, int> files[] = {
        {"A1.save", "Ana", 10}, {"B1.save", "Ben", 20}, {"B2.save", "Ben", 30}, {"Ana.resume", "Ana", 400},
        {"Ben.resume", "Ben", 500}, {"Old.save", "", 0}};
    for (const auto& [file, owner, score] : files) {
        TSaveGameData data;
        data.Owner = owner;
        data.Score = score;
        data.SavedAt = score ? 1700000000 + score : 0;  // an older save is dated by its file
        data.Puzzle = TSavedPuzzle{StandardLevelPath(score >= 400 ? score / 100 : 3), 0};
        ASSERT_TRUE(plat::WriteFileAtomic(profiles + file, FormatSaveGame(data)));
    }
    std::filesystem::last_write_time(profiles + "Old.save", std::filesystem::file_time_type::clock::now() -
                                                                std::chrono::hours(24 * 2000));
    const auto manage = [this](const std::string& player, const char* button) {
        ClickButton(TitleButton("changeplayer"));
        const auto& list = *TitleScreen().PlayerManager->ListBox;
        const int row = int(std::find(list.Strings.begin(), list.Strings.end(), player) - list.Strings.begin());
        Click(int(list.Box->X) + 40, int(list.Box->Y) + list.LineHeight * (2 * row + 1) / 2);
        ClickButton(TitleScreen().PlayerManager->Menu->FindButton(button));
    };

    TitleScreen().RefreshContinue();  // the files came after the title screen
    EXPECT_EQ(TitleScreen().ContinueDetails(), "Puzzle 4, score 400");
    const auto chooser = CreateSaveGameChooser();
    EXPECT_EQ(chooser->Names, (std::vector<std::string>{"A1", "Old"}));
    EXPECT_EQ(chooser->ListBox->Strings[0], "A1\tPuzzle 3\t10 points\t" + plat::FormatLocalTime(1700000010, "%d %b %Y %H:%M"));
    manage("Ben", "OK");
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().DialogOpen(); }, 300));
    EXPECT_EQ(TitleScreen().ContinueDetails(), "Puzzle 5, score 500");
    EXPECT_EQ(CreateSaveGameChooser()->Names, (std::vector<std::string>{"B2", "B1", "Old"}));

    manage("Ana", "Delete");
    auto& question = TitleScreen().PlayerManager->DialogYesNo;
    ASSERT_TRUE(WaitFor([&question] { return question && !question->Transitioning; }, 300));
    EXPECT_EQ(question->Caption->Text, "Delete the player \"Ana\" with 1 saved game?");
    // The marked player stays in sight above or below the question.
    const auto& players = *TitleScreen().PlayerManager->ListBox;
    const int rowTop = int(players.Box->Y) + players.LineHeight * (players.Index - players.TopIndex);
    EXPECT_TRUE(question->y >= rowTop + players.LineHeight || question->y + question->h <= rowTop);
    Shot("delete_player_question");
    Answer(question, "Yes");
    for (const char* gone : {"Ana.dat", "A1.save", "Ana.resume"}) EXPECT_FALSE(Exists(gone)) << gone;
    for (const char* kept : {"Ben.dat", "B1.save", "B2.save", "Old.save", "Ben.resume"}) EXPECT_TRUE(Exists(kept)) << kept;
}

}  // namespace

namespace {

// Keys mashed to skip the splash on a later start, some landing as the title
// fades in, are dropped until it would have faded in: none of them presses
// a button of the title (Continue, Play) behind the player's back.
TEST_F(ResumeTest, KeysFromBeforeTheTitleHasFadedInDoNotPressItsButtons) {
    TSaveGameData data;
    data.Owner = "Ana";
    data.Score = 400;
    data.Puzzle = TSavedPuzzle{StandardLevelPath(4), 0};
    ASSERT_TRUE(plat::WriteFileAtomic(profiles + "Ana.resume", FormatSaveGame(data)));
    Restart();
    int titleFrames = 0;
    for (int frame = 0; frame < 300 && titleFrames < 15; ++frame) {
        plat::PostKeyPress(plat::KEY_SPACE);
        Frames(1);
        if (Game().CurrentTScreen == &TitleScreen()) ++titleFrames;
    }
    ASSERT_EQ(titleFrames, 15) << "the title never came";
    Frames(100);
    EXPECT_TRUE(OnTitle()) << "a key from before the title was shown left it";
    EXPECT_TRUE(TitleButton("continue")->Active);
    // Once it has faded in, a key is the player's own.
    Key(plat::KEY_SPACE);
    EXPECT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 300));
}

}  // namespace
