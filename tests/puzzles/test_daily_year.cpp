// A year of daily puzzles: every one passes the editor's checks and is
// finished by the automatic player again (nothing of one proof leaks into
// the next); from another deal nearly all are finished too; and later days
// of the week carry more marble.
#include <gtest/gtest.h>

#include "app/game.h"
#include "puzzle/cell_box.h"
#include "puzzle/daily_puzzle.h"
#include "puzzle/editor_checks.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"

TEST(DailyPuzzles, AYearOfDatesPassTheChecksAndAreFinished) {
    ResetGlobals();
    ResetPuzzleGlobals();
    std::array<int, 7> marble{};
    int otherDealUnfinished = 0;
    const int64_t first = DaysFromCivil({2027, 1, 1});
    for (int64_t day = first; day < first + 365; ++day) {
        const TCivilDate date = CivilFromDays(day);
        SCOPED_TRACE(FormatIsoDate(date));
        const TDailyPuzzle puzzle = MakeDailyPuzzle(date);
        auto box = TCellBox::New();
        box->Clear();
        ApplyLayout(*box, puzzle.Layout);
        box->UpdateDrawWall();
        EXPECT_EQ(FullLayoutError(*box), LAYOUT_VALID);
        EXPECT_LT(puzzle.Candidate, DAILY_CANDIDATES) << "fell back";
        EXPECT_EQ(ProveLayout(puzzle.Layout, puzzle.ProofSeed, puzzle.MoveLimit), puzzle.Moves);
        otherDealUnfinished += !ProveLayout(puzzle.Layout, static_cast<uint32_t>(day), 3 * puzzle.MoveLimit);
        marble[static_cast<size_t>(WeekdayOf(date))] += box->GetLayoutCellMarbleCount();
    }
    EXPECT_LE(otherDealUnfinished, 365 / 20);
    EXPECT_LT(marble[0], marble[3]);
    EXPECT_LT(marble[3], marble[6]);
}
