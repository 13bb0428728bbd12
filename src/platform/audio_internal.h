#pragma once
// Decoders shared by the sound loader and the music streams.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/stream.h"

namespace plat::audio {

// Interleaved 16-bit PCM from a WAV or Ogg Vorbis stream.
class TDecoder {
public:
    virtual ~TDecoder() = default;
    int Channels() const { return channels_; }
    int Rate() const { return rate_; }
    // Reads up to `frames` frames; answers the frames read (0 at the end).
    virtual size_t Read(int16_t* out, size_t frames) = 0;
    virtual bool Rewind() = 0;
    // Total length in frames; -1 when unknown.
    virtual int64_t TotalFrames() = 0;

protected:
    int channels_ = 0;
    int rate_ = 0;
};

// Null when the stream is neither a readable WAV (8, 16, 24 or 32-bit PCM,
// 32-bit float; mono or stereo) nor Ogg Vorbis.
std::unique_ptr<TDecoder> OpenDecoder(StreamPtr stream);

struct TPcm {
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples;  // interleaved
};
bool DecodeAll(TDecoder& decoder, TPcm& out);

}  // namespace plat::audio
