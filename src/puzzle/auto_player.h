#pragma once
// An automatic player for headless play: picks a move from the board's hint
// list (moves that clear marble first, then moves near the marble left),
// feeds it through the same selection a mouse would use, and ticks the play
// mode until the board has settled.
#include <functional>
#include <optional>

#include "puzzle/match3_hint.h"

class TGameModeMatch3;

struct TAutoPlayResult {
    bool Finished = false;  // no marble left
    int Moves = 0;
    int Ticks = 0;
    int Shuffles = 0;
    bool Stuck = false;  // a board that did not settle within the tick limit
};

class TAutoPlayer {
public:
    explicit TAutoPlayer(TGameModeMatch3& mode) : mode_(mode) {}

    int MaxSettleTicks = 20000;
    // Called after every tick and before every reshuffle (for checks in tests).
    std::function<void()> OnTick;
    std::function<void()> OnShuffle;

    // One logic tick of the play mode at Delta 1.
    void Tick();
    // Ticks until nothing moves and the hint list is known; the ticks used, or -1.
    int TickUntilSettled();
    std::optional<TMatch3Hint> ChooseMove() const;
    // Plays one move and waits for the board to settle; false when there was none.
    bool PlayMove();
    // Plays until no marble is left or maxMoves moves were made, answering
    // yes to the reshuffle question whenever no move is left.
    TAutoPlayResult PlayLevel(int maxMoves);

private:
    int ValueOfMove(const TMatch3Hint& hint) const;
    TGameModeMatch3& mode_;
    int ticks_ = 0;
};
