// The automatic player finishes small levels, and the score it earns is
// exactly 25 or 50 for every gem it cleared.
#include <tuple>

#include "puzzle/auto_player.h"
#include "puzzle_test_util.h"

namespace {

struct Level {
    const char* name;
    std::vector<std::string> rows;
};

std::vector<Level> SmallLevels() {
    return {
        {"open square",
         {"cccccccc", "........", "..mmmm..", "..mmmm..", "..mmmm..", "..mmmm..", "........", "........"}},
        {"holes and chains",
         {"cccccc#cccccc", "......#......", "..m.......m..", ".#.kk.m.kk.#.", "..m...#...m..", ".....###.....",
          "mm.........mm", "............."}},
        {"deep creation cells under a shelf",
         {"cccc####cccc", "....####....", "....cccc....", "..mm....mm..", "............", "mmmmmmmmmmmm"}},
        {"marble under chains",
         {"cccccccccc", "..........", "..KK..KK..", "..........", "mm......mm", ".........."}},
    };
}

class AutoPlayerTest : public PuzzleTest {};

}  // namespace

TEST_F(AutoPlayerTest, FinishesSmallLevelsWithTheRightScore) {
    for (const Level& level : SmallLevels()) {
        SCOPED_TRACE(level.name);
        plat::SeedRnd(2024);
        GamePlay() = TGamePlay{};
        TGameModeMatch3 mode;
        PuzzleHooks().LoadLayout = [&level](TCellBox& box, const std::string&) {
            BuildBox(box, level.rows);
            return true;
        };
        ASSERT_EQ(mode.Init(level.name, 0), 1);
        ASSERT_GT(mode.TotalMarbles, 0);

        // Watch every gem start to fade and what floor it lies on.
        int points = 0;
        std::array<float, BOARD_COLUMNS * BOARD_ROWS> fadeLeft{};
        TAutoPlayer player(mode);
        player.OnTick = [&] {
            for (int c = 0; c < BOARD_COLUMNS; ++c)
                for (int r = 0; r < BOARD_ROWS; ++r) {
                    const TCell& cell = mode.CellBox->CellAt(c, r);
                    float& last = fadeLeft[c * BOARD_ROWS + r];
                    const float now = cell.DestroyAnimation ? cell.DestroyAnimation->Counter : 0;
                    if (cell.DestroyAnimation && now > last)
                        points += mode.CellBox->Layout[c][r].Contents == FLOOR_MARBLE ? 50 : 25;
                    last = now;
                }
        };
        player.OnShuffle = [&points] { points = 0; };
        const TAutoPlayResult result = player.PlayLevel(400);

        EXPECT_TRUE(result.Finished) << result.Moves << " moves";
        EXPECT_FALSE(result.Stuck);
        EXPECT_EQ(mode.CellBox->GetLayoutCellMarbleCount(), 0);
        EXPECT_EQ(mode.ProgressPercent(), 100);
        EXPECT_GT(points, 0);
        EXPECT_EQ(GamePlay().Score, points);
        EXPECT_EQ(GamePlay().ScoreAdder, 0);
        // The level counts as won once any bonus display is over.
        int waited = 0;
        while (!mode.IsGameFinished() && waited < 2000) {
            player.Tick();
            ++waited;
        }
        EXPECT_LT(waited, 2000);
        std::printf("%s: %d moves, %d shuffles, %d ticks, score %d\n", level.name, result.Moves, result.Shuffles,
                    result.Ticks, GamePlay().Score);
    }
}

TEST_F(AutoPlayerTest, PrefersMovesThatClearMarble) {
    TGameModeMatch3 mode;
    // Row 1: a move at the left clears normal floor; at the right, marble.
    BuildBox(*mode.CellBox, {"....##mmm", "#..###..."}, {"1211  343", " 56   536"});
    TickMode(mode);
    ASSERT_GE(mode.HintList.Items.size(), 2u);
    TAutoPlayer player(mode);
    const auto move = player.ChooseMove();
    ASSERT_TRUE(move);
    EXPECT_GE(move->FirstCell->ArrayX, 7);
    EXPECT_GE(move->SecondCell->ArrayX, 7);
}

TEST_F(AutoPlayerTest, PlaysTheSameGameFromTheSameSeed) {
    auto play = [] {
        plat::SeedRnd(99);
        GamePlay() = TGamePlay{};
        TGameModeMatch3 mode;
        BuildBox(*mode.CellBox, {"cccccc", "......", ".mmmm.", "......"});
        mode.StartLoadedLevel();
        TAutoPlayer player(mode);
        const auto result = player.PlayLevel(200);
        return std::make_tuple(result.Moves, result.Ticks, GamePlay().Score);
    };
    EXPECT_EQ(play(), play());
}
