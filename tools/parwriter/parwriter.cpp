// parwriter: makes a ".par" particle effect from a readable text source.
//
//   parwriter <source.partxt> <effect.par>
//
// Source format (8-bit text, one statement per line):
//
//   # a comment runs to the end of the line; blank lines are ignored
//   emitter 0            start the settings of emitter 0 (0..9)
//   emitter 1 like 0     start emitter 1 as a copy of emitter 0 as set so far
//   RenderType add       alpha | add | mul | off, or the number 0..3
//   Image 2              frame 0..8 of the particle strip "particles.png"
//   EmissionRate 3       any other field name, then one number
//
// Field names are those of the emitter and are matched without regard to
// case: EmitterDelay, EmitterDuration, EmissionRate, EmissionEachFrame,
// SpeedX, SpeedY, SpeedVarX, SpeedVarY, SizeVar, LaunchSize, Grow, MinSize,
// MaxSize, Alpha, AlphaVar, AlphaChange, RotationSpeed, RotationVar,
// RotationStart, StartOffsetX, StartOffsetY, StartOffsetVarX,
// StartOffsetVarY, ColorChangeR, ColorChangeG, ColorChangeB, LifeTime,
// RenderType, Image, ColorR, ColorG, ColorB, GravityX, GravityY.
//
// Every field not given keeps the value of a new emitter: delay 0, duration
// 10, rate 1, each frame 1, image 4, launch size 1, max size 1, alpha 1,
// colour 255 255 255, life 100, render type off, everything else 0. So an
// emitter that is never named (or given no RenderType) stays switched off.
// Lengths count frames (logic ticks of 5 ms: 200 frames are one second);
// speeds, growth, fades and colour changes are per frame. A rate of n emits
// trunc(n) + 1 particles on every frame that is a multiple of
// EmissionEachFrame, from frame EmitterDelay to EmitterDelay + EmitterDuration.
//
// The writer refuses (exit code 1, message on stderr naming the line) an
// unknown field, a value that is not a number, a second value on a line, an
// emitter number outside 0..9, and any emitter the game would refuse: values
// must be finite, Image 0..8, RenderType 0..3, delay, duration and life
// 0..10000, EmissionRate 0..99, EmissionEachFrame 0..10000, and at most 2000
// particles of one emitter alive at once. The output is always 1360 bytes.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "effects/par_file.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace {

std::string Lower(std::string s) {
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::optional<double> Number(const std::string& word) {
    if (word.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(word.c_str(), &end);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return v;
}

std::optional<int> RenderTypeWord(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "alpha") return RENDER_ALPHA;
    if (w == "add") return RENDER_ADD;
    if (w == "mul") return RENDER_MUL;
    if (w == "off") return RENDER_OFF;
    return std::nullopt;
}

const TParField* FindField(const std::string& name) {
    for (const auto& field : ParFields())
        if (Lower(field.Name) == Lower(name)) return &field;
    return nullptr;
}

std::optional<int> EmitterNumber(const std::string& word) {
    const auto v = Number(word);
    if (!v || *v != static_cast<int>(*v) || *v < 0 || *v >= PAR_EMITTERS) return std::nullopt;
    return static_cast<int>(*v);
}

class TSourceReader {
public:
    explicit TSourceReader(std::string name) : name_(std::move(name)) {}

    bool Read(const std::string& text, TParRecords& records) {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            ++lineNo_;
            if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
            std::istringstream words(line);
            std::vector<std::string> w;
            for (std::string word; words >> word;) w.push_back(word);
            if (!w.empty() && !Statement(w, records)) return false;
        }
        return true;
    }

private:
    std::string name_;
    int lineNo_ = 0;
    int current_ = -1;

    bool Fail(const std::string& message) const {
        std::fprintf(stderr, "%s:%d: %s\n", name_.c_str(), lineNo_, message.c_str());
        return false;
    }

    bool Statement(const std::vector<std::string>& w, TParRecords& records) {
        if (Lower(w[0]) == "emitter") return EmitterStatement(w, records);
        const TParField* field = FindField(w[0]);
        if (!field) return Fail("unknown field '" + w[0] + "'");
        if (current_ < 0) return Fail("'" + w[0] + "' before the first 'emitter' line");
        if (w.size() != 2) return Fail(w[0] + " takes exactly one value");
        TEmitterConfig& config = records[current_];
        if (field->Int) {
            std::optional<int> value;
            if (field->Int == &TEmitterConfig::RenderType) value = RenderTypeWord(w[1]);
            if (!value) {
                const auto v = Number(w[1]);
                if (!v || *v != static_cast<int>(*v)) return Fail(w[0] + " needs a whole number, not '" + w[1] + "'");
                value = static_cast<int>(*v);
            }
            config.*field->Int = *value;
        } else {
            const auto v = Number(w[1]);
            if (!v) return Fail(w[0] + " needs a number, not '" + w[1] + "'");
            config.*field->Float = static_cast<float>(*v);
        }
        return true;
    }

    bool EmitterStatement(const std::vector<std::string>& w, TParRecords& records) {
        if (w.size() != 2 && !(w.size() == 4 && Lower(w[2]) == "like"))
            return Fail("expected 'emitter N' or 'emitter N like M'");
        const auto n = EmitterNumber(w[1]);
        if (!n) return Fail("emitter number must be 0.." + std::to_string(PAR_EMITTERS - 1));
        if (w.size() == 4) {
            const auto from = EmitterNumber(w[3]);
            if (!from) return Fail("emitter number must be 0.." + std::to_string(PAR_EMITTERS - 1));
            records[*n] = records[*from];
        }
        current_ = *n;
        return true;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: parwriter <source.partxt> <effect.par>\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!plat::LoadBytes(argv[1], bytes)) {
        std::fprintf(stderr, "parwriter: cannot read '%s'\n", argv[1]);
        return 1;
    }
    TParRecords records;
    TSourceReader reader(argv[1]);
    if (!reader.Read(std::string(bytes.begin(), bytes.end()), records)) return 1;
    for (int e = 0; e < PAR_EMITTERS; ++e) {
        if (const auto problem = CheckEmitterConfig(records[e]); !problem.empty()) {
            std::fprintf(stderr, "%s: emitter %d: %s\n", argv[1], e, problem.c_str());
            return 1;
        }
    }
    if (!plat::WriteFileAtomic(argv[2], ParBytes(records))) {
        std::fprintf(stderr, "parwriter: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
