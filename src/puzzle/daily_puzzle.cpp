#include "puzzle/daily_puzzle.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <tuple>
#include <utility>

#include "platform/clock.h"
#include "puzzle/auto_player.h"
#include "puzzle/cell_box.h"
#include "puzzle/editor_checks.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"

// ---- dates ---------------------------------------------------------------------------

int64_t DaysFromCivil(const TCivilDate& date) {
    const int64_t year = date.Year - (date.Month <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (date.Month > 2 ? date.Month - 3 : date.Month + 9) + 2) / 5 + date.Day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

TCivilDate CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    TCivilDate date;
    date.Day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    date.Month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    date.Year = static_cast<int>(yearOfEra + era * 400 + (date.Month <= 2 ? 1 : 0));
    return date;
}

int WeekdayOf(const TCivilDate& date) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((DaysFromCivil(date) + 3) % 7 + 7) % 7);
}

std::optional<TCivilDate> ParseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&text](size_t from, size_t count) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const TCivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (date.Year < 1900 || date.Month < 1 || date.Month > 12 || date.Day < 1) return std::nullopt;
    // A day past the month's end comes back as another date.
    if (CivilFromDays(DaysFromCivil(date)) != date) return std::nullopt;
    return date;
}

std::string FormatIsoDate(const TCivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    return text;
}

TCivilDate DateOfLocalTime(int64_t seconds) {
    return ParseIsoDate(plat::FormatLocalTime(seconds, "%Y-%m-%d")).value_or(CivilFromDays(seconds / 86400));
}

// ---- numbers -------------------------------------------------------------------------

uint64_t TDailyRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int TDailyRandom::Below(int count) {
    const auto range = static_cast<uint64_t>(count);
    // Draws in the top band that does not divide evenly are drawn again.
    const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    uint64_t value = Next();
    while (value >= limit) value = Next();
    return static_cast<int>(value % range);
}

uint64_t DailySeed(const TCivilDate& date) {
    return static_cast<uint64_t>(DaysFromCivil(date)) * 0xD1B54A32D192ED03ull ^ 0x56454C4C4943484Full;
}

// ---- candidates ----------------------------------------------------------------------

namespace {

// Both cells of a mirrored pair (columns c and 15 - c of the value block).
template <typename F>
void Mirrored(int column, F&& apply) {
    apply(column);
    apply(BLOCK_COLUMNS - 1 - column);
}

void AddShape(TDailyRandom& random, TLayoutBlocks& layout, int weekday) {
    const int pieces = random.Between(2, 3);
    for (int piece = 0; piece < pieces; ++piece) {
        const int left = random.Between(0, 5);
        const int right = random.Between(left + 1, 7);
        const int top = random.Between(0, 5);
        const int bottom = random.Between(top + 3, 11);
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column)
                Mirrored(column, [&](int c) { layout.Contents[row][c] = FLOOR_NORMAL; });
    }
    // Later in the week a pillar or two stands in the way of falling gems.
    for (int hole = 0; hole < weekday / 3; ++hole) {
        const int row = random.Between(3, 9);
        const int column = random.Between(1, 6);
        Mirrored(column, [&](int c) { layout.Contents[row][c] = FLOOR_NONE; });
    }
}

void AddCreationAndFill(TLayoutBlocks& layout) {
    for (int row = 0; row < BLOCK_ROWS; ++row)
        for (int column = 0; column < BLOCK_COLUMNS; ++column) {
            if (layout.Contents[row][column] == FLOOR_NONE) continue;
            layout.IsFill[row][column] = 1;
            layout.IsCreate[row][column] = row == 0 || layout.Contents[row - 1][column] == FLOOR_NONE;
        }
}

// Mirrored pairs of cells on plain floor below the creation cells, chosen by
// flag, `pairs` times at most; deeper rows are preferred later in the week.
void Sprinkle(TDailyRandom& random, TLayoutBlocks& layout, TBlock& flags, int pairs, int weekday) {
    for (int tries = 0; pairs > 0 && tries < 200; ++tries) {
        const int column = random.Below(BLOCK_COLUMNS / 2);
        // Two draws in a fixed order: the deeper of them late in the week.
        const int first = random.Below(BLOCK_ROWS);
        const int second = random.Below(BLOCK_ROWS);
        const int row = weekday >= 4 ? std::max(first, second) : first;
        if (layout.Contents[row][column] == FLOOR_NONE || layout.IsCreate[row][column] || flags[row][column]) continue;
        Mirrored(column, [&](int c) { flags[row][c] = 1; });
        --pairs;
    }
}

}  // namespace

TLayoutBlocks DailyCandidate(TDailyRandom& random, int weekday) {
    TLayoutBlocks layout;
    AddShape(random, layout, weekday);
    AddCreationAndFill(layout);
    TBlock marble{};
    Sprinkle(random, layout, marble, 2 + weekday + random.Below(3), weekday);
    Sprinkle(random, layout, layout.IsChain, weekday / 2 + random.Below(2) * (weekday > 0), weekday);
    for (int row = 0; row < BLOCK_ROWS; ++row)
        for (int column = 0; column < BLOCK_COLUMNS; ++column)
            if (marble[row][column]) layout.Contents[row][column] = FLOOR_MARBLE;
    return layout;
}

int DailyMoveLimit(const TCivilDate& date) { return 60 + 15 * WeekdayOf(date); }

// ---- the proof -----------------------------------------------------------------------

namespace {

// The proof plays at a speed of its own, whatever the player's: the same
// on every computer, and quick (the rules are the same at any speed).
constexpr float PROOF_SPEED = 4.0f;
constexpr int PROGRESS_AT_HALF = 90;

// Keeps what a headless game touches of the running game: the play state,
// the hooks (no sounds, effects or questions while proving), the random
// sequence, the speed and the tick's Delta.
class TProofScope {
public:
    explicit TProofScope(uint32_t seed) : random_(seed), scopedRandom_(random_) {
        PuzzleHooks() = TPuzzleHooks{};
        PuzzleHooks().LoadLayout = hooks_.LoadLayout;
        AnimTiming().CurrentSpeed = PROOF_SPEED;
    }
    ~TProofScope() {
        PuzzleHooks() = hooks_;
        GameState() = state_;
        PlayClock() = clock_;
        TGamePlay& play = GamePlay();
        play.CurrentLevel = currentLevel_;
        std::tie(play.IsCustomLevel, play.ShowVictoryParticles, play.Score, play.ScoreAdder) = numbers_;
        Delta = delta_;
        AnimTiming().CurrentSpeed = speed_;
    }
    TProofScope(const TProofScope&) = delete;
    TProofScope& operator=(const TProofScope&) = delete;

private:
    TPuzzleHooks hooks_ = PuzzleHooks();
    TState state_ = GameState();
    TPlayClock clock_ = PlayClock();
    std::string currentLevel_ = GamePlay().CurrentLevel;
    std::tuple<int, int, int, int> numbers_{GamePlay().IsCustomLevel, GamePlay().ShowVictoryParticles,
                                           GamePlay().Score, GamePlay().ScoreAdder};
    float delta_ = Delta;
    float speed_ = AnimTiming().CurrentSpeed;
    std::mt19937 random_;
    plat::TScopedRnd scopedRandom_;
};

}  // namespace

std::optional<int> ProveLayout(const TLayoutBlocks& layout, uint32_t seed, int moveLimit) {
    auto box = TCellBox::New();
    box->Clear();
    ApplyLayout(*box, layout);
    box->UpdateDrawWall();
    if (FullLayoutError(*box) != LAYOUT_VALID) return std::nullopt;
    const TProofScope scope(seed);
    TGameModeMatch3 mode;
    mode.StartFromLayout(*box);
    TAutoPlayer player(mode);
    // A candidate with a tenth of its marble left at half the limit is given
    // up at once: the last marble is the hardest, and trying costs the most.
    const TAutoPlayResult first = player.PlayLevel(moveLimit / 2);
    if (first.Finished) return first.Moves;
    if (first.Stuck || mode.ProgressPercent() < PROGRESS_AT_HALF) return std::nullopt;
    const TAutoPlayResult second = player.PlayLevel(moveLimit - first.Moves);
    if (!second.Finished) return std::nullopt;
    return first.Moves + second.Moves;
}

TDailyPuzzle MakeDailyPuzzle(const TCivilDate& date) {
    TDailyRandom random(DailySeed(date));
    const int weekday = WeekdayOf(date);
    TDailyPuzzle puzzle;
    puzzle.MoveLimit = DailyMoveLimit(date);
    // Past the candidates of its own weekday, a day falls back to Monday's kind.
    for (int candidate = 0; candidate < 2 * DAILY_CANDIDATES; ++candidate) {
        puzzle.Layout = DailyCandidate(random, candidate < DAILY_CANDIDATES ? weekday : 0);
        puzzle.Candidate = candidate;
        puzzle.ProofSeed = static_cast<uint32_t>(random.Next() >> 32);
        if (const auto moves = ProveLayout(puzzle.Layout, puzzle.ProofSeed, puzzle.MoveLimit)) {
            puzzle.Moves = *moves;
            return puzzle;
        }
    }
    return puzzle;
}
