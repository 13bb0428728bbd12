#pragma once
// Shared by the channel and music tests: tones as WAV bytes, OpenAL's
// loopback output (time only passes while the test renders), and a game
// object whose settings and marker files go to a temporary folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../audio_samples.h"
#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/audio.h"
#include "resources/banks.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace audiotest {

namespace fs = std::filesystem;

constexpr int kRate = 22050;
constexpr int kMixRate = 44100;

// OpenAL Soft reads its settings once, on first use.
inline const bool kNullBackEnd = ::setenv("ALSOFT_DRIVERS", "null", 0) == 0;

using audiosamples::Put16;
using audiosamples::Put32;
using audiosamples::Rms;

// A mono 16-bit tone at half scale.
inline std::vector<uint8_t> ToneWav(double seconds, double hertz = 440.0) {
    const uint32_t frames = static_cast<uint32_t>(seconds * kRate);
    std::vector<uint8_t> b;
    for (char c : std::string("RIFF")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, 36 + frames * 2);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, 16);
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, kRate);
    Put32(b, kRate * 2);
    Put16(b, 2);
    Put16(b, 16);
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2 * M_PI * hertz * i / kRate);
        Put16(b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
    }
    return b;
}

inline plat::SoundPtr Tone(double seconds, int flags = 0, double hertz = 440.0) {
    return plat::LoadSoundFromMemory(ToneWav(seconds, hertz), flags);
}

inline GameSoundPtr GameTone(const std::string& name, double seconds, int flags = 0) {
    auto s = std::make_shared<TGameSound>();
    s->name = name;
    s->sound = Tone(seconds, flags);
    return s;
}

inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Lets time pass on the loopback device.
inline void Advance(double seconds) {
    int frames = static_cast<int>(seconds * kMixRate);
    while (frames > 0) {
        const int n = std::min(frames, 4096);
        plat::RenderAudio(n);
        frames -= n;
    }
}

// Level of the output over the next 20 ms, after 10 ms in which the mixer
// settles on new gains (it ramps changes and declicks stops).
inline double Listen(int channel = -1) {
    Advance(0.01);
    return Rms(plat::RenderAudio(kMixRate / 50), channel);
}

class AudioTest : public ::testing::Test {
protected:
    fs::path dir;

    void SetUp() override {
        ASSERT_TRUE(kNullBackEnd);
        ResetGlobals();
        dir = fs::temp_directory_path() /
              ("vc_audio_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "music");
        fs::create_directories(dir / "sound");
        TGame& game = Game();
        game.Ini.FileName = (dir / "settings").string();
        game.SubPath = (dir / "marks").string() + "/";
        game.MusicPath = (dir / "music").string() + "/";
        game.SoundPath = (dir / "sound").string() + "/";
        game.SoundVolume = 100;
        game.MusicVolume = 100;
        game.SpeechVolume = 100;
        Delta = 1.0f;
        ErrorOnScreen = 0;
        ErrorLogFolder = dir.string() + "/";
        ASSERT_TRUE(plat::OpenLoopbackAudio(kMixRate));
        game.Audio.MusicChannel = plat::AllocChannel();
        game.Audio.SpeechChannel = plat::AllocChannel();
        game.Audio.EscapeChannel = plat::AllocChannel();
    }

    void TearDown() override {
        Game().Kill();
        SetGameSoundPlayer(nullptr);
        ResetGlobals();
        plat::ShutdownAudio();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

}  // namespace audiotest
