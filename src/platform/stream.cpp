#include "platform/stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/files.h"

namespace plat {

namespace {

template <typename T>
T ReadValue(TStream& s, bool& failed) {
    uint8_t bytes[sizeof(T)] = {};
    if (s.Read(bytes, sizeof(T)) != sizeof(T)) failed = true;
    // Assemble little-endian whatever the host order is.
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<U>(static_cast<U>(bytes[i]) << (8 * i));
    T v;
    std::memcpy(&v, &u, sizeof(T));
    return v;
}

template <typename T>
void WriteValue(TStream& s, T v) {
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U u;
    std::memcpy(&u, &v, sizeof(T));
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<uint8_t>(u >> (8 * i));
    s.WriteBytes(bytes, sizeof(T));
}

}  // namespace

uint8_t TStream::ReadByte() { return ReadValue<uint8_t>(*this, failed_); }
int16_t TStream::ReadShort() { return ReadValue<int16_t>(*this, failed_); }
int32_t TStream::ReadInt() { return ReadValue<int32_t>(*this, failed_); }
int64_t TStream::ReadLong() { return ReadValue<int64_t>(*this, failed_); }
float TStream::ReadFloat() { return ReadValue<float>(*this, failed_); }
double TStream::ReadDouble() { return ReadValue<double>(*this, failed_); }

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

std::vector<uint8_t> TStream::ReadBytes(size_t count) {
    std::vector<uint8_t> out(count);
    const size_t got = count ? Read(out.data(), count) : 0;
    if (got != count) {
        failed_ = true;
        out.resize(got);
    }
    return out;
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

void TStream::WriteByte(uint8_t v) { WriteValue(*this, v); }
void TStream::WriteShort(int16_t v) { WriteValue(*this, v); }
void TStream::WriteInt(int32_t v) { WriteValue(*this, v); }
void TStream::WriteLong(int64_t v) { WriteValue(*this, v); }
void TStream::WriteFloat(float v) { WriteValue(*this, v); }
void TStream::WriteDouble(double v) { WriteValue(*this, v); }
void TStream::WriteString(const std::string& s) { WriteBytes(s.data(), s.size()); }

void TStream::WriteLine(const std::string& s) {
    WriteString(s);
    WriteBytes("\r\n", 2);
}

void TStream::WriteBytes(const void* data, size_t count) {
    if (count && Write(data, count) != count) failed_ = true;
}

void TStream::Skip(int64_t count) {
    if (!Seek(Pos() + count)) failed_ = true;
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

struct FactoryRegistry {
    std::mutex mutex;
    std::map<std::string, StreamFactory> factories;
};

FactoryRegistry& Registry() {
    static FactoryRegistry registry;
    return registry;
}

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

void RegisterStreamFactory(const std::string& protocol, StreamFactory factory) {
    auto& r = Registry();
    std::lock_guard lock(r.mutex);
    r.factories[protocol] = std::move(factory);
}

void UnregisterStreamFactory(const std::string& protocol) {
    auto& r = Registry();
    std::lock_guard lock(r.mutex);
    r.factories.erase(protocol);
}

bool HasStreamProtocol(const std::string& url) {
    const size_t sep = url.find("::");
    return sep != std::string::npos && sep > 0;
}

StreamPtr OpenStream(const std::string& url) {
    if (HasStreamProtocol(url)) {
        const size_t sep = url.find("::");
        StreamFactory factory;
        {
            auto& r = Registry();
            std::lock_guard lock(r.mutex);
            auto it = r.factories.find(url.substr(0, sep));
            if (it != r.factories.end()) factory = it->second;
        }
        if (!factory) return nullptr;
        return factory(url.substr(sep + 2));
    }
    return OpenFile(url, FileMode::Read);
}

bool LoadBytes(const std::string& url, std::vector<uint8_t>& out) {
    StreamPtr s = OpenStream(url);
    if (!s) return false;
    out = s->ReadAll();
    return true;
}

}  // namespace plat
