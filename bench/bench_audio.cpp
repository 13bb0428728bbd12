// Audio load of one displayed frame (1/60 s): 16 effects playing at once on
// the channel pool plus streamed Ogg/WAV music, with the game's per-frame
// audio work (pool balance, music fade, rotation check, stream feeding, an
// effect restarted now and then). OpenAL's loopback device mixes the frame's
// samples in the calling thread, so the figures include the mixer. The
// counter "core_%" is the share of one core that this work takes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "platform/audio.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMixRate = 44100;
constexpr int kFrameSamples = kMixRate / 60;

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 16-bit tone, stereo for music, mono for effects.
std::vector<uint8_t> ToneWav(double seconds, int channels, double hertz) {
    const uint32_t frames = static_cast<uint32_t>(seconds * kMixRate);
    const uint32_t bytes = frames * static_cast<uint32_t>(channels) * 2;
    std::vector<uint8_t> b{'R', 'I', 'F', 'F'};
    Put(b, 36 + bytes, 4);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
    Put(b, 16, 4);
    Put(b, 1, 2);
    Put(b, static_cast<uint32_t>(channels), 2);
    Put(b, kMixRate, 4);
    Put(b, static_cast<uint32_t>(kMixRate * channels * 2), 4);
    Put(b, static_cast<uint32_t>(channels * 2), 2);
    Put(b, 16, 2);
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    Put(b, bytes, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto s = static_cast<int16_t>(std::lround(8000 * std::sin(2 * M_PI * hertz * i / kMixRate)));
        for (int c = 0; c < channels; ++c) Put(b, static_cast<uint16_t>(s), 2);
    }
    return b;
}

void BM_AudioFrame16EffectsAndMusic(benchmark::State& state) {
    const bool mix = state.range(0) != 0;
    setenv("ALSOFT_DRIVERS", "null", 0);
    ResetGlobals();
    if (!plat::OpenLoopbackAudio(kMixRate)) {
        state.SkipWithError("no OpenAL loopback device");
        return;
    }
    const fs::path music = fs::temp_directory_path() / ("vc_bench_music_" + std::to_string(::getpid()) + ".wav");
    {
        const auto bytes = ToneWav(20.0, 2, 220.0);
        std::ofstream(music, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
    }
    TGame& game = Game();
    game.ChannelsCreate(16);
    game.Audio.MusicChannel = plat::OpenMusicStream(music.string(), true, false);
    std::vector<GameSoundPtr> effects;
    for (int i = 0; i < 16; ++i) {
        auto s = std::make_shared<TGameSound>();
        s->sound = plat::LoadSoundFromMemory(ToneWav(1.0, 1, 300.0 + 37 * i), plat::SOUND_LOOP);
        effects.push_back(s);
        game.Channels->PlayGameSound(*s);
    }
    game.Audio.MusicFadeInCounter = 1e9f;  // a fade that never ends, so it is worked every tick
    Delta = 1.0f;

    int frame = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (++frame % 10 == 0) {
            // An effect ends and another starts on its channel.
            auto channel = game.Channels->ChannelByIndex(1 + frame / 10 % 16);
            game.Channels->PlayGameSound(*effects[static_cast<size_t>(frame % 16)], channel);
        }
        for (int tick = 0; tick < 3; ++tick) game.Audio.MusicFadeInManage();  // 200 ticks/s at 60 frames/s
        game.Channels->Manage();
        game.Audio.MusicRotationStep();
        plat::UpdateAudio();
        if (mix) benchmark::DoNotOptimize(plat::RenderAudio(kFrameSamples));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["playing"] = game.Channels->CountPlaying();
    state.counters["core_%"] = 100.0 * seconds / (static_cast<double>(state.iterations()) / 60.0);
    game.Kill();
    ResetGlobals();
    plat::ShutdownAudio();
    fs::remove(music);
}
BENCHMARK(BM_AudioFrame16EffectsAndMusic)->Arg(1)->Arg(0)->ArgName("mix")->Unit(benchmark::kMicrosecond);

}  // namespace
