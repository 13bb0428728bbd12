// vcsound: synthesises the game's sound effects.
//   vcsound <sound folder>
// Every effect is normalised to the same loudness and faded at both ends.
#include <cstdio>
#include <string>

#include "synth.h"

using namespace synth;

namespace {

constexpr double LOUDNESS = 0.16;  // RMS of the loudest 50 ms of each effect

Buffer Silence(double seconds) { return Buffer(size_t(Samples(seconds)), 0.0f); }

// A bright, short "tock" for button clicks.
Buffer Click() {
    Buffer b = Silence(0.09);
    Noise noise(1);
    HighPass hp(2500);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / RATE;
        const double hz = 1300 - 500 * std::min(1.0, t / 0.03);
        b[i] = float(0.8 * std::sin(TAU * hz * t) * Env(t, 0.001, 0.018) + 0.35 * hp(noise.Next()) * Env(t, 0.0005, 0.004));
    }
    return b;
}

// A light glassy tick when the pointer enters a button.
Buffer MouseOver() {
    Buffer b = Silence(0.12);
    Bell(b, 0, NoteHz(96), 0.12, 1.0);
    return b;
}

// A soft wooden knock: a swap that does not count slides back.
Buffer Knock() {
    Buffer b = Silence(0.2);
    for (size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / RATE;
        const double hz = 260 - 80 * std::min(1.0, t / 0.08);
        b[i] = float(std::sin(TAU * hz * t) * Env(t, 0.002, 0.045) + 0.3 * std::sin(TAU * hz * 2.4 * t) * Env(t, 0.001, 0.02));
    }
    return b;
}

// Two falling muted tones.
Buffer Invalid() {
    Buffer b = Silence(0.34);
    for (int k = 0; k < 2; ++k) {
        const double start = k * 0.13, hz = k == 0 ? NoteHz(64) : NoteHz(60);
        LowPass lp(1800);
        for (int i = 0; i < Samples(0.2); ++i) {
            const double t = double(i) / RATE;
            const double tri = 2 / M_PI * std::asin(std::sin(TAU * hz * t));
            b[size_t(Samples(start) + i)] += float(lp(tri) * Env(t, 0.005, 0.07));
        }
    }
    return b;
}

// A gentle two-note bell pointing at a possible move.
Buffer Hint() {
    Buffer b = Silence(0.9);
    Bell(b, 0.0, NoteHz(88), 0.8, 0.8);
    Bell(b, 0.14, NoteHz(95), 0.76, 0.7);
    return b;
}

// The match chime: a quick bright arpeggio.
Buffer Match() {
    Buffer b = Silence(0.6);
    const int notes[] = {84, 88, 91};
    for (int k = 0; k < 3; ++k) Bell(b, k * 0.045, NoteHz(notes[k]), 0.5, 0.7);
    Noise noise(3);
    HighPass hp(6000);
    for (size_t i = 0; i < b.size(); ++i) b[i] += float(0.06 * hp(noise.Next()) * Env(double(i) / RATE, 0.002, 0.06));
    return b;
}

// Rising arpeggio when the board has faded in.
Buffer Start() {
    Buffer b = Silence(1.5);
    const int notes[] = {72, 76, 79, 84, 88};
    for (int k = 0; k < 5; ++k) Bell(b, k * 0.09, NoteHz(notes[k]), 1.5 - k * 0.09, 0.6);
    for (int k = 0; k < 3; ++k) Mallet(b, 0.0, NoteHz(60 + notes[k] - 72), 1.2, 0.25);
    return b;
}

// Applause: a crowd of clappers, each clapping at its own pace.
Buffer Applause(double seconds, int clappers, uint64_t seed, bool fanfare) {
    Buffer b = Silence(seconds);
    Noise noise(seed);
    for (int c = 0; c < clappers; ++c) {
        const double rate = noise.Uniform(3.2, 5.0), tone = noise.Uniform(900, 2600);
        const double gain = noise.Uniform(0.4, 1.0);
        double t = noise.Uniform(0.0, 0.35);
        const double stop = seconds * noise.Uniform(0.55, 0.9);
        while (t < stop) {
            // A clap: a burst of band-limited noise with a fast decay.
            LowPass lp(tone * 2), lp2(tone * 0.5);
            const int s0 = Samples(t);
            const double fadeOut = std::max(0.0, 1.0 - t / stop);
            for (int i = 0; i < Samples(0.03) && s0 + i < int(b.size()); ++i) {
                const double x = noise.Next();
                const double band = lp(x) - lp2(x);
                b[size_t(s0 + i)] += float(band * Env(double(i) / RATE, 0.0008, 0.007) * gain * (0.4 + 0.6 * fadeOut));
            }
            t += 1.0 / rate * noise.Uniform(0.85, 1.15);
        }
    }
    if (fanfare) {
        const int notes[] = {72, 76, 79, 84, 79, 84, 88};
        for (int k = 0; k < 7; ++k) Bell(b, 0.05 + k * 0.08, NoteHz(notes[k]), 1.4, 0.9);
    }
    return b;
}

// The logo splash: a shimmering chord that loops seamlessly every four seconds
// (every partial completes whole cycles in the loop).
Buffer Splash() {
    const double loop = 4.0;
    Buffer b = Silence(loop);
    const int chord[] = {60, 67, 72, 76, 79, 84};
    for (int k = 0; k < 6; ++k) {
        for (int d = -1; d <= 1; ++d) {
            const double hz = std::round((NoteHz(chord[k]) + d * 0.5) * loop) / loop;
            const double shimmer = (k % 3 + 1) / loop;  // whole cycles per loop
            for (size_t i = 0; i < b.size(); ++i) {
                const double t = double(i) / RATE;
                b[i] += float(std::sin(TAU * hz * t) * (0.75 + 0.25 * std::sin(TAU * shimmer * t + k)) / (1 + k * 0.4));
            }
        }
    }
    return b;
}

bool Save(const std::string& folder, const std::string& name, Buffer b, bool ogg = false, bool loops = false) {
    if (!loops) Fade(b, 0.002, 0.015);
    Normalise(b, LOUDNESS);
    const std::string path = folder + "/" + name;
    const bool ok = ogg ? WriteOgg(path, b, 1, 0.5) : WriteWav(path, b);
    if (!ok) std::fprintf(stderr, "vcsound: cannot write %s\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vcsound <sound folder>\n");
        return 2;
    }
    const std::string out = argv[1];
    bool ok = Save(out, "buttonclick.wav", Click());
    ok &= Save(out, "buttonmo.wav", MouseOver());
    ok &= Save(out, "buttonclick2.wav", Knock());
    ok &= Save(out, "invalid.wav", Invalid());
    ok &= Save(out, "hint.wav", Hint());
    ok &= Save(out, "score.ogg", Match(), true);
    ok &= Save(out, "startgame.wav", Start());
    ok &= Save(out, "applause.ogg", Applause(3.2, 14, 11, false), true);
    ok &= Save(out, "applause2.ogg", Applause(4.5, 32, 12, true), true);
    ok &= Save(out, "splash.wav", Splash(), false, true);
    return ok ? 0 : 1;
}
