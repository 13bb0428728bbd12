#pragma once
// Each player's personal bests, one record per puzzle played to a win:
// the best score, the fewest moves, the fastest play time and the most stars.
// Kept in the profile folder as "<name>.bests", a small text file:
//
//   Vellichorns bests 1
//   s 12840 31 95230 3 007
//   c 4410 18 40100 2 My Garden
//
// A line per puzzle after the header: "s" (standard) or "c" (custom), score,
// moves, milliseconds of play, stars, and the puzzle's key (the rest of the
// line; compared upper-cased). Moves and time of 0 mean none recorded.
//
// A file with the player's statistics says "Vellichorns bests 2" and holds a
// line per running total, "t <name> <value>" (names: play, moves, gems,
// hints, reshuffles, chainbonus, cascade); names it does not know are kept
// out of the way by the reader. Files of the first kind read as before.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TPersonalBest {
    int Score = 0;
    int Moves = 0;
    uint32_t TimeMs = 0;
    int Stars = 0;
};

struct TBestEntry {
    bool Custom = false;
    std::string Key;
    TPersonalBest Best;
};

// Which figures a win improved.
struct TBestImprovement {
    bool Score = false, Moves = false, Time = false, Stars = false;
    bool Any() const { return Score || Moves || Time || Stars; }
};

constexpr int MAX_STARS = 3;

// A player's running totals, counted as the game runs: milliseconds of play
// (pauses left out), moves, gems cleared, hints and reshuffles asked for,
// and two records: the best chain bonus and the longest cascade (matches in
// one chain).
struct TPlayerStats {
    long long PlayMs = 0, Moves = 0, Gems = 0, Hints = 0, Reshuffles = 0;
    long long BestChainBonus = 0, LongestCascade = 0;
    // Sums the totals, keeps the larger record.
    void Add(const TPlayerStats& more);
    bool Empty() const { return *this == TPlayerStats{}; }
    bool operator==(const TPlayerStats&) const = default;
};

// Stars for a win in `moves`: three at or under par, two within one and a
// half times par, one otherwise; one when the puzzle has no par (par <= 0).
int StarsForWin(int moves, int par);

// Folds a win into best, each figure on its own: a figure only ever improves.
// A best with no moves or time recorded takes the win's.
TBestImprovement ImproveBest(TPersonalBest& best, const TPersonalBest& win);

// The file's text and back. Parse answers nothing for a damaged text and
// names the first fault in problem.
std::string FormatBests(const std::vector<TBestEntry>& entries, const TPlayerStats& stats = {});
std::optional<std::vector<TBestEntry>> ParseBests(const std::string& text, std::string& problem,
                                                  TPlayerStats* stats = nullptr);

// ProfilePath + name + ".bests", the name in UTF-8 (plat::FileNameOf).
std::string BestsFilePath(const std::string& player);
// Where a damaged bests file is put aside: BestsFilePath + ".bad".
std::string PutAsideBestsPath(const std::string& player);

// One player's bests as stored.
class TPlayerBests {
public:
    // Reads the player's file. A missing file: no bests. A damaged one is
    // put aside (PutAsideBestsPath), the fault logged, and the player starts
    // with no bests; nothing else of the player's is touched.
    explicit TPlayerBests(const std::string& player);

    const TPersonalBest* Find(bool custom, const std::string& key) const;
    // Folds a win into the puzzle's bests and writes the file when a figure
    // improved. Written is false when that write failed (reported as every
    // failed write is).
    TBestImprovement RecordWin(bool custom, const std::string& key, const TPersonalBest& win, bool* written = nullptr);
    const std::vector<TBestEntry>& Entries() const { return entries_; }
    const TPlayerStats& Stats() const { return stats_; }
    // Adds a stretch of play to the statistics and writes the file (false
    // when that failed; reported as every failed write is).
    bool AddStats(const TPlayerStats& more);
    bool PutAside() const { return putAside_; }

private:
    bool Write();

    std::string player_;
    std::vector<TBestEntry> entries_;
    TPlayerStats stats_;
    bool putAside_ = false;
};

// Removes the player's bests and any put aside (a deleted player).
void DeletePlayerBests(const std::string& player);
