#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <filesystem>
#include <fstream>

#include "../audio_samples.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace {

constexpr int kRate = 44100;

// Starts a sound as the game does: cued on the channel, then resumed.
plat::ChannelPtr Play(const plat::SoundPtr& sound, plat::ChannelPtr channel = nullptr) {
    channel = plat::CueSound(sound, std::move(channel));
    if (sound) plat::ResumeChannel(*channel);
    return channel;
}

// OpenAL Soft reads its settings once, on first use: make sure a device
// opened by these tests is its null back end even outside CTest.
const bool kNullBackEnd = ::setenv("ALSOFT_DRIVERS", "null", 0) == 0;

using audiosamples::Put16;
using audiosamples::Put32;
using audiosamples::Rms;

// A 440 Hz tone at half scale as a WAV file.
std::vector<uint8_t> MakeWav(double seconds, int channels = 1, int bits = 16, int rate = 22050, int format = 1) {
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t bytes = frames * static_cast<uint32_t>(channels * bits / 8);
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    Put32(b, 36 + 8 + bytes);
    for (char c : std::string("WAVEjunk")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, 3);  // an odd-sized chunk to skip, with its pad byte
    b.insert(b.end(), {1, 2, 3, 0});
    for (char c : std::string("fmt ")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, 16);
    Put16(b, static_cast<uint32_t>(format));
    Put16(b, static_cast<uint32_t>(channels));
    Put32(b, static_cast<uint32_t>(rate));
    Put32(b, static_cast<uint32_t>(rate * channels * bits / 8));
    Put16(b, static_cast<uint32_t>(channels * bits / 8));
    Put16(b, static_cast<uint32_t>(bits));
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, bytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2 * M_PI * 440.0 * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (format == 3) {
                const float f = static_cast<float>(v);
                uint32_t u;
                std::memcpy(&u, &f, 4);
                Put32(b, u);
            } else if (bits == 8) {
                b.push_back(static_cast<uint8_t>(128 + std::lround(v * 127)));
            } else {
                const int32_t s = static_cast<int32_t>(std::lround(v * ((1u << (bits - 1)) - 1)));
                for (int k = 0; k < bits / 8; ++k) b.push_back(static_cast<uint8_t>(s >> (8 * k)));
            }
        }
    }
    return b;
}

// OpenAL Soft dithers 16-bit output, so silence is a few units of noise.
bool Silent(const std::vector<int16_t>& s) { return Rms(s) < 20.0; }

std::string TempPath(const std::string& name) {
    const auto dir = std::filesystem::path(VC_TEST_BINARY_DIR) / "test-tmp" / "audio";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string OggFixture() { return std::string(VC_TEST_SOURCE_DIR) + "/tests/platform/data/tone.ogg"; }

class Loopback : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plat::OpenLoopbackAudio(kRate)); }
    void TearDown() override { plat::ShutdownAudio(); }
    static std::vector<int16_t> Seconds(double s) { return plat::RenderAudio(static_cast<int>(s * kRate)); }
};

TEST_F(Loopback, PlayStopAndEnd) {
    auto sound = plat::LoadSoundFromMemory(MakeWav(1.0));
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(plat::SoundLength(*sound), 1.0f, 0.001f);

    auto channel = Play(sound);
    ASSERT_NE(channel, nullptr);
    EXPECT_GT(Rms(Seconds(0.1)), 3000.0);
    EXPECT_TRUE(plat::ChannelPlaying(*channel));
    plat::StopChannel(*channel);
    Seconds(0.02);  // let the mixer fade out
    EXPECT_TRUE(Silent(Seconds(0.1)));
    EXPECT_FALSE(plat::ChannelPlaying(*channel));

    // A sound that ran to its end answers "not playing".
    auto shortSound = plat::LoadSoundFromMemory(MakeWav(0.1));
    Play(shortSound, channel);
    EXPECT_TRUE(plat::ChannelPlaying(*channel));
    Seconds(0.15);
    EXPECT_FALSE(plat::ChannelPlaying(*channel));
    EXPECT_TRUE(Silent(Seconds(0.05)));
}

TEST_F(Loopback, CueWaitsForResumeAndPauseHolds) {
    auto sound = plat::LoadSoundFromMemory(MakeWav(0.5));
    auto channel = plat::CueSound(sound, plat::AllocChannel());
    EXPECT_TRUE(Silent(Seconds(0.1)));
    EXPECT_TRUE(plat::ChannelPaused(*channel));
    EXPECT_TRUE(plat::ChannelPlaying(*channel));  // cued: not free for another sound
    plat::ResumeChannel(*channel);
    EXPECT_GT(Rms(Seconds(0.1)), 3000.0);
    plat::PauseChannel(*channel);
    Seconds(0.02);
    EXPECT_TRUE(Silent(Seconds(0.6)));  // longer than the sound: pausing holds its place
    plat::ResumeChannel(*channel);
    EXPECT_GT(Rms(Seconds(0.1)), 3000.0);
}

TEST_F(Loopback, VolumePanAndLooping) {
    auto sound = plat::LoadSoundFromMemory(MakeWav(0.3), plat::SOUND_LOOP);
    auto full = Play(sound);
    Seconds(0.05);
    const double loud = Rms(Seconds(0.2));
    plat::SetChannelVolume(*full, 0.5f);
    Seconds(0.05);
    EXPECT_NEAR(Rms(Seconds(0.2)) / loud, 0.5, 0.05);

    plat::SetChannelVolume(*full, 1.0f);
    plat::SetChannelPan(*full, -1.0f);
    Seconds(0.05);
    const auto left = Seconds(0.2);
    EXPECT_GT(Rms(left, 0), 4 * Rms(left, 1));

    Seconds(1.0);  // well past the sound's length
    EXPECT_TRUE(plat::ChannelPlaying(*full));
    EXPECT_GT(Rms(Seconds(0.1)), 1000.0);
    plat::SetChannelRate(*full, 2.0f);
    EXPECT_TRUE(plat::ChannelPlaying(*full));
}

// A sound from memory, or from a file (which keeps no samples: decoded into
// the device's buffer on the first play there), plays on a new device.
TEST_F(Loopback, SoundsSurviveADeviceChange) {
    const std::string path = TempPath("whole.wav");
    ASSERT_TRUE(plat::WriteFileAtomic(path, MakeWav(0.5)));
    for (const auto& sound : {plat::LoadSoundFromMemory(MakeWav(0.5)), plat::LoadSound(path)}) {
        ASSERT_NE(sound, nullptr);
        EXPECT_NEAR(plat::SoundLength(*sound), 0.5f, 0.001f);
        auto channel = Play(sound);
        EXPECT_GT(Rms(Seconds(0.05)), 3000.0);
        plat::ShutdownAudio();
        EXPECT_FALSE(plat::AudioAvailable());
        ASSERT_TRUE(plat::OpenLoopbackAudio(kRate));
        Play(sound, channel);
        EXPECT_GT(Rms(Seconds(0.1)), 3000.0);
    }
    ASSERT_TRUE(plat::WriteFileAtomic(path, std::vector<uint8_t>{'R', 'I', 'F', 'F', 1, 2}));
    EXPECT_EQ(plat::LoadSound(path), nullptr);
}

TEST_F(Loopback, OggSoundsDecode) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(plat::LoadBytes(OggFixture(), bytes));
    auto sound = plat::LoadSoundFromMemory(bytes);
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(plat::SoundLength(*sound), 0.5f, 0.01f);
    auto channel = Play(sound);
    EXPECT_GT(Rms(Seconds(0.2)), 3000.0);
    Seconds(0.4);
    EXPECT_FALSE(plat::ChannelPlaying(*channel));
}

TEST(AudioDecode, WavVariantsAndBadData) {
    for (auto [channels, bits, format] : {std::tuple{2, 8, 1}, {1, 24, 1}, {2, 32, 1}, {1, 32, 3}}) {
        auto sound = plat::LoadSoundFromMemory(MakeWav(0.25, channels, bits, 22050, format));
        ASSERT_NE(sound, nullptr) << channels << "x" << bits;
        EXPECT_NEAR(plat::SoundLength(*sound), 0.25f, 0.001f);
    }
    auto wav = MakeWav(0.5);
    wav.resize(wav.size() / 2);  // cut short: plays what is there
    auto cut = plat::LoadSoundFromMemory(wav);
    ASSERT_NE(cut, nullptr);
    EXPECT_LT(plat::SoundLength(*cut), 0.26f);

    EXPECT_EQ(plat::LoadSoundFromMemory({}), nullptr);
    EXPECT_EQ(plat::LoadSoundFromMemory({'R', 'I', 'F', 'F', 1, 2}), nullptr);
    EXPECT_EQ(plat::LoadSoundFromMemory(MakeWav(0.1, 6)), nullptr);      // six channels
    EXPECT_EQ(plat::LoadSoundFromMemory(MakeWav(0.1, 1, 12)), nullptr);  // odd sample size
    std::vector<uint8_t> ogg;
    ASSERT_TRUE(plat::LoadBytes(OggFixture(), ogg));
    ogg.resize(200);
    EXPECT_EQ(plat::LoadSoundFromMemory(ogg), nullptr);
    EXPECT_EQ(plat::LoadSound("/no/such/file.wav"), nullptr);

    // Damaged headers and chunk sizes never crash the loader.
    const auto good = MakeWav(0.05);
    std::vector<uint8_t> oggGood;
    ASSERT_TRUE(plat::LoadBytes(OggFixture(), oggGood));
    plat::SeedRnd(7);
    for (int i = 0; i < 300; ++i) {
        auto bad = (i % 2) ? good : oggGood;
        for (int k = 0; k < 3; ++k)
            bad[static_cast<size_t>(plat::Rand(0, std::min<int>(static_cast<int>(bad.size()) - 1, 200)))] =
                static_cast<uint8_t>(plat::Rand(0, 255));
        plat::LoadSoundFromMemory(bad);
    }
}

// Renders in frame-sized steps with UpdateAudio in between, like the main loop.
struct MusicRun {
    double audible = 0;  // seconds with sound
    bool playingAtEnd = false;
};
MusicRun RunMusic(plat::TChannel& channel, double seconds) {
    MusicRun run;
    const int step = kRate / 50;
    for (int done = 0; done < seconds * kRate; done += step) {
        plat::UpdateAudio();
        if (Rms(plat::RenderAudio(step)) > 500) run.audible += 1.0 / 50;
    }
    run.playingAtEnd = plat::ChannelPlaying(channel);
    return run;
}

TEST_F(Loopback, StreamedWavMusicEndsOrLoops) {
    const std::string path = TempPath("music.wav");
    ASSERT_TRUE(plat::WriteFileAtomic(path, MakeWav(1.5, 2, 16, 44100)));

    auto once = plat::OpenMusicStream(path, false, false);
    ASSERT_NE(once, nullptr);
    EXPECT_TRUE(plat::ChannelPlaying(*once));
    const MusicRun a = RunMusic(*once, 2.0);
    EXPECT_NEAR(a.audible, 1.5, 0.1);
    EXPECT_FALSE(a.playingAtEnd);

    auto looped = plat::OpenMusicStream(path, true, false);
    const MusicRun b = RunMusic(*looped, 4.0);
    EXPECT_GT(b.audible, 3.8);
    EXPECT_TRUE(b.playingAtEnd);
    plat::StopChannel(*looped);
    EXPECT_FALSE(plat::ChannelPlaying(*looped));
    Seconds(0.02);
    EXPECT_EQ(RunMusic(*looped, 0.2).audible, 0.0);
}

TEST_F(Loopback, StreamedOggMusicStartsPaused) {
    auto music = plat::OpenMusicStream(OggFixture(), false, true);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(RunMusic(*music, 0.3).audible, 0.0);
    EXPECT_TRUE(plat::ChannelPaused(*music));
    plat::ResumeChannel(*music);
    const MusicRun run = RunMusic(*music, 1.0);
    EXPECT_NEAR(run.audible, 0.5, 0.1);
    EXPECT_FALSE(run.playingAtEnd);
    EXPECT_EQ(plat::OpenMusicStream("/no/such/music.ogg", true, false), nullptr);
}

TEST(AudioDrivers, NamesAndSelection) {
    const auto before = plat::AudioDrivers();
    EXPECT_EQ(std::count(before.begin(), before.end(), "OpenAL Generic Software"), 0);
    EXPECT_FALSE(plat::SetAudioDriver("OpenAL Generic Software"));
    EXPECT_FALSE(plat::SetAudioDriver("Bogus"));
    plat::EnableOpenALAudio();
    const auto after = plat::AudioDrivers();
    EXPECT_EQ(std::count(after.begin(), after.end(), "OpenAL Generic Software"), 1);

    // The tests run with OpenAL Soft's null back end, which always opens.
    ASSERT_TRUE(kNullBackEnd);
    EXPECT_TRUE(plat::SetAudioDriver("FreeAudio"));
    EXPECT_EQ(plat::CurrentAudioDriver(), "FreeAudio");
    EXPECT_TRUE(plat::AudioAvailable());
    EXPECT_TRUE(plat::SetAudioDriver("OpenAL Generic Software"));
    EXPECT_TRUE(plat::SetAudioDriver("None"));
    EXPECT_EQ(plat::CurrentAudioDriver(), "None");
    EXPECT_FALSE(plat::AudioAvailable());
}

TEST(AudioDrivers, SilentDriverAcceptsEveryCall) {
    plat::ShutdownAudio();
    ASSERT_TRUE(plat::SetAudioDriver("None"));
    plat::TManualClock clock;
    plat::SetClock(&clock);

    auto sound = plat::LoadSoundFromMemory(MakeWav(0.5));
    ASSERT_NE(sound, nullptr);
    auto channel = Play(sound);
    plat::SetChannelVolume(*channel, 0.3f);
    plat::SetChannelPan(*channel, 0.5f);
    plat::SetChannelRate(*channel, 1.0f);
    EXPECT_TRUE(plat::ChannelPlaying(*channel));
    clock.now += 300;
    plat::PauseChannel(*channel);
    clock.now += 1000;  // paused time does not count
    plat::ResumeChannel(*channel);
    EXPECT_TRUE(plat::ChannelPlaying(*channel));
    clock.now += 250;
    EXPECT_FALSE(plat::ChannelPlaying(*channel));

    auto cued = plat::CueSound(sound);
    EXPECT_TRUE(plat::ChannelPaused(*cued));
    plat::StopChannel(*cued);
    EXPECT_FALSE(plat::ChannelPlaying(*cued));
    Play(nullptr, cued);
    EXPECT_FALSE(plat::ChannelPlaying(*cued));

    const std::string path = TempPath("silent.wav");
    ASSERT_TRUE(plat::WriteFileAtomic(path, MakeWav(1.0)));
    auto music = plat::OpenMusicStream(path, false, false);
    ASSERT_NE(music, nullptr);
    plat::UpdateAudio();
    EXPECT_TRUE(plat::ChannelPlaying(*music));
    clock.now += 1100;
    EXPECT_FALSE(plat::ChannelPlaying(*music));

    EXPECT_TRUE(Silent(plat::RenderAudio(64)));
    EXPECT_EQ(plat::RenderAudio(64).size(), 128u);
    plat::SetClock(nullptr);
    plat::ShutdownAudio();
}

}  // namespace

// Music kept compressed sounds as it does decoded whole, loops, and keeps
// its length.
TEST_F(Loopback, StreamedSoundsPlayTheSamplesOfDecodedOnes) {
    const std::vector<uint8_t> bytes = MakeWav(1.2, 2, 16, kRate);
    auto whole = plat::LoadSoundFromMemory(bytes);
    auto streamed = plat::LoadSoundFromMemory(bytes, plat::SOUND_STREAM);
    ASSERT_TRUE(whole && streamed);
    EXPECT_FLOAT_EQ(plat::SoundLength(*streamed), plat::SoundLength(*whole));
    auto render = [](const plat::SoundPtr& sound) {
        auto channel = Play(sound);
        std::vector<int16_t> all;
        for (int i = 0; i < 75; ++i) {
            plat::UpdateAudio();
            const auto part = plat::RenderAudio(kRate / 50);
            all.insert(all.end(), part.begin(), part.end());
        }
        EXPECT_FALSE(plat::ChannelPlaying(*channel));
        return all;
    };
    const auto a = render(whole);
    auto sameAsWhole = [&a](const std::vector<int16_t>& b) {
        if (a.size() != b.size()) return false;
        std::vector<int16_t> difference(a.size());
        for (size_t i = 0; i < a.size(); ++i) difference[i] = static_cast<int16_t>(a[i] - b[i]);
        return Silent(difference);
    };
    EXPECT_GT(Rms(a), 3000.0);
    EXPECT_TRUE(sameAsWhole(render(streamed)));

    // Streamed from its file, read again for every play: the same samples
    // each time, and silence (not a failure) once the file is gone.
    const std::string path = TempPath("streamed.wav");
    ASSERT_TRUE(plat::WriteFileAtomic(path, bytes));
    auto fromFile = plat::LoadSound(path, plat::SOUND_STREAM);
    ASSERT_TRUE(fromFile);
    EXPECT_FLOAT_EQ(plat::SoundLength(*fromFile), plat::SoundLength(*whole));
    EXPECT_TRUE(sameAsWhole(render(fromFile)));
    EXPECT_TRUE(sameAsWhole(render(fromFile)));
    std::filesystem::remove(path);
    EXPECT_TRUE(Silent(render(fromFile)));
    EXPECT_FALSE(plat::LoadSound(path, plat::SOUND_STREAM));

    std::vector<uint8_t> ogg;
    ASSERT_TRUE(plat::LoadBytes(OggFixture(), ogg));
    auto looped = plat::LoadSoundFromMemory(ogg, plat::SOUND_STREAM | plat::SOUND_LOOP);
    ASSERT_TRUE(looped);
    EXPECT_NEAR(plat::SoundLength(*looped), 0.5f, 0.01f);
    auto channel = plat::CueSound(looped);
    EXPECT_TRUE(Silent(Seconds(0.1)));
    plat::ResumeChannel(*channel);
    EXPECT_GT(RunMusic(*channel, 2.0).audible, 1.8);
    EXPECT_TRUE(plat::ChannelPlaying(*channel));
    plat::StopChannel(*channel);
    EXPECT_FALSE(plat::ChannelPlaying(*channel));
}
