// pakpack: packs a folder into a pak archive for the game's resource folder.
//
//   pakpack [--v1] [--zero-offsets] [--level N] <folder> <archive.pak>
//
// Every file below the folder (sub-folders included, names with "/") becomes
// one zlib-compressed entry; files and folders ending in ".pak" are left out.
// The default is the table format (version 0x00010001) with each entry's file
// offset in its record; --v1 writes the older format of records back to back.
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/stream.h"
#include "resources/pak_file.h"

namespace {

struct TEntry {
    std::string name;
    int32_t varType = 0;
    int32_t realSize = 0;
    std::vector<uint8_t> packed;
};

struct TOptions {
    bool version1 = false;
    bool zeroOffsets = false;
    int level = Z_DEFAULT_COMPRESSION;
    std::string folder, archive;
};

bool EndsWithPak(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".pak") == 0;
}

void Collect(const std::string& root, const std::string& relative, std::vector<std::string>& files) {
    for (const std::string& name : plat::ReadDir(root + relative)) {
        if (EndsWithPak(name)) continue;
        const std::string path = relative + name;
        if (plat::FileType(root + path) == plat::FILETYPE_DIR)
            Collect(root, path + "/", files);
        else
            files.push_back(path);
    }
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes, int level) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), level) != Z_OK) {
        std::fprintf(stderr, "pakpack: compression failed\n");
        std::exit(1);
    }
    out.resize(size);
    return out;
}

void WriteName(plat::TStream& out, const std::string& name, size_t width) {
    std::string field = name;
    field.resize(width, '\0');
    out.WriteString(field);
}

void CheckName(const std::string& name, size_t width) {
    if (name.size() >= width) {
        std::fprintf(stderr, "pakpack: name too long for this format: %s\n", name.c_str());
        std::exit(1);
    }
}

void WriteVersion1(plat::TBankStream& out, const std::vector<TEntry>& entries) {
    out.WriteInt(PAK_VERSION_1);
    out.WriteInt(static_cast<int32_t>(entries.size()));
    for (const TEntry& e : entries) {
        CheckName(e.name, V1_NAME_SIZE);
        WriteName(out, e.name, V1_NAME_SIZE);
        out.WriteInt(e.varType);
        out.WriteInt(static_cast<int32_t>(e.packed.size()));
        out.WriteInt(e.realSize);
        out.WriteBytes(e.packed.data(), e.packed.size());
    }
}

void WriteTableVersion(plat::TBankStream& out, const std::vector<TEntry>& entries, const TOptions& options) {
    // The table comes first, so offsets are known only after compressing it;
    // its compressed size does not depend on them when they are zero, so lay
    // out the table twice: once to measure, once with the real offsets.
    auto buildTable = [&](int64_t dataStart) {
        plat::TBankStream table;
        int64_t offset = dataStart;
        for (const TEntry& e : entries) {
            CheckName(e.name, NAME_SIZE);
            table.WriteInt(static_cast<int32_t>(e.packed.size()));
            table.WriteInt(options.zeroOffsets ? 0 : static_cast<int32_t>(offset));
            table.WriteInt(e.realSize);
            table.WriteInt(e.varType);
            WriteName(table, e.name, NAME_SIZE);
            offset += static_cast<int64_t>(e.packed.size());
        }
        return table.TakeBytes();
    };
    std::vector<uint8_t> raw = buildTable(0);
    std::vector<uint8_t> packed = Compress(raw, options.level);
    if (!options.zeroOffsets) {
        // Offsets change the table's bytes and so perhaps its compressed size;
        // settle on a fixed point (it converges in a step or two).
        for (int round = 0; round < 8; ++round) {
            raw = buildTable(20 + static_cast<int64_t>(packed.size()));
            std::vector<uint8_t> again = Compress(raw, options.level);
            const bool settled = again.size() == packed.size();
            packed = std::move(again);
            if (settled) break;
        }
    }
    out.WriteInt(PAK_VERSION_TABLE);
    out.WriteInt(static_cast<int32_t>(entries.size()));
    out.WriteInt(static_cast<int32_t>(packed.size()));
    out.WriteInt(static_cast<int32_t>(raw.size()));
    out.WriteBytes(packed.data(), packed.size());
    for (const TEntry& e : entries) out.WriteBytes(e.packed.data(), e.packed.size());
}

int Usage() {
    std::fprintf(stderr, "usage: pakpack [--v1] [--zero-offsets] [--level N] <folder> <archive.pak>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--v1")
            options.version1 = true;
        else if (arg == "--zero-offsets")
            options.zeroOffsets = true;
        else if (arg == "--level" && i + 1 < argc)
            options.level = std::atoi(argv[++i]);
        else if (!arg.empty() && arg[0] == '-')
            return Usage();
        else
            positional.push_back(arg);
    }
    if (positional.size() != 2) return Usage();
    options.folder = positional[0];
    options.archive = positional[1];
    if (plat::FileType(options.folder) != plat::FILETYPE_DIR) {
        std::fprintf(stderr, "pakpack: not a folder: %s\n", options.folder.c_str());
        return 1;
    }
    std::string root = options.folder;
    if (root.back() != '/') root += '/';

    std::vector<std::string> files;
    Collect(root, "", files);
    std::vector<TEntry> entries;
    for (const std::string& file : files) {
        std::vector<uint8_t> bytes;
        plat::StreamPtr in = plat::ReadFile(root + file);
        if (in) bytes = in->ReadAll();
        if (!in || in->Failed()) {
            std::fprintf(stderr, "pakpack: cannot read %s\n", (root + file).c_str());
            return 1;
        }
        TEntry entry;
        entry.name = file;
        entry.varType = PakVarTypeForExtension(plat::ExtractExt(file));
        entry.realSize = static_cast<int32_t>(bytes.size());
        entry.packed = Compress(bytes, options.level);
        entries.push_back(std::move(entry));
    }

    plat::TBankStream out;
    out.WriteInt(PAK_MAGIC);
    if (options.version1)
        WriteVersion1(out, entries);
    else
        WriteTableVersion(out, entries, options);
    const std::string outFolder = plat::ExtractDir(options.archive);
    if (!outFolder.empty()) plat::CreateDir(outFolder, true);
    if (!plat::WriteFileAtomic(options.archive, out.Bytes())) {
        std::fprintf(stderr, "pakpack: cannot write %s\n", options.archive.c_str());
        return 1;
    }
    std::printf("pakpack: %zu entries -> %s\n", entries.size(), options.archive.c_str());
    return 0;
}
