// Settings files, the marker files, the error report and the stage codes.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "app/error.h"
#include "app/error_state.h"
#include "app/game.h"
#include "platform/files.h"
#include "platform/os.h"

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

TEST_F(SettingsTest, MissingFileWritesTheDefaultsInOrder) {
    auto& g = Game();
    g.SoundVolume = 50;
    g.MusicVolume = 50;
    g.IniFill();
    g.Ini.Load();
    const std::string text = ReadAll(folder + "vellichorns.ini");
    EXPECT_EQ(text.rfind("FULL SCREEN=1\r\nSOUND=1\r\nMUSIC=1\r\nSPEECH=1\r\nSOUND VOLUME=50\r\n", 0), 0u);
    EXPECT_NE(text.find("SOUND DRIVER=FreeAudio\r\nFULL SCREEN PROCESS PRIORITY=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("PROFILE NAME=\r\nREGION=0\r\nSUB-REGION=0\r\n"), std::string::npos);
    EXPECT_EQ(g.Ini.Lines.size(), 22u);
}

TEST_F(SettingsTest, LoadMatchesNamesCaseInsensitivelyAndRewritesTheFile) {
    WriteAll(folder + "vellichorns.ini",
             "music volume=70\r\nSOUND VOLUME =10\nno equals sign\nPROFILE NAME=a=b\nUNKNOWN=5\n");
    auto& g = Game();
    g.IniFill();
    g.Ini.Load();
    g.IniExtract();
    EXPECT_EQ(g.MusicVolume, 70);
    EXPECT_EQ(g.SoundVolume, 100);  // the name with a blank did not match
    EXPECT_EQ(g.ProfileName, "a=b");
    const std::string text = ReadAll(folder + "vellichorns.ini");
    EXPECT_NE(text.find("MUSIC VOLUME=70\r\n"), std::string::npos);
    EXPECT_EQ(text.find("UNKNOWN"), std::string::npos);
    EXPECT_EQ(text.find("SOUND VOLUME =10"), std::string::npos);
}

TEST_F(SettingsTest, HandEditedValuesAreBroughtIntoRange) {
    WriteAll(folder + "vellichorns.ini", "MUSIC VOLUME=400\nPARTICLES=-3\nFULL SCREEN=7\nDRIVER=9\n");
    auto& g = Game();
    g.IniFill();
    g.Ini.Load();
    g.IniExtract();
    EXPECT_EQ(g.MusicVolume, 100);
    EXPECT_EQ(g.Particles, 0);
    EXPECT_EQ(g.FullScreen, 1);
    EXPECT_EQ(g.Driver, 1);
}

TEST_F(SettingsTest, MarkerStates) {
    auto& g = Game();
    WriteAll(folder + "default.ini", "FULL SCREEN=1\r\nPROFILE NAME=\r\nMUSIC VOLUME=50\r\n");
    g.DataPrefix = folder;
    plat::CreateDir(folder + "data", false);
    plat::RenameFile(folder + "default.ini", folder + "data/default.ini");

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

TEST_F(SettingsTest, UnwritableSettingsRaiseTheFullerText) {
    ErrorOnScreen = 0;
    StartupStage = 139;
    Game().Ini.FileName = folder + "missing/folder/vellichorns";
    try {
        Game().Ini.Save();
        FAIL();
    } catch (const TGameError& e) {
        EXPECT_EQ(std::string(e.what()), "(5008) Failed to save the file: " + folder + "missing/folder/vellichorns.ini");
    }
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0], "Failed to save file " + folder + "missing/folder/vellichorns.ini");
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
