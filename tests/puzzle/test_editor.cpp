// The level editor: painting and erasing with the mouse, the brush keys, no
// painting while a dialog is open or its closing press is still held, the
// validity checks in their order with the fairness checks after them, and
// layouts saved and loaded back (a refused file changes nothing).
#include <set>

#include "app/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "puzzle/editor_mode.h"
#include "puzzle/layout_file.h"
#include "puzzle_file_test_util.h"

namespace {

// A fair puzzle: creation cells along the top, marble in the middle.
std::vector<std::string> FairRows() {
    auto rows = FullRows("................");
    rows[0] = "cccccccccccccccc";
    rows[6] = ".....mmmm.......";
    return rows;
}

class EditorTest : public PuzzleFileTest {
protected:
    EditorTest() : PuzzleFileTest("editor-test") {}
    void SetUp() override {
        PuzzleFileTest::SetUp();
        editor.Init("", 0);
    }
    void TearDown() override {
        PNMouseObject() = PNMouse{};
        PuzzleFileTest::TearDown();
    }

    // One tick with the pointer over the cell and the buttons as given.
    void Tick(int column, int row, int left, int right = 0) {
        auto& pointer = Game().Mouse;
        pointer.b1 = left;
        pointer.b2 = right;
        auto& mouse = PNMouseObject();
        mouse.x = PixelX(column);
        mouse.y = PixelY(row);
        mouse.MBL = left ? mouse.MBL + 1 : 0;
        mouse.MBR = right ? mouse.MBR + 1 : 0;
        editor.Logic();
    }
    void Key(int key) {
        RecordKeyDown(key);
        RecordKeyUp(key);
        editor.Logic();
    }
    TLayoutCell& At(int column, int row) { return editor.CellBox->Layout[column][row]; }
    // A mark on a wall position that a wall update always clears.
    void MarkWalls() { At(0, 0).WallTile = 99; }
    bool WallsUpdated() { return At(0, 0).WallTile != 99; }
    int Check(const std::vector<std::string>& rows) {
        BuildBox(*editor.CellBox, rows);
        return editor.IsLayoutValid();
    }

    TGameModeEditor editor;
};

}  // namespace

TEST_F(EditorTest, LeftDragPaintsTheBrushAndWallsFollowOnlyRealChanges) {
    EXPECT_EQ(editor.CellBox->IsLevelEditor, 1);
    for (int column = 2; column <= 5; ++column) Tick(column, 3, 1);
    Tick(5, 3, 0);
    for (int column = 2; column <= 5; ++column) {
        const TLayoutCell& cell = At(column, 3);
        EXPECT_EQ(cell.Contents, FLOOR_NORMAL);
        EXPECT_EQ(cell.IsFill, 1);
        EXPECT_EQ(cell.IsChain + cell.IsCreate, 0);
    }
    EXPECT_EQ(At(6, 3).Contents, FLOOR_NONE);
    EXPECT_NE(At(3, 2).WallTile, 0) << "the wall above the stroke";

    // The same brush over the same cells: nothing changes, walls stay.
    MarkWalls();
    for (int column = 2; column <= 5; ++column) Tick(column, 3, 1);
    EXPECT_FALSE(WallsUpdated());
    // Outside the grid's interior nothing is painted.
    Tick(0, 3, 1);
    Tick(17, 13, 1);
    EXPECT_EQ(At(0, 3).Contents, FLOOR_NONE);
    EXPECT_FALSE(WallsUpdated());
    // One flag different is a change.
    Key('X');
    Tick(2, 3, 1);
    EXPECT_EQ(At(2, 3).IsChain, 1);
    EXPECT_TRUE(WallsUpdated());
}

TEST_F(EditorTest, RightDragErasesPaintedCellsAndLeavesEmptyOnesAlone) {
    for (int column = 2; column <= 4; ++column) Tick(column, 5, 1);
    Tick(4, 5, 0);
    MarkWalls();
    for (int row = 1; row <= 4; ++row) Tick(3, row, 0, 1);
    EXPECT_FALSE(WallsUpdated()) << "empty cells erased";
    Tick(2, 5, 0, 1);
    Tick(3, 5, 0, 1);
    Tick(3, 5, 0, 0);
    EXPECT_TRUE(WallsUpdated());
    for (int column = 2; column <= 3; ++column) {
        const TLayoutCell& cell = At(column, 5);
        EXPECT_EQ(cell.Contents + cell.IsChain + cell.IsCreate + cell.IsFill, 0) << column;
    }
    EXPECT_EQ(At(4, 5).Contents, FLOOR_NORMAL);
}

TEST_F(EditorTest, BrushKeysToggleOneFlagEachAndThePreviewFollows) {
    Key(plat::KEY_LCONTROL);
    EXPECT_EQ(editor.LayoutContents, FLOOR_MARBLE);
    EXPECT_EQ(editor.IsChain + editor.IsCreate, 0);
    EXPECT_EQ(editor.IsFill, 1);
    Key(plat::KEY_RCONTROL);
    EXPECT_EQ(editor.LayoutContents, FLOOR_NORMAL);
    EXPECT_EQ(editor.IsFill, 1);
    Key('X');
    Key('C');
    Key('Z');
    EXPECT_EQ(editor.IsChain, 1);
    EXPECT_EQ(editor.IsCreate, 1);
    EXPECT_EQ(editor.IsFill, 0);
    EXPECT_EQ(editor.LayoutContents, FLOOR_NORMAL);
    Key(plat::KEY_LCONTROL);
    Tick(7, 1, 1);
    const TLayoutCell& cell = At(7, 1);
    EXPECT_EQ(cell.Contents, FLOOR_MARBLE);
    EXPECT_EQ(cell.IsChain, 1);
    EXPECT_EQ(cell.IsCreate, 1);
    EXPECT_EQ(cell.IsFill, 0);
}

TEST_F(EditorTest, NothingPaintsWhileADialogIsOpenNorWithItsClosingPressHeld) {
    GameState().disableButtons = 1;
    Tick(4, 4, 1);
    Tick(5, 4, 1);
    Tick(6, 4, 0, 1);
    EXPECT_EQ(At(4, 4).Contents + At(5, 4).Contents, FLOOR_NONE);
    // The dialog has closed but the button that closed it is still down,
    // though the click counts were cleared with the dialog.
    GameState().disableButtons = 0;
    PNMouseObject().MBL = 0;
    Tick(6, 4, 1);
    EXPECT_EQ(At(6, 4).Contents, FLOOR_NONE);
    Tick(6, 4, 0);
    Tick(6, 4, 1);
    EXPECT_EQ(At(6, 4).Contents, FLOOR_NORMAL);
}

TEST_F(EditorTest, ChecksComeInOrderAndTheFirstFailureIsReported) {
    EXPECT_EQ(editor.IsLayoutValid(), LAYOUT_NO_FLOOR);
    EXPECT_EQ(Check(FullRows("................")), LAYOUT_NO_MARBLE);
    BuildBox(*editor.CellBox, FullRows("....mmm........."));
    for (auto& column : editor.CellBox->Layout)
        for (auto& cell : column) cell.IsFill = 0;
    EXPECT_EQ(editor.IsLayoutValid(), LAYOUT_NO_FILL);
    EXPECT_EQ(Check(FullRows("....mmm.........")), LAYOUT_NO_CREATE);
    // Single cells apart from each other, all starting with a gem and
    // creating more: no line of three can ever form.
    EXPECT_EQ(Check({"c#c#c#c", "#######", "m#m#m#m"}), LAYOUT_NO_MOVE);
    // Gems only on creation cells, which the trial leaves empty: a refusal of its own.
    EXPECT_EQ(Check({"ccc", "#m#"}), LAYOUT_CREATE_EMPTY);
    BuildBox(*editor.CellBox, {"cccc"});  // the only floor: creation cells
    At(2, 1).Contents = FLOOR_MARBLE;
    EXPECT_EQ(editor.IsLayoutValid(), LAYOUT_CREATE_EMPTY);
    EXPECT_EQ(Check(FairRows()), LAYOUT_VALID);
    EXPECT_FALSE(editor.FaultCell);
    // The checks put no gem on the board.
    EXPECT_EQ(GemCount(*editor.CellBox), 0);
}

TEST_F(EditorTest, ALayoutTheGameCannotStartIsRefused) {
    // A corridor of three gems under a creation cell that starts empty: one
    // kind lines up, but no random deal without a run of three has a move.
    BuildBox(*editor.CellBox, {"c", ".", "m", "."});
    At(1, 1).IsFill = 0;
    EXPECT_EQ(editor.IsLayoutValid(), LAYOUT_NO_START);
    // Three such corridors side by side start at once.
    BuildBox(*editor.CellBox, {"ccc", "...", "mmm", "..."});
    for (int column = 1; column <= 3; ++column) At(column, 1).IsFill = 0;
    EXPECT_EQ(editor.IsLayoutValid(), LAYOUT_VALID);
}

// A chain goes with its gem: gems fall through a chained cell once a line of
// three can clear it, never through one that no line can clear.
TEST_F(EditorTest, GemsFallThroughAChainThatCanBeCleared) {
    EXPECT_EQ(Check({"ccc", "#k#", "...", "mmm"}), LAYOUT_VALID);  // a chained gem over a gap
    // The same chain with nothing below that starts with a gem: no line clears it.
    BuildBox(*editor.CellBox, {"ccc", "#k#", "ooo", "mmm"});
    EXPECT_FALSE(FedCells(LayoutGridOf(*editor.CellBox))[2][3]);
}

// The start check deals from the layout: the same answer on every click, and
// play draws the same numbers as if no check had run.
TEST_F(EditorTest, TheStartCheckAnswersTheSameEveryTime) {
    std::set<int> answers;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        BuildBox(*editor.CellBox, {"ccc", ".#.", "#.m", ".#."});  // random deals: refused one time in four
        for (int column = 1; column <= 3; ++column) At(column, 1).IsFill = 0;
        plat::SeedRnd(seed);
        answers.insert(editor.IsLayoutValid());
        const int drawn = plat::Rand(0, 1 << 30);
        plat::SeedRnd(seed);
        EXPECT_EQ(plat::Rand(0, 1 << 30), drawn);
    }
    EXPECT_EQ(answers.size(), 1u);
}

TEST_F(EditorTest, UnfairCellsAreRefusedAndMarked) {
    auto shelf = FairRows();  // marble under a wide shelf
    shelf[5] = "....#####.......";
    shelf[6] = ".....mmm........";
    EXPECT_EQ(Check(shelf), LAYOUT_UNFED);
    ASSERT_TRUE(editor.FaultCell);
    EXPECT_EQ(*editor.FaultCell, std::pair(6, 7)) << "the first cell no gem reaches";

    auto buried = FairRows();
    buried[3] = "......c.........";
    EXPECT_EQ(Check(buried), LAYOUT_CREATE_UNDER_FLOOR);
    EXPECT_EQ(*editor.FaultCell, std::pair(7, 4));

    // A marble tile walled in on four sides, gems reaching it diagonally.
    auto lonely = FairRows();
    lonely[9] = "...#............";
    lonely[10] = "..#m#...........";
    lonely[11] = "...#............";
    EXPECT_EQ(Check(lonely), LAYOUT_MARBLE_NO_LINE);
    EXPECT_EQ(*editor.FaultCell, std::pair(4, 11));

    // The mark stays until the layout changes.
    Tick(9, 9, 1);
    EXPECT_TRUE(editor.FaultCell);
    Tick(4, 10, 1);
    EXPECT_FALSE(editor.FaultCell);
}

TEST_F(EditorTest, SavedLayoutLoadsBackIntoTheEditorAndARefusedFileChangesNothing) {
    BuildBox(*editor.CellBox, FairRows());
    editor.CellBox->IsLevelEditor = 1;
    ASSERT_EQ(editor.SaveLayout(File("mine.layout")), "");
    const TLayoutBlocks saved = LayoutOf(*editor.CellBox);

    editor.Clear();
    EXPECT_EQ(editor.CellBox->GetLayoutCellNotEmptyCount(), 0);
    ASSERT_EQ(editor.LoadLayout(File("mine.layout")), "");
    EXPECT_EQ(LayoutOf(*editor.CellBox), saved);
    EXPECT_EQ(editor.CellBox->IsLevelEditor, 1);
    EXPECT_EQ(editor.CellBox->GameMode, nullptr);
    EXPECT_NE(At(1, 0).WallTile, 0) << "walls are set up for the loaded floor";

    WriteText(File("bad.layout"), ReadText(File("mine.layout")).substr(0, 300));
    Tick(3, 12, 1);
    Tick(3, 12, 0);
    const TLayoutBlocks edited = LayoutOf(*editor.CellBox);
    EXPECT_NE(editor.LoadLayout(File("bad.layout")), "");
    EXPECT_EQ(editor.LoadGame(File("missing.layout")), 0);
    EXPECT_NE(editor.FileError, "");
    EXPECT_EQ(LayoutOf(*editor.CellBox), edited);
    EXPECT_EQ(editor.CellBox->IsLevelEditor, 1);
}
