// The play mode: level start, generation, hints, the no-moves question,
// restart, progress.
#include "puzzle_test_util.h"

namespace {

constexpr int DESTROY_TICKS_FOR_TEST = 40;

// A question that answers after a number of ticks.
class ScriptedQuestion : public TPuzzleQuestion {
public:
    ScriptedQuestion(int answer, int after) : answer_(answer), after_(after) {}
    int Manage() override { return --after_ <= 0 ? answer_ : 0; }
    void Draw() override {}

private:
    int answer_;
    int after_;
};

class PlayTest : public PuzzleTest {
protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        PuzzleHooks().OpenQuestion = [this](const std::string& key) -> std::unique_ptr<TPuzzleQuestion> {
            questions.push_back(key);
            return std::make_unique<ScriptedQuestion>(answer, 10);
        };
    }
    // Starts a level through Init with a layout drawn as text.
    void StartLevel(const std::vector<std::string>& layout, const std::vector<std::string>& gems = {}) {
        PuzzleHooks().LoadLayout = [layout, gems](TCellBox& box, const std::string&) {
            BuildBox(box, layout, gems);
            return true;
        };
        ASSERT_EQ(mode.Init("layouts/001.layout", 0), 1);
    }
    bool HasReadyRun() const {
        const TCellBox& box = *mode.CellBox;
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r) {
                const int k = box.CellAt(c, r).Contents;
                if (k == 0) continue;
                if (c <= 14 && box.CellAt(c + 1, r).Contents == k && box.CellAt(c + 2, r).Contents == k) return true;
                if (r <= 10 && box.CellAt(c, r + 1).Contents == k && box.CellAt(c, r + 2).Contents == k) return true;
            }
        return false;
    }
    std::vector<int> Gems() const {
        std::vector<int> out;
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            for (int r = 0; r < BOARD_ROWS; ++r) out.push_back(mode.CellBox->CellAt(c, r).Contents);
        return out;
    }

    TGameModeMatch3 mode;
    std::vector<std::string> questions;
    int answer = -1;
};

}  // namespace

TEST_F(PlayTest, InitFillsTheLayoutWithoutReadyRunsAndWithAMove) {
    StartLevel(FullRows("mmmm....oooo####"));
    EXPECT_EQ(GamePlay().CurrentLevel, "layouts/001.layout");
    EXPECT_EQ(mode.TotalMarbles, 48);
    EXPECT_FALSE(HasReadyRun());
    TMatch3HintList hints;
    mode.CellBox->CreateHintList(hints);
    EXPECT_FALSE(hints.Items.empty());
    for (int r = 1; r <= 12; ++r) {
        EXPECT_NE(mode.CellBox->CellAt(1, r).Contents, 0);
        EXPECT_EQ(mode.CellBox->CellAt(9, r).Contents, 0);   // floor that starts empty
        EXPECT_EQ(mode.CellBox->CellAt(13, r).Contents, 0);  // no floor
    }
    EXPECT_EQ(mode.CellBox->GameMode, &mode);
    ASSERT_TRUE(mode.OriginalPuzzle && mode.OriginalPuzzle->CellBox);
    EXPECT_EQ(mode.OriginalPuzzle->CellBox->GameMode, nullptr);
    EXPECT_TRUE(mode.StartGameAnimation);
}

TEST_F(PlayTest, GenerationIsDeterministicForASeed) {
    plat::SeedRnd(77);
    StartLevel(FullRows("......m.....#..."));
    const auto first = Gems();
    plat::SeedRnd(77);
    StartLevel(FullRows("......m.....#..."));
    EXPECT_EQ(Gems(), first);
    plat::SeedRnd(78);
    StartLevel(FullRows("......m.....#..."));
    EXPECT_NE(Gems(), first);
}

TEST_F(PlayTest, GenerationGivesUpOnALayoutWithoutAnyMove) {
    TCellBox box;
    BuildBox(box, {"..", "##", ".."});  // two pairs: no run of three can ever form
    EXPECT_EQ(box.GenerateLevel(), TCellBox::GENERATE_ATTEMPTS);
    EXPECT_NE(box.CellAt(1, 1).Contents, 0);  // the last board is kept
    EXPECT_NE(box.CellAt(2, 3).Contents, 0);
    BuildBox(box, FullRows("................"));
    EXPECT_EQ(box.GenerateLevel(), 1);
}

TEST_F(PlayTest, NoMovesQuestionDeclinedIsAskedAgainOnlyWhenThePlayerActs) {
    StartLevel({"m...."}, {"12121"});
    // The generated board is replaced by one without a move.
    BuildBox(*mode.CellBox, {"m...."}, {"12121"});
    TickMode(mode);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "No Valid Matches 1");
    EXPECT_TRUE(mode.IsAskingShuffle());
    TickMode(mode, 10);
    EXPECT_EQ(mode.ShufflePieces, nullptr);
    TickMode(mode, 500);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(Gems()[1 * BOARD_ROWS + 1], 1);  // board unchanged
    // A click on the board or Hint asks again: the dead board always has a way on.
    EXPECT_TRUE(mode.AskShuffleAgain());
    TickMode(mode);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_FALSE(mode.AskShuffleAgain());  // already asking
}

TEST_F(PlayTest, NoMovesQuestionAnsweredYesReshuffles) {
    answer = 1;
    StartLevel({"m...."}, {"12121"});
    BuildBox(*mode.CellBox, {"m...."}, {"12121"});
    GamePlay().Score = 500;
    TickMode(mode, 11);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(mode.ShufflePieces, nullptr);
    EXPECT_EQ(mode.HasShownShufflePiecesDialog, 0);
    EXPECT_EQ(GamePlay().Score, 0);
    TMatch3HintList hints;
    mode.CellBox->CreateHintList(hints);
    EXPECT_FALSE(hints.Items.empty());
    EXPECT_EQ(mode.CellBox->Layout[1][1].Contents, FLOOR_MARBLE);  // layout kept
}

TEST_F(PlayTest, NoMovesQuestionWaitsWhileARunFades) {
    // The run is found at its last cell, the chained ones before it being
    // skipped by the scan: the board is still settling all the same.
    StartLevel({"kk.m"});
    BuildBox(*mode.CellBox, {"kk.m"}, {"111"});
    TickMode(mode, DESTROY_TICKS_FOR_TEST);
    EXPECT_TRUE(questions.empty());
    TickMode(mode, 2);
    EXPECT_EQ(questions.size(), 1u);  // now settled: nothing left to move
}

TEST_F(PlayTest, NoMovesQuestionWaitsWhileAGemLandsOnChainedFloor) {
    StartLevel({".#m", "k##"});
    BuildBox(*mode.CellBox, {".#m", "k##"}, {"4-5"});
    TickMode(mode, 20);
    ASSERT_TRUE(mode.CellBox->CellAt(1, 2).MoveLine);
    EXPECT_TRUE(questions.empty()) << "asked while a gem was still falling";
    TickMode(mode, 30);
    EXPECT_EQ(mode.CellBox->CellAt(1, 2).Contents, 4);
    EXPECT_EQ(questions.size(), 1u);
}

TEST_F(PlayTest, NoQuestionOnAFinishedBoard) {
    StartLevel({"...."});
    BuildBox(*mode.CellBox, {"...."}, {"1212"});
    TickMode(mode, 100);
    EXPECT_TRUE(questions.empty());
}

TEST_F(PlayTest, WithoutADialogTheModeStillReportsTheQuestion) {
    PuzzleHooks().OpenQuestion = nullptr;
    StartLevel({"m...."});
    BuildBox(*mode.CellBox, {"m...."}, {"12121"});
    TickMode(mode);
    EXPECT_TRUE(mode.IsAskingShuffle());
    mode.Shuffle();
    EXPECT_FALSE(mode.IsAskingShuffle());
}

TEST_F(PlayTest, ResetRestoresTheStartingBoard) {
    StartLevel([] {
        auto rows = FullRows("mmmm............");
        rows[0] = "cccccccccccccccc";
        return rows;
    }());
    const auto start = Gems();
    const int marble = mode.CellBox->GetLayoutCellMarbleCount();
    for (int move = 0; move < 5; ++move) {
        TickMode(mode, 300);
        ASSERT_TRUE(mode.HintList.Exists && !mode.HintList.Items.empty());
        const TMatch3Hint hint = mode.HintList.Items.front();
        mode.CellBox->SetMarkedCell(hint.FirstCell);
        mode.CellBox->SetMarkedCell(hint.SecondCell);
    }
    TickMode(mode, 300);
    ASSERT_NE(Gems(), start);
    GameState().stateFinished = 1;
    mode.Reset();
    EXPECT_EQ(Gems(), start);
    EXPECT_EQ(mode.CellBox->GetLayoutCellMarbleCount(), marble);
    EXPECT_EQ(mode.CellBox->GameMode, &mode);
    EXPECT_EQ(GamePlay().Score, 0);
    EXPECT_EQ(GameState().stateFinished, 0);
    EXPECT_EQ(mode.ShowHelpMessage, 1);
    EXPECT_FALSE(mode.CurrentHint);
    // The record can be applied again and again.
    TickMode(mode, 300);
    mode.Reset();
    EXPECT_EQ(Gems(), start);
}

TEST_F(PlayTest, RestartAndReshuffleDropThePointsStillRollingUp) {
    StartLevel(FullRows("m..............."));
    for (auto start : {&TGameModeMatch3::Reset, &TGameModeMatch3::Shuffle}) {
        GamePlay().Score = 40;
        GamePlay().ScoreAdder = 75;
        (mode.*start)();
        TickMode(mode, 100);
        EXPECT_EQ(GamePlay().Score, 0);
    }
}

TEST_F(PlayTest, ReshuffleDuringACascadeDealsAFullSettledBoard) {
    auto rows = FullRows("mm..............");
    rows[0] = "cccccccccccccccc";
    // Moments of the cascade: gems fading; falling and appearing; later.
    for (const int wait : {35, 90, 150}) {
        SCOPED_TRACE(wait);
        StartLevel(rows);
        const int fillCells = mode.CellBox->GetLayoutCellFillCount();
        TickMode(mode, 300);
        ASSERT_TRUE(mode.HintList.Exists && !mode.HintList.Items.empty());
        const TMatch3Hint move = mode.HintList.Items.front();
        mode.CellBox->SetMarkedCell(move.FirstCell);
        mode.CellBox->SetMarkedCell(move.SecondCell);
        TickMode(mode, wait);
        ASSERT_FALSE(mode.CellBox->IsSettled());
        // A gem chosen meanwhile.
        for (int c = 16; c >= 1 && !mode.CellBox->MarkedCell1; --c)
            mode.CellBox->SetMarkedCell(&mode.CellBox->CellAt(c, 12));
        ASSERT_TRUE(mode.CellBox->MarkedCell1);

        mode.Shuffle();
        EXPECT_EQ(GemCount(*mode.CellBox), fillCells);
        EXPECT_TRUE(mode.CellBox->IsSettled());
        EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);
        EXPECT_FALSE(HasReadyRun());
        TMatch3HintList hints;
        mode.CellBox->CreateHintList(hints);
        EXPECT_FALSE(hints.Items.empty());
        TickMode(mode, 100);
        EXPECT_EQ(GemCount(*mode.CellBox), fillCells) << "a gem was lost after the reshuffle";
        EXPECT_EQ(GamePlay().ScoreAdder + GamePlay().Score, 0);
    }
}

TEST_F(PlayTest, OriginalRecordSharesNothingWithTheLiveBoard) {
    StartLevel(FullRows("m..............."));
    const TCellBox& record = *mode.OriginalPuzzle->CellBox;
    EXPECT_NE(&record, mode.CellBox.get());
    mode.CellBox->CellAt(1, 1).StartDestroyAnimation();
    mode.CellBox->Layout[1][1].Contents = FLOOR_NORMAL;
    EXPECT_FALSE(record.CellAt(1, 1).DestroyAnimation);
    EXPECT_EQ(record.Layout[1][1].Contents, FLOOR_MARBLE);
    mode.Reset();
    EXPECT_NE(mode.CellBox.get(), &*mode.OriginalPuzzle->CellBox);
}

TEST_F(PlayTest, ProgressCountsClearedMarble) {
    StartLevel({"mm.."});
    EXPECT_EQ(mode.ProgressPercent(), 0);
    mode.CellBox->Layout[1][1].Contents = FLOOR_NORMAL;
    EXPECT_EQ(mode.ProgressPercent(), 50);
    // A hand-made file without marble shows a full bar, not a division by zero.
    StartLevel({"...."});
    EXPECT_EQ(mode.TotalMarbles, 0);
    EXPECT_EQ(mode.ProgressPercent(), 100);
    EXPECT_TRUE(mode.IsFinished());
}

TEST_F(PlayTest, HintShowsAfterTheDelayAndEnds) {
    StartLevel(FullRows("m..............."));
    TickMode(mode, 2);
    mode.ResetHintTimer(100);
    TickMode(mode, 19);
    EXPECT_FALSE(mode.CurrentHint);
    TickMode(mode, 1);
    ASSERT_TRUE(mode.CurrentHint);
    EXPECT_EQ(CountSound("hint"), 1);
    const TMatch3Hint shown = *mode.CurrentHint;
    EXPECT_TRUE(TCellBox::IsCellsNextToEachOther(*shown.FirstCell, *shown.SecondCell));
    TickMode(mode, 500);
    EXPECT_EQ(mode.CurrentHint->FirstCell, shown.FirstCell);  // one hint per display
    EXPECT_EQ(CountSound("hint"), 1);
    TickMode(mode, 499);
    EXPECT_TRUE(mode.HintAnimation);
    TickMode(mode, 1);
    EXPECT_FALSE(mode.HintAnimation);
    EXPECT_FALSE(mode.CurrentHint);
}

TEST_F(PlayTest, BlockedInputStopsTheBoardButNotTheScore) {
    StartLevel({"mm.."});
    BuildBox(*mode.CellBox, {"mm.."}, {"111"});
    GameState().disableButtons = 1;
    GamePlay().ScoreAdder = 10;
    TickMode(mode, 5);
    EXPECT_FALSE(mode.CellBox->CellAt(1, 1).DestroyAnimation);
    EXPECT_EQ(GamePlay().Score, 5);
}

TEST_F(PlayTest, FinishingDropsTheSelection) {
    StartLevel(FullRows("m..............."));
    mode.CellBox->SetMarkedCell(&mode.CellBox->CellAt(3, 3));
    mode.GameFinished();
    EXPECT_EQ(mode.CellBox->MarkedCell1, nullptr);
    EXPECT_FALSE(mode.CellBox->CellAt(3, 3).Glow);
}
