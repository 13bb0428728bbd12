#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/audio_internal.h"

namespace plat::audio {

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

class TWavDecoder : public TDecoder {
public:
    explicit TWavDecoder(StreamPtr stream) : stream_(std::move(stream)) {}

    bool Open() {
        uint8_t header[12];
        if (stream_->Read(header, 12) != 12 || std::memcmp(header, "RIFF", 4) || std::memcmp(header + 8, "WAVE", 4))
            return false;
        bool haveFormat = false;
        for (;;) {
            uint8_t chunk[8];
            if (stream_->Read(chunk, 8) != 8) return false;
            const uint32_t size = U32(chunk + 4);
            const int64_t body = stream_->Pos();
            if (!std::memcmp(chunk, "fmt ", 4)) {
                if (size < 16 || size > 1024) return false;
                std::vector<uint8_t> fmt(size);
                if (stream_->Read(fmt.data(), size) != size) return false;
                format_ = U16(&fmt[0]);
                channels_ = U16(&fmt[2]);
                rate_ = static_cast<int>(U32(&fmt[4]));
                bits_ = U16(&fmt[14]);
                if (format_ == kFormatExtensible && size >= 26) format_ = U16(&fmt[24]);
                haveFormat = true;
            } else if (!std::memcmp(chunk, "data", 4)) {
                if (!haveFormat || !Valid()) return false;
                dataStart_ = body;
                // A truncated file plays what it holds.
                const int64_t available = std::max<int64_t>(0, stream_->Size() - body);
                dataSize_ = std::min<int64_t>(size, available);
                frameBytes_ = channels_ * (bits_ / 8);
                totalFrames_ = dataSize_ / frameBytes_;
                return true;
            }
            if (!stream_->Seek(body + size + (size & 1))) return false;
        }
    }

    size_t Read(int16_t* out, size_t frames) override {
        const int64_t left = totalFrames_ - framePos_;
        frames = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(frames), left));
        if (frames == 0) return 0;
        raw_.resize(frames * static_cast<size_t>(frameBytes_));
        const size_t got = stream_->Read(raw_.data(), raw_.size()) / static_cast<size_t>(frameBytes_);
        const size_t samples = got * static_cast<size_t>(channels_);
        const int bytes = bits_ / 8;
        for (size_t i = 0; i < samples; ++i) out[i] = Convert(&raw_[i * static_cast<size_t>(bytes)]);
        framePos_ += static_cast<int64_t>(got);
        if (got < frames) framePos_ = totalFrames_;
        return got;
    }

    bool Rewind() override {
        framePos_ = 0;
        return stream_->Seek(dataStart_);
    }

    int64_t TotalFrames() override { return totalFrames_; }

private:
    bool Valid() const {
        if (channels_ < 1 || channels_ > 2 || rate_ < 1000 || rate_ > 384000) return false;
        if (format_ == kFormatPcm) return bits_ == 8 || bits_ == 16 || bits_ == 24 || bits_ == 32;
        return format_ == kFormatFloat && bits_ == 32;
    }

    int16_t Convert(const uint8_t* p) const {
        switch (bits_) {
            case 8: return static_cast<int16_t>((p[0] - 128) * 256);
            case 16: return static_cast<int16_t>(U16(p));
            case 24: return static_cast<int16_t>(U16(p + 1));
            default:
                if (format_ == kFormatFloat) {
                    float f;
                    const uint32_t u = U32(p);
                    std::memcpy(&f, &u, 4);
                    if (!(f == f)) f = 0;  // NaN
                    return static_cast<int16_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
                }
                return static_cast<int16_t>(U16(p + 2));
        }
    }

    StreamPtr stream_;
    std::vector<uint8_t> raw_;
    uint16_t format_ = 0;
    int bits_ = 0;
    int frameBytes_ = 0;
    int64_t dataStart_ = 0;
    int64_t dataSize_ = 0;
    int64_t totalFrames_ = 0;
    int64_t framePos_ = 0;
};

// vorbisfile reads through these, so any TStream (file, bank, archive entry) works.
size_t OggRead(void* ptr, size_t size, size_t count, void* source) {
    if (size == 0) return 0;
    return static_cast<TStream*>(source)->Read(ptr, size * count) / size;
}

int OggSeek(void* source, ogg_int64_t offset, int whence) {
    auto* s = static_cast<TStream*>(source);
    int64_t target = offset;
    if (whence == SEEK_CUR) target += s->Pos();
    if (whence == SEEK_END) target += s->Size();
    return s->Seek(target) ? 0 : -1;
}

long OggTell(void* source) { return static_cast<long>(static_cast<TStream*>(source)->Pos()); }

class TOggDecoder : public TDecoder {
public:
    explicit TOggDecoder(StreamPtr stream) : stream_(std::move(stream)) {}
    ~TOggDecoder() override {
        if (open_) ov_clear(&file_);
    }

    bool Open() {
        const ov_callbacks callbacks{OggRead, OggSeek, nullptr, OggTell};
        if (ov_open_callbacks(stream_.get(), &file_, nullptr, 0, callbacks) != 0) return false;
        open_ = true;
        const vorbis_info* info = ov_info(&file_, -1);
        if (!info || info->channels < 1 || info->channels > 2) return false;
        channels_ = info->channels;
        rate_ = static_cast<int>(info->rate);
        return true;
    }

    size_t Read(int16_t* out, size_t frames) override {
        size_t done = 0;
        char* bytes = reinterpret_cast<char*>(out);
        const size_t frameBytes = static_cast<size_t>(channels_) * 2;
        size_t want = frames * frameBytes;
        while (want > 0) {
            int section = 0;
            const long n = ov_read(&file_, bytes + done, static_cast<int>(std::min<size_t>(want, 1 << 20)), 0, 2, 1,
                                   &section);
            if (n == OV_HOLE) continue;  // a gap in the data: keep going
            if (n <= 0) break;
            done += static_cast<size_t>(n);
            want -= static_cast<size_t>(n);
        }
        return done / frameBytes;
    }

    bool Rewind() override { return ov_seekable(&file_) && ov_pcm_seek(&file_, 0) == 0; }

    int64_t TotalFrames() override {
        if (!ov_seekable(&file_)) return -1;
        const ogg_int64_t total = ov_pcm_total(&file_, -1);
        return total < 0 ? -1 : static_cast<int64_t>(total);
    }

private:
    StreamPtr stream_;
    OggVorbis_File file_{};
    bool open_ = false;
};

}  // namespace

std::unique_ptr<TDecoder> OpenDecoder(StreamPtr stream) {
    if (!stream) return nullptr;
    uint8_t magic[4] = {};
    const int64_t start = stream->Pos();
    if (stream->Read(magic, 4) != 4 || !stream->Seek(start)) return nullptr;
    if (!std::memcmp(magic, "RIFF", 4)) {
        auto wav = std::make_unique<TWavDecoder>(std::move(stream));
        if (wav->Open()) return wav;
    } else if (!std::memcmp(magic, "OggS", 4)) {
        auto ogg = std::make_unique<TOggDecoder>(std::move(stream));
        if (ogg->Open()) return ogg;
    }
    return nullptr;
}

bool DecodeAll(TDecoder& decoder, TPcm& out) {
    out.channels = decoder.Channels();
    out.rate = decoder.Rate();
    out.samples.clear();
    const int64_t total = decoder.TotalFrames();
    if (total > 0) out.samples.reserve(static_cast<size_t>(total) * static_cast<size_t>(out.channels));
    std::vector<int16_t> chunk(8192 * static_cast<size_t>(out.channels));
    for (;;) {
        const size_t frames = decoder.Read(chunk.data(), 8192);
        if (frames == 0) break;
        out.samples.insert(out.samples.end(), chunk.begin(),
                           chunk.begin() + static_cast<ptrdiff_t>(frames * static_cast<size_t>(out.channels)));
    }
    return !out.samples.empty();
}

}  // namespace plat::audio
