#include "puzzle/completion_list.h"

#include <algorithm>
#include <cerrno>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"

namespace {

bool SameKey(const std::string& a, const std::string& b) { return IniUpper(a) == IniUpper(b); }

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

std::string Formatted(const std::vector<TCompletionEntry>& entries) {
    std::string text;
    for (const auto& entry : entries) text += entry.Key + "=" + entry.Value + "\r\n";
    return text;
}

}  // namespace

std::string CompletionFilePath(const std::string& player, bool custom) {
    return Game().ProfilePath + plat::FileNameOf(player + (custom ? "c" : "s")) + ".ini";
}

std::string CompletionKey(const std::string& levelPath) { return plat::NameOfPath(levelPath); }

std::vector<TCompletionEntry> ReadCompletionList(const std::string& path) {
    bool damaged = false;
    return ReadCompletionList(path, damaged);
}

std::vector<TCompletionEntry> ReadCompletionList(const std::string& path, bool& damaged) {
    damaged = false;
    std::vector<TCompletionEntry> entries;
    if (plat::FileType(path) != plat::FILETYPE_FILE) return entries;
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) return entries;
    const auto bytes = stream->ReadAll();
    stream->Close();
    // The first line no game writes: one without "=" (but for blank lines,
    // sections and comments), or one holding a control character.
    int firstBadLine = 0, lineNumber = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n') ++end;
        const std::string line = Trimmed(std::string(bytes.begin() + static_cast<long>(start), bytes.begin() + static_cast<long>(end)));
        ++lineNumber;
        const auto equals = line.find('=');
        const bool control = std::any_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t';
        });
        const bool passed = line.empty() || line.front() == '[' || line.front() == ';';
        if (firstBadLine == 0 && (control || (equals == std::string::npos && !passed))) firstBadLine = lineNumber;
        if (equals != std::string::npos && !control) entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
        start = end + 1;
    }
    if (firstBadLine == 0) return entries;
    // Kept as it was for whoever wants to look, logged and told once: a copy
    // already kept with the same bytes was told before. The list itself is
    // left as it is until the next win writes it with the entries read.
    const std::string kept = plat::SetAsidePath(path);
    std::vector<uint8_t> keptBytes;
    if (plat::FileType(kept) == plat::FILETYPE_FILE && plat::LoadBytes(kept, keptBytes) && keptBytes == bytes)
        return entries;
    damaged = true;
    std::string note = "The completion list " + path + " is damaged (line " + std::to_string(firstBadLine) + ")";
    note += plat::WriteFileAtomic(kept, bytes) ? "; it was kept as " + kept : "; it could not be kept aside";
    WriteErrorLog(note + ". The check marks that could be read stand.");
    return entries;
}

bool IsLevelCompleted(const std::string& path, const std::string& key) {
    const auto entries = ReadCompletionList(path);
    return std::any_of(entries.begin(), entries.end(),
                       [&key](const TCompletionEntry& e) { return SameKey(e.Key, key) && e.Value == "1"; });
}

bool RecordLevelCompleted(const std::string& path, const std::string& key) {
    auto entries = ReadCompletionList(path);
    const auto done = [&key](const TCompletionEntry& e) { return SameKey(e.Key, key) && e.Value == "1"; };
    if (std::any_of(entries.begin(), entries.end(), done)) return true;
    std::erase_if(entries, [&key](const TCompletionEntry& e) { return SameKey(e.Key, key); });
    entries.push_back({key, "1"});
    if (plat::WriteFileAtomic(path, Formatted(entries))) return true;
    ReportWriteFailure(path, errno);
    return false;
}
