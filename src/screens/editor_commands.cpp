// The level editor's buttons beside the board: check and save the layout
// under a name, clear it, leave the editor (Escape leaves too); the column
// right of the board: undo, redo, the mirror and a try of the layout, which
// plays it on the real board and comes back to the editor as it was.
#include "resources/anim_timing.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/font.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/editor_mode.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "resources/resource_globals.h"
#include "screens/brush_panel.h"
#include "screens/game_gui.h"
#include "screens/ingame_menu.h"

namespace {

TGameModeEditor* Editor() { return dynamic_cast<TGameModeEditor*>(GamePlay().GameMode.get()); }

std::string LayoutPath(const std::string& name) { return Game().ProfilePath + plat::FileNameOf(name) + ".layout"; }

// The tool column in the dimmed strip right of the board: undo and redo at
// the top, the mirror with its mode below them, the try at the bottom.
constexpr float TOOLS_X = 707;
constexpr float UNDO_Y = 84, REDO_Y = 126, MIRROR_Y = 186, TRY_Y = 480;
constexpr float MIRROR_MODE_GAP = 6;
constexpr int CAPTION_RED = 255, CAPTION_GREEN = 248, CAPTION_BLUE = 232;
// How long a won try shows its applause before going back to the editor.
constexpr float TRY_WON_MS = 2500;

struct TToolButton {
    const char* name;  // its label comes from the text table (gui/button_labels.h)
    float y;
};
constexpr TToolButton TOOL_BUTTONS[] = {{"undo", UNDO_Y}, {"redo", REDO_Y}, {"mirror", MIRROR_Y}, {"try", TRY_Y}};

std::string MirrorModeKey(EMirror mirror) {
    switch (mirror) {
        case EMirror::Off: return "Mirror Off";
        case EMirror::LeftRight: return "Mirror Left Right";
        case EMirror::TopBottom: return "Mirror Top Bottom";
        case EMirror::FourWay: return "Mirror Four Way";
    }
    return "Mirror Off";
}

std::string LayoutErrorText(int error) { return GameText().FindString(LayoutErrorTextKey(error)); }

// Writes the editor's layout under the name; a failure is shown and the
// board stays as it is.
void WriteLayout(TGameGUI& gui, const std::string& name) {
    TGameModeEditor* editor = Editor();
    if (!editor) return;
    if (const std::string error = editor->SaveLayout(LayoutPath(name)); !error.empty()) {
        gui.ShowMessage(error);
        return;
    }
    gui.LastFileName = name;
    // The play screen shows it selected when the editor is left.
    GamePlay().CurrentLevel = LayoutPath(name);
    GamePlay().IsCustomLevel = 1;
    gui.ShowSavedNotice(name);
}

// Why the layout cannot be saved or tried, in a message that stands clear
// of the cell the refusal marks.
void ShowRefusal(TGameGUI& gui, const TGameModeEditor& editor, int error) {
    gui.ShowMessage(LayoutErrorText(error));
    if (const auto cell = editor.FaultCell; cell && gui.OKInput) {
        const int top = editor.CellBox->AreaStartY + cell->second * CELL_SIZE;
        gui.OKInput->MoveClearOf(top, top + CELL_SIZE);
    }
}

}  // namespace

void TGameGUI::StartEditorTools() {
    EditorTools = TMenu::Create("buttonMO", "buttonclick", 0, 0, 6);
    mirrorLit_ = false;
    for (const TToolButton& tool : TOOL_BUTTONS) {
        const ButtonPtr button = EditorTools->AddQuick(tool.name, tool.name);
        button->ClickDisabled = 0;
        button->MoveTo(TOOLS_X, tool.y);
    }
}

void TGameGUI::UpdateEditorTools() {
    const TGameModeEditor* editor = Editor();
    if (!editor || !EditorTools) return;
    if (const auto undo = EditorTools->FindButton("undo")) undo->Disabled = !editor->History.CanUndo();
    if (const auto redo = EditorTools->FindButton("redo")) redo->Disabled = !editor->History.CanRedo();
    const auto mirror = EditorTools->FindButton("mirror");
    const bool lit = editor->Mirror != EMirror::Off;
    if (mirror && lit != mirrorLit_) {
        mirrorLit_ = lit;
        mirror->LoadImages(lit ? "mirrorOn" : "mirror", lit ? "mirrorOnMO" : "mirrorMO");
    }
}

void TGameGUI::DrawEditorTools() {
    if (!EditorTools) return;
    EditorTools->Draw(0, 0);
    const TGameModeEditor* editor = Editor();
    if (editor) DrawBrushPanel(*editor);
    const auto mirror = EditorTools->FindButton("mirror");
    if (!editor || !mirror) return;
    if (const auto font = DefaultFont()) plat::SetImageFont(font);
    plat::SetColor(CAPTION_RED, CAPTION_GREEN, CAPTION_BLUE);
    DrawTextAligned(GameText().FindString(MirrorModeKey(editor->Mirror)), mirror->x + float(mirror->w) / 2,
                    mirror->y + float(mirror->h) + MIRROR_MODE_GAP, true, ALIGN_CENTRE, true);
    plat::SetColor(255, 255, 255);
}

void TGameGUI::TryLayout() {
    TGameModeEditor* editor = Editor();
    if (!editor) return;
    if (const int error = editor->IsLayoutValid(); error != LAYOUT_VALID) {
        ShowRefusal(*this, *editor, error);
        return;
    }
    if (!GamePlay().StartTry()) return;
    TryWonTicks = 0;
    if (endLevelMenu) endLevelMenu->Show = 0;
    // The click or key that started it does not go on to the board.
    FlushInput();
}

void TGameGUI::LeaveTry() {
    GameMenu().Close();
    TryWonTicks = 0;
    if (endLevelMenu) endLevelMenu->Show = 0;
    GamePlay().EndTry();
    FlushInput();
    Game().IgnoreEscapeKey = 1;
}

void TGameGUI::CheckTry() {
    if (GameState().stateFinished) {
        TryWonTicks += Delta;
        const bool skip = KeyHit(plat::KEY_ESCAPE) || PNMouseObject().LeftClick() == 1;
        if (skip || TryWonTicks >= AnimTiming().CalcAnimLength(TRY_WON_MS)) LeaveTry();
        return;
    }
    // Escape goes back, unless it closes the pause menu or answers the no-moves question.
    const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get());
    if (GameMenu().Active || (mode && mode->ShufflePieces)) return;
    if (KeyHit(plat::KEY_ESCAPE)) LeaveTry();
}

void TGameGUI::CheckEditorButtons() {
    TGameModeEditor* editor = Editor();
    if (!editor || !CustomMenu) return;
    ClickBrushPanel(*editor);
    if (EditorTools) {
        if (EditorTools->Clicked("undo")) editor->Undo();
        if (EditorTools->Clicked("redo")) editor->Redo();
        if (EditorTools->Clicked("mirror")) editor->CycleMirror();
        // T alone tries; Ctrl+T is left to the editor, which takes it as a
        // chord of no meaning.
        const bool ctrl = KeyDown(plat::KEY_LCONTROL) || KeyDown(plat::KEY_RCONTROL);
        if (EditorTools->Clicked("try") || (!ctrl && KeyHit('T'))) {
            TryLayout();
            return;
        }
    }
    if (CustomMenu->Clicked("savecustom")) {
        if (const int error = editor->IsLayoutValid(); error == LAYOUT_VALID) {
            AskLayoutName(LastFileName);
        } else {
            ShowRefusal(*this, *editor, error);
        }
    }
    if (CustomMenu->Clicked("loadcustom")) ShowSaveGameManager();
    if (CustomMenu->Clicked("reset")) ResetInput = CreateYesNoDialog(GameText().FindString("Clear Puzzle"));
    const bool escape = KeyHit(plat::KEY_ESCAPE);
    if ((CustomMenu->Clicked("backtomenu") || escape) && !QuitInput) {
        // Only unsaved work is worth a question.
        if (editor->HasUnsavedChanges()) {
            QuitInput = CreateYesNoDialog(GameText().FindString("Exit Editor"));
        } else {
            LeaveEditor();
        }
    }
}

void TGameGUI::AskLayoutName(const std::string& name) {
    SaveGameNameInput = CreateTextInputDialog(1, GameText().FindString("Enter Level Name"));
    if (!name.empty()) {
        SaveGameNameInput->TextInput->Text = name;
        SaveGameNameInput->TextInput->CurrentChar = static_cast<int>(name.size()) + 1;
    }
    SaveGameNameInput->Start();
}

void TGameGUI::SaveCustomLayout(const std::string& name) {
    if (plat::FileType(LayoutPath(name)) != plat::FILETYPE_NONE) {
        PendingLayoutName = name;
        ReplaceInput = CreateYesNoDialog(GameText().FindString("Replace Layout"));
        return;
    }
    WriteLayout(*this, name);
}

void TGameGUI::AnswerReplace(int answer) {
    if (answer == 1) {
        WriteLayout(*this, PendingLayoutName);
    } else {
        AskLayoutName(PendingLayoutName);
    }
}
