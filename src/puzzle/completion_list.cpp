#include "puzzle/completion_list.h"

#include <algorithm>
#include <cerrno>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace {

bool SameKey(const std::string& a, const std::string& b) { return IniUpper(a) == IniUpper(b); }

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

}  // namespace

std::string CompletionFilePath(const std::string& player, bool custom) {
    return Game().ProfilePath + player + (custom ? "c" : "s") + ".ini";
}

std::string CompletionKey(const std::string& levelPath) { return plat::StripAll(levelPath); }

std::vector<TCompletionEntry> ReadCompletionList(const std::string& path) {
    std::vector<TCompletionEntry> entries;
    if (plat::FileType(path) != plat::FILETYPE_FILE) return entries;
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) return entries;
    const auto bytes = stream->ReadAll();
    stream->Close();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\n') ++end;
        const std::string line = Trimmed(std::string(bytes.begin() + static_cast<long>(start), bytes.begin() + static_cast<long>(end)));
        if (const auto equals = line.find('='); equals != std::string::npos)
            entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
        start = end + 1;
    }
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
    std::string text;
    for (const auto& entry : entries) text += entry.Key + "=" + entry.Value + "\r\n";
    if (plat::WriteFileAtomic(path, text)) return true;
    ReportWriteFailure(path, errno);
    return false;
}
