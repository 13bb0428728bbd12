#pragma once
// A player's daily puzzles won: the best score of each date, in a small file
// of the player's own beside the completion lists (player + ".daily"):
// a header line, then one "YYYY-MM-DD score" line a date. Written whole
// through the crash-safe writer; a damaged file is kept beside it as ".bad"
// and logged, and the lines that could be read stand.
#include <optional>
#include <string>
#include <vector>

#include "puzzle/daily_puzzle.h"

constexpr const char* DAILY_RESULTS_HEADER = "Vellichorns Daily Results 1";

struct TDailyResult {
    TCivilDate Date;
    int Best = 0;
    bool operator==(const TDailyResult&) const = default;
};

std::string DailyResultsPath(const std::string& player);
// The results by date; a missing file has none. damaged: the file held a
// line no game writes (told once for the same bytes).
std::vector<TDailyResult> ReadDailyResults(const std::string& path, bool& damaged);
std::vector<TDailyResult> ReadDailyResults(const std::string& path);
// The day won with score: kept when it beats the day's best. False only
// when writing failed.
bool RecordDailyResult(const std::string& path, const TCivilDate& date, int score);

std::optional<int> DailyBest(const std::vector<TDailyResult>& results, const TCivilDate& date);
// Days won in a row up to today, or up to yesterday while today is not won yet.
int DailyStreak(const std::vector<TDailyResult>& results, const TCivilDate& today);
