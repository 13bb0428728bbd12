// The level editor's buttons beside the board: check and save the layout
// under a name, clear it, leave the editor; Escape leaves too.
#include "app/game.h"
#include "app/input_tables.h"
#include "platform/files.h"
#include "platform/input.h"
#include "puzzle/editor_mode.h"
#include "puzzle/game_play.h"
#include "resources/resource_globals.h"
#include "screens/game_gui.h"

namespace {

TGameModeEditor* Editor() { return dynamic_cast<TGameModeEditor*>(GamePlay().GameMode.get()); }

std::string LayoutPath(const std::string& name) { return Game().ProfilePath + name + ".layout"; }

// "Editor Error 1" .. "Editor Error 9"; an answer beyond those reads as 6.
std::string LayoutErrorText(int error) {
    const int key = error >= LAYOUT_NO_FLOOR && error <= LAYOUT_MARBLE_NO_LINE ? error : LAYOUT_NO_START;
    return GameText().FindString("Editor Error " + std::to_string(key));
}

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
    gui.ShowSavedNotice(name);
}

}  // namespace

void TGameGUI::CheckEditorButtons() {
    TGameModeEditor* editor = Editor();
    if (!editor || !CustomMenu) return;
    if (CustomMenu->Clicked("savecustom")) {
        if (const int error = editor->IsLayoutValid(); error == LAYOUT_VALID) {
            AskLayoutName(LastFileName);
        } else {
            ShowMessage(LayoutErrorText(error));
        }
    }
    if (CustomMenu->Clicked("loadcustom")) ShowSaveGameManager();
    if (CustomMenu->Clicked("reset")) ResetInput = CreateYesNoDialog(GameText().FindString("Clear Puzzle"));
    const bool escape = KeyHit(plat::KEY_ESCAPE);
    if ((CustomMenu->Clicked("backtomenu") || escape) && !QuitInput)
        QuitInput = CreateYesNoDialog(GameText().FindString("Exit Editor"));
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
