// vcmusic: composes the two calm background tracks and encodes them to Ogg.
//   vcmusic <music folder> [1|2]   (both tracks when no number is given)
// Each track: a chord progression played by a soft pad, a bass, an arpeggio
// and a seeded pentatonic melody, through a reverb. The last bar rests on the
// home chord and the tail dies away, so the track loops back to its quiet start.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "synth.h"

using namespace synth;

namespace {

struct Track {
    std::string file;
    double bpm;
    int bars;
    int root;                              // MIDI note of the key
    std::vector<std::vector<int>> chords;  // semitone offsets from the root, one chord per bar
    std::vector<int> scale;                // melody notes (offsets)
    uint64_t seed;
    bool mallets;                          // melody on mallets instead of bells
};

void Pad(Buffer& b, double start, double length, const std::vector<int>& chord, int root, double gain) {
    const int s0 = Samples(start), n = Samples(length + 1.2);
    for (int note : chord) {
        const double base = NoteHz(root + 12 + note);
        for (int d = -1; d <= 1; ++d) {
            const double hz = base * (1 + d * 0.0025);
            LowPass lp(900);
            for (int i = 0; i < n && s0 + i < int(b.size()); ++i) {
                const double t = double(i) / RATE;
                const double attack = std::min(1.0, t / 0.8);
                const double release = t > length ? std::max(0.0, 1 - (t - length) / 1.2) : 1.0;
                // A soft saw-ish tone: a few harmonics, filtered.
                const double ph = TAU * hz * t;
                const double v = std::sin(ph) + 0.3 * std::sin(2 * ph) + 0.12 * std::sin(3 * ph);
                b[size_t(s0 + i)] += float(lp(v) * attack * release * gain / double(chord.size()));
            }
        }
    }
}

void Bass(Buffer& b, double start, double length, double hz, double gain) {
    const int s0 = Samples(start), n = Samples(length);
    for (int i = 0; i < n && s0 + i < int(b.size()); ++i) {
        const double t = double(i) / RATE;
        const double tail = std::min(1.0, (n - i) / (0.05 * RATE));
        const double v = std::sin(TAU * hz * t) + 0.25 * std::sin(TAU * 2 * hz * t);
        b[size_t(s0 + i)] += float(v * Env(t, 0.01, length * 0.6) * tail * gain);
    }
}

void Compose(const Track& track, const std::string& folder) {
    const double beat = 60.0 / track.bpm, bar = beat * 4;
    const double length = track.bars * bar + 6.0;  // room for the last chord and the reverb tail
    Buffer dry(size_t(Samples(length)), 0.0f), melody(dry.size(), 0.0f);
    Noise rng(track.seed);
    int melodyIndex = int(track.scale.size()) / 2;
    for (int bi = 0; bi < track.bars; ++bi) {
        const bool last = bi == track.bars - 1;
        const std::vector<int>& chord = last ? track.chords[0] : track.chords[size_t(bi) % track.chords.size()];
        const double t0 = bi * bar;
        // Sections: intro (pad + arpeggio), body (all), a lighter middle, and the close.
        const bool intro = bi < 2, middle = bi >= track.bars / 2 && bi < track.bars / 2 + 4;
        Pad(dry, t0, last ? bar * 1.5 : bar, chord, track.root, 0.22);
        if (!intro) {
            Bass(dry, t0, beat * 2, NoteHz(track.root - 12 + chord[0]), 0.30);
            if (!last) Bass(dry, t0 + beat * 2, beat * 2, NoteHz(track.root - 12 + chord[0] + (bi % 2 ? 7 : 0)), 0.22);
        }
        if (!last) {  // arpeggio in eighths
            for (int e = 0; e < 8; ++e) {
                const int note = chord[size_t(e % 4 == 3 ? 1 : e % 4) % chord.size()] + (e >= 4 ? 12 : 0);
                Pluck(dry, t0 + e * beat / 2, NoteHz(track.root + 12 + note), beat * 1.2, middle ? 0.12 : 0.18,
                      track.seed * 1000 + uint64_t(bi * 8 + e));
            }
        }
        if (!intro && !last && !middle) {  // melody: a gentle random walk on the scale
            double t = t0;
            while (t < t0 + bar - 0.01) {
                const double dur = beat * (rng.Next() < 0.0 ? 1.0 : rng.Next() < 0.4 ? 2.0 : 0.5);
                if (rng.Next() > -0.5) {  // three notes in four sound
                    melodyIndex = std::clamp(melodyIndex + int(std::lround(rng.Uniform(-2.4, 2.4))), 0,
                                             int(track.scale.size()) - 1);
                    const double hz = NoteHz(track.root + 24 + track.scale[size_t(melodyIndex)]);
                    if (track.mallets) Mallet(melody, t, hz, std::max(0.6, dur * 1.5), 0.30);
                    else Bell(melody, t, hz, std::max(0.8, dur * 2), 0.24);
                }
                t += dur;
            }
        }
        if (last) Bell(melody, t0, NoteHz(track.root + 24), bar * 1.5, 0.22);
    }
    MixInto(dry, melody, 0, 1.0);
    Buffer left, right;
    Reverb(dry, left, right, 0.35, 0.8);
    // Gentle fade-in over the first second and out over the last two.
    Fade(left, 1.0, 2.0);
    Fade(right, 1.0, 2.0);
    Buffer stereo(left.size() * 2);
    float peak = 0;
    for (size_t i = 0; i < left.size(); ++i) peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    const float gain = 0.8f / peak;
    for (size_t i = 0; i < left.size(); ++i) stereo[2 * i] = left[i] * gain, stereo[2 * i + 1] = right[i] * gain;
    const std::string path = folder + "/" + track.file;
    if (!WriteOgg(path, stereo, 2, 0.25)) {
        std::fprintf(stderr, "vcmusic: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vcmusic <music folder> [1|2]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string which = argc == 3 ? argv[2] : "";
    // D major, I - vi - IV - V with a sus turn, 80 BPM: 32 bars = 96 s.
    if (which != "2")
        Compose({"music1.ogg", 80, 32, 50,
             {{0, 4, 7, 11}, {-3, 0, 4, 7}, {-5, -1, 2, 7}, {-3, 2, 4, 7}, {0, 4, 7, 14}, {-8, -3, 0, 4}, {-5, 2, 5, 9},
              {-5, -1, 2, 5}},
             {0, 2, 4, 7, 9, 12, 14, 16, 19},
             101, false},
            folder);
    // A minor / F major, 72 BPM: 28 bars = 93 s.
    if (which != "1")
        Compose({"music2.ogg", 72, 28, 57,
             {{0, 3, 7, 10}, {-4, 0, 3, 7}, {-9, -5, -2, 3}, {-2, 2, 5, 9}, {0, 3, 7, 14}, {-4, 0, 3, 10}, {-7, -3, 0, 5},
              {-5, -1, 2, 7}},
             {0, 3, 5, 7, 10, 12, 15, 17, 19},
             202, true},
            folder);
    return 0;
}
