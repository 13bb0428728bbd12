#pragma once
// Shared by the audio tests: little-endian writers for hand-made WAV files,
// and the level (root mean square) of rendered 16-bit samples.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace audiosamples {

inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Of every sample, or of one channel (0 left, 1 right) of interleaved stereo.
inline double Rms(const std::vector<int16_t>& s, int channel = -1) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (channel >= 0 && static_cast<int>(i % 2) != channel) continue;
        sum += static_cast<double>(s[i]) * s[i];
        ++n;
    }
    return n ? std::sqrt(sum / static_cast<double>(n)) : 0.0;
}

}  // namespace audiosamples
