#include "platform/stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace plat {

int32_t TStream::ReadInt() {
    uint8_t bytes[4] = {};
    if (Read(bytes, sizeof bytes) != sizeof bytes) failed_ = true;
    // Assembled little-endian whatever the host order is.
    uint32_t u = 0;
    for (size_t i = 0; i < sizeof bytes; ++i) u |= uint32_t(bytes[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

std::string TStream::ReadString(size_t length) {
    std::string s(length, '\0');
    const size_t got = length ? Read(s.data(), length) : 0;
    if (got != length) {
        failed_ = true;
        s.resize(got);
    }
    return s;
}

std::string TStream::ReadLine() {
    std::string line;
    char c;
    while (Read(&c, 1) == 1) {
        if (c == '\n' || c == '\0') break;
        if (c != '\r') line.push_back(c);
    }
    return line;
}

std::vector<uint8_t> TStream::ReadAll() {
    std::vector<uint8_t> out;
    const int64_t size = Size();
    const int64_t pos = Pos();
    if (size > pos) out.reserve(static_cast<size_t>(size - pos));
    uint8_t chunk[65536];
    for (;;) {
        const size_t got = Read(chunk, sizeof chunk);
        if (got == 0) break;
        out.insert(out.end(), chunk, chunk + got);
    }
    return out;
}

void TStream::WriteInt(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    const uint8_t bytes[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    WriteBytes(bytes, sizeof bytes);
}

void TStream::WriteString(const std::string& s) { WriteBytes(s.data(), s.size()); }

void TStream::WriteBytes(const void* data, size_t count) {
    if (count && Write(data, count) != count) failed_ = true;
}

// ---- memory bank ----

TBankStream::TBankStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

size_t TBankStream::Read(void* buffer, size_t count) {
    if (pos_ >= bytes_.size()) return 0;
    const size_t n = std::min(count, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t TBankStream::Write(const void* buffer, size_t count) {
    if (pos_ + count > bytes_.size()) bytes_.resize(pos_ + count);
    std::memcpy(bytes_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

bool TBankStream::Seek(int64_t position) {
    if (position < 0 || position > Size()) return false;
    pos_ = static_cast<size_t>(position);
    return true;
}

// ---- plain files ----

namespace {

// The position and size are kept here rather than asked of the C library:
// asking costs a seek (and the size a stat and a re-read of the buffer), and
// readers ask before every line. Only this stream moves in its file, so what
// it writes is all that changes the size.
class TFileStream : public TStream {
public:
    TFileStream(FILE* f, int64_t size) : file_(f), size_(size) {}
    ~TFileStream() override { Close(); }

    size_t Read(void* buffer, size_t count) override {
        if (!file_ || !Turn(Direction::Reading)) return 0;
        const size_t n = std::fread(buffer, 1, count, file_);
        pos_ += static_cast<int64_t>(n);
        return n;
    }
    size_t Write(const void* buffer, size_t count) override {
        if (!file_ || !Turn(Direction::Writing)) return 0;
        const size_t n = std::fwrite(buffer, 1, count, file_);
        pos_ += static_cast<int64_t>(n);
        size_ = std::max(size_, pos_);
        return n;
    }
    int64_t Pos() const override { return file_ ? pos_ : 0; }
    bool Seek(int64_t position) override {
        if (!file_ || position < 0 || position > size_) return false;
        if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0) return false;
        pos_ = position;
        last_ = Direction::None;
        return true;
    }
    int64_t Size() const override { return file_ ? size_ : 0; }
    void Close() override {
        if (!file_) return;
        if (std::fclose(file_) != 0) failed_ = true;
        file_ = nullptr;
    }

private:
    enum class Direction { None, Reading, Writing };

    // The C library wants a seek between a read and a write in either order.
    bool Turn(Direction next) {
        if (last_ != Direction::None && last_ != next && fseeko(file_, static_cast<off_t>(pos_), SEEK_SET) != 0)
            return false;
        last_ = next;
        return true;
    }

    FILE* file_;
    int64_t pos_ = 0;
    int64_t size_;
    Direction last_ = Direction::None;
};

}  // namespace

StreamPtr OpenFile(const std::string& path, FileMode mode) {
    const std::string resolved = ResolvePath(path);
    const char* how = mode == FileMode::Read ? "rbe" : mode == FileMode::Write ? "wbe" : "r+be";
    FILE* f = std::fopen(resolved.c_str(), how);
    if (!f) return nullptr;
    struct stat info {};
    if (::fstat(fileno(f), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(f);
        return nullptr;
    }
    return std::make_unique<TFileStream>(f, static_cast<int64_t>(info.st_size));
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
    StreamPtr s = ReadFile(path);
    if (!s) return false;
    out = s->ReadAll();
    return true;
}

}  // namespace plat
