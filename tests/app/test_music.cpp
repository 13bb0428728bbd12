#include <gtest/gtest.h>

#include "../resources/test_channels_util.h"
#include "platform/clock.h"
#include "resources/error.h"

using namespace audiotest;

namespace {

class MusicTest : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        Game().Audio.MusicFadeIn = 1000.0f;  // 200 updates
    }
    // The rotation's tracks, held whole in the music bank as start-up loads them.
    void FillMusicBank(double seconds1, double seconds2) {
        for (auto [name, seconds] : {std::pair{"MUSIC1", seconds1}, std::pair{"MUSIC2", seconds2}}) {
            auto s = GameTone(name, seconds);
            s->pitch = 0;
            MusicBank().Map[name] = s;
        }
    }
    static void Ticks(int n, int (TGameAudio::*manage)()) {
        for (int i = 0; i < n; ++i) (Game().Audio.*manage)();
    }
};

TEST_F(MusicTest, VolumesAreLimitedToZeroToHundred) {
    TGame& game = Game();
    game.Audio.MusicSetVolume(150, 0);
    EXPECT_EQ(game.MusicVolume, 100);
    game.Audio.MusicSetVolume(20, 0);
    game.Audio.MusicChangeVolume(-30);
    EXPECT_EQ(game.MusicVolume, 0);
    game.SoundChangeVolume(25);
    EXPECT_EQ(game.SoundVolume, 100);
    game.Audio.SpeechSetVolume(-5, 0);
    EXPECT_EQ(game.SpeechVolume, 0);
}

TEST_F(MusicTest, MusicFadesInOverTheGivenTime) {
    TGame& game = Game();
    game.Audio.MusicSet(Tone(10.0, plat::SOUND_LOOP), "loop.ogg", 1);
    game.Audio.MusicPlay(0);
    const double full = Listen();
    ASSERT_GT(full, 1000.0);

    game.Audio.MusicPlay(1);
    EXPECT_LT(Listen(), full * 0.05);
    Ticks(99, &TGameAudio::MusicFadeInManage);
    EXPECT_NEAR(Listen() / full, 0.5, 0.05);
    Ticks(100, &TGameAudio::MusicFadeInManage);
    EXPECT_NEAR(Listen() / full, 1.0, 0.05);
    EXPECT_EQ(game.Audio.MusicFadeInCounter, 0.0f);
    EXPECT_EQ(game.Audio.MusicName, "loop.ogg");
    EXPECT_EQ(game.Audio.MusicRestart, 0);
}

TEST_F(MusicTest, MusicFollowsTheScreenFade) {
    TGame& game = Game();
    game.Audio.MusicSet(Tone(10.0, plat::SOUND_LOOP), "loop.ogg", 1);
    game.Audio.MusicPlay(0);
    const double full = Listen();
    game.GameFade.Init(500, 1, game.Audio.MusicChannel, 0, 0);  // 100 updates
    for (int i = 0; i < 50; ++i) game.GameFade.Manage();
    EXPECT_NEAR(Listen() / full, 0.5, 0.05);
    while (game.GameFade.Active) game.GameFade.Manage();
    EXPECT_LT(Listen(), full * 0.01);
    // The next screen fades in, and the music with it.
    game.GameFade.Init(500, 0, game.Audio.MusicChannel, 0, 0);
    for (int i = 0; i < 25; ++i) game.GameFade.Manage();
    EXPECT_NEAR(Listen() / full, 0.25, 0.05);
}

TEST_F(MusicTest, MusicOffAndOnResumesALoopedTrack) {
    TGame& game = Game();
    game.Audio.MusicSet(Tone(10.0, plat::SOUND_LOOP), "loop.ogg", 1);
    game.Audio.MusicPlay(0);
    const plat::ChannelPtr channel = game.Audio.MusicChannel;
    Advance(0.5);
    EXPECT_EQ(game.Audio.MusicOff(), 1);
    EXPECT_EQ(game.Music, 0);
    EXPECT_LT(Listen(), 1.0);
    EXPECT_EQ(game.Audio.MusicOn(), 1);
    EXPECT_EQ(game.Audio.MusicChannel, channel);  // resumed, not started again
    EXPECT_GT(Listen(), 1000.0);
    EXPECT_EQ(game.Audio.MusicOn(), 0);  // already on
}

TEST_F(MusicTest, MusicOnDoesNotRestartAnEndedTrack) {
    TGame& game = Game();
    game.Audio.MusicSet(Tone(0.1), "short.ogg", 0);
    game.Audio.MusicPlay(0);
    Advance(0.3);
    ASSERT_FALSE(plat::ChannelPlaying(*game.Audio.MusicChannel));
    game.Audio.MusicStopped = 1;  // as the main loop notices
    game.Audio.MusicOff();
    game.Audio.MusicOn();
    EXPECT_FALSE(plat::ChannelPlaying(*game.Audio.MusicChannel));
    EXPECT_LT(Listen(), 1.0);
}

TEST_F(MusicTest, MusicSetUpButNotStartedCannotBeSwitchedOff) {
    TGame& game = Game();
    game.Audio.MusicSet(Tone(1.0), "set.ogg", 0);
    EXPECT_EQ(game.Audio.MusicOff(), 0);
    EXPECT_EQ(game.Music, 1);
    game.Audio.ToggleMusic();
    EXPECT_EQ(game.Music, 1);
    // Paused: the toggle does nothing at all.
    game.Audio.MusicPlay(0);
    game.Paused = 1;
    EXPECT_EQ(game.Audio.ToggleMusic(), 0);
    EXPECT_EQ(game.Music, 1);
}

TEST_F(MusicTest, MusicOnAfterMusicNoneLoadsNothing) {
    TGame& game = Game();
    game.Audio.MusicNone();
    game.Music = 0;
    EXPECT_NO_THROW(game.Audio.MusicOn());
    EXPECT_EQ(game.Music, 1);
    EXPECT_FALSE(plat::ChannelPlaying(*game.Audio.MusicChannel));
}

TEST_F(MusicTest, MusicLoadReadsTheMusicFolderAndFailsFatally) {
    TGame& game = Game();
    WriteFile(dir / "music" / "theme.wav", ToneWav(1.0));
    game.Audio.MusicLoad("theme.wav", 1);
    EXPECT_EQ(game.Audio.MusicRestart, 1);
    game.Audio.MusicPlay(0);
    EXPECT_GT(Listen(), 1000.0);
    try {
        game.Audio.MusicLoad("missing.ogg", 1);
        ADD_FAILURE() << "no error";
    } catch (const TGameError& e) {
        EXPECT_EQ(std::string(e.what()), "Error loading sample " + game.MusicPath + "missing.ogg");
    }
}

TEST_F(MusicTest, RotationAlternatesTracksWhenOneEnds) {
    TGame& game = Game();
    game.Audio.MusicFadeIn = 50.0f;
    FillMusicBank(0.2, 0.3);
    ASSERT_EQ(game.Audio.MusicRotationStart(), 1);
    EXPECT_EQ(game.Audio.MusicName, "music1.ogg");
    EXPECT_EQ(game.Audio.MusicSample, MusicBank().Find("MUSIC1")->sound);
    EXPECT_EQ(game.Audio.MusicLooped, 0);
    Ticks(10, &TGameAudio::MusicFadeInManage);
    EXPECT_GT(Listen(), 1000.0);

    game.Audio.MusicRotationStep();  // still playing: no change
    EXPECT_EQ(game.Audio.MusicName, "music1.ogg");
    Advance(0.3);
    game.Audio.MusicRotationStep();
    EXPECT_EQ(game.Audio.MusicName, "music2.ogg");
    EXPECT_EQ(game.Audio.MusicSample, MusicBank().Find("MUSIC2")->sound);
    Advance(0.4);
    game.Audio.MusicRotationStep();
    EXPECT_EQ(game.Audio.MusicName, "music1.ogg");

    // Paused music is not "ended"; music off holds the rotation.
    game.Audio.MusicOff();
    Advance(0.3);
    game.Audio.MusicRotationStep();
    EXPECT_EQ(game.Audio.MusicName, "music1.ogg");
}

TEST_F(MusicTest, RotationStartedWithMusicOffPlaysFromTheBankWhenTurnedOn) {
    TGame& game = Game();
    FillMusicBank(1.0, 1.0);
    game.Music = 0;
    game.Audio.MusicRotationStart();
    EXPECT_EQ(game.Audio.MusicRestart, 1);
    EXPECT_LT(Listen(), 1.0);
    // The music folder is empty: reading "music1.ogg" from it would be fatal.
    EXPECT_NO_THROW(game.Audio.MusicOn());
    EXPECT_EQ(game.Audio.MusicSample, MusicBank().Find("MUSIC1")->sound);
    Ticks(200, &TGameAudio::MusicFadeInManage);
    EXPECT_GT(Listen(), 1000.0);
}

TEST_F(MusicTest, SpeechInterruptsOnlyWhenAsked) {
    TGame& game = Game();
    auto first = GameTone("FIRST", 2.0);
    auto second = GameTone("SECOND", 2.0);
    ASSERT_EQ(game.Audio.SpeechPlay(*first, 0), 1);
    Advance(0.5);
    EXPECT_EQ(game.Audio.SpeechPlay(*second, 0), 0);
    EXPECT_EQ(game.Audio.SpeechPlay(*second, 1), 1);
    game.Audio.SpeechOff();
    EXPECT_LT(Listen(), 1.0);
    EXPECT_EQ(game.Audio.SpeechOn(), 1);
    EXPECT_GT(Listen(), 1000.0);
}

TEST_F(MusicTest, EscapeSoundPlaysCentredThroughTheBank) {
    TGame& game = Game();
    WriteFile(dir / "sound" / "buttonclick.wav", ToneWav(0.5));
    game.ChannelsCreate(16);
    game.Audio.SetEscapeSound("buttonclick");
    ASSERT_EQ(game.Audio.EscapeSoundPlay(), 1);
    const double left = Listen(0), right = Listen(1);
    EXPECT_GT(left, 1000.0);
    EXPECT_NEAR(left / right, 1.0, 0.05);
}

// A separate process, so OpenAL starts with no usable back end at all.
TEST(NoAudioDevice, DriverBecomesNoneAndTheGameRunsSilently) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("ALSOFT_DRIVERS", "nosuchbackend", 1);
            ResetGlobals();
            const fs::path dir = fs::temp_directory_path() / ("vc_noaudio_" + std::to_string(::getpid()));
            fs::create_directories(dir);
            TGame& game = Game();
            game.Ini.FileName = (dir / "settings").string();
            game.SubPath = dir.string() + "/";
            game.ChangeSoundDriver("OpenAL Generic Software", 0);
            if (game.SoundDriver != "None" || plat::CurrentAudioDriver() != "None") std::_Exit(2);
            game.ChangeSoundDriver("Something Else", 0);
            if (game.SoundDriver != "None") std::_Exit(3);
            game.Audio.MusicChannel = plat::AllocChannel();
            game.ChannelsCreate(16);
            for (auto name : {"MUSIC1", "MUSIC2"}) MusicBank().Map[name] = GameTone(name, 0.05);
            game.Audio.MusicRotationStart();
            auto effect = GameTone("FX", 0.05);
            if (!game.Channels->PlayGameSound(*effect)) std::_Exit(4);
            plat::Delay(100);
            game.Audio.MusicRotationStep();
            if (game.Audio.MusicName != "music2.ogg") std::_Exit(5);
            game.Kill();
            fs::remove_all(dir);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
