#include "resources/game_text.h"

#include <algorithm>

#include "platform/stream.h"
#include "resources/error.h"
#include "resources/game_paths.h"
#include "resources/pak_file.h"

namespace {

[[noreturn]] void Fatal(const std::string& text) {
    ErrorMessage(text, true);
    throw TGameError(text);  // in case the report returned
}

// Lines split at LF with a CR before it dropped; a final LF adds no empty line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!last && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool IsHeader(const std::string& line) { return !line.empty() && line[0] == '['; }

}  // namespace

void TGameText::Read(const std::string& file) {
    Map.clear();
    const std::string path = GamePaths().TextPath + file;
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) Fatal("Error loading file " + path);
    const std::vector<uint8_t> bytes = stream->ReadAll();
    if (stream->Failed()) Fatal("Error loading file " + path);
    ReadFromBytes(bytes);
}

void TGameText::ReadFromBytes(const std::vector<uint8_t>& bytes) {
    Map.clear();
    const std::vector<std::string> lines = SplitLines(DecodeText(bytes));
    size_t i = 0;
    while (i < lines.size()) {
        if (UpperAscii(lines[i]) != "[TEXT]") Fatal("[TEXT] header not found");
        ++i;
        // A header followed by another header or the end has no key: skip it.
        if (i >= lines.size() || IsHeader(lines[i])) continue;
        const std::string key = UpperAscii(lines[i++]);
        std::vector<std::string> textLines;
        while (i < lines.size() && !IsHeader(lines[i])) textLines.push_back(lines[i++]);
        Map[key] = std::move(textLines);
    }
}

bool TGameText::ReadOver(const std::string& file) {
    plat::StreamPtr stream = plat::ReadFile(GamePaths().TextPath + file);
    if (!stream) return false;
    const std::vector<uint8_t> bytes = stream->ReadAll();
    if (stream->Failed()) return false;
    TGameText translation;
    translation.ReadFromBytes(bytes);
    for (auto& [key, lines] : translation.Map) {
        const bool empty = std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return line.empty(); });
        if (!empty) Map[key] = std::move(lines);
    }
    return true;
}

const std::vector<std::string>& TGameText::Find(const std::string& key) const {
    static const std::vector<std::string> none;
    const auto it = Map.find(UpperAscii(key));
    return it == Map.end() ? none : it->second;
}

std::string TGameText::FindString(const std::string& key) const {
    std::string joined;
    const auto& lines = Find(key);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) joined += "\r\n";
        joined += lines[i];
    }
    return joined;
}

std::string FillIn(std::string text, const std::string& mark, const std::string& value) {
    if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), value);
    return text;
}

std::string TGameText::FindString(const std::string& key, const std::string& value) const {
    return FillIn(FindString(key), "NNN", value);
}
