#include <gtest/gtest.h>

#include "app/game.h"
#include "pak_test_util.h"
#include "platform/graphics.h"
#include "resources/banks.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

using namespace paktest;

namespace {

void SavePng(const std::string& path, int width, int height, uint32_t colour = 0xFF336699u) {
    fs::create_directories(fs::path(path).parent_path());
    plat::TPixmap pixmap(width, height);
    pixmap.Clear(colour);
    ASSERT_TRUE(plat::SavePixmapPNG(pixmap, path));
}

// A short 16-bit mono PCM WAV file.
std::string Wav(int samples) {
    Bytes b;
    const int32_t dataSize = samples * 2;
    b.Text("RIFF").Int(36 + dataSize).Text("WAVEfmt ").Int(16);
    b.Raw({1, 0, 1, 0}).Int(22050).Int(44100).Raw({2, 0, 16, 0}).Text("data").Int(dataSize);
    for (int i = 0; i < samples; ++i) b.Raw({static_cast<uint8_t>(i * 7), 0});
    return std::string(b.data.begin(), b.data.end());
}

template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const TGameError& e) {
        return e.what();
    }
    return "";
}

class BankTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        ErrorOnScreen = 0;
        ErrorLogEnabled = 0;
    }
};

}  // namespace

TEST_F(BankTest, ImagesAreFoundByAnyCaseWithSizeAndHandle) {
    const std::string folder = TempFolder("images");
    SavePng(folder + "progress.png", 9, 6);
    TImageBank bank;
    bank.SetPath(folder.substr(0, folder.size() - 1));
    EXPECT_EQ(bank.Path, folder);
    bank.Load("progress");
    const GameImagePtr image = bank.Find("progress");
    EXPECT_EQ(bank.Find("Progress"), image);
    EXPECT_EQ(bank.Find("PROGRESS"), image);
    EXPECT_EQ(image->name, "PROGRESS");
    EXPECT_EQ(image->w, 9);
    EXPECT_EQ(image->h, 6);
    EXPECT_FLOAT_EQ(image->w2, 4.0f);
    EXPECT_FLOAT_EQ(image->h2, 3.0f);
    EXPECT_EQ(image->midhandled, 1);
    EXPECT_FLOAT_EQ(plat::ImageHandleX(*image->image), 4.5f);
    EXPECT_EQ(bank.FindTImage("progress"), image->image);
    EXPECT_EQ(bank.FindTImage("nothing"), nullptr);

    bank.Load("progress", "flat", plat::DEFAULT_FLAGS, 0);
    EXPECT_EQ(bank.Find("flat")->midhandled, 0);
    EXPECT_FLOAT_EQ(plat::ImageHandleX(*bank.Find("flat")->image), 0.0f);
}

TEST_F(BankTest, OwnExtensionOverrideNameAndReplacement) {
    const std::string folder = TempFolder("names");
    SavePng(folder + "logo.bmp.png", 2, 2);  // must not be picked for "logo.bmp"
    SavePng(folder + "logo.bmp", 4, 4);      // a PNG under another extension still decodes
    SavePng(folder + "a.png", 3, 3);
    SavePng(folder + "b.png", 5, 5);
    TImageBank bank;
    bank.SetPath(folder);
    bank.Load("logo.bmp");
    EXPECT_EQ(bank.Find("LOGO")->w, 4);
    bank.Load("a", "same");
    bank.Load("b", "same");
    EXPECT_EQ(bank.Find("same")->w, 5);
    EXPECT_FALSE(bank.Has("a"));
}

TEST_F(BankTest, MissingImagesAndFilesAreFatal) {
    const std::string folder = TempFolder("missing");
    TImageBank bank;
    bank.SetPath(folder);
    EXPECT_EQ(ErrorOf([&] { bank.Find("nope"); }), "Image 'NOPE' was Not found in the ImageBank");
    EXPECT_EQ(ErrorOf([&] { bank.Load("absent"); }), "Error loading bitmap " + folder + "absent.png");
    EXPECT_EQ(ErrorOf([&] { TGameImage::CreateAuto(folder + "absent.png", 4, 4, 0, 2); }),
              "Error loading anim bitmap " + folder + "absent.png");
    TSoundBank sounds;
    sounds.SetPath(folder);
    EXPECT_EQ(ErrorOf([&] { sounds.Find("click"); }), "Sound 'CLICK' was not found in the SoundBank");
    EXPECT_EQ(ErrorOf([&] { sounds.Load("click"); }), "Error loading sample " + folder + "click.wav");
}

TEST_F(BankTest, AnimStripsAreCutIntoFrames) {
    const std::string folder = TempFolder("anim");
    SavePng(folder + "strip.png", 40, 10);
    const GameImagePtr strip = TGameImage::CreateAuto(folder + "strip.png", 10, 10, 0, 4, plat::DEFAULT_FLAGS, 0);
    EXPECT_EQ(strip->Frames(), 4);
    EXPECT_EQ(strip->w, 10);
    EXPECT_EQ(strip->midhandled, 0);
}

TEST_F(BankTest, SoundsKeepPitchAndVolume) {
    const std::string folder = TempFolder("sounds");
    WriteFile(folder + "buttonclick.wav", Wav(200));
    TSoundBank bank;
    bank.SetPath(folder);
    bank.Load("buttonclick", 0.5f, 0.25f);
    const GameSoundPtr sound = bank.Find("ButtonClick");
    ASSERT_TRUE(sound->sound);
    EXPECT_FLOAT_EQ(sound->pitch, 0.5f);
    EXPECT_FLOAT_EQ(sound->volume, 0.25f);

    int played = 0;
    SetGameSoundPlayer([&](plat::ChannelPtr&, TGameSound& s, float volume) {
        EXPECT_EQ(&s, sound.get());
        EXPECT_FLOAT_EQ(volume, 0.75f);
        return ++played;
    });
    plat::ChannelPtr channel;
    EXPECT_EQ(sound->PlayInChannel(channel, 0.75f), 1);
    SetGameSoundPlayer(nullptr);
}

TEST_F(BankTest, ReadyImagesGoToTheMainBankUnlessNamed) {
    plat::ImagePtr image = plat::CreateImage(6, 4);
    AddImageToBank(image, "gamescreen1", 1);
    EXPECT_EQ(ImageBank().Find("GAMESCREEN1")->w, 6);
    AddImageToBank(image, "cell", 0, &CellBank());
    EXPECT_EQ(CellBank().Find("cell")->midhandled, 0);
    EXPECT_FALSE(ImageBank().Has("cell"));
}
