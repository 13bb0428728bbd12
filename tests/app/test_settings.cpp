// Settings files, the marker files, the error report and the stage codes.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/settings_table.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/audio.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> boxes;
void RecordBox(const std::string&, const std::string& text, bool) { boxes.push_back(text); }

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        folder = testing::TempDir() + "vc_settings_" + std::to_string(getpid()) + "_" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(folder, true);
        Game().UseCorrectPath = 1;
        Game().SubPath = folder;
        Game().Ini.FileName = folder + "vellichorns";
        ErrorLogFolder = folder;
        boxes.clear();
        plat::SetMessageBoxHook(&RecordBox);
    }
    void TearDown() override {
        plat::SetMessageBoxHook(nullptr);
        plat::DeleteDir(folder, true);
        ResetGlobals();
    }
    std::string folder;
};

// Players' files hold these keys in this order; a new game writes them at
// their defaults, as the shipped default file holds them.
TEST_F(SettingsTest, ANewGameWritesEveryKeyInOrderAtItsDefault) {
    Game().IniFill();
    Game().Ini.Load();
    const std::string text = ReadAll(folder + "vellichorns.ini");
    EXPECT_EQ(text,
              "FULL SCREEN=0\r\nSOUND=1\r\nMUSIC=1\r\nSPEECH=1\r\nSOUND VOLUME=70\r\nMUSIC VOLUME=50\r\n"
              "SPEECH VOLUME=100\r\nFADE=1\r\nPARTICLES=80\r\nPORTAL SPLASH=0\r\nPORTAL SPLASH2=0\r\nINTRO=0\r\n"
              "VSYNC=1\r\nDRIVER=1\r\nSOUND DRIVER=OpenAL Generic Software\r\n"
              "FULL SCREEN PROCESS PRIORITY=0\r\nFULL SCREEN THREAD PRIORITY=0\r\n"
              "WINDOWED PROCESS PRIORITY=0\r\nWINDOWED THREAD PRIORITY=0\r\n"
              "PROFILE NAME=\r\nREGION=0\r\nSUB-REGION=0\r\nLANGUAGE=\r\n");
    TIniFile shipped;
    FillDefaultSettings(shipped);
    EXPECT_EQ(shipped.Text(), text);
}

TEST_F(SettingsTest, LoadMatchesNamesCaseInsensitivelyAndRewritesTheFile) {
    WriteAll(folder + "vellichorns.ini",
             "music volume=70\r\nSOUND VOLUME =10\nno equals sign\nPROFILE NAME=a=b\nUNKNOWN=5\n");
    auto& g = Game();
    g.IniFill();
    g.Ini.Load();
    g.IniExtract();
    EXPECT_EQ(g.MusicVolume, 70);
    EXPECT_EQ(g.ProfileName, "a=b");
    // The name with a blank did not match; it and every key the file lacks
    // keep their defaults.
    EXPECT_EQ(g.SoundVolume, 70);
    EXPECT_EQ(g.FullScreen, 0);
    EXPECT_EQ(g.SoundDriver, "OpenAL Generic Software");
    const std::string text = ReadAll(folder + "vellichorns.ini");
    EXPECT_NE(text.find("MUSIC VOLUME=70\r\n"), std::string::npos);
    EXPECT_EQ(text.find("UNKNOWN"), std::string::npos);
    EXPECT_EQ(text.find("SOUND VOLUME =10"), std::string::npos);
}

TEST_F(SettingsTest, HandEditedValuesAreBroughtIntoRange) {
    WriteAll(folder + "vellichorns.ini",
             "MUSIC VOLUME=400\nPARTICLES=-3\nFULL SCREEN=7\nSOUND=-1\nDRIVER=9\nREGION=-4\n");
    auto& g = Game();
    g.IniFill();
    g.Ini.Load();
    g.IniExtract();
    EXPECT_EQ(g.MusicVolume, 100);
    EXPECT_EQ(g.Particles, 0);
    EXPECT_EQ(g.FullScreen, 1);
    EXPECT_EQ(g.Sound, 1);
    EXPECT_EQ(g.Driver, 1);
    g.IniFill();
    EXPECT_EQ(g.Ini.Get("Region"), "-4");  // carried through as it stands
    EXPECT_EQ(g.Ini.Get("Intro"), "0");    // missing: its default
}

TEST_F(SettingsTest, MarkerStates) {
    auto& g = Game();
    g.DataPrefix = folder;
    plat::CreateDir(folder + "data", false);
    WriteAll(folder + DEFAULT_SETTINGS_FILE, "FULL SCREEN=1\r\nPROFILE NAME=\r\nMUSIC VOLUME=50\r\n");

    // Clean exit: the marker is consumed, nothing is restored.
    WriteAll(folder + "vellichorns.ini", "MUSIC VOLUME=20\r\nPROFILE NAME=Ann\r\n");
    TGame::MakeGoodExit();
    g.CheckGoodExit();
    EXPECT_FALSE(plat::FileType(folder + "GoodExit.dat"));
    EXPECT_TRUE(boxes.empty());

    // Crash without a settings change: nothing restored.
    g.CheckGoodExit();
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(ReadAll(folder + "vellichorns.ini").find("MUSIC VOLUME=20"), std::string::npos);

    // Crash after a settings change: defaults once, the player's name kept.
    WriteAll(folder + "inichanged.dat", "");
    g.CheckGoodExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Default ini file restored!");
    const std::string restored = ReadAll(folder + "vellichorns.ini");
    EXPECT_NE(restored.find("PROFILE NAME=Ann\r\n"), std::string::npos);
    EXPECT_NE(restored.find("MUSIC VOLUME=50"), std::string::npos);
    EXPECT_FALSE(plat::FileType(folder + "inichanged.dat"));
    g.CheckGoodExit();
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(SettingsTest, ChangedSettingsSetTheMarker) {
    Game().IniUpdate(0);
    EXPECT_FALSE(plat::FileType(folder + "inichanged.dat"));
    Game().IniUpdate(1);
    EXPECT_EQ(plat::FileType(folder + "inichanged.dat"), plat::FILETYPE_FILE);
    EXPECT_EQ(StartupStage, 5010);
}

TEST_F(SettingsTest, AKilledWriterLeavesThePreviousFileIntact) {
    Game().MusicVolume = 33;
    Game().IniUpdate(0);
    const std::string before = ReadAll(folder + "vellichorns.ini");
    const pid_t child = fork();
    if (child == 0) {
        Game().ProfileName = std::string(1 << 20, 'x');
        for (;;) Game().IniUpdate(0);
    }
    usleep(200000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string after = ReadAll(folder + "vellichorns.ini");
    EXPECT_TRUE(after == before || after.size() > (1u << 20)) << after.size();
    EXPECT_NE(after.find("MUSIC VOLUME=33\r\n"), std::string::npos);
}

// Settings that cannot be written do not stop the game: the first failure is
// shown once the game has words for it, with the folder and the reason; every
// one is logged.
TEST_F(SettingsTest, UnwritableSettingsAreShownOnceAndPlayGoesOn) {
    Game().Ini.FileName = folder + "missing/vellichorns";
    ConfigIni().FileName = folder + "missing/config";
    ErrorOnScreen = 0;
    Game().IniUpdate(1);
    EXPECT_EQ(TakeWriteFailureNotice(), "") << "no words for it yet";
    GameText().Map["CANNOT SAVE"] = {"Not saved in FFF: RRR."};
    GameText().Map["WRITE REASON DENIED"] = {"no entry"};
    ConfigSave();
    ReportWriteFailure(folder + "config.ini", EACCES);
    EXPECT_EQ(TakeWriteFailureNotice(), "Not saved in " + folder + "missing: " + std::strerror(ENOENT) + ".");
    EXPECT_EQ(TakeWriteFailureNotice(), "") << "told once";
    EXPECT_TRUE(boxes.empty()) << "the game's own dialog tells it, not a system box";
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find(folder + "config.ini"), std::string::npos);
    ResetWriteFailures();
    ReportWriteFailure(folder + "config.ini", EACCES);
    EXPECT_EQ(TakeWriteFailureNotice(), "Not saved in " + folder.substr(0, folder.size() - 1) + ": no entry.");
    // A write the player asked for is answered in the same words, the path logged.
    ResetWriteFailures();
    EXPECT_EQ(WriteFailureMessage(folder + "Slot.save", EROFS), "Not saved in " + folder.substr(0, folder.size() - 1) + ": " + std::strerror(EROFS) + ".");
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find(folder + "Slot.save"), std::string::npos);
    EXPECT_EQ(TakeWriteFailureNotice(), "") << "no second notice";
}

// Each error reaches the player once; the stage code and any detail go to the
// log, and the library's own texts never reach the player.
TEST_F(SettingsTest, EachErrorIsShownOnceInPlainWords) {
    ErrorOnScreen = 0;
    StartupStage = 2;
    try {
        ErrorMessage("Error loading anim bitmap Data/graphics/particles.png", true);
    } catch (const TGameError& e) {
        ReportCrash(e);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error loading anim bitmap Data/graphics/particles.png");
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find("\r\n(2) Error loading anim bitmap"), std::string::npos);

    // Raised without a report of its own: shown by the guard, with the code.
    boxes.clear();
    StartupStage = 28;
    ReportCrash(TGameError("Cannot create Windowed Mode at 800x600 60Hz"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "(28) Cannot create Windowed Mode at 800x600 60Hz");

    boxes.clear();
    StartupStage = 139;
    ReportCrash(std::out_of_range("vector::_M_range_check: __n (which is 9) >= this->size() (which is 3)"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].find("_M_"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find(folder + "ErrorLog.txt"), std::string::npos) << boxes[0];
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find("(139) vector::_M_range_check"), std::string::npos);
}

// Before the shared data folder is known nothing is written anywhere (least of
// all into the working folder); the log line waits for the folder.
TEST_F(SettingsTest, NothingIsWrittenBeforeItsFolderIsKnown) {
    ResetGlobals();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    ConfigIni().Set("FirstRun", "0");
    ConfigSave();
    Game().IniUpdate(0);
    WriteErrorLog("Could not use the single-instance lock");
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_TRUE(plat::ReadDir(folder).empty());

    Game().UseCorrectPath = 0;
    Game().SetSubPath(folder);
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find("single-instance lock"), std::string::npos);
}

// A settings file without a single setting in it (garbage, or emptied by a
// full disk) starts the game like a missing one: from "data/Default.ini",
// with a line in the log; the garbage is kept aside, not lost.
TEST_F(SettingsTest, FileWithoutAnySettingIsTreatedAsMissing) {
    auto& g = Game();
    g.DataPrefix = folder;
    g.ProfilePath = folder + "profiles/";
    plat::CreateDir(folder + "data", false);
    WriteAll(folder + DEFAULT_SETTINGS_FILE, "FULL SCREEN=0\r\nSOUND VOLUME=70\r\n");
    const std::string ini = IniFileNameFor(g) + ".ini";
    const char raw[] = "\x89PNG\r\n\x1a\n\0\0FULLSCREEN=1\n[Settings]\nSound Volume: 10\n";
    const std::string garbage(raw, sizeof raw - 1);
    for (const std::string& content : {std::string(), garbage}) {
        SCOPED_TRACE(content.size());
        WriteAll(ini, content);
        plat::DeleteFile(folder + "ErrorLog.txt");
        g.FullScreen = 1;
        g.SoundVolume = 50;
        g.Init(0);
        EXPECT_EQ(g.FullScreen, 0);
        EXPECT_EQ(g.SoundVolume, 70);
        EXPECT_NE(ReadAll(ini).find("SOUND VOLUME=70\r\n"), std::string::npos);
        EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find("The settings file " + ini + " held no setting"),
                  std::string::npos);
        EXPECT_EQ(plat::FileType(ini + ".bad") == plat::FILETYPE_FILE, !content.empty());
    }
    EXPECT_EQ(ReadAll(ini + ".bad"), garbage);

    // One real setting among junk: the player's file, used as it is.
    WriteAll(ini, "junk\nMUSIC VOLUME=20\n");
    plat::DeleteFile(folder + "ErrorLog.txt");
    g.Init(0);
    EXPECT_EQ(g.MusicVolume, 20);
    EXPECT_EQ(g.SoundVolume, 70);  // from the fields, not the default file
    EXPECT_FALSE(plat::FileType(folder + "ErrorLog.txt"));

    // A settings file that cannot be made (a read-only folder; here a folder
    // in its way): the default file as it stands, windowed.
    plat::DeleteFile(ini);
    plat::CreateDir(ini, false);
    g.FullScreen = 1;
    g.SoundVolume = 50;
    g.Init(0);
    EXPECT_EQ(g.FullScreen, 0);
    EXPECT_EQ(g.SoundVolume, 70);
    plat::ShutdownAudio();
}

TEST_F(SettingsTest, ErrorLogHoldsOnlyTheLastError) {
    ErrorOnScreen = 0;
    EXPECT_THROW(ErrorMessage("first", false), TGameError);
    EXPECT_THROW(ErrorMessage("second", true), TGameError);
    const std::string log = ReadAll(folder + "ErrorLog.txt");
    EXPECT_EQ(log.rfind("Date: ", 0), 0u);
    EXPECT_NE(log.find("\r\nTime: "), std::string::npos);
    EXPECT_EQ(log.find("first"), std::string::npos);
    EXPECT_NE(log.find("\r\nsecond\r\n"), std::string::npos);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(SettingsTest, CrashTextCarriesTheStageCode) {
    StartupStage = 0;
    EXPECT_EQ(CrashText("boom"), "boom");
    StartupStage = 28;
    EXPECT_EQ(CrashText("Cannot create Windowed Mode at 800x600 60Hz"),
              "(28) Cannot create Windowed Mode at 800x600 60Hz");
}

TEST_F(SettingsTest, WindowFailureIsReportedWithStage28) {
    auto& g = Game();
    g.FullScreen = 0;
    g.Driver = 1;
    g.OpenGraphicsFunction = [](int, int, int, int) { return false; };
    try {
        g.GraphicsCreate();
        FAIL();
    } catch (const TGameError& e) {
        EXPECT_EQ(CrashText(e.what()), "(28) Cannot create Windowed Mode at 800x600 60Hz");
    }
}

TEST_F(SettingsTest, FullScreenFailureFallsBackToAWindowForGood) {
    auto& g = Game();
    g.FullScreen = 1;
    g.Driver = 1;
    g.OpenGraphicsFunction = [](int, int, int depth, int) { return depth == 0; };
    g.GraphicsCreate();
    EXPECT_EQ(g.FullScreen, 0);
    EXPECT_EQ(g.ForceWindowedMode, 1);
    EXPECT_EQ(g.ToggleFullScreen(), 0);
    EXPECT_EQ(StartupStage, 139);
}

// Without a list of display modes the window still opens, and full screen on
// the desktop's current mode; the log says so.
TEST_F(SettingsTest, NoListOfModesStillOpensTheGraphics) {
    auto& g = Game();
    plat::SetGraphicsModesHook([] { return std::vector<plat::GraphicsMode>{}; });
    g.Driver = 1;
    int opened = -1;
    g.OpenGraphicsFunction = [&opened](int, int, int depth, int) {
        opened = depth;
        return depth == 0 || depth == 24;
    };
    for (const int fullScreen : {0, 1}) {
        g.FullScreen = fullScreen;
        EXPECT_NO_THROW(g.GraphicsCreate());
        EXPECT_EQ(opened, fullScreen ? 24 : 0);
    }
    plat::SetGraphicsModesHook(nullptr);
    EXPECT_NE(ReadAll(folder + "ErrorLog.txt").find("could not count graphics modes"), std::string::npos);
}

TEST_F(SettingsTest, MissingDirectXFallsBackToOpenGLAndSavesIt) {
    auto& g = Game();
    g.FullScreen = 0;
    g.Driver = 0;
    g.OpenGraphicsFunction = [](int, int, int, int) { return true; };
    g.GraphicsCreate();
    EXPECT_EQ(g.Driver, 1);
    EXPECT_NE(ReadAll(folder + "vellichorns.ini").find("DRIVER=1\r\n"), std::string::npos);
}

TEST_F(SettingsTest, PathsGetTheirSeparators) {
    auto& g = Game();
    g.UseCorrectPath = 1;
    g.SetSubPathWrapper("Pellorine Games/Vellichorns");
    EXPECT_EQ(g.ImagePath, "Data/graphics/");
    EXPECT_EQ(g.SubPath, plat::CommonAppDataFolder() + "Pellorine Games/Vellichorns/");
    EXPECT_EQ(g.ProfilePath, g.SubPath + "profiles/");
    EXPECT_EQ(ErrorLogFolder, g.SubPath);
}

}  // namespace
