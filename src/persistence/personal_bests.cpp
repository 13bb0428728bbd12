#include "persistence/personal_bests.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <vector>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/write_failure.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"

namespace {

constexpr const char* HEADER = "Vellichorns bests 1";
constexpr const char* HEADER_WITH_STATS = "Vellichorns bests 2";
constexpr int MAX_FIGURE = 2000000000;

bool SameKey(const std::string& a, const std::string& b) { return IniUpper(a) == IniUpper(b); }

// The next space-separated whole number of line from at, within 0..MAX_FIGURE.
bool ReadFigure(const std::string& line, size_t& at, long long& value) {
    const size_t end = line.find(' ', at);
    if (end == std::string::npos || end == at) return false;
    const char* first = line.data() + at;
    const char* last = line.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value < 0 || value > MAX_FIGURE) return false;
    at = end + 1;
    return true;
}

// The statistics' lines by name, in the order they are written.
struct TStatField {
    const char* name;
    long long TPlayerStats::*value;
};
constexpr TStatField STAT_FIELDS[] = {
    {"play", &TPlayerStats::PlayMs},          {"moves", &TPlayerStats::Moves},
    {"gems", &TPlayerStats::Gems},            {"hints", &TPlayerStats::Hints},
    {"reshuffles", &TPlayerStats::Reshuffles}, {"chainbonus", &TPlayerStats::BestChainBonus},
    {"cascade", &TPlayerStats::LongestCascade}};
constexpr long long MAX_TOTAL = 1000000000000000LL;

// "t <name> <value>": false for a damaged line; a name not known is passed over.
bool ReadStatLine(const std::string& line, TPlayerStats& stats) {
    const size_t space = line.find(' ', 2);
    if (space == std::string::npos || space == 2) return false;
    long long value = 0;
    const char* first = line.data() + space + 1;
    const char* last = line.data() + line.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || value < 0 || value > MAX_TOTAL) return false;
    const std::string name = line.substr(2, space - 2);
    for (const auto& field : STAT_FIELDS)
        if (name == field.name) stats.*field.value = value;
    return true;
}

}  // namespace

void TPlayerStats::Add(const TPlayerStats& more) {
    for (const auto& field : STAT_FIELDS) {
        const bool record = field.value == &TPlayerStats::BestChainBonus || field.value == &TPlayerStats::LongestCascade;
        long long& mine = this->*field.value;
        mine = std::min(MAX_TOTAL, record ? std::max(mine, more.*field.value) : mine + std::max(0LL, more.*field.value));
    }
}

int StarsForWin(int moves, int par) {
    if (par <= 0) return 1;
    if (moves <= par) return 3;
    // Within one and a half times par: moves <= 1.5 * par, kept in whole numbers.
    if (2LL * moves <= 3LL * par) return 2;
    return 1;
}

TBestImprovement ImproveBest(TPersonalBest& best, const TPersonalBest& win) {
    TBestImprovement better;
    if (win.Score > best.Score) best.Score = win.Score, better.Score = true;
    if (win.Moves > 0 && (best.Moves == 0 || win.Moves < best.Moves)) best.Moves = win.Moves, better.Moves = true;
    if (win.TimeMs > 0 && (best.TimeMs == 0 || win.TimeMs < best.TimeMs)) best.TimeMs = win.TimeMs, better.Time = true;
    if (win.Stars > best.Stars) best.Stars = win.Stars, better.Stars = true;
    return better;
}

std::string FormatBests(const std::vector<TBestEntry>& entries, const TPlayerStats& stats) {
    std::string text = std::string(stats.Empty() ? HEADER : HEADER_WITH_STATS) + "\n";
    for (const auto& e : entries) {
        text += e.Custom ? "c " : "s ";
        text += std::to_string(e.Best.Score) + " " + std::to_string(e.Best.Moves) + " " + std::to_string(e.Best.TimeMs) +
                " " + std::to_string(e.Best.Stars) + " " + e.Key + "\n";
    }
    if (!stats.Empty())
        for (const auto& field : STAT_FIELDS) text += std::string("t ") + field.name + " " + std::to_string(stats.*field.value) + "\n";
    return text;
}

std::optional<std::vector<TBestEntry>> ParseBests(const std::string& text, std::string& problem,
                                                  TPlayerStats* stats) {
    std::vector<TBestEntry> entries;
    TPlayerStats read;
    bool withStats = false;
    const std::vector<std::string> lines = SplitLines(text);
    int lineNumber = 0;
    for (std::string line : lines) {
        ++lineNumber;
        // A last line without its LF may still end in a CR.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fault = [&](const std::string& what) {
            problem = "line " + std::to_string(lineNumber) + ": " + what;
            return std::nullopt;
        };
        if (lineNumber == 1) {
            withStats = line == HEADER_WITH_STATS;
            if (line != HEADER && !withStats) return fault("not a bests file");
            continue;
        }
        if (line.empty()) continue;
        if (withStats && line.rfind("t ", 0) == 0) {
            if (!ReadStatLine(line, read)) return fault("a statistic is damaged");
            continue;
        }
        if (line.size() < 2 || (line[0] != 's' && line[0] != 'c') || line[1] != ' ') return fault("no kind of puzzle");
        TBestEntry entry;
        entry.Custom = line[0] == 'c';
        size_t at = 2;
        long long score = 0, moves = 0, time = 0, stars = 0;
        if (!ReadFigure(line, at, score) || !ReadFigure(line, at, moves) || !ReadFigure(line, at, time) ||
            !ReadFigure(line, at, stars))
            return fault("a figure is missing or out of range");
        if (stars > MAX_STARS) return fault("more stars than a puzzle gives");
        entry.Key = line.substr(at);
        if (entry.Key.empty() || entry.Key.find('\r') != std::string::npos) return fault("no puzzle named");
        for (const auto& other : entries)
            if (other.Custom == entry.Custom && SameKey(other.Key, entry.Key)) return fault("the puzzle is listed twice");
        entry.Best = {static_cast<int>(score), static_cast<int>(moves), static_cast<uint32_t>(time), static_cast<int>(stars)};
        entries.push_back(std::move(entry));
    }
    if (lines.empty()) {
        problem = "the file is empty";
        return std::nullopt;
    }
    if (stats) *stats = read;
    return entries;
}

std::string BestsFilePath(const std::string& player) { return Game().ProfilePath + plat::FileNameOf(player) + ".bests"; }

std::string PutAsideBestsPath(const std::string& player) { return plat::SetAsidePath(BestsFilePath(player)); }

TPlayerBests::TPlayerBests(const std::string& player) : player_(player) {
    const std::string path = BestsFilePath(player);
    if (player.empty() || plat::FileType(path) != plat::FILETYPE_FILE) return;
    plat::StreamPtr stream = plat::ReadFile(path);
    std::string problem = "it cannot be read";
    if (stream) {
        const auto bytes = stream->ReadAll();
        stream->Close();
        if (auto parsed = ParseBests(std::string(bytes.begin(), bytes.end()), problem, &stats_)) {
            entries_ = std::move(*parsed);
            return;
        }
    }
    const std::string aside = PutAsideBestsPath(player);
    const bool renamed = plat::RenameFile(path, aside);
    putAside_ = true;
    WriteErrorLog("The personal bests in '" + path + "' are damaged (" + problem + ")" +
                  (renamed ? "; the file is kept as '" + aside + "'" : "; it could not be put aside") +
                  ". The player starts with no bests.");
}

const TPersonalBest* TPlayerBests::Find(bool custom, const std::string& key) const {
    for (const auto& e : entries_)
        if (e.Custom == custom && SameKey(e.Key, key)) return &e.Best;
    return nullptr;
}

TBestImprovement TPlayerBests::RecordWin(bool custom, const std::string& key, const TPersonalBest& win, bool* written) {
    if (written) *written = true;
    // A key that the file could not hold back is no puzzle's.
    if (key.empty() || key.find_first_of("\r\n") != std::string::npos) return {};
    TBestEntry* entry = nullptr;
    for (auto& e : entries_)
        if (e.Custom == custom && SameKey(e.Key, key)) entry = &e;
    if (!entry) entry = &entries_.emplace_back(TBestEntry{custom, key, {}});
    // Figures past what the file holds are held at its limit.
    TPersonalBest held = win;
    held.Score = std::clamp(held.Score, 0, MAX_FIGURE);
    held.Moves = std::clamp(held.Moves, 0, MAX_FIGURE);
    held.TimeMs = std::min<uint32_t>(held.TimeMs, MAX_FIGURE);
    held.Stars = std::clamp(held.Stars, 0, MAX_STARS);
    const TBestImprovement better = ImproveBest(entry->Best, held);
    if (better.Any() && !Write() && written) *written = false;
    return better;
}

bool TPlayerBests::AddStats(const TPlayerStats& more) {
    const TPlayerStats before = stats_;
    stats_.Add(more);
    return stats_ == before || Write();
}

bool TPlayerBests::Write() {
    if (player_.empty()) return true;
    const std::string path = BestsFilePath(player_);
    if (plat::FileType(Game().ProfilePath) == plat::FILETYPE_NONE) plat::CreateDir(Game().ProfilePath, true);
    if (plat::WriteFileAtomic(path, FormatBests(entries_, stats_))) return true;
    ReportWriteFailure(path, errno);
    return false;
}

void DeletePlayerBests(const std::string& player) {
    if (player.empty()) return;
    plat::DeleteFile(BestsFilePath(player));
    plat::DeleteFile(PutAsideBestsPath(player));
}
