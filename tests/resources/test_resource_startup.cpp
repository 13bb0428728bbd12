#include <gtest/gtest.h>

#include "app/game.h"
#include "pak_test_util.h"
#include "platform/graphics.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

using namespace paktest;

namespace {

class ResourceStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        ErrorOnScreen = 0;
        ErrorLogEnabled = 0;
        prefix = TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        Game().DataPrefix = prefix;
        res = prefix + "data/resources/";
    }

    void Pack(const std::string& folder, const std::string& archive) {
        ASSERT_EQ(RunPakpack(folder + " " + archive), 0);
    }

    std::string prefix, res;
};

}  // namespace

TEST_F(ResourceStartupTest, DataPakCheck) {
    EXPECT_FALSE(CheckDataPak());
    fs::create_directories(res + "data.pak");  // a folder is not the archive
    EXPECT_FALSE(CheckDataPak());
    fs::remove(res + "data.pak");
    WriteFile(prefix + "src/x.txt", "x");
    Pack(prefix + "src", res + "data.pak");
    EXPECT_TRUE(CheckDataPak());
    EXPECT_TRUE(MountArchives().empty());
    ASSERT_NE(PakManager(), nullptr);
    EXPECT_EQ(EntryText(PakManager()->GetItem("X.TXT")), "x");
}

TEST_F(ResourceStartupTest, DamagedDataPakIsFatalOtherArchivesAreSkipped) {
    WriteFile(prefix + "src/good.txt", "good");
    Pack(prefix + "src", res + "data.pak");
    WriteFile(res + "extra.pak", "!PAK\x01\x00\x00\x00\x05");
    const std::vector<std::string> warnings = MountArchives();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("extra.pak"), std::string::npos);
    EXPECT_EQ(EntryText(PakManager()->GetItem("good.txt")), "good");

    // The player reads which file is damaged; the reader's detail goes to the log.
    ResetResourceGlobals();
    ErrorLogEnabled = 1;
    ErrorLogFolder = prefix;
    WriteFile(res + "data.pak", "!PAK\x01\x00\x01\x00");
    try {
        MountArchives();
        FAIL() << "no error";
    } catch (const TGameError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The game's data file " + res + "data.pak is damaged. Please install the game again.");
    }
    EXPECT_EQ(PakManager(), nullptr);
    const auto bytes = ReadFileBytes(prefix + "ErrorLog.txt");
    const std::string log(bytes.begin(), bytes.end());
    EXPECT_NE(log.find("is damaged. Please install the game again.\r\ndata.pak: "), std::string::npos) << log;
}

TEST_F(ResourceStartupTest, FontsAtTheSevenSizesAndArchiveImages) {
    const std::string font = VC_TEST_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf";
    fs::create_directories(prefix + "src");
    fs::copy_file(font, prefix + "src/calibri.ttf");
    for (const std::string name : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                                   "gamescreen5.jpg", "playscreen.jpg", "titlescreen.jpg", "particle1.png",
                                   "particle2.png"}) {
        plat::TPixmap pixmap(8, 4);
        pixmap.Clear(0xFFFFFFFFu);
        ASSERT_TRUE(plat::SavePixmapPNG(pixmap, prefix + "src/" + name));  // PNG bytes whatever the name
    }
    Pack(prefix + "src", res + "data.pak");
    MountArchives();
    LoadGameFonts();
    for (int size : FontSizes()) EXPECT_NE(GameFont(size), nullptr) << size;
    const auto other = GameFont(13);
    ASSERT_NE(other, nullptr) << "another size is set when first asked for";
    EXPECT_EQ(GameFont(13), other);
    EXPECT_GT(plat::FontHeight(*GameFont(46)), plat::FontHeight(*other));

    int bar = 0;
    LoadArchiveImages([&] { ++bar; });
    EXPECT_EQ(bar, 9);
    EXPECT_EQ(ImageBank().Find("titlescreen")->w, 8);
    EXPECT_EQ(ImageBank().Find("particle2")->midhandled, 1);
}

TEST_F(ResourceStartupTest, MissingFontIsFatal) {
    WriteFile(prefix + "src/x.txt", "x");
    Pack(prefix + "src", res + "data.pak");
    MountArchives();
    EXPECT_THROW(LoadGameFonts(), TGameError);
}

TEST_F(ResourceStartupTest, BanksPointAtTheirFolders) {
    Game().ImagePath = "Data/graphics/";
    Game().SoundPath = "Data/sound/";
    Game().MusicPath = "Data/music";
    PointBanksAtFolders();
    EXPECT_EQ(ImageBank().Path, "Data/graphics/");
    EXPECT_EQ(WallBank().Path, "Data/graphics/");
    EXPECT_EQ(SoundBank().Path, "Data/sound/");
    EXPECT_EQ(MusicBank().Path, "Data/music/");
    EXPECT_EQ(WallImageNames().size(), 55u);
    EXPECT_EQ(CellImageNames().size(), 16u);
    // The general images, the end-level panel and the wide chooser panel.
    EXPECT_EQ(GeneralImageNames().size(), 18u);
}
