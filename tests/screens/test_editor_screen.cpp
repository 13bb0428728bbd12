// The level editor on the game screen, driven by synthetic mouse and key
// events: Escape asks to leave instead of opening a pause menu, a layout is
// painted with drags and brush keys, every refusal shows its own text, a name
// is asked before saving and again before replacing, the board is cleared,
// and leaving fades to the play screen. A try plays the layout to a win and
// comes back to the editor as it was, with nothing written.
#include <filesystem>
#include <map>

#include "game_test_util.h"
#include "puzzle/editor_checks.h"
#include "puzzle/editor_mode.h"
#include "puzzle/layout_file.h"
#include "puzzle/puzzle_file_test_util.h"
#include "resources/channels.h"
#include "resources/resource_globals.h"
#include "screens/brush_panel.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"

namespace {

class EditorOnGameScreen : public RealGameTest {
protected:
    TScreen* FirstScreen() override { return &PlayScreen(); }
    // The play screen's "custom" button opens the editor.
    void SetUp() override {
        RealGameTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 1000)) << "the play screen never came";
        ClickButton(PlayScreen().MainMenu->FindButton("custom"));
        ASSERT_TRUE(WaitFor(OnGameScreen, 1000)) << "the editor never came";
        Frames(20);
    }

    static TGameModeEditor& Editor() { return dynamic_cast<TGameModeEditor&>(*GamePlay().GameMode); }
    static TCellBox& Box() { return *Editor().CellBox; }
    static const TLayoutCell& At(int column, int row) { return Box().Layout[column][row]; }
    // Drags the brush along one row (button 2, the right one: the eraser).
    void Stroke(int row, int from, int to, int button = 1) { DragAlongRow(Box(), row, from, to, button); }
    void ClickEditorButton(const std::string& name) { ClickButton(GameGUI().CustomMenu->FindButton(name)); }
    static std::string Caption(const DialogOKPtr& dialog) { return dialog ? dialog->Caption->Text : "(no dialog)"; }
    void ClickTool(const std::string& name) { ClickButton(GameGUI().EditorTools->FindButton(name)); }
    // Every file under the folder with its contents.
    static std::map<std::string, std::string> Files(const std::string& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files[entry.path().string()] = ReadText(entry.path().string());
        return files;
    }
};

TEST_F(EditorOnGameScreen, EscapeAsksToLeaveAndNoPauseMenuOpens) {
    auto& gui = GameGUI();
    EXPECT_EQ(GameState().stateCustomMode, 1);
    Stroke(5, 2, 4);
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(gui.QuitInput) << "Escape did not ask";
    EXPECT_EQ(gui.QuitInput->Caption->Text, GameText().FindString("Exit Editor"));
    Frames(30);
    EXPECT_FALSE(GameMenu().Active);
    // Answering with Escape closes the question and opens nothing else.
    Key(plat::KEY_ESCAPE);
    ASSERT_TRUE(WaitFor([&gui] { return !gui.QuitInput; }, 300));
    Frames(30);
    EXPECT_FALSE(gui.QuitInput);
    EXPECT_FALSE(GameMenu().Active);
    EXPECT_TRUE(OnGameScreen());

    Stroke(3, 2, 4);
    ClickEditorButton("backtomenu");
    Answer(gui.QuitInput, "Yes");
    EXPECT_FALSE(Editor().History.CanUndo()) << "the history outlived the editor";
    ASSERT_TRUE(WaitFor([] { return OnScreen(PlayScreen()); }, 500)) << "not back on the play screen";
}

// Only unsaved work is asked about: an untouched editor, one undone back to
// where it began and one just saved are left at once.
TEST_F(EditorOnGameScreen, LeavingAsksOnlyWhenThereAreUnsavedChanges) {
    auto& gui = GameGUI();
    const auto leaves = [this, &gui](int key) {
        if (key) {
            Key(key);
        } else {
            ClickEditorButton("backtomenu");
        }
        Frames(5);
        const bool asked = gui.QuitInput != nullptr;
        if (asked) Answer(gui.QuitInput, "No");
        const bool left = WaitFor([] { return OnScreen(PlayScreen()); }, 300);
        if (left) {
            ClickButton(PlayScreen().MainMenu->FindButton("custom"));
            EXPECT_TRUE(WaitFor(OnGameScreen, 1000));
            Frames(20);
        }
        return !asked && left;
    };
    EXPECT_TRUE(leaves(plat::KEY_ESCAPE)) << "asked about an untouched editor";
    Stroke(3, 2, 4);
    EXPECT_FALSE(leaves(plat::KEY_ESCAPE)) << "left a painted layout without asking";
    ClickTool("undo");
    EXPECT_TRUE(leaves(0)) << "asked about a layout undone to where it began";

    BuildBox(Box(), FairRows());
    Box().IsLevelEditor = 1;
    EXPECT_FALSE(leaves(0)) << "left a new layout without asking";
    ClickEditorButton("savecustom");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    Type("kept\r");
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    ASSERT_FALSE(gui.OKInput) << Caption(gui.OKInput);
    EXPECT_TRUE(leaves(plat::KEY_ESCAPE)) << "asked right after a save";
}

TEST_F(EditorOnGameScreen, PaintedWithDragsAndKeysThenSavedUnderANameAndReplacedOnlyWhenAsked) {
    auto& gui = GameGUI();
    Key('C');  // creation cells along the top
    Stroke(1, 1, 16);
    Key('C');
    for (int row = 2; row <= 6; ++row) Stroke(row, 1, 16);
    Key(plat::KEY_LCONTROL);  // marble in the middle
    Stroke(4, 5, 11);
    Key(plat::KEY_LCONTROL);
    Stroke(6, 12, 16, 2);  // the right button erases
    EXPECT_EQ(At(1, 1).IsCreate, 1);
    EXPECT_EQ(At(8, 4).Contents, FLOOR_MARBLE);
    EXPECT_EQ(At(3, 5).Contents, FLOOR_NORMAL);
    EXPECT_EQ(At(14, 6).Contents, FLOOR_NONE);
    EXPECT_EQ(At(11, 6).Contents, FLOOR_NORMAL);
    MoveTo(CellX(Box(), 8), CellY(Box(), 9));
    Shot("editor_half_painted");

    ClickEditorButton("savecustom");
    Answer(gui.SaveGameNameInput, "Cancel");
    const std::string path = Game().ProfilePath + "Mine.layout";
    std::remove(path.c_str());
    ClickEditorButton("savecustom");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    EXPECT_EQ(gui.SaveGameNameInput->Answer(), "");
    // Enter accepts the name, with the click heard on the game's channel pool.
    auto& pool = *Game().Channels;
    const GameChannelPtr quiet = pool.Current;
    Type("mine\r");
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    ASSERT_NE(pool.Current.get(), quiet.get()) << "Enter made no sound";
    EXPECT_TRUE(pool.Current->Playing());
    EXPECT_FALSE(gui.OKInput) << Caption(gui.OKInput);
    ASSERT_EQ(plat::FileType(path), plat::FILETYPE_FILE);
    EXPECT_EQ(gui.LastFileName, "Mine");
    TCellBox saved;
    ASSERT_EQ(LoadLayout(saved, path), "");
    EXPECT_EQ(LayoutOf(saved), LayoutOf(Box()));

    // Saving again offers the same name and asks before replacing; "No"
    // asks for another name, "Yes" writes over the old file.
    Key(plat::KEY_LCONTROL);
    Stroke(2, 2, 4);
    Key(plat::KEY_LCONTROL);
    ClickEditorButton("savecustom");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    EXPECT_EQ(gui.SaveGameNameInput->Answer(), "Mine");
    Answer(gui.SaveGameNameInput, "OK");
    Answer(gui.ReplaceInput, "No");
    ASSERT_TRUE(gui.SaveGameNameInput);
    EXPECT_EQ(gui.SaveGameNameInput->Answer(), "Mine");
    Answer(gui.SaveGameNameInput, "OK");
    ASSERT_TRUE(WaitFor([&gui] { return gui.ReplaceInput && !gui.ReplaceInput->Transitioning; }, 300));
    ASSERT_EQ(LoadLayout(saved, path), "");
    EXPECT_EQ(saved.Layout[3][2].Contents, FLOOR_NORMAL) << "replaced before the answer";
    Answer(gui.ReplaceInput, "Yes");
    ASSERT_EQ(LoadLayout(saved, path), "");
    EXPECT_EQ(LayoutOf(saved), LayoutOf(Box()));

    // A name with a Latin-1 letter is a UTF-8 file name on disk.
    ClickEditorButton("savecustom");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    Type("\b\b\b\bCaf\xe9\r");
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput; }, 300));
    EXPECT_FALSE(gui.OKInput) << Caption(gui.OKInput);
    EXPECT_TRUE(std::filesystem::is_regular_file(Game().ProfilePath + "Caf\xc3\xa9.layout"));

    ClickEditorButton("reset");
    Answer(gui.ResetInput, "No");
    EXPECT_GT(Box().GetLayoutCellNotEmptyCount(), 0);
    ClickEditorButton("reset");
    Answer(gui.ResetInput, "Yes");
    EXPECT_EQ(Box().GetLayoutCellNotEmptyCount(), 0);
    EXPECT_EQ(Box().IsLevelEditor, 1);

    // "loadcustom" opens the chooser of the player's custom puzzles.
    ClickEditorButton("loadcustom");
    ASSERT_TRUE(gui.SaveGameManager);
    EXPECT_EQ(gui.SaveGameManager->Directory, Game().ProfilePath);
}

TEST_F(EditorOnGameScreen, EveryRefusalShowsItsOwnTextAndTheBoardStays) {
    auto& gui = GameGUI();
    std::vector<std::string> fair = FullRows("................");
    fair[0] = "cccccccccccccccc";
    fair[6] = ".....mmmm.......";
    auto shelf = fair, buried = fair, lonely = fair;
    shelf[5] = "....#####.......";
    shelf[6] = ".....mmm........";
    buried[3] = "......c.........";
    lonely[9] = "...#............";
    lonely[10] = "..#m#...........";
    lonely[11] = "...#............";
    const std::vector<std::vector<std::string>> layouts = {
        {},
        FullRows("................"),
        FullRows("....mmm........."),  // without gems below
        FullRows("....mmm........."),
        {"c#c#c#c", "#######", "m#m#m#m"},
        {"c", ".", "m", "."},  // a corridor: no random deal has a move
        buried,
        shelf,
        lonely,
        {"ccc", "#m#"}};  // gems only on creation cells
    for (int error = 1; error <= 10; ++error) {
        SCOPED_TRACE("error " + std::to_string(error));
        BuildBox(Box(), layouts[error - 1]);
        Box().IsLevelEditor = 1;
        if (error == 3)
            for (auto& column : Box().Layout)
                for (auto& cell : column) cell.IsFill = 0;
        if (error == 6) Box().Layout[1][1].IsFill = 0;
        const TLayoutBlocks before = LayoutOf(Box());
        ClickEditorButton("savecustom");
        ASSERT_TRUE(WaitFor([&gui] { return gui.OKInput && !gui.OKInput->Transitioning; }, 300));
        EXPECT_EQ(Caption(gui.OKInput), GameText().FindString("Editor Error " + std::to_string(error)));
        EXPECT_FALSE(gui.SaveGameNameInput);
        EXPECT_EQ(Editor().FaultCell.has_value(), error >= 7 && error <= 9);
        if (Editor().FaultCell) {  // the marked cell stays in sight
            const int top = Box().AreaStartY + Editor().FaultCell->second * CELL_SIZE;
            const auto& panel = *gui.OKInput;
            EXPECT_TRUE(panel.y >= top + CELL_SIZE || panel.y + panel.h <= top) << "the message covers the marked cell";
        }
        Shot("editor_error_" + std::to_string(error));
        // Clicks on the board while the message is open paint nothing.
        Click(CellX(Box(), 9), CellY(Box(), gui.OKInput->y > ScreenHeight / 2 ? 1 : 12));
        Answer(gui.OKInput, "OK");
        Frames(5);
        EXPECT_EQ(LayoutOf(Box()), before);
    }
}

TEST_F(EditorOnGameScreen, BrushPreviewOverMarbleShowsChainAndCreation) {
    Stroke(2, 2, 6);
    Key(plat::KEY_RCONTROL);
    Stroke(3, 2, 6);
    Key('X');
    Key('C');
    const auto& editor = Editor();
    EXPECT_EQ(editor.LayoutContents, FLOOR_MARBLE);
    EXPECT_EQ(editor.IsChain, 1);
    EXPECT_EQ(editor.IsCreate, 1);
    EXPECT_EQ(editor.IsFill, 1);
    MoveTo(CellX(Box(), 4), CellY(Box(), 3));
    Frames(5);
    Shot("editor_brush_preview");
    // The preview paints nothing by itself.
    EXPECT_EQ(At(4, 3).Contents, FLOOR_MARBLE);
    EXPECT_EQ(At(4, 3).IsChain + At(4, 3).IsCreate, 0);
}

// The panel left of the board shows the brush as the keys set it, and its
// plates switch it when clicked; it covers neither the board nor the tools.
// A creation cell keeps its floor, marble or not, in sight around its mark.
TEST_F(EditorOnGameScreen, TheBrushPanelShowsAndSwitchesTheBrushAndCreationCellsShowTheirFloor) {
    auto& editor = Editor();
    const auto grab = [this](int x, int y, int w, int h) { return Region(x, y, w, h, 400, 320); };
    const auto panel = [&grab] {
        const TPlateRect r = BrushPanelRect();
        return grab(int(r.x), int(r.y), int(r.w), int(r.h));
    };
    const auto same = SamePixels;
    const auto clickPlate = [this](EBrushPart part) {
        const TPlateRect r = BrushPlateRect(part);
        Click(int(r.x + r.w / 2), int(r.y + r.h / 2));
    };
    const TPlateRect r = BrushPanelRect();
    EXPECT_GE(r.x, 0);
    EXPECT_LE(r.x + r.w, 97) << "the panel covers the board";
    EXPECT_GE(r.y, 69);
    EXPECT_LE(r.y + r.h, 531);
    for (const auto& tool : GameGUI().EditorTools->Buttons) EXPECT_GT(tool->x, r.x + r.w) << "over a tool";

    const auto caption = [&editor](EBrushPart part) { return BrushPlateCaption(editor, part); };
    EXPECT_EQ(caption(EBrushPart::Floor), "Floor");
    EXPECT_EQ(caption(EBrushPart::Gem), "Gem");
    EXPECT_FALSE(BrushPlateLit(editor, EBrushPart::Chain));
    const auto before = panel();
    clickPlate(EBrushPart::Chain);
    EXPECT_EQ(editor.IsChain, 1);
    EXPECT_TRUE(BrushPlateLit(editor, EBrushPart::Chain));
    EXPECT_FALSE(same(panel(), before)) << "the panel did not show the chain";
    Key('X');
    EXPECT_FALSE(BrushPlateLit(editor, EBrushPart::Chain)) << "the panel does not follow the keys";
    EXPECT_TRUE(same(panel(), before));
    clickPlate(EBrushPart::Floor);
    clickPlate(EBrushPart::Create);
    clickPlate(EBrushPart::Gem);
    EXPECT_EQ(editor.LayoutContents, FLOOR_MARBLE);
    EXPECT_EQ(editor.IsCreate, 1);
    EXPECT_EQ(editor.IsFill, 0);
    EXPECT_EQ(caption(EBrushPart::Floor), "Marble");
    EXPECT_EQ(caption(EBrushPart::Gem), "No gem");
    EXPECT_EQ(QuickLayoutError(Box()), LAYOUT_NO_FLOOR) << "a click on the panel painted";
    Shot("editor_brush_panel");

    // Creation cells on marble and on normal floor, and plain marble: the
    // ring around the mark shows the floor.
    Click(CellX(Box(), 3), CellY(Box(), 3));
    clickPlate(EBrushPart::Create);
    Click(CellX(Box(), 7), CellY(Box(), 3));
    clickPlate(EBrushPart::Floor);
    clickPlate(EBrushPart::Create);
    Click(CellX(Box(), 5), CellY(Box(), 3));
    ASSERT_EQ(At(3, 3).IsCreate + At(5, 3).IsCreate, 2);
    ASSERT_EQ(At(7, 3).Contents, FLOOR_MARBLE);
    const auto ring = [&grab](int column) {
        return grab(CellX(Box(), column) - CELL_SIZE / 2 + 2, CellY(Box(), 3) - 8, 4, 16);
    };
    EXPECT_TRUE(same(ring(3), ring(7))) << "the marble under a creation mark is hidden";
    EXPECT_FALSE(same(ring(3), ring(5))) << "marble and normal floor look alike under a creation mark";
}

TEST_F(EditorOnGameScreen, NoBrushIsDrawnUnderAnOpenDialog) {
    Stroke(2, 2, 6);
    // The upper left quarter of a painted cell, clear of the pointer's own image.
    const auto corner = [this] {
        Frames(40);  // the pointer's sparkles fade
        Game().ScreenDraw();
        const int x = CellX(Box(), 4) - CELL_SIZE / 2, y = CellY(Box(), 2) - CELL_SIZE / 2;
        return plat::GrabPixmap(x + 2, y + 2, CELL_SIZE / 2 - 4, CELL_SIZE / 2 - 4);
    };
    const auto same = SamePixels;
    Key('X');  // a chained brush looks unlike the plain floor under it
    MoveTo(CellX(Box(), 4), CellY(Box(), 2));
    const auto previewed = corner();
    MoveTo(CellX(Box(), 9), CellY(Box(), 12));
    const auto plain = corner();
    ASSERT_FALSE(same(previewed, plain)) << "no brush preview to hide";
    ClickEditorButton("reset");
    ASSERT_TRUE(WaitFor([] { return GameGUI().ResetInput && !GameGUI().ResetInput->Transitioning; }, 300));
    const auto dimmed = corner();
    MoveTo(CellX(Box(), 4), CellY(Box(), 2));
    EXPECT_TRUE(same(corner(), dimmed)) << "the brush is drawn under the dialog";
}

// An Escape pressed at any moment after a dialog closed (as the answering
// click's dialog slides away, or long after) asks to leave the editor.
TEST_F(EditorOnGameScreen, AnEscapeAfterADialogClosesIsNeverSwallowed) {
    auto& gui = GameGUI();
    Stroke(3, 2, 4);  // something to lose, so Escape asks
    for (const int wait : {0, 1, 2, 5, 10, 30, 60, 120}) {
        SCOPED_TRACE("frames after the close: " + std::to_string(wait));
        ClickEditorButton("reset");
        Answer(gui.ResetInput, "No");
        Frames(wait);
        Key(plat::KEY_ESCAPE);
        ASSERT_TRUE(WaitFor([&gui] { return gui.QuitInput != nullptr; }, 100)) << "the Escape was swallowed";
        Answer(gui.QuitInput, "No");
        ASSERT_TRUE(WaitFor([&gui] { return !gui.QuitInput; }, 300));
    }
}

TEST_F(EditorOnGameScreen, ATryPlaysTheLayoutToAWinAndComesBackAsItWasWithNothingWritten) {
    BuildBox(Box(), FairRows());
    Box().IsLevelEditor = 1;
    Key(plat::KEY_LCONTROL);
    Stroke(9, 3, 6);
    Key('M');
    Stroke(10, 2, 3);
    MoveTo(CellX(Box(), 5), CellY(Box(), 4));
    ASSERT_TRUE(WaitFor([] { return Editor().Verdict.Answer() == LAYOUT_VALID; }, 100)) << Editor().Verdict.Answer();
    Shot("editor_tools_and_verdict");
    const TLayoutBlocks layout = LayoutOf(Box());
    const size_t steps = Editor().History.UndoSteps();
    const auto files = Files(Game().SubPath);

    ClickTool("try");
    ASSERT_TRUE(GamePlay().IsTrying());
    EXPECT_EQ(LayoutOf(*Mode().CellBox), layout);
    PlayToTheEnd();
    EXPECT_FALSE(GameGUI().OKInput) << "a try's score went into the high-score table";
    ASSERT_TRUE(WaitFor([] { return !GamePlay().IsTrying(); }, 300)) << "the won try stayed";

    auto& editor = Editor();
    EXPECT_EQ(LayoutOf(Box()), layout);
    EXPECT_EQ(editor.LayoutContents, FLOOR_MARBLE);
    EXPECT_EQ(editor.Mirror, EMirror::LeftRight);
    EXPECT_EQ(editor.History.UndoSteps(), steps);
    EXPECT_EQ(Files(Game().SubPath), files) << "a try wrote a file";
    // The last stroke comes off, all four cells of it, and back.
    ClickTool("undo");
    for (const int column : {2, 3, 14, 15}) EXPECT_EQ(At(column, 10).Contents, FLOOR_NORMAL) << column;
    EXPECT_EQ(At(4, 9).Contents, FLOOR_MARBLE);
    ClickTool("redo");
    EXPECT_EQ(LayoutOf(Box()), layout);
}

// The refusal of a try stands clear of the cell it marks, as Save's does;
// T held with Ctrl is no try at all.
TEST_F(EditorOnGameScreen, ATryRefusalLeavesTheMarkedCellInSightAndCtrlTIsNoTry) {
    auto& gui = GameGUI();
    std::vector<std::string> fair = FullRows("................");
    fair[0] = "cccccccccccccccc";
    fair[6] = ".....mmmm.......";
    auto shelf = fair, buried = fair;
    shelf[5] = "....#####.......";
    shelf[6] = ".....mmm........";
    buried[3] = "......c.........";
    for (const auto& layout : {buried, shelf}) {
        BuildBox(Box(), layout);
        Box().IsLevelEditor = 1;
        Key('T');
        ASSERT_TRUE(WaitFor([&gui] { return gui.OKInput && !gui.OKInput->Transitioning; }, 300));
        ASSERT_TRUE(Editor().FaultCell);
        const int top = Box().AreaStartY + Editor().FaultCell->second * CELL_SIZE;
        const auto& panel = *gui.OKInput;
        EXPECT_TRUE(panel.y >= top + CELL_SIZE || panel.y + panel.h <= top) << "the message covers the marked cell";
        Answer(gui.OKInput, "OK");
    }

    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_LCONTROL, 0, 0});
    Frames(2);
    Key('T');
    plat::PostEvent({plat::EventKind::KeyUp, plat::KEY_LCONTROL, 0, 0});
    Frames(10);
    EXPECT_FALSE(gui.OKInput) << "Ctrl+T tried the layout";
    EXPECT_FALSE(GamePlay().IsTrying());
    EXPECT_EQ(Editor().LayoutContents, FLOOR_NORMAL) << "Ctrl+T switched the floor kind";
}

TEST_F(EditorOnGameScreen, ATryIsRefusedAsSaveIsAndLeftWithEscapeOrThePauseMenu) {
    auto& gui = GameGUI();
    ClickTool("try");
    ASSERT_TRUE(WaitFor([&gui] { return gui.OKInput && !gui.OKInput->Transitioning; }, 300));
    EXPECT_EQ(Caption(gui.OKInput), GameText().FindString("Editor Error 1"));
    EXPECT_FALSE(GamePlay().IsTrying());
    Answer(gui.OKInput, "OK");

    BuildBox(Box(), FairRows());
    const TLayoutBlocks fair = LayoutOf(Box());
    const auto tryAndOpenTheMenu = [this, &gui] {
        Key('T');
        ASSERT_TRUE(GamePlay().IsTrying());
        ClickButton(gui.MainMenu->FindButton("menu"));
        ASSERT_TRUE(WaitFor([] { return GameMenu().IsOpen() && !GameMenu().FadeIn.Active; }, 100));
    };
    // The pause menu goes back to the editor and saves nothing.
    tryAndOpenTheMenu();
    EXPECT_FALSE(GameMenu().Menu->FindButton("savegame"));
    EXPECT_FALSE(GameMenu().Menu->FindButton("backtomenu"));
    Shot("editor_try_pause_menu");
    ClickButton(GameMenu().Menu->FindButton("backtoeditor"));
    EXPECT_FALSE(GamePlay().IsTrying());
    EXPECT_FALSE(GameMenu().Active);

    // A reshuffle fades the screen in again and the try goes on.
    gui.LastFileName = "Mine";
    tryAndOpenTheMenu();
    ClickButton(GameMenu().Menu->FindButton("shufflepuzzle"));
    Answer(gui.ShuffleInput, "Yes");
    ASSERT_TRUE(WaitFor(OnGameScreen, 300));
    ASSERT_TRUE(GamePlay().IsTrying());
    Frames(20);
    Key(plat::KEY_ESCAPE);
    EXPECT_FALSE(GamePlay().IsTrying());
    Frames(20);
    EXPECT_FALSE(gui.QuitInput) << "the Escape that left the try asked to leave the editor";
    EXPECT_EQ(LayoutOf(Box()), fair);
    EXPECT_EQ(gui.LastFileName, "Mine");
}

}  // namespace

namespace {

class EditorNotice : public EditorOnGameScreen {};

// The "Saved as" notice takes the help line at the top and leaves the
// verdict line below it, down to the board, as it was.
TEST_F(EditorNotice, TheSavedNoticeLeavesTheVerdictLineInSight) {
    constexpr int VERDICT_TOP = 47, BOARD_TOP = 69;
    auto& gui = GameGUI();
    BuildBox(Box(), FairRows());
    Box().IsLevelEditor = 1;
    ASSERT_TRUE(WaitFor([] { return Editor().Verdict.Answer() == LAYOUT_VALID; }, 300));
    const auto before = Region(0, VERDICT_TOP, ScreenWidth, BOARD_TOP - VERDICT_TOP);
    ClickEditorButton("savecustom");
    ASSERT_TRUE(WaitFor([&gui] { return gui.SaveGameNameInput && !gui.SaveGameNameInput->Transitioning; }, 300));
    Type("noticed\r");
    ASSERT_TRUE(WaitFor([&gui] { return !gui.SaveGameNameInput && gui.NoticeAnimation.Active; }, 300));
    const auto during = Region(0, VERDICT_TOP, ScreenWidth, BOARD_TOP - VERDICT_TOP);
    ASSERT_TRUE(gui.NoticeAnimation.Active && gui.NoticeAnimation.CurrentPhase == 0);
    Shot("editor_saved_notice");
    EXPECT_TRUE(SamePixels(before, during)) << "the notice covers the verdict line";
}

}  // namespace
