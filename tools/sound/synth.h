#pragma once
// Small synthesis kit shared by the sound-effect and music generators:
// a seeded noise source, envelopes, filters, instruments, a reverb and the
// WAV / Ogg Vorbis writers.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int RATE = 44100;
constexpr double TAU = 6.283185307179586;

using Buffer = std::vector<float>;

// xorshift noise: the same numbers on every machine.
class Noise {
public:
    explicit Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 7) {}
    double Next() {  // -1..1
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 0x2545F4914F6CDD1Dull) >> 11) / double(1ull << 53) * 2.0 - 1.0;
    }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() * 0.5 + 0.5); }

private:
    uint64_t state_;
};

inline double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }
inline int Samples(double seconds) { return int(seconds * RATE + 0.5); }

// Attack / exponential decay envelope.
inline double Env(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// One-pole filters.
struct LowPass {
    double a, z = 0;
    explicit LowPass(double hz) : a(1.0 - std::exp(-TAU * hz / RATE)) {}
    double operator()(double x) { return z += a * (x - z); }
};
struct HighPass {
    LowPass lp;
    explicit HighPass(double hz) : lp(hz) {}
    double operator()(double x) { return x - lp(x); }
};

// Adds src into dst at the given sample offset, scaled.
void MixInto(Buffer& dst, const Buffer& src, int offset, double gain);
// A bell: a few inharmonic partials that die away at different rates.
void Bell(Buffer& dst, double start, double hz, double length, double gain);
// A soft mallet (marimba-like) note.
void Mallet(Buffer& dst, double start, double hz, double length, double gain);
// A plucked string (Karplus-Strong), seeded.
void Pluck(Buffer& dst, double start, double hz, double length, double gain, uint64_t seed);
// Scales so the loudest 50 ms window has the given RMS, then keeps the peak
// under the limit.
void Normalise(Buffer& b, double rms, double peakLimit = 0.89);
// Short fades at both ends so no sound starts or stops with a click.
void Fade(Buffer& b, double inSeconds, double outSeconds);
// A plain stereo reverb (Schroeder: parallel combs, serial all-passes).
void Reverb(const Buffer& in, Buffer& left, Buffer& right, double wet, double roomSize);

bool WriteWav(const std::string& path, const Buffer& mono);
// Interleaved when channels is 2.
bool WriteOgg(const std::string& path, const Buffer& samples, int channels, double quality);

}  // namespace synth
