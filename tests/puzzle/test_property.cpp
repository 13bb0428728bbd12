// Random layouts with holes, chains and creation cells anywhere, played with
// random valid swaps (some made while gems are still falling). After every
// tick: no gem on a position without floor, no gem vanishes or appears
// except by a counted clear or a creation cell, marble turns normal only under
// a gem that was being cleared, and the score equals 25 / 50 per cleared gem.
// After every move the board settles within a bounded number of ticks, with
// no gem left hanging over empty floor and no run of three left standing.
#include <random>

#include "puzzle_test_util.h"

namespace {

constexpr int SETTLE_LIMIT = 10000;  // 50 s of logic: far beyond any real cascade

struct Snapshot {
    std::array<bool, BOARD_COLUMNS * BOARD_ROWS> fading{};
    std::array<float, BOARD_COLUMNS * BOARD_ROWS> fadeLeft{};
    std::array<int, BOARD_COLUMNS * BOARD_ROWS> floor{};
    int visible = 0;
    int created = 0;
};

Snapshot Take(const TCellBox& box) {
    Snapshot s;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TCell& cell = box.CellAt(c, r);
            s.fading[c * BOARD_ROWS + r] = cell.DestroyAnimation.has_value();
            s.fadeLeft[c * BOARD_ROWS + r] = cell.DestroyAnimation ? cell.DestroyAnimation->Counter : 0;
            s.floor[c * BOARD_ROWS + r] = box.Layout[c][r].Contents;
            s.visible += cell.Contents != 0 && !cell.DestroyAnimation;
        }
    s.created = box.CreatedGems;
    return s;
}

std::vector<std::string> RandomLayout(std::mt19937& rng) {
    std::uniform_int_distribution<int> percent(0, 99);
    const int holes = percent(rng) / 4;      // 0..24 %
    const int chains = percent(rng) / 8;     // 0..12 %
    const int creates = percent(rng) / 5;    // 0..19 %
    const int marble = 20 + percent(rng) / 3;
    std::vector<std::string> rows;
    for (int r = 0; r < BOARD_ROWS - 2; ++r) {
        std::string row;
        for (int c = 0; c < BOARD_COLUMNS - 2; ++c) {
            char ch = percent(rng) < marble ? 'm' : '.';
            if (percent(rng) < holes) ch = '#';
            else if (percent(rng) < chains) ch = ch == 'm' ? 'K' : 'k';
            else if (percent(rng) < creates || (r == 0 && percent(rng) < 50)) ch = 'c';
            else if (percent(rng) < 8) ch = 'o';
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

class PropertyTest : public PuzzleTest {
protected:
    void Check() {
        const TCellBox& box = *mode->CellBox;
        const Snapshot now = Take(box);
        int newClears = 0;
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            for (int r = 0; r < BOARD_ROWS; ++r) {
                const int i = c * BOARD_ROWS + r;
                const TCell& cell = box.CellAt(c, r);
                if (cell.Contents != 0 && box.Layout[c][r].Contents == FLOOR_NONE)
                    ADD_FAILURE() << "gem on a position without floor at " << c << "," << r;
                // A fade that ended and a new one that started in the same
                // tick (a gem that slid in and joined a run) shows as a
                // counter that went up.
                if (now.fading[i] && (!last.fading[i] || now.fadeLeft[i] > last.fadeLeft[i])) {
                    ++newClears;
                    expectedScore += box.Layout[c][r].Contents == FLOOR_MARBLE ? 50 : 25;
                }
                if (last.floor[i] == FLOOR_MARBLE && now.floor[i] != FLOOR_MARBLE && !last.fading[i])
                    ADD_FAILURE() << "marble lost without a clear at " << c << "," << r;
            }
        const int expectedVisible = last.visible + (now.created - last.created) - newClears;
        if (now.visible != expectedVisible) {
            ADD_FAILURE() << "gems " << now.visible << " expected " << expectedVisible << " at tick " << ticks;
        }
        const int score = GamePlay().Score + GamePlay().ScoreAdder;
        if (score != expectedScore) ADD_FAILURE() << "score " << score << " expected " << expectedScore;
        last = now;
    }

    void Step() {
        Delta = 1.0f;
        mode->Logic();
        ++ticks;
        Check();
    }

    // Ticks until nothing moves; the ticks used.
    int Settle() {
        int used = 0;
        while (!(mode->CellBox->IsSettled() && mode->HintList.Exists) && used < SETTLE_LIMIT) {
            Step();
            ++used;
        }
        return used;
    }

    void CheckAtRest() const {
        const TCellBox& box = *mode->CellBox;
        auto freeFloor = [&box](int c, int r) {
            return TCellBox::IsInterior(c, r) && box.Layout[c][r].Contents != FLOOR_NONE && box.CellAt(c, r).Contents == 0;
        };
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r) {
                const int k = box.CellAt(c, r).Contents;
                if (k == 0) continue;
                const bool chained = box.Layout[c][r].IsChain;
                if (!chained && (freeFloor(c, r + 1) || freeFloor(c - 1, r + 1) || freeFloor(c + 1, r + 1)))
                    ADD_FAILURE() << "gem hanging at " << c << "," << r;
                for (int dir = 0; dir < 2; ++dir) {
                    const int dc = dir == 0, dr = dir == 1;
                    if (!TCellBox::IsInterior(c + 2 * dc, r + 2 * dr)) continue;
                    const TCell& b = box.CellAt(c + dc, r + dr);
                    const TCell& d = box.CellAt(c + 2 * dc, r + 2 * dr);
                    if (b.Contents != k || d.Contents != k) continue;
                    const bool allChained = chained && box.Layout[c + dc][r + dr].IsChain &&
                                            box.Layout[c + 2 * dc][r + 2 * dr].IsChain;
                    if (!allChained) ADD_FAILURE() << "run left standing at " << c << "," << r;
                }
            }
    }

    // A valid move a mouse could make now: neither cell falling nor fading.
    std::optional<TMatch3Hint> PickMove(std::mt19937& rng) const {
        std::vector<TMatch3Hint> usable;
        for (const auto& hint : mode->HintList.Items)
            if (!hint.FirstCell->IsCellInAnimation() && !hint.SecondCell->IsCellInAnimation() &&
                !hint.FirstCell->DestroyAnimation && !hint.SecondCell->DestroyAnimation)
                usable.push_back(hint);
        if (usable.empty()) return std::nullopt;
        return usable[std::uniform_int_distribution<size_t>(0, usable.size() - 1)(rng)];
    }

    void Restart() {
        last = Take(*mode->CellBox);
        expectedScore = GamePlay().Score + GamePlay().ScoreAdder;
    }

    std::unique_ptr<TGameModeMatch3> mode;
    Snapshot last;
    int expectedScore = 0;
    int ticks = 0;
};

}  // namespace

TEST_F(PropertyTest, RandomLayoutsAlwaysSettleAndLoseNothing) {
    int worstSettle = 0, moves = 0, shuffles = 0, earlyMoves = 0;
    for (int layout = 0; layout < 60; ++layout) {
        std::mt19937 rng(1000u + static_cast<unsigned>(layout));
        plat::SeedRnd(static_cast<uint32_t>(layout) * 7919u + 1u);
        GamePlay() = TGamePlay{};
        mode = std::make_unique<TGameModeMatch3>();
        BuildBox(*mode->CellBox, RandomLayout(rng));
        mode->StartLoadedLevel();
        Restart();
        for (int move = 0; move < 15 && !HasFailure(); ++move) {
            // Every other move is made as soon as a move exists, while other
            // gems may still be falling.
            const bool early = move % 2 == 1;
            int used = 0;
            if (early) {
                while (!(mode->HintList.Exists && !mode->HintList.Items.empty() &&
                         !mode->CellBox->IsCellSwitchAnimation()) &&
                       used < SETTLE_LIMIT) {
                    Step();
                    ++used;
                }
            } else {
                used = Settle();
                ASSERT_LT(used, SETTLE_LIMIT) << "layout " << layout << " did not settle";
                CheckAtRest();
            }
            worstSettle = std::max(worstSettle, used);
            if (mode->HintList.IsEmptyList() || (mode->HintList.Exists && mode->HintList.Items.empty())) {
                if (!mode->CellBox->IsSettled()) continue;
                mode->Shuffle();
                ++shuffles;
                Restart();
                continue;
            }
            auto hint = PickMove(rng);
            if (!hint) continue;
            if (mode->CellBox->MarkedCell1) mode->CellBox->CancelSelection();
            mode->CellBox->SetMarkedCell(hint->FirstCell);
            mode->CellBox->SetMarkedCell(hint->SecondCell);
            ASSERT_TRUE(mode->CellBox->IsCellSwitchAnimation())
                << "layout " << layout << " move " << move << " cells " << hint->FirstCell->ArrayX << ","
                << hint->FirstCell->ArrayY << " k" << hint->FirstCell->Contents << " fading "
                << hint->FirstCell->DestroyAnimation.has_value() << " / " << hint->SecondCell->ArrayX << ","
                << hint->SecondCell->ArrayY << " k" << hint->SecondCell->Contents << " fading "
                << hint->SecondCell->DestroyAnimation.has_value();
            ++moves;
            earlyMoves += early && !mode->CellBox->IsSettled();
        }
        const int used = Settle();
        ASSERT_LT(used, SETTLE_LIMIT) << "layout " << layout << " did not settle";
        CheckAtRest();
        if (HasFailure()) {
            ADD_FAILURE() << "layout " << layout;
            break;
        }
    }
    RecordProperty("worst_settle_ticks", worstSettle);
    std::printf("moves %d (during falls %d), shuffles %d, worst settle %d ticks\n", moves, earlyMoves, shuffles,
                worstSettle);
    EXPECT_GT(moves, 500);
    EXPECT_GT(earlyMoves, 20);
}

// A board at rest skips the rules' tick. Played the same way with every tick
// run in full, the same layouts must pass through the very same boards, tick
// by tick, through idle spells long and short, moves made at rest and moves
// made while gems fall, and reshuffles.
TEST_F(PropertyTest, RestingBoardsSkipOnlyTicksThatWouldChangeNothing) {
    auto play = [this](int layout, bool skip) {
        std::mt19937 rng(500u + static_cast<unsigned>(layout));
        plat::SeedRnd(static_cast<uint32_t>(layout) * 104729u + 3u);
        GamePlay() = TGamePlay{};
        mode = std::make_unique<TGameModeMatch3>();
        BuildBox(*mode->CellBox, RandomLayout(rng));
        mode->CellBox->SkipSettledTicks = skip;
        mode->StartLoadedLevel();
        Restart();
        std::vector<uint64_t> trace;
        auto tick = [&] {
            Step();
            uint64_t h = 1469598103934665603ull;
            auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
            for (int c = 0; c < BOARD_COLUMNS; ++c)
                for (int r = 0; r < BOARD_ROWS; ++r) {
                    const TCell& cell = mode->CellBox->CellAt(c, r);
                    mix(uint64_t(cell.Contents) | uint64_t(cell.IsBusy()) << 8 |
                        uint64_t(cell.Particle || cell.ScorePosition) << 9 | uint64_t(cell.X) << 16 |
                        uint64_t(cell.Y) << 32 | uint64_t(mode->CellBox->Layout[c][r].Contents) << 48);
                    if (cell.Glow) mix(uint64_t(cell.Glow->Glow * 1e6f));
                }
            mix(uint64_t(GamePlay().Score + GamePlay().ScoreAdder) << 16 | mode->HintList.Items.size() << 1 |
                mode->HintList.Exists);
            trace.push_back(h);
        };
        for (int move = 0; move < 12; ++move) {
            const int idle = move % 3 == 2 ? 0 : std::uniform_int_distribution<int>(1, 240)(rng);
            for (int i = 0; i < idle || (idle > 0 && !mode->CellBox->IsSettled() && i < SETTLE_LIMIT); ++i) tick();
            if (mode->HintList.Exists && mode->HintList.Items.empty() && mode->CellBox->IsSettled()) {
                mode->Shuffle();
                Restart();
                continue;
            }
            auto hint = PickMove(rng);
            if (!hint || mode->CellBox->IsCellSwitchAnimation()) continue;
            if (mode->CellBox->MarkedCell1) mode->CellBox->CancelSelection();
            mode->CellBox->SetMarkedCell(hint->FirstCell);
            // Now and then a gem stays chosen, glowing, for a while first.
            for (int i = 0; move % 4 == 1 && i < 90; ++i) tick();
            mode->CellBox->SetMarkedCell(hint->SecondCell);
        }
        for (int i = 0; i < 300; ++i) tick();
        return trace;
    };
    for (int layout = 0; layout < 12; ++layout) {
        const std::vector<uint64_t> full = play(layout, false), skipping = play(layout, true);
        ASSERT_EQ(full.size(), skipping.size()) << "layout " << layout;
        const auto differ = std::mismatch(full.begin(), full.end(), skipping.begin());
        EXPECT_TRUE(differ.first == full.end())
            << "layout " << layout << " differs from tick " << differ.first - full.begin();
    }
}
