#pragma once
// Archives for the resource tests: packed by the pakpack tool, or built byte
// by byte for the cases the tool never writes.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resources/pak_file.h"

namespace paktest {

namespace fs = std::filesystem;

inline std::string TempFolder(const std::string& name) {
    const auto dir = fs::path(VC_TEST_BINARY_DIR) / "test-tmp" / "resources" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.generic_string() + "/";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// The bytes of an entry as text; "" when there is no such entry.
inline std::string EntryText(const std::shared_ptr<TPakItem>& item) {
    return item ? std::string(item->Data.begin(), item->Data.end()) : std::string();
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Runs the pakpack tool; answers its exit status.
inline int RunPakpack(const std::string& arguments) {
    const std::string command = std::string(VC_PAKPACK) + " " + arguments + " > /dev/null";
    return std::system(command.c_str());
}

inline std::vector<uint8_t> Deflate(const std::string& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<uint8_t> out(size);
    compress(out.data(), &size, reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()));
    out.resize(size);
    return out;
}

// Little-endian byte builder.
class Bytes {
public:
    Bytes& Int(int32_t v) {
        for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    Bytes& Raw(const std::vector<uint8_t>& bytes) {
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Bytes& Text(const std::string& s) {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    // A fixed-width name field, padded with NUL bytes.
    Bytes& Name(const std::string& name, size_t width) {
        std::string field = name;
        field.resize(width, '\0');
        return Text(field);
    }
    std::vector<uint8_t> data;
};

struct Entry {
    std::string name;  // the name field as stored (blanks included)
    std::string content;
    int32_t varType = 0;
};

inline std::vector<uint8_t> Version1(const std::vector<Entry>& entries) {
    Bytes b;
    b.Int(0x4B415021).Int(1).Int(static_cast<int32_t>(entries.size()));
    for (const Entry& e : entries) {
        const auto packed = Deflate(e.content);
        b.Name(e.name, 52).Int(e.varType).Int(static_cast<int32_t>(packed.size()));
        b.Int(static_cast<int32_t>(e.content.size())).Raw(packed);
    }
    return b.data;
}

inline std::vector<uint8_t> TableVersion(const std::vector<Entry>& entries, int32_t offsetBase = 0) {
    Bytes table, blocks;
    for (const Entry& e : entries) {
        const auto packed = Deflate(e.content);
        table.Int(static_cast<int32_t>(packed.size())).Int(offsetBase ? offsetBase + int32_t(blocks.data.size()) : 0);
        table.Int(static_cast<int32_t>(e.content.size())).Int(e.varType).Name(e.name, 256);
        blocks.Raw(packed);
    }
    const auto packedTable = Deflate(std::string(table.data.begin(), table.data.end()));
    Bytes b;
    b.Int(0x4B415021).Int(0x00010001).Int(static_cast<int32_t>(entries.size()));
    b.Int(static_cast<int32_t>(packedTable.size())).Int(static_cast<int32_t>(table.data.size()));
    b.Raw(packedTable).Raw(blocks.data);
    return b.data;
}

}  // namespace paktest
