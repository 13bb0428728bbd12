// The game's standard dialogs on the "input" and "inputlong" panel images.
#include "app/game.h"
#include "app/input_tables.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "resources/resource_globals.h"

namespace {

constexpr int ANSWER_LENGTH = 14;
constexpr int BUTTON_GAP = 50;

ShadowPtr PanelShadow() { return TShadow::Create(3, 3, 0.4f); }
ShadowPtr TextShadowOfDialogs() { return TShadow::Create(1, 1, 0.6f); }
ColorPtr White() { return TColor::Create(255, 255, 255, 1.0f); }

// Loading panel and button images does not count as game time.
void ResetLogicTimer() { Game().FixedRateLogic.Init(); }

void Dress(TDialog& dialog) {
    dialog.DrawHighlight = 0;
    dialog.Shadow = PanelShadow();
    if (dialog.Menu) dialog.Menu->ResetShadow(1, 3, 3, 0.4f);
    dialog.SetupCaption(DialogFont(), White(), TextShadowOfDialogs());
}

DialogOKPtr MessageOn(const std::string& panel, const std::string& text) {
    ResetLogicTimer();
    auto dialog = TDialogOK::Create(text, ImageBank().Find(panel), 0, 0, 0);
    Dress(*dialog);
    dialog->Start();
    ResetLogicTimer();
    return dialog;
}

}  // namespace

DialogTextInputPtr CreateTextInputDialog(int withCancel, const std::string& question) {
    ResetLogicTimer();
    auto dialog = TDialogTextInput::Create(question, "", ANSWER_LENGTH, ImageBank().Find("input"), 0, 0, 0);
    dialog->Gap = 11;
    dialog->BoxBorderH = 40;
    dialog->BoxColor = TColor::Create(8, 12, 24, 1.0f);
    dialog->BoxFrameColor = TColor::Create(217, 180, 99, 1.0f);  // the gold of the panels' frames
    dialog->MenuCreate(withCancel, BUTTON_GAP);
    Dress(*dialog);
    dialog->SetupText(DialogFont(), White(), TextShadowOfDialogs(), 0);
    auto& editor = *dialog->TextInput;
    editor.DotCol = White();
    editor.AllowExtendedChars = 1;
    // Every answer of this dialog becomes a file name (players, saved games,
    // custom puzzles): "=" is refused too, as the profile lists use it.
    editor.BannedChars = NameBannedChars + "=";
    dialog->FileNameAnswer = 1;
    ResetLogicTimer();
    return dialog;
}

DialogOKPtr CreateMessageDialog(const std::string& text) { return MessageOn("input", text); }

DialogOKPtr CreateLongMessageDialog(const std::string& text) { return MessageOn("inputlong", text); }

DialogYesNoPtr CreateYesNoDialog(const std::string& text) {
    FlushInput();
    ResetLogicTimer();
    auto dialog = TDialogYesNo::Create(text, ImageBank().Find("input"), 0, 0, 0, 1);
    Dress(*dialog);
    dialog->Start();
    ResetLogicTimer();
    return dialog;
}
