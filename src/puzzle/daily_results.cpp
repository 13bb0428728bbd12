#include "puzzle/daily_results.h"

#include <algorithm>
#include <cerrno>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"

namespace {

std::optional<TDailyResult> ParseLine(const std::string& line) {
    if (line.size() < 12 || line.size() > 20 || line[10] != ' ') return std::nullopt;
    const auto date = ParseIsoDate(line.substr(0, 10));
    const std::string digits = line.substr(11);
    if (!date || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return TDailyResult{*date, std::stoi(digits)};
}

std::vector<std::string> Lines(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (const uint8_t byte : bytes) {
        if (byte == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(byte);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Kept as it was, logged once for the same bytes.
bool SetAside(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string kept = plat::SetAsidePath(path);
    std::vector<uint8_t> keptBytes;
    if (plat::FileType(kept) == plat::FILETYPE_FILE && plat::LoadBytes(kept, keptBytes) && keptBytes == bytes)
        return false;
    std::string note = "The daily results " + path + " are damaged";
    note += plat::WriteFileAtomic(kept, bytes) ? "; they were kept as " + kept : "; they could not be kept aside";
    WriteErrorLog(note + ". The days that could be read stand.");
    return true;
}

}  // namespace

std::string DailyResultsPath(const std::string& player) {
    return Game().ProfilePath + plat::FileNameOf(player) + ".daily";
}

std::vector<TDailyResult> ReadDailyResults(const std::string& path, bool& damaged) {
    damaged = false;
    std::vector<TDailyResult> results;
    std::vector<uint8_t> bytes;
    if (plat::FileType(path) != plat::FILETYPE_FILE || !plat::LoadBytes(path, bytes)) return results;
    const auto lines = Lines(bytes);
    bool bad = lines.empty() || lines.front() != DAILY_RESULTS_HEADER;
    for (size_t i = 1; i < lines.size() && !lines.empty() && !bad; ++i) {
        const auto result = ParseLine(lines[i]);
        if (result) results.push_back(*result);
        bad = bad || (!result && !lines[i].empty());
    }
    if (bad) damaged = SetAside(path, bytes);
    return results;
}

std::vector<TDailyResult> ReadDailyResults(const std::string& path) {
    bool damaged = false;
    return ReadDailyResults(path, damaged);
}

bool RecordDailyResult(const std::string& path, const TCivilDate& date, int score) {
    auto results = ReadDailyResults(path);
    const auto best = DailyBest(results, date);
    if (best && *best >= score) return true;
    std::erase_if(results, [&date](const TDailyResult& r) { return r.Date == date; });
    results.push_back({date, std::max(score, 0)});
    std::sort(results.begin(), results.end(),
              [](const TDailyResult& a, const TDailyResult& b) { return DaysFromCivil(a.Date) < DaysFromCivil(b.Date); });
    std::string text = std::string(DAILY_RESULTS_HEADER) + "\r\n";
    for (const auto& result : results) text += FormatIsoDate(result.Date) + " " + std::to_string(result.Best) + "\r\n";
    if (plat::WriteFileAtomic(path, text)) return true;
    ReportWriteFailure(path, errno);
    return false;
}

std::optional<int> DailyBest(const std::vector<TDailyResult>& results, const TCivilDate& date) {
    std::optional<int> best;
    for (const auto& result : results)
        if (result.Date == date) best = std::max(best.value_or(0), result.Best);
    return best;
}

int DailyStreak(const std::vector<TDailyResult>& results, const TCivilDate& today) {
    int64_t day = DaysFromCivil(today);
    if (!DailyBest(results, today)) --day;
    int streak = 0;
    while (DailyBest(results, CivilFromDays(day - streak))) ++streak;
    return streak;
}
