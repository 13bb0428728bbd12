#pragma once
// The daily puzzle: one layout for each calendar date, the same on every
// computer. The date seeds a random sequence whose numbers and reductions
// are all our own code; candidates are drawn from it until one passes the
// editor's checks and the automatic player finishes it within the day's
// move limit. Easier early in the week (Monday), harder at its end (Sunday).
#include <cstdint>
#include <optional>
#include <string>

#include "puzzle/board_text.h"

struct TCivilDate {
    int Year = 1970;
    int Month = 1;  // 1..12
    int Day = 1;    // 1..31
    bool operator==(const TCivilDate&) const = default;
};

// "YYYY-MM-DD" of a real date of the years 1900..9999, or none.
std::optional<TCivilDate> ParseIsoDate(const std::string& text);
std::string FormatIsoDate(const TCivilDate& date);
// Days since 1970-01-01 and back.
int64_t DaysFromCivil(const TCivilDate& date);
TCivilDate CivilFromDays(int64_t days);
// 0 = Monday .. 6 = Sunday.
int WeekdayOf(const TCivilDate& date);
// The local date of seconds since 1970 as the calendar shows it.
TCivilDate DateOfLocalTime(int64_t seconds);

// splitmix64: the daily puzzle's own numbers, fixed by this code alone.
class TDailyRandom {
public:
    explicit TDailyRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, count), count > 0 (rejection keeps it unbiased).
    int Below(int count);
    // Uniform in [low, high].
    int Between(int low, int high) { return low + Below(high - low + 1); }

private:
    uint64_t state_;
};

struct TDailyPuzzle {
    TLayoutBlocks Layout;
    int Candidate = 0;  // how many candidates were refused before it
    int Moves = 0;      // the automatic player's moves to finish it
    int MoveLimit = 0;
    uint32_t ProofSeed = 0;  // the deal the automatic player finished it from
};

// How many candidates are tried before the day falls back to its easiest shape.
constexpr int DAILY_CANDIDATES = 40;

uint64_t DailySeed(const TCivilDate& date);
// The day's move limit for the automatic player (fewer moves on easy days).
int DailyMoveLimit(const TCivilDate& date);
// One candidate layout of the day's sequence (shape, marble, chains,
// creation cells), not yet checked.
TLayoutBlocks DailyCandidate(TDailyRandom& random, int weekday);
// The editor's checks, then the automatic player from a deal fixed by seed;
// the moves it took, or none when refused or unfinished within moveLimit.
// Leaves the game's own play state, hooks and random sequence as they were.
std::optional<int> ProveLayout(const TLayoutBlocks& layout, uint32_t seed, int moveLimit);
// The day's puzzle.
TDailyPuzzle MakeDailyPuzzle(const TCivilDate& date);
