// The options screen in the running game: the volume sliders as a player
// drags them, the sample click, the full-screen box, what OK keeps across a
// restart and what Cancel and Escape put back.
#include <algorithm>
#include <vector>

#include "gui/menu.h"
#include "resources/channels.h"
#include "resources/resource_globals.h"
#include "screens/options_screen.h"
#include "screens/game_test_util.h"
#include "screens/screen_list.h"

namespace {

class OptionsScreenTest : public RealGameTest {
protected:
    static TOptionsScreen& Screen() { return OptionsScreen(); }

    // The pointer's x for a slider value, and the slider's middle line.
    static int XFor(const TSlider& slider, int value) {
        const float travel = static_cast<float>(slider.w - 2 * slider.Border);
        return static_cast<int>(slider.x + static_cast<float>(slider.Border) + travel * static_cast<float>(value) / 100.0f);
    }
    static int MiddleY(const TSlider& slider) { return static_cast<int>(slider.y) + slider.h / 2; }

    void SetSlider(const TSlider& slider, int value) {
        MoveTo(XFor(slider, value), MiddleY(slider));
        Press();
        Frames(2);
        Release();
    }
    void LeaveWithOk() {
        ClickButton(Screen().Menu->FindButton("ok"));
        ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200));
    }
    void LeaveWithCancel() {
        ClickButton(Screen().Menu->FindButton("cancel"));
        ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200));
    }
    void LeaveWithEscape() {
        Key(plat::KEY_ESCAPE);
        ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200));
    }
    std::string BoxImage() const {
        auto box = Screen().OptionsMenu->FindButton("fullscreen");
        return box && box->image ? box->image->name : std::string();
    }
};

TEST_F(OptionsScreenTest, OkSavesBothFilesButMarksTheSettingsChangedOnlyAfterAChange) {
    const std::string marker = DataFile("inichanged.dat");
    const std::string config = ConfigIni().Path();
    ShowScreen(Screen());
    // Start-up itself may have saved a change; from here on nothing changes.
    plat::DeleteFile(marker);
    plat::DeleteFile(config);
    plat::DeleteFile(Game().Ini.Path());

    LeaveWithOk();
    EXPECT_EQ(plat::FileType(config), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::FileType(Game().Ini.Path()), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::FileType(marker), plat::FILETYPE_NONE) << "a crash now would throw the settings away";

    ShowScreen(Screen());
    SetSlider(*Screen().MusicSlider, 30);
    LeaveWithOk();
    EXPECT_EQ(plat::FileType(marker), plat::FILETYPE_FILE);
}

TEST_F(OptionsScreenTest, OkKeepsTheVolumesAcrossARestartWhileCancelAndEscapePutBackWhatWasThere) {
    ShowScreen(Screen());
    SetSlider(*Screen().MusicSlider, 20);
    SetSlider(*Screen().SoundSlider, 80);
    const int music = Screen().MusicSlider->Value;
    const int sound = Screen().SoundSlider->Value;
    EXPECT_NEAR(music, 20, 1);
    EXPECT_NEAR(sound, 80, 1);
    EXPECT_EQ(Game().MusicVolume, music);
    EXPECT_EQ(Game().SoundVolume, sound);
    LeaveWithOk();

    Restart();
    EXPECT_EQ(Game().MusicVolume, music);
    EXPECT_EQ(Game().SoundVolume, sound);
    ShowScreen(Screen());
    EXPECT_EQ(Screen().MusicSlider->Value, music);
    EXPECT_EQ(Screen().SoundSlider->Value, sound);

    // Heard while it moves, gone again when the player changes their mind.
    SetSlider(*Screen().MusicSlider, 65);
    SetSlider(*Screen().SoundSlider, 10);
    EXPECT_NEAR(Game().MusicVolume, 65, 1);
    Screen().ChooseLanguage("fr");
    LeaveWithEscape();
    EXPECT_EQ(Game().MusicVolume, music);
    EXPECT_EQ(Game().SoundVolume, sound);
    EXPECT_EQ(GameText().Language, "en");

    ShowScreen(Screen());
    SetSlider(*Screen().MusicSlider, 65);
    Screen().ChooseLanguage("de");
    LeaveWithCancel();
    EXPECT_EQ(Game().MusicVolume, music);
    EXPECT_EQ(GameText().Language, "en");

    Restart();
    EXPECT_EQ(Game().MusicVolume, music);
    EXPECT_EQ(Game().SoundVolume, sound);
}

TEST_F(OptionsScreenTest, DraggingTheSoundSliderClicksAtMostEveryQuarterSecondAndOnceMoreWhenLetGo) {
    struct TClick {
        uint32_t ms;
        int volume;
    };
    std::vector<TClick> clicks;
    ShowScreen(Screen());
    // Each click takes the next channel of the game's pool.
    auto& pool = *Game().Channels;
    GameChannelPtr last = pool.Current;
    const auto noteClick = [&] {
        if (pool.Current == last) return;
        last = pool.Current;
        EXPECT_TRUE(last->Playing()) << "the click is not heard";
        clicks.push_back({clock.now, Game().SoundVolume});
    };

    const auto& slider = *Screen().SoundSlider;
    MoveTo(XFor(slider, 0), MiddleY(slider));
    Press();
    noteClick();
    // Two seconds of dragging right, a little every frame.
    for (int step = 1; step <= 100; ++step) {
        MoveTo(XFor(slider, step), MiddleY(slider));
        noteClick();
    }
    Release();
    const size_t whileHeld = clicks.size();
    Frames(3);
    noteClick();
    ASSERT_EQ(clicks.size(), whileHeld + 1) << "letting go plays the sample at the chosen volume";
    EXPECT_EQ(clicks.back().volume, slider.Value);
    clicks.pop_back();

    ASSERT_GE(clicks.size(), 7u);
    EXPECT_LE(clicks.size(), 9u);
    for (size_t i = 1; i < clicks.size(); ++i) {
        EXPECT_GE(clicks[i].ms - clicks[i - 1].ms, TOptionsScreen::CLICK_INTERVAL_MS);
        EXPECT_GT(clicks[i].volume, clicks[i - 1].volume) << "each click plays at the volume just chosen";
    }
    EXPECT_EQ(Game().SoundVolume, slider.Value);
    EXPECT_GE(slider.Value, 99);
}

TEST_F(OptionsScreenTest, TheFullScreenBoxShowsTheModeTheGameIsReallyIn) {
    ShowScreen(Screen());
    auto box = Screen().OptionsMenu->FindButton("fullscreen");
    ASSERT_TRUE(box);
    if (Game().FullScreen) {
        ClickButton(box);
        EXPECT_EQ(Game().FullScreen, 0);
    }
    EXPECT_EQ(BoxImage(), "CHECK");

    // Full screen cannot be opened: the game stays in its window.
    Game().OpenGraphicsFunction = [](int, int, int depth, int) { return depth == 0; };
    ClickButton(box);
    EXPECT_EQ(Game().FullScreen, 0);
    EXPECT_EQ(BoxImage(), "CHECK");
    // From now on the toggle is refused outright.
    ClickButton(box);
    EXPECT_EQ(Game().FullScreen, 0);
    EXPECT_EQ(BoxImage(), "CHECK");

    // The screen still draws after the window was made again.
    auto shot = Shot("options-after-refused-full-screen");
    ASSERT_TRUE(shot);
    const uint32_t p = shot->ReadPixel(XFor(*Screen().MusicSlider, 50), MiddleY(*Screen().MusicSlider));
    EXPECT_GT(plat::PixR(p) + plat::PixG(p) + plat::PixB(p), 60);
}

}  // namespace

TEST_F(OptionsScreenTest, KeysAloneMoveTheFocusChangeAVolumeAndCancelIt) {
    ShowScreen(Screen());
    const int music = Game().MusicVolume;
    Key(plat::KEY_RIGHT);
    ASSERT_EQ(Screen().Focus.FocusedName(), "MUSICSLIDER") << "the first key shows the focus on the first stop";
    Key(plat::KEY_RIGHT);
    Key(plat::KEY_RIGHT);
    EXPECT_EQ(Game().MusicVolume, std::min(100, music + 10));
    Key(plat::KEY_DOWN);
    EXPECT_EQ(Screen().Focus.FocusedName(), "SOUNDSLIDER");
    for (int i = 0; i < 12 && Screen().Focus.FocusedName() != "CANCEL"; ++i) Key(plat::KEY_TAB);
    ASSERT_EQ(Screen().Focus.FocusedName(), "CANCEL");
    Frames(20);
    Shot("options_focus_cancel");
    Key(plat::KEY_ENTER);
    ASSERT_TRUE(WaitFor([] { return OnScreen(ScreenFor(EGameScreen::Title)); }, 200));
    EXPECT_EQ(Game().MusicVolume, music);
}
