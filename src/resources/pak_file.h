#pragma once
// Pak archives: little-endian files of named, zlib-compressed entries, and the
// manager that reads every archive and loose file of the resource folder into
// memory and serves entries by lower-cased name.
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/stream.h"

constexpr int32_t PAK_MAGIC = 0x4B415021;  // "!PAK"
constexpr int32_t PAK_VERSION_1 = 1;
constexpr int32_t PAK_VERSION_TABLE = 0x00010001;
constexpr int NAME_SIZE = 256;    // name field of a table record
constexpr int ITEM_SIZE = 272;    // one table record
constexpr int V1_NAME_SIZE = 52;  // name field of a version-1 entry record
constexpr int V1_RECORD_SIZE = 64;
// Largest uncompressed entry or table we accept (256 MiB).
constexpr int64_t PAK_MAX_ENTRY_SIZE = int64_t(256) << 20;

enum PakVarType { PAK_BINARY = 0, PAK_TEXT = 1, PAK_IMAGE = 2, PAK_FONT = 3, PAK_SOUND = 4 };

// VarType of a loose file from its extension (compared lower-cased).
int PakVarTypeForExtension(const std::string& ext);

// A damaged, truncated or unsupported archive.
class TPakError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One record of the compressed entry table (version 0x00010001).
struct TTableItem {
    int32_t Size = 0;
    int32_t Offset = 0;
    int32_t RealSize = 0;
    int32_t VarType = 0;
    std::string Name;

    void ReadFromStream(plat::TStream& stream);
};

// One entry held in memory. Every conversion builds a new object.
class TPakItem : public std::enable_shared_from_this<TPakItem> {
public:
    std::string Name;
    int32_t VarType = PAK_BINARY;
    std::vector<uint8_t> Data;

    const std::vector<uint8_t>& GetBinary() const { return Data; }
    // A read-only stream straight over Data (no copy); keeps the item alive.
    plat::StreamPtr GetBank() const;
    // Decoded by byte-order mark (UTF-16 BE/LE, UTF-8) into 8-bit text.
    std::string GetText() const;
    plat::ImagePtr GetImage(int flags = plat::DEFAULT_FLAGS) const;
    // Lowers the size until the face accepts it; null when none does.
    plat::ImageFontPtr GetImageFont(int size, int style = plat::SMOOTHFONT) const;
};
using PakItemPtr = std::shared_ptr<TPakItem>;

// One opened archive.
class TPakFile {
public:
    std::string FileName;
    std::vector<PakItemPtr> Items;

    // Null when the file cannot be opened; throws TPakError when it is damaged
    // or unsupported (the message names the file and, where known, the entry).
    static std::unique_ptr<TPakFile> Create(const std::string& path);
    // Throws TPakError on a bad magic, version, size or damaged entry.
    void ReadFromStream(plat::TStream& stream);
};

// An archive that LoadPaks skipped, with the reason.
struct TPakProblem {
    std::string File;  // the archive's file name (no folder)
    std::string Message;
};

class TPakFileManager {
public:
    std::string Path;  // absolute, ending in "/"
    std::string Ext;
    std::map<std::string, PakItemPtr> Map;
    // Archives that failed to read during the last Reload (they are skipped).
    std::vector<TPakProblem> Problems;

    static std::unique_ptr<TPakFileManager> Create(const std::string& path, const std::string& ext);
    void Reload();
    void LoadPaks(const std::string& path, const std::string& ext);
    void LoadFiles(const std::string& path);

    PakItemPtr GetItem(const std::string& name) const;
    plat::ImagePtr GetImage(const std::string& name, int flags = plat::DEFAULT_FLAGS) const;
    plat::ImageFontPtr GetImageFont(const std::string& name, int size, int style = plat::SMOOTHFONT) const;

private:
    void Insert(const PakItemPtr& item);
};

// Helpers shared with the text table.
std::string LowerAscii(std::string s);
std::string UpperAscii(std::string s);
// Decodes bytes by their byte-order mark; characters above 255 become '?'.
std::string DecodeText(const std::vector<uint8_t>& bytes);
