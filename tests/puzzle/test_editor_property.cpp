// Random layouts as a player might paint them: the live verdict answers
// what the check does, and every one the editor accepts is saved, loaded by the match-3 mode as a custom puzzle, dealt a starting
// board with a move within the game's own bound, and the automatic player
// makes a move on it.
#include <cstdlib>
#include <random>

#include "puzzle/auto_player.h"
#include "puzzle/editor_mode.h"
#include "puzzle/layout_file.h"
#include "puzzle_file_test_util.h"

namespace {

constexpr int LAYOUTS = 200;

// Blobs of floor around random centres, a few holes, marble, chains and
// creation cells on the upper edge of the floor, sometimes too few of
// anything: roughly half of them pass the editor's checks.
void PaintRandomLayout(TCellBox& box, std::mt19937& rng) {
    box.Clear();
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> column(1, BOARD_COLUMNS - 2), row(1, BOARD_ROWS - 2);
    const int blobs = 1 + percent(rng) / 25;
    for (int b = 0; b < blobs; ++b) {
        const int cx = column(rng), cy = row(rng), radius = 1 + percent(rng) / 20;
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r)
                if (std::abs(c - cx) + std::abs(r - cy) <= radius) box.Layout[c][r].Contents = FLOOR_NORMAL;
    }
    const int marble = percent(rng) / 3, chains = percent(rng) / 10, holes = percent(rng) / 10;
    for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
        for (int r = 1; r < BOARD_ROWS - 1; ++r) {
            TLayoutCell& cell = box.Layout[c][r];
            if (cell.Contents == FLOOR_NONE) continue;
            if (percent(rng) < holes) {
                cell.Contents = FLOOR_NONE;
                continue;
            }
            if (percent(rng) < marble) cell.Contents = FLOOR_MARBLE;
            cell.IsChain = percent(rng) < chains;
            cell.IsFill = percent(rng) < 95;
        }
    for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
        for (int r = 1; r < BOARD_ROWS - 1; ++r) {
            TLayoutCell& cell = box.Layout[c][r];
            const bool topEdge = box.Layout[c][r - 1].Contents == FLOOR_NONE;
            if (cell.Contents != FLOOR_NONE && topEdge && percent(rng) < 90) cell.IsCreate = 1;
        }
}

class EditorPropertyTest : public PuzzleFileTest {
protected:
    EditorPropertyTest() : PuzzleFileTest("editor-property") {}
};

}  // namespace

TEST_F(EditorPropertyTest, EveryAcceptedLayoutStartsAndCanBePlayed) {
    InstallLayoutHook();
    std::mt19937 rng(20261208);
    int accepted = 0;
    for (int i = 0; i < LAYOUTS; ++i) {
        SCOPED_TRACE("layout " + std::to_string(i));
        TGameModeEditor editor;
        editor.Init("", 0);
        PaintRandomLayout(*editor.CellBox, rng);
        // The live verdict, settled, is what the check answers, with the same dealing luck.
        editor.Verdict.Changed(*editor.CellBox);
        plat::SeedRnd(static_cast<uint32_t>(i));
        while (!editor.Verdict.Settled()) editor.Verdict.Tick(*editor.CellBox, 1, false);
        plat::SeedRnd(static_cast<uint32_t>(i));
        const int error = editor.IsLayoutValid();
        EXPECT_EQ(editor.Verdict.Answer(), error);
        if (error != LAYOUT_VALID) continue;
        ++accepted;

        const std::string path = File("random.layout");
        ASSERT_EQ(editor.SaveLayout(path), "");
        GamePlay() = TGamePlay{};
        TGameModeMatch3 mode;
        ASSERT_EQ(mode.Init(path, 1), 1) << mode.FileError;
        EXPECT_FALSE(mode.CellBox->OwnHints.Items.empty()) << "no starting board with a move";
        // Creation cells may fill the board into one without a move: the
        // player then reshuffles, as the automatic player does.
        const TAutoPlayResult result = TAutoPlayer(mode).PlayLevel(1);
        EXPECT_FALSE(result.Stuck);
        // One move, unless the cascades of the start already cleared every marble.
        EXPECT_TRUE(result.Moves == 1 || (result.Moves == 0 && result.Finished)) << result.Moves;
        EXPECT_GT(GamePlay().Score + GamePlay().ScoreAdder, 0) << "the move cleared nothing";
    }
    // Enough of them pass for the property to mean something.
    EXPECT_GE(accepted, LAYOUTS / 5);
    RecordProperty("accepted", accepted);
}
