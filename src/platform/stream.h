#pragma once
// Byte streams: files and memory banks. Integers are little-endian; text is
// 8-bit, one byte per character.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class TStream {
public:
    virtual ~TStream() = default;

    // Raw access: answer the number of bytes actually moved.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Pos() const = 0;
    virtual bool Seek(int64_t position) = 0;
    virtual int64_t Size() const = 0;
    virtual bool Eof() const { return Pos() >= Size(); }
    virtual void Close() {}
    // True after a read ran short or a write failed.
    bool Failed() const { return failed_; }

    int32_t ReadInt();
    std::string ReadString(size_t length);
    // Bytes up to LF or NUL; CR dropped.
    std::string ReadLine();
    std::vector<uint8_t> ReadAll();  // from the current position to the end

    void WriteInt(int32_t v);
    void WriteString(const std::string& s);  // raw, no length prefix
    void WriteBytes(const void* data, size_t count);

protected:
    bool failed_ = false;
};

using StreamPtr = std::unique_ptr<TStream>;

// A stream over bytes in memory (a "bank"). Reading and writing both work;
// writing past the end grows the bank.
class TBankStream : public TStream {
public:
    TBankStream() = default;
    explicit TBankStream(std::vector<uint8_t> bytes);
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Pos() const override { return pos_; }
    bool Seek(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> TakeBytes() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
};

enum class FileMode { Read, Write, ReadWrite };

// Opens a plain file (paths resolved case-insensitively when the exact path
// does not exist). Null on failure.
StreamPtr OpenFile(const std::string& path, FileMode mode);
inline StreamPtr ReadFile(const std::string& path) { return OpenFile(path, FileMode::Read); }

// Whole-file helpers.
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);

}  // namespace plat
