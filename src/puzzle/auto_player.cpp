#include "puzzle/auto_player.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <utility>

#include "resources/fixed_rate_logic.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"

namespace {

constexpr int MARBLE_WEIGHT = 1000;
constexpr int DISTANCE_WEIGHT = 10;

// The cells a run of kind through [column, row] would clear (both directions).
int CollectClears(const TCellBox& box, int column, int row, int kind, std::array<const TCell*, 64>& out, int count) {
    if (!box.WillCreateMatch(column, row, kind)) return count;
    for (int vertical = 0; vertical <= 1; ++vertical) {
        const int dc = vertical ? 0 : 1;
        const int dr = vertical ? 1 : 0;
        std::array<const TCell*, 32> run{};
        int length = 0;
        for (int c = column, r = row; TCellBox::IsInside(c, r) && box.CellAt(c, r).Contents == kind; c -= dc, r -= dr)
            run[length++] = &box.CellAt(c, r);
        for (int c = column + dc, r = row + dr; TCellBox::IsInside(c, r) && box.CellAt(c, r).Contents == kind;
             c += dc, r += dr)
            run[length++] = &box.CellAt(c, r);
        if (length < 3) continue;
        for (int i = 0; i < length && count < static_cast<int>(out.size()); ++i) out[count++] = run[i];
    }
    return count;
}

}  // namespace

void TAutoPlayer::Tick() {
    Delta = 1.0f;
    mode_.Logic();
    ++ticks_;
    if (OnTick) OnTick();
}

int TAutoPlayer::TickUntilSettled() {
    for (int used = 0; used < MaxSettleTicks; ++used) {
        const TCellBox& box = *mode_.CellBox;
        if (box.IsSettled() && mode_.HintList.Exists && !box.MarkedCell2) return used;
        Tick();
    }
    return -1;
}

int TAutoPlayer::ValueOfMove(const TMatch3Hint& hint) const {
    TCellBox& box = *mode_.CellBox;
    TCell& first = *hint.FirstCell;
    TCell& second = *hint.SecondCell;
    std::swap(first.Contents, second.Contents);
    std::array<const TCell*, 64> clears{};
    int count = CollectClears(box, first.ArrayX, first.ArrayY, first.Contents, clears, 0);
    count = CollectClears(box, second.ArrayX, second.ArrayY, second.Contents, clears, count);
    std::swap(first.Contents, second.Contents);

    int marble = 0;
    int nearest = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const TCell& cell = *clears[i];
        if (box.Layout[cell.ArrayX][cell.ArrayY].Contents == FLOOR_MARBLE) ++marble;
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r) {
                if (box.Layout[c][r].Contents != FLOOR_MARBLE) continue;
                const int distance = std::abs(c - cell.ArrayX) + std::abs(r - cell.ArrayY);
                if (distance < nearest) nearest = distance;
            }
    }
    if (nearest == INT_MAX) nearest = 0;
    return marble * MARBLE_WEIGHT - nearest * DISTANCE_WEIGHT + count;
}

std::optional<TMatch3Hint> TAutoPlayer::ChooseMove() const {
    std::optional<TMatch3Hint> best;
    int bestValue = INT_MIN;
    for (const TMatch3Hint& hint : mode_.HintList.Items) {
        if (!hint.FirstCell || !hint.SecondCell) continue;
        const int value = ValueOfMove(hint);
        if (value > bestValue) {
            bestValue = value;
            best = hint;
        }
    }
    return best;
}

bool TAutoPlayer::PlayMove() {
    const auto move = ChooseMove();
    if (!move) return false;
    TCellBox& box = *mode_.CellBox;
    // A selection left over from earlier input is dropped first.
    box.CancelSelection();
    box.SetMarkedCell(move->FirstCell);
    box.SetMarkedCell(move->SecondCell);
    Tick();
    return TickUntilSettled() >= 0;
}

TAutoPlayResult TAutoPlayer::PlayLevel(int maxMoves) {
    TAutoPlayResult result;
    ticks_ = 0;
    if (TickUntilSettled() < 0) {
        result.Stuck = true;
        return result;
    }
    while (!mode_.IsFinished() && result.Moves < maxMoves) {
        if (mode_.HintList.Items.empty()) {
            // Let the score roll-up end before the reshuffle resets it.
            while (GamePlay().ScoreAdder != 0) Tick();
            if (OnShuffle) OnShuffle();
            mode_.Shuffle();
            ++result.Shuffles;
            if (TickUntilSettled() < 0) {
                result.Stuck = true;
                break;
            }
            continue;
        }
        if (!PlayMove()) {
            result.Stuck = true;
            break;
        }
        ++result.Moves;
    }
    while (GamePlay().ScoreAdder != 0) Tick();
    result.Finished = mode_.IsFinished();
    result.Ticks = ticks_;
    return result;
}
