// The match-3 rules: swaps, runs, chains, falls, creation, scoring and bonus.
#include <algorithm>

#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/input.h"
#include "puzzle_test_util.h"

namespace {

constexpr int SWAP_TICKS = 30;     // 150 ms
constexpr int DESTROY_TICKS = 40;  // 200 ms

class RulesTest : public PuzzleTest {
protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        mode = std::make_unique<TGameModeMatch3>();
    }
    TCellBox& Box() { return *mode->CellBox; }
    void Swap(int c1, int r1, int c2, int r2) {
        Box().SetMarkedCell(&Box().CellAt(c1, r1));
        Box().SetMarkedCell(&Box().CellAt(c2, r2));
    }
    std::unique_ptr<TGameModeMatch3> mode;
};

}  // namespace

// ---- swaps ------------------------------------------------------------------------

TEST_F(RulesTest, SwapMatchingOnlyAtTheSecondCellCounts) {
    BuildBox(Box(), {"..", "#.", "#."}, {"12", "-1", "-1"});
    Swap(1, 1, 2, 1);
    ASSERT_TRUE(Box().IsCellSwitchAnimation());
    Tick(Box(), SWAP_TICKS - 1);
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 1);  // not resolved before the slide ends
    Tick(Box());
    EXPECT_FALSE(Box().IsCellSwitchAnimation());
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 2);
    EXPECT_TRUE(Box().CellAt(2, 1).DestroyAnimation);
    EXPECT_TRUE(Box().CellAt(2, 3).DestroyAnimation);
    EXPECT_FALSE(Box().CellAt(1, 1).DestroyAnimation);
    EXPECT_EQ(mode->BonusCounter, 1);
    EXPECT_EQ(mode->MovesMade, 1);
    EXPECT_EQ(mode->ShowHelpMessage, 0);
    EXPECT_EQ(CountSound("score"), 1);
    EXPECT_EQ(Box().MarkedCell1, nullptr);
    EXPECT_EQ(Box().CellAt(1, 1).X, Box().CellAt(1, 1).GetCalculatedX());
    Tick(Box(), DESTROY_TICKS);
    EXPECT_EQ(Box().CellAt(2, 1).Contents, 0);
    EXPECT_EQ(GamePlay().ScoreAdder, 75);
}

TEST_F(RulesTest, SwapMatchingAtBothEndsClearsBothRunsAndCountsTwice) {
    BuildBox(Box(), {"..", "..", ".."}, {"12", "21", "21"});
    Swap(1, 1, 2, 1);
    Tick(Box(), SWAP_TICKS);
    EXPECT_EQ(mode->BonusCounter, 2);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_TRUE(Box().CellAt(1, r).DestroyAnimation) << r;
        EXPECT_TRUE(Box().CellAt(2, r).DestroyAnimation) << r;
    }
    // The first cell shows no gem during its fade.
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 0);
    EXPECT_EQ(GamePlay().ScoreAdder, 150);
}

TEST_F(RulesTest, SwapWithoutMatchSlidesBack) {
    BuildBox(Box(), {"..", ".."}, {"12", "34"});
    Swap(1, 1, 2, 1);
    Tick(Box(), SWAP_TICKS);
    EXPECT_TRUE(Box().IsCellSwitchAnimation());
    EXPECT_EQ(Box().CellSwitchType, 1);
    EXPECT_EQ(CountSound("buttonclick2"), 1);
    Tick(Box(), SWAP_TICKS / 2);
    EXPECT_NE(Box().CellAt(1, 1).X, Box().CellAt(1, 1).GetCalculatedX());  // on its way back
    Tick(Box(), SWAP_TICKS / 2);
    EXPECT_FALSE(Box().IsCellSwitchAnimation());
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 1);
    EXPECT_EQ(Box().CellAt(2, 1).Contents, 2);
    EXPECT_EQ(Box().CellAt(1, 1).X, Box().CellAt(1, 1).GetCalculatedX());
    EXPECT_EQ(Box().CellAt(2, 1).X, Box().CellAt(2, 1).GetCalculatedX());
    EXPECT_EQ(Box().MarkedCell1, nullptr);
    EXPECT_EQ(mode->BonusCounter, 0);
    EXPECT_EQ(mode->MovesMade, 0) << "a swap that slid back counted as a move";
    EXPECT_EQ(GamePlay().ScoreAdder, 0);
}

TEST_F(RulesTest, SelectingFollowsTheMouseRules) {
    BuildBox(Box(), {"...", "..."}, {"123", "456"});
    // A click on a non-neighbour moves the selection.
    Box().SetMarkedCell(&Box().CellAt(1, 1));
    Box().SetMarkedCell(&Box().CellAt(3, 2));
    EXPECT_EQ(Box().MarkedCell1.get(), &Box().CellAt(3, 2));
    EXPECT_EQ(Box().MarkedCell2, nullptr);
    EXPECT_TRUE(Box().CellAt(3, 2).Glow);
    EXPECT_FALSE(Box().CellAt(1, 1).Glow);
    // Holding the button on the selected cell keeps it selected, without glow.
    Box().SetMarkedCell(&Box().CellAt(3, 2));
    EXPECT_EQ(Box().MarkedCell1.get(), &Box().CellAt(3, 2));
    EXPECT_FALSE(Box().CellAt(3, 2).Glow);
    // Empty cells, fading gems and cells of another board are ignored.
    Box().CellAt(1, 2).StartDestroyAnimation();
    Box().SetMarkedCell(&Box().CellAt(1, 2));
    EXPECT_EQ(Box().MarkedCell1.get(), &Box().CellAt(3, 2));
    TCellBox other;
    Box().SetMarkedCell(&other.CellAt(2, 2));
    EXPECT_EQ(Box().MarkedCell2, nullptr);
}

TEST_F(RulesTest, TheKeyboardCursorSkipsHolesChoosesWithSpaceAndSwapsWithAnArrow) {
    BuildBox(Box(), {".#..", "...."}, {"1-23", "4252"});
    const auto press = [this](int key) {
        RecordKeyDown(key);
        RecordKeyUp(key);
        Tick(Box());
    };
    const TBoardCursor& cursor = Box().Cursor;
    // The first arrow only shows the cursor, on the board cell nearest the middle.
    press(plat::KEY_RIGHT);
    ASSERT_TRUE(cursor.Shown);
    const int startColumn = cursor.Column;
    press(plat::KEY_LEFT);
    EXPECT_EQ(cursor.Column, startColumn - 1);
    // From (1,1) right jumps the hole at (2,1); past the edge it stays.
    Box().Cursor.Column = 1;
    Box().Cursor.Row = 1;
    press(plat::KEY_RIGHT);
    EXPECT_EQ(cursor.Column, 3);
    press(plat::KEY_UP);
    EXPECT_EQ(cursor.Row, 1);

    // Space chooses and Return lets go; chosen again, Down swaps the 2 with
    // the 5 below and makes a run of three along the bottom row.
    press(plat::KEY_SPACE);
    EXPECT_EQ(Box().MarkedCell1.get(), &Box().CellAt(3, 1));
    press(plat::KEY_ENTER);
    EXPECT_EQ(Box().MarkedCell1, nullptr);
    press(plat::KEY_SPACE);
    press(plat::KEY_DOWN);
    EXPECT_TRUE(Box().IsCellSwitchAnimation());
    EXPECT_EQ(cursor.Row, 2);
    Tick(Box(), SWAP_TICKS);
    EXPECT_TRUE(Box().CellAt(2, 2).DestroyAnimation);

    // Moving the mouse hides the cursor until the next key.
    GameMouse().x += 5;
    Tick(Box());
    EXPECT_FALSE(cursor.Shown);
}

// A cell that shares no row or column with another is reached too: an arrow
// with nothing straight ahead goes to the nearest cell on that side.
TEST_F(RulesTest, TheKeyboardCursorReachesACellOffEveryRowAndColumnOfTheOthers) {
    BuildBox(Box(), {"..#", "..#", "##."}, {"12-", "34-", "--5"});
    const auto press = [this](int key) {
        RecordKeyDown(key);
        RecordKeyUp(key);
        Tick(Box());
    };
    const TBoardCursor& cursor = Box().Cursor;
    press(plat::KEY_RIGHT);
    ASSERT_TRUE(cursor.Shown);
    for (const int key : {plat::KEY_RIGHT, plat::KEY_DOWN}) {
        Box().Cursor.Column = 2;
        Box().Cursor.Row = 2;
        press(key);
        EXPECT_EQ(cursor.Column, 3);
        EXPECT_EQ(cursor.Row, 3);
    }
    press(plat::KEY_UP);
    EXPECT_EQ(cursor.Column, 2);
    EXPECT_EQ(cursor.Row, 2);
    // Straight ahead still comes first, however near a cell off the line is.
    press(plat::KEY_LEFT);
    EXPECT_EQ(cursor.Column, 1);
    EXPECT_EQ(cursor.Row, 2);
}

TEST_F(RulesTest, GemThatStartsFadingDuringTheSlideIsNotSwapped) {
    BuildBox(Box(), {"..", "#.", "#."}, {"12", "-1", "-1"});
    Swap(1, 1, 2, 1);
    Tick(Box(), 10);
    Box().CellAt(2, 1).StartDestroyAnimation();  // cleared by a cascade meanwhile
    Tick(Box(), SWAP_TICKS - 10);
    EXPECT_EQ(Box().CellSwitchType, 1);  // slides back
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 1);
    EXPECT_EQ(Box().CellAt(2, 1).Contents, 2);
}

TEST_F(RulesTest, PressingAndDraggingOntoANeighbourSwaps) {
    BuildBox(Box(), {"...", "..."}, {"123", "456"});
    auto& mouse = PNMouseObject();
    mouse.x = PixelX(1);
    mouse.y = PixelY(1);
    mouse.MBL = 1;
    Tick(Box());
    EXPECT_EQ(Box().MarkedCell1.get(), &Box().CellAt(1, 1));
    mouse.MBL = 2;
    mouse.x = PixelX(2);
    Tick(Box());
    EXPECT_TRUE(Box().IsCellSwitchAnimation());
    EXPECT_EQ(Box().MarkedCell2.get(), &Box().CellAt(2, 1));
    mouse.MBL = 0;
}

TEST_F(RulesTest, AScreenSwitchMenuDialogOrPauseDropsTheSelectionButNotASwapUnderWay) {
    BuildBox(Box(), {"...", "..."}, {"123", "456"});
    Box().SetMarkedCell(&Box().CellAt(1, 1));
    Tick(Box());
    ASSERT_EQ(Box().MarkedCell1.get(), &Box().CellAt(1, 1));
    FlushInput();  // what each of them does
    Tick(Box());
    EXPECT_EQ(Box().MarkedCell1, nullptr);
    EXPECT_FALSE(Box().CellAt(1, 1).Glow);

    BuildBox(Box(), {"..", "#.", "#."}, {"12", "-1", "-1"});
    Swap(1, 1, 2, 1);
    FlushInput();
    Tick(Box(), SWAP_TICKS);
    EXPECT_TRUE(Box().CellAt(2, 1).DestroyAnimation) << "the move was made";
}

// ---- chains -----------------------------------------------------------------------

TEST_F(RulesTest, ChainedGemCannotBeSelectedAndNeverFalls) {
    BuildBox(Box(), {"k", "o"}, {"3"});
    auto& mouse = PNMouseObject();
    mouse.x = PixelX(1);
    mouse.y = PixelY(1);
    mouse.MBL = 1;
    Tick(Box(), 100);
    mouse.MBL = 0;
    EXPECT_EQ(Box().MarkedCell1, nullptr);
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 3);
    EXPECT_EQ(Box().CellAt(1, 2).Contents, 0);
}

TEST_F(RulesTest, HintsSkipChainedGems) {
    BuildBox(Box(), {".k..", "#.##"}, {"1211", "-1"});
    TMatch3HintList hints;
    Box().CreateHintList(hints);
    EXPECT_TRUE(hints.IsEmptyList());
    Box().Layout[2][1].IsChain = 0;
    Box().CreateHintList(hints);
    EXPECT_FALSE(hints.Items.empty());
    for (const auto& hint : hints.Items) {
        EXPECT_TRUE(hint.FirstCell == &Box().CellAt(2, 1) || hint.SecondCell == &Box().CellAt(2, 1));
    }
}

// The list is kept while the board rests and must follow every change.
TEST_F(RulesTest, TheHintListOfABoardAtRestFollowsEveryChange) {
    BuildBox(Box(), {".k..", "#.##"}, {"1211", "-1"});
    const auto expectFresh = [this](const char* when) {
        TMatch3HintList fresh;
        Box().CreateHintList(fresh);
        const auto& kept = Box().HintTarget();
        ASSERT_TRUE(kept.Exists) << when;
        // The same moves, in whatever order and direction.
        const auto moves = [](const TMatch3HintList& list) {
            std::vector<std::pair<const TCell*, const TCell*>> out;
            for (const auto& hint : list.Items)
                out.emplace_back(std::min<const TCell*>(hint.FirstCell, hint.SecondCell),
                                 std::max<const TCell*>(hint.FirstCell, hint.SecondCell));
            std::sort(out.begin(), out.end());
            out.erase(std::unique(out.begin(), out.end()), out.end());
            return out;
        };
        EXPECT_EQ(moves(kept), moves(fresh)) << when;
    };
    Tick(Box(), 3);
    EXPECT_TRUE(Box().HintTarget().IsEmptyList());
    Box().Layout[2][1].IsChain = 0;
    Tick(Box());
    expectFresh("chain gone");
    EXPECT_FALSE(Box().HintTarget().Items.empty());
    Box().CellAt(2, 2).SetContents(4);
    Tick(Box());
    expectFresh("gem changed");
    Box().CellAt(2, 2).SetContents(1);
    Tick(Box(), 2);
    expectFresh("gem changed back");
    Box().HintTarget().SetNone();
    Tick(Box());
    expectFresh("list dropped");
    EXPECT_FALSE(Box().HintTarget().Items.empty());
}

TEST_F(RulesTest, RunThroughAChainClearsGemAndChain) {
    BuildBox(Box(), {"..k.", ".###"}, {"2113", "1"});
    Swap(1, 1, 1, 2);
    Tick(Box(), SWAP_TICKS);
    EXPECT_TRUE(Box().CellAt(3, 1).DestroyAnimation);
    EXPECT_EQ(Box().Layout[3][1].IsChain, 1);
    Tick(Box(), DESTROY_TICKS);
    EXPECT_EQ(Box().CellAt(3, 1).Contents, 0);
    EXPECT_EQ(Box().Layout[3][1].IsChain, 0);
}

// ---- falling and creation ------------------------------------------------------------

TEST_F(RulesTest, GemFallsStraightOneCellPer200Ms) {
    BuildBox(Box(), {".", "o", "o"}, {"4"});
    Tick(Box());
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 0);
    EXPECT_EQ(Box().CellAt(1, 2).Contents, 4);
    EXPECT_TRUE(Box().CellAt(1, 2).MoveLine);
    EXPECT_EQ(Box().CellAt(1, 2).Y, Box().CellAt(1, 1).GetCalculatedY());
    Tick(Box(), 20);
    const int halfway = Box().CellAt(1, 2).Y;
    EXPECT_GT(halfway, Box().CellAt(1, 1).GetCalculatedY());
    EXPECT_LT(halfway, Box().CellAt(1, 2).GetCalculatedY());
    Tick(Box(), 200);
    EXPECT_EQ(Box().CellAt(1, 3).Contents, 4);
    EXPECT_TRUE(Box().IsSettled());
    EXPECT_EQ(Box().CellAt(1, 3).Y, Box().CellAt(1, 3).GetCalculatedY());
    EXPECT_EQ(Box().CellAt(1, 3).RotationDegree, 0);  // two half turns
}

TEST_F(RulesTest, DiagonalSlidesGoLeftFirstInTheSameTick) {
    // [2,1] has no floor below it, empty floor below-left and below-right.
    BuildBox(Box(), {"o.o", "o#o"}, {"-5"});
    Tick(Box());
    EXPECT_EQ(Box().CellAt(2, 1).Contents, 0);
    EXPECT_EQ(Box().CellAt(1, 2).Contents, 5);  // left preferred
    EXPECT_EQ(Box().CellAt(3, 2).Contents, 0);
    // With the left blocked it slides right.
    BuildBox(Box(), {"o.o", "##o"}, {"-5"});
    Tick(Box());
    EXPECT_EQ(Box().CellAt(3, 2).Contents, 5);
}

TEST_F(RulesTest, GemAboveEmptyFloorFallsStraightNotDiagonally) {
    BuildBox(Box(), {"o.o", "ooo"}, {"-6"});
    Tick(Box());
    EXPECT_EQ(Box().CellAt(2, 2).Contents, 6);
    EXPECT_EQ(Box().CellAt(1, 2).Contents, 0);
}

TEST_F(RulesTest, CreationCellsRefill) {
    BuildBox(Box(), {"c", "o", "o"});
    Box().CellAt(1, 1).ClearContents();
    Tick(Box());
    EXPECT_NE(Box().CellAt(1, 1).Contents, 0);
    EXPECT_TRUE(Box().CellAt(1, 1).AppearAnimation);
    for (int i = 0; i < 2000 && GemCount(Box()) < 3; ++i) Tick(Box());
    Tick(Box(), 200);
    EXPECT_EQ(GemCount(Box()), 3);
    EXPECT_EQ(Box().CreatedGems, 3);
    EXPECT_TRUE(Box().IsSettled());
}

TEST_F(RulesTest, DeepCreationCellNeedsNoFloorAbove) {
    BuildBox(Box(), {"#o", "cc"});
    Tick(Box());
    EXPECT_NE(Box().CellAt(1, 2).Contents, 0);  // no floor above: creates
    EXPECT_EQ(Box().CellAt(2, 2).Contents, 0);  // floor above: does not
}

TEST_F(RulesTest, GemDoesNotFallIntoACellStillFadingOut) {
    // The swap matches at both ends; the first cell is emptied at once while
    // its fade runs. The gem above it must wait rather than fall in and be
    // wiped out when the fade ends.
    BuildBox(Box(), {"....", "....", "...."}, {"3536", "4122", "5211"});
    Swap(2, 2, 2, 3);
    Tick(Box(), SWAP_TICKS);
    ASSERT_EQ(mode->BonusCounter, 2);
    ASSERT_EQ(Box().CellAt(2, 2).Contents, 0);
    Tick(Box(), 400);
    EXPECT_EQ(GemCount(Box()), 6);
    int fives = 0;
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 3; ++r) fives += Box().CellAt(c, r).Contents == 5;
    EXPECT_EQ(fives, 2);
}

// ---- scoring --------------------------------------------------------------------------

TEST_F(RulesTest, ClearedGemsScore25OnNormalAnd50OnMarble) {
    BuildBox(Box(), {"mm."}, {"111"});
    Tick(Box());  // the ready-made run is found as a cascade
    EXPECT_EQ(GamePlay().ScoreAdder, 125);
    EXPECT_EQ(Box().CellAt(1, 1).ScoreType, FLOOR_MARBLE);
    EXPECT_EQ(Box().CellAt(3, 1).ScoreType, FLOOR_NORMAL);
    Tick(Box(), DESTROY_TICKS - 1);
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 1);
    EXPECT_EQ(Box().Layout[1][1].Contents, FLOOR_MARBLE);
    Tick(Box());
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 0);  // gem gone and marble turned
    EXPECT_EQ(Box().Layout[1][1].Contents, FLOOR_NORMAL);  // in the same step
    EXPECT_EQ(GamePlay().Score, 0);  // the board alone does not roll up
}

TEST_F(RulesTest, ScoreRollsUpOnePointPerTick) {
    BuildBox(Box(), {"mm."}, {"111"});
    TickMode(*mode);
    EXPECT_EQ(GamePlay().Score, 1);
    TickMode(*mode, 99);
    EXPECT_EQ(GamePlay().Score, 100);
    EXPECT_EQ(GamePlay().ScoreAdder, 25);
    TickMode(*mode, 100);
    EXPECT_EQ(GamePlay().Score, 125);
    EXPECT_EQ(GamePlay().ScoreAdder, 0);
    GamePlay().ScoreAdder = -200;
    TickMode(*mode, 300);
    EXPECT_EQ(GamePlay().Score, 0);  // never below zero
}

// ---- bonus ------------------------------------------------------------------------------

namespace {

// Rows of five runs each, arranged so that no column holds a run.
std::vector<std::string> RunRows(int rows) {
    const std::string patterns[3] = {"1112223334445556", "4445556661112223", "2223334445556661"};
    std::vector<std::string> out;
    for (int r = 0; r < rows; ++r) out.push_back(patterns[r % 3]);
    return out;
}

}  // namespace

TEST_F(RulesTest, FiveMatchesGiveFiftyBonusPointsButNoScore) {
    BuildBox(Box(), FullRows("................", 1), RunRows(1));
    TickMode(*mode);
    EXPECT_EQ(mode->BonusCounter, 5);
    TickMode(*mode, 800);
    ASSERT_TRUE(mode->BonusEndAnimation);
    EXPECT_EQ(mode->BonusTotalPoints, 50);
    EXPECT_EQ(mode->BonusEarned, 50);
    EXPECT_EQ(mode->BonusCounter, 0);
    EXPECT_EQ(CountSound("applause2"), 0);
    TickMode(*mode, 700);
    EXPECT_FALSE(mode->BonusEndAnimation);
    EXPECT_EQ(GamePlay().Score, 15 * 25);
}

TEST_F(RulesTest, FourMatchesGiveNoBonus) {
    BuildBox(Box(), FullRows("................", 1), {"1112223334445566"});
    TickMode(*mode);
    EXPECT_EQ(mode->BonusCounter, 4);
    TickMode(*mode, 810);
    EXPECT_FALSE(mode->BonusEndAnimation);
    EXPECT_EQ(mode->BonusCounter, 0);
}

TEST_F(RulesTest, TwentyFiveMatchesGiveApplauseAndVictoryParticles) {
    int victories = 0;
    PuzzleHooks().StartVictoryParticles = [&victories] { ++victories; };
    BuildBox(Box(), FullRows("................", 5), RunRows(5));
    TickMode(*mode);
    EXPECT_EQ(mode->BonusCounter, 25);
    TickMode(*mode, 800);
    ASSERT_TRUE(mode->BonusEndAnimation);
    EXPECT_EQ(mode->BonusTotalPoints, 1050);
    EXPECT_EQ(CountSound("applause2"), 1);
    EXPECT_EQ(victories, 1);
    EXPECT_EQ(GamePlay().ShowVictoryParticles, 1);
    TickMode(*mode, 400);  // past the first 2000 ms phase
    EXPECT_EQ(GamePlay().ShowVictoryParticles, 0);
    TickMode(*mode, 2000);
    EXPECT_EQ(GamePlay().Score, 75 * 25);
}

TEST_F(RulesTest, EachMatchRestartsTheBonusWindow) {
    BuildBox(Box(), FullRows("................", 1), {"1112223334445566"});
    TickMode(*mode, 700);
    EXPECT_EQ(mode->BonusCounter, 4);
    ++mode->BonusCounter;  // a fifth match 3.5 s later
    mode->CheckBonusCounter();
    TickMode(*mode, 700);
    EXPECT_EQ(mode->BonusCounter, 5);  // the window still runs
    EXPECT_FALSE(mode->BonusEndAnimation);
    TickMode(*mode, 101);
    EXPECT_EQ(mode->BonusCounter, 0);
    ASSERT_TRUE(mode->BonusEndAnimation);
    EXPECT_EQ(mode->BonusTotalPoints, 50);
}

TEST_F(RulesTest, FinishingEvaluatesTheRunningBonusAtOnce) {
    BuildBox(Box(), FullRows("m...............", 1), RunRows(1));
    mode->TotalMarbles = 1;  // as the level started
    TickMode(*mode);
    EXPECT_EQ(mode->BonusCounter, 5);
    EXPECT_EQ(mode->IsGameFinished(), 0);  // the marble gem still fades
    TickMode(*mode, DESTROY_TICKS);
    ASSERT_TRUE(mode->IsFinished());
    EXPECT_EQ(mode->IsGameFinished(), 0);  // the bonus display starts now
    ASSERT_TRUE(mode->BonusEndAnimation);
    EXPECT_EQ(mode->BonusTotalPoints, 50);
    int ticks = 0;
    while (!mode->IsGameFinished() && ticks < 2000) {
        TickMode(*mode);
        ++ticks;
    }
    EXPECT_NEAR(ticks, 700, 2);  // 3.5 s of bonus display
    EXPECT_EQ(mode->BonusCounter, 0);
    EXPECT_FALSE(mode->BonusAnimation);
}

// A gem that slides down-left frees its cell after the gems to its left were
// looked at; the gem up-left of it may slide in on the very next tick, though
// the board looks the same as at the end of the last one.
TEST_F(RulesTest, AGemSlidesIntoACellFreedByADiagonalSlideOnTheNextTick) {
    BuildBox(Box(), {".#", "#.", "o#"}, {"1-", "-2"});
    Tick(Box());
    ASSERT_EQ(Box().CellAt(1, 3).Contents, 2);
    ASSERT_EQ(Box().CellAt(2, 2).Contents, 0);
    Tick(Box());
    EXPECT_EQ(Box().CellAt(2, 2).Contents, 1);
    EXPECT_EQ(Box().CellAt(1, 1).Contents, 0);
}
