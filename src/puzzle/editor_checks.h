#pragma once
// What the level editor checks before a layout may be saved or tried, in
// the order the player hears about it, and the live verdict that answers the
// same question while the player paints: the quick checks at once after
// every change, the trial deals (the one slow check) only once the layout
// has stayed still for a moment, and then a slice per tick.
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "puzzle/cell_box.h"

// The answers of TGameModeEditor::IsLayoutValid, in the order it checks.
enum ELayoutError {
    LAYOUT_VALID = 0,
    LAYOUT_NO_FLOOR = 1,
    LAYOUT_NO_MARBLE = 2,
    LAYOUT_NO_FILL = 3,
    LAYOUT_NO_CREATE = 4,
    LAYOUT_NO_MOVE = 5,
    LAYOUT_NO_START = 6,            // the game cannot deal a starting board with a move
    LAYOUT_CREATE_UNDER_FLOOR = 7,  // a creation cell that can never spawn
    LAYOUT_UNFED = 8,               // floor no falling gem can reach
    LAYOUT_MARBLE_NO_LINE = 9,      // marble that can never be lined up
    LAYOUT_CREATE_EMPTY = 10,       // a move only if creation cells started with gems
    LAYOUT_LAST_ERROR = LAYOUT_CREATE_EMPTY,
};

using TCellPosition = std::pair<int, int>;

// The text-table key of an answer's refusal: "Editor Error 1" .. "Editor
// Error 10"; an answer beyond those reads as 6.
std::string LayoutErrorTextKey(int error);

// Checks 1 to 5: floor, marble, starting gems and creation cells at all, and
// a move on the starting gems when they are all of one kind (the board's
// gems are put back to none afterwards).
int QuickLayoutError(TCellBox& box);
// Checks 7 to 9, with the cell at fault.
int FairnessError(const TCellBox& box, std::optional<TCellPosition>& cell);
// Every check in the order the player hears about it, the trial deals run
// to the end: what a save answers.
int FullLayoutError(TCellBox& box, std::optional<TCellPosition>& cell);
int FullLayoutError(TCellBox& box);

// Check 6: deals random gems on a copy of the layout as the game does when a
// puzzle starts, DEALS times, from a random sequence of its own seeded by the
// layout (the same layout always gets the same answer, and the game's own
// sequence is left alone); the layout passes when every deal finds a
// board with a move within ATTEMPTS attempts. It goes on a few attempts at
// a time, so it can be spread over ticks.
class TDealCheck {
public:
    // A tenth of what the game allows itself when it starts a puzzle, so a
    // layout that passes is all but sure to start.
    static constexpr int DEALS = 3;
    static constexpr int ATTEMPTS = TCellBox::GENERATE_ATTEMPTS / 10;

    explicit TDealCheck(const TCellBox& layout);
    // Up to `attempts` more attempts; true once the answer is known.
    bool Step(int attempts);
    bool Done() const { return done_; }
    bool Passed() const { return done_ && passed_; }
    // Attempts made so far (for tests and the benchmark).
    int Attempts() const { return attempts_; }

private:
    std::unique_ptr<TCellBox> trial_;
    std::mt19937 random_;
    int deal_ = 0;
    int attemptsLeft_ = ATTEMPTS;
    int attempts_ = 0;
    bool done_ = false;
    bool passed_ = false;
};

class TLiveVerdict {
public:
    // The answer while the trial deals still wait or run and nothing else is wrong.
    static constexpr int CHECKING = -1;
    // How long the layout stays still before the deals start.
    static constexpr float STILL_MS = 300;
    // Dealing attempts per tick: about a millisecond's work at most.
    static constexpr int ATTEMPTS_PER_TICK = 10;

    // The layout changed: the quick checks run now, the deals start over.
    void Changed(TCellBox& box);
    // One logic tick of `ticks` (Delta): a layout changed behind the
    // verdict's back counts as changed now; then the still time since the
    // last stroke ended is counted, and once it is long enough, a slice dealt.
    void Tick(TCellBox& box, float ticks, bool painting);
    // What a save would answer now: LAYOUT_VALID, an ELayoutError, or CHECKING.
    int Answer() const;
    // The cell the answer is about, when it is about one.
    std::optional<TCellPosition> FaultCell() const;
    // True once the answer is final (for tests and the benchmark).
    bool Settled() const { return quickError_ != LAYOUT_VALID || dealDone_; }

private:
    // The layout the answer is about.
    TLayoutGrid judged_{};
    int quickError_ = LAYOUT_NO_FLOOR;
    int fairError_ = LAYOUT_VALID;
    std::optional<TCellPosition> fairCell_;
    std::unique_ptr<TDealCheck> deal_;
    bool dealDone_ = false;
    bool dealPassed_ = false;
    float stillTicks_ = 0;
};
