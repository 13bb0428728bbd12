#include "resources/pak_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace {

// Deflate never expands more than about 1032 : 1, so a stated size far beyond
// that cannot come from the compressed bytes we hold.
constexpr int64_t MAX_INFLATE_RATIO = 1040;

std::string TrimName(const std::string& raw) {
    size_t begin = 0, end = raw.size();
    while (begin < end && static_cast<unsigned char>(raw[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(raw[end - 1]) <= 32) --end;
    return raw.substr(begin, end - begin);
}

int32_t LoadInt(const uint8_t* p) {
    const uint32_t u = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    return static_cast<int32_t>(u);
}

// Reads an archive from a stream, refusing to read past its end. Blocks are
// read into one reused buffer and inflated straight away, while still in
// the processor's cache.
class TPakReader {
public:
    explicit TPakReader(plat::TStream& stream)
        : stream_(stream), remaining_(static_cast<uint64_t>(std::max<int64_t>(0, stream.Size() - stream.Pos()))) {}
    uint64_t Remaining() const { return remaining_; }
    int32_t Int(const char* what) { return LoadInt(Take(4, what)); }
    std::string Name(size_t width) {
        const uint8_t* p = Take(width, "entry name");
        return TrimName(std::string(reinterpret_cast<const char*>(p), width));
    }
    // The next count bytes; valid until the next call.
    const uint8_t* Take(size_t count, const char* what) {
        if (count > remaining_) throw TPakError(std::string("TPakFile::Truncated archive (") + what + ")");
        if (buffer_.size() < count) buffer_.resize(count);
        if (count && stream_.Read(buffer_.data(), count) != count)
            throw TPakError(std::string("TPakFile::Could not read the archive (") + what + ")");
        remaining_ -= count;
        return buffer_.data();
    }

private:
    plat::TStream& stream_;
    uint64_t remaining_;
    std::vector<uint8_t> buffer_;
};

enum class InflateResult { Exact, Short, Longer, Broken };

// Inflates one zlib stream into out (already sized); reports how it went.
InflateResult InflateInto(const uint8_t* source, size_t sourceSize, std::vector<uint8_t>& out, size_t& produced) {
    z_stream zs{};
    produced = 0;
    if (inflateInit(&zs) != Z_OK) return InflateResult::Broken;
    uint8_t none = 0;  // zlib wants an output pointer even for no output
    zs.next_in = const_cast<Bytef*>(source);
    zs.avail_in = static_cast<uInt>(sourceSize);
    zs.next_out = out.empty() ? &none : out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&zs, Z_FINISH);
    produced = zs.total_out;
    const bool full = zs.avail_out == 0;
    inflateEnd(&zs);
    if (status == Z_STREAM_END) return produced == out.size() ? InflateResult::Exact : InflateResult::Short;
    if (status == Z_BUF_ERROR && full) return InflateResult::Longer;
    return InflateResult::Broken;
}

void CheckStatedSize(int64_t compressed, int64_t real, const std::string& what) {
    if (compressed < 0 || real < 0) throw TPakError("TPakFile::Negative size for " + what);
    if (real > PAK_MAX_ENTRY_SIZE) throw TPakError("TPakFile::Size of " + what + " is above the 256 MiB limit");
    if (real > compressed * MAX_INFLATE_RATIO + 64)
        throw TPakError("TPakFile::Size of " + what + " does not match its compressed size");
}

// The entry's uncompressed bytes: exactly `real` of them from a sound stream,
// or an error naming the entry.
std::vector<uint8_t> InflateEntry(const uint8_t* source, size_t compressed, size_t real, const std::string& name) {
    std::vector<uint8_t> out(real);
    size_t produced = 0;
    switch (InflateInto(source, compressed, out, produced)) {
        case InflateResult::Exact:
            return out;
        case InflateResult::Short:
            throw TPakError("TPakFile::Damaged entry '" + name + "' (" + std::to_string(produced) + " of " +
                            std::to_string(real) + " bytes)");
        case InflateResult::Longer:
            throw TPakError("TPakFile::Damaged entry '" + name + "' (more than its " + std::to_string(real) +
                            " bytes)");
        case InflateResult::Broken:
            break;
    }
    throw TPakError("TPakFile::Damaged entry '" + name + "' (zlib error)");
}

std::string VersionText(int32_t version) {
    const uint32_t v = static_cast<uint32_t>(version);
    return std::to_string(v & 0xffff) + "." + std::to_string(v >> 16);
}

void ParseVersion1(TPakReader& in, std::vector<PakItemPtr>& items) {
    const int32_t count = in.Int("entry count");
    if (count < 0 || static_cast<uint64_t>(count) * V1_RECORD_SIZE > in.Remaining())
        throw TPakError("TPakFile::Entry count " + std::to_string(count) + " does not fit in the file");
    items.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        auto item = std::make_shared<TPakItem>();
        item->Name = in.Name(V1_NAME_SIZE);
        item->VarType = in.Int("entry type");
        const int32_t compressed = in.Int("entry size");
        const int32_t real = in.Int("entry size");
        CheckStatedSize(compressed, real, "entry '" + item->Name + "'");
        if (static_cast<size_t>(compressed) > in.Remaining())
            throw TPakError("TPakFile::Entry '" + item->Name + "' runs past the end of the file");
        const uint8_t* source = in.Take(static_cast<size_t>(compressed), "entry data");
        item->Data = InflateEntry(source, static_cast<size_t>(compressed), static_cast<size_t>(real), item->Name);
        items.push_back(std::move(item));
    }
}

std::vector<TTableItem> ReadTable(TPakReader& in) {
    const int32_t count = in.Int("entry count");
    const int32_t compressed = in.Int("table size");
    const int32_t real = in.Int("table size");
    if (count < 0) throw TPakError("TPakFile::Negative entry count");
    const int64_t needed = int64_t(count) * ITEM_SIZE;
    CheckStatedSize(compressed, std::max<int64_t>(real, needed), "the entry table");
    if (static_cast<size_t>(compressed) > in.Remaining())
        throw TPakError("TPakFile::Entry table runs past the end of the file");
    const uint8_t* source = in.Take(static_cast<size_t>(compressed), "entry table");

    std::vector<uint8_t> table(static_cast<size_t>(std::max<int64_t>(real, needed)));
    size_t produced = 0;
    const InflateResult result = InflateInto(source, static_cast<size_t>(compressed), table, produced);
    if (result == InflateResult::Broken) throw TPakError("TPakFile::Damaged entry table (zlib error)");
    if (static_cast<int64_t>(produced) < needed)
        throw TPakError("TPakFile::Entry table holds " + std::to_string(produced / ITEM_SIZE) + " of " +
                        std::to_string(count) + " records");

    std::vector<TTableItem> records(static_cast<size_t>(count));
    plat::TBankStream stream(std::move(table));
    for (auto& record : records) record.ReadFromStream(stream);
    return records;
}

void ParseTableVersion(TPakReader& in, std::vector<PakItemPtr>& items) {
    const std::vector<TTableItem> records = ReadTable(in);
    items.reserve(records.size());
    for (const TTableItem& record : records) {
        auto item = std::make_shared<TPakItem>();
        item->Name = record.Name;
        item->VarType = record.VarType;
        CheckStatedSize(record.Size, record.RealSize, "entry '" + record.Name + "'");
        if (static_cast<size_t>(record.Size) > in.Remaining())
            throw TPakError("TPakFile::Entry '" + record.Name + "' runs past the end of the file");
        const uint8_t* source = in.Take(static_cast<size_t>(record.Size), "entry data");
        item->Data = InflateEntry(source, static_cast<size_t>(record.Size), static_cast<size_t>(record.RealSize),
                                  record.Name);
        items.push_back(std::move(item));
    }
}

void ParseArchive(plat::TStream& stream, std::vector<PakItemPtr>& items) {
    TPakReader in(stream);
    if (in.Remaining() < 4 || in.Int("magic") != PAK_MAGIC) throw TPakError("TPakFile::Invalid pak file");
    const int32_t version = in.Int("version");
    if (version == PAK_VERSION_1)
        ParseVersion1(in, items);
    else if (version == PAK_VERSION_TABLE)
        ParseTableVersion(in, items);
    else
        throw TPakError("TPakFile::Unsupported pakfile version " + VersionText(version));
}

// A read-only stream over an item's bytes that keeps the item alive.
class TItemStream : public plat::TStream {
public:
    explicit TItemStream(std::shared_ptr<const TPakItem> item) : item_(std::move(item)) {}
    size_t Read(void* buffer, size_t count) override {
        const auto& bytes = item_->Data;
        const size_t n = std::min(count, bytes.size() - std::min(pos_, bytes.size()));
        if (n) std::memcpy(buffer, bytes.data() + pos_, n);
        pos_ += n;
        if (n < count) failed_ = true;
        return n;
    }
    size_t Write(const void*, size_t) override {
        failed_ = true;
        return 0;
    }
    int64_t Pos() const override { return static_cast<int64_t>(pos_); }
    bool Seek(int64_t position) override {
        if (position < 0 || position > Size()) return false;
        pos_ = static_cast<size_t>(position);
        return true;
    }
    int64_t Size() const override { return static_cast<int64_t>(item_->Data.size()); }

private:
    std::shared_ptr<const TPakItem> item_;
    size_t pos_ = 0;
};

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string AbsoluteFolder(const std::string& path) {
    std::string p = std::filesystem::absolute(std::filesystem::path(plat::ResolvePath(path)))
                        .lexically_normal()
                        .generic_string();
    if (p.empty() || p.back() != '/') p += '/';
    return p;
}

void AppendLatin1(std::string& out, uint32_t code) { out += code <= 255 ? static_cast<char>(code) : '?'; }

std::string DecodeUtf16(const std::vector<uint8_t>& bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const uint32_t unit = bigEndian ? (uint32_t(bytes[i]) << 8) | bytes[i + 1]
                                        : (uint32_t(bytes[i + 1]) << 8) | bytes[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            out += '?';  // a pair beyond Latin-1; skip its low half
            if (i + 3 < bytes.size()) i += 2;
            continue;
        }
        AppendLatin1(out, unit);
    }
    return out;
}

std::string DecodeUtf8(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t i = 3;
    while (i < bytes.size()) {
        const uint8_t b = bytes[i];
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= bytes.size()) {
            out += '?';
            ++i;
            continue;
        }
        uint32_t code = extra == 0 ? b : b & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        AppendLatin1(out, code);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

// ---- helpers ------------------------------------------------------------------

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string DecodeText(const std::vector<uint8_t>& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return DecodeUtf16(bytes, true);
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return DecodeUtf16(bytes, false);
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return DecodeUtf8(bytes);
    return std::string(bytes.begin(), bytes.end());
}

int PakVarTypeForExtension(const std::string& ext) {
    const std::string e = LowerAscii(ext);
    if (e == "txt") return PAK_TEXT;
    if (e == "png" || e == "jpg" || e == "tga" || e == "bmp") return PAK_IMAGE;
    if (e == "ttf") return PAK_FONT;
    if (e == "wav" || e == "ogg") return PAK_SOUND;
    return PAK_BINARY;
}

// ---- TTableItem ---------------------------------------------------------------

void TTableItem::ReadFromStream(plat::TStream& stream) {
    Size = stream.ReadInt();
    Offset = stream.ReadInt();
    RealSize = stream.ReadInt();
    VarType = stream.ReadInt();
    Name = TrimName(stream.ReadString(NAME_SIZE));
    if (stream.Failed()) throw TPakError("TPakFile::Truncated entry table");
}

// ---- TPakItem -----------------------------------------------------------------

plat::StreamPtr TPakItem::GetBank() const {
    if (auto self = weak_from_this().lock()) return std::make_unique<TItemStream>(std::move(self));
    return std::make_unique<plat::TBankStream>(Data);
}

std::string TPakItem::GetText() const { return DecodeText(Data); }

plat::ImagePtr TPakItem::GetImage(int flags) const { return plat::LoadImageFromMemory(Data, flags); }

plat::ImageFontPtr TPakItem::GetImageFont(int size, int style) const {
    if (Data.empty()) return nullptr;
    for (int s = size; s > 0; --s) {
        if (auto font = plat::LoadImageFontFromMemory(Data, s, style)) return font;
    }
    return nullptr;
}

// ---- TPakFile -----------------------------------------------------------------

std::unique_ptr<TPakFile> TPakFile::Create(const std::string& path) {
    if (plat::FileType(path) != plat::FILETYPE_FILE) return nullptr;
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) return nullptr;
    auto pak = std::make_unique<TPakFile>();
    pak->FileName = plat::StripDir(path);
    try {
        pak->ReadFromStream(*stream);
    } catch (const TPakError& e) {
        throw TPakError(pak->FileName + ": " + e.what());
    }
    stream->Close();
    return pak;
}

void TPakFile::ReadFromStream(plat::TStream& stream) {
    std::vector<PakItemPtr> items;
    ParseArchive(stream, items);
    Items = std::move(items);
}

// ---- TPakFileManager ------------------------------------------------------------

std::unique_ptr<TPakFileManager> TPakFileManager::Create(const std::string& path, const std::string& ext) {
    auto manager = std::make_unique<TPakFileManager>();
    manager->Path = AbsoluteFolder(path);
    manager->Ext = ext;
    manager->Reload();
    return manager;
}

void TPakFileManager::Reload() {
    Map.clear();
    Problems.clear();
    LoadPaks(Path, Ext);
    LoadFiles(Path);
}

void TPakFileManager::Insert(const PakItemPtr& item) { Map[LowerAscii(item->Name)] = item; }

void TPakFileManager::LoadPaks(const std::string& path, const std::string& ext) {
    const std::string folder = AbsoluteFolder(path);
    std::vector<std::unique_ptr<TPakFile>> paks;
    for (const std::string& name : plat::ReadDir(folder)) {
        if (!EndsWith(name, ext)) continue;
        try {
            if (auto pak = TPakFile::Create(folder + name)) paks.push_back(std::move(pak));
        } catch (const TPakError& e) {
            Problems.push_back({name, e.what()});
        }
    }
    for (const auto& pak : paks)
        for (const auto& item : pak->Items) Insert(item);
}

namespace {
void CollectFiles(const std::string& folder, const std::string& ext, std::vector<std::string>& files) {
    for (const std::string& name : plat::ReadDir(folder)) {
        if (EndsWith(name, ext)) continue;
        const std::string full = folder + name;
        if (plat::FileType(full) == plat::FILETYPE_DIR)
            CollectFiles(full + "/", ext, files);
        else
            files.push_back(full);
    }
}
}  // namespace

void TPakFileManager::LoadFiles(const std::string& path) {
    const std::string folder = AbsoluteFolder(path);
    std::vector<std::string> files;
    CollectFiles(folder, Ext, files);
    for (const std::string& file : files) {
        auto item = std::make_shared<TPakItem>();
        item->Name = file.substr(folder.size());
        item->VarType = PakVarTypeForExtension(plat::ExtractExt(file));
        plat::StreamPtr stream = plat::ReadFile(file);
        if (!stream) throw TPakError("Could not read resource file '" + file + "'");
        item->Data = stream->ReadAll();
        if (stream->Failed()) throw TPakError("Could not read resource file '" + file + "'");
        Insert(item);
    }
}

PakItemPtr TPakFileManager::GetItem(const std::string& name) const {
    const auto it = Map.find(LowerAscii(name));
    return it == Map.end() ? nullptr : it->second;
}

plat::ImagePtr TPakFileManager::GetImage(const std::string& name, int flags) const {
    const PakItemPtr item = GetItem(name);
    return item ? item->GetImage(flags) : nullptr;
}

plat::ImageFontPtr TPakFileManager::GetImageFont(const std::string& name, int size, int style) const {
    const PakItemPtr item = GetItem(name);
    return item ? item->GetImageFont(size, style) : nullptr;
}

