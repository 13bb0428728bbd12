// The game's standard dialogs on the "input" and "inputlong" panel images.
#include "resources/anim_timing.h"
#include "resources/input_tables.h"
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
void ResetLogicTimer() { AnimTiming().FixedRateLogic.Init(); }

void Dress(TDialog& dialog) {
    dialog.DrawHighlight = 0;
    dialog.Shadow = PanelShadow();
    if (dialog.Menu) dialog.Menu->ResetShadow(1, 3, 3, 0.4f);
    dialog.SetupCaption(DialogFont(), White(), TextShadowOfDialogs());
}

// The panels are taller than a short message: it stands in the middle of
// the space above the buttons, not at the top above a blank band.
void CentreCaption(TDialog& dialog) {
    dialog.CaptionCentreVert = 1;
    if (dialog.Menu) dialog.CaptionOffsetY = -dialog.Menu->CalcHeight() / 2;
}

// A caption wider than the panel wraps onto further lines inside it (the
// translations run longer than the English texts).
void WrapCaption(TDialog& dialog) {
    TLabel& caption = *dialog.Caption;
    const int room = dialog.w - 2 * dialog.Border;
    if (caption.CalcWidth() <= static_cast<float>(room)) return;
    caption.WordWrap = room;
    caption.PreCalcWordWrap();
    caption.CalcSize();
    dialog.SetLabelsXY();
}

// The answer box half way between the question and the buttons, so that the
// panel's spare height does not gather in one band below it.
void SpreadAnswerBox(TDialogTextInput& dialog) {
    const float menuH = dialog.Menu ? static_cast<float>(dialog.Menu->CalcHeight()) : 0.0f;
    const float boxH = dialog.Text->CalcHeight() + static_cast<float>(2 * dialog.BoxBorderV);
    const float spare = static_cast<float>(dialog.h - 2 * dialog.Border) - dialog.Caption->CalcHeight() - boxH - menuH;
    if (spare <= 0) return;
    dialog.Gap = static_cast<int>(spare / 2) + dialog.BoxBorderV;
    dialog.SetLabelsXY();
}

// Whether the (wrapped) caption fits the panel above its buttons.
bool CaptionFits(const TDialog& dialog) {
    const float menuH = dialog.Menu ? static_cast<float>(dialog.Menu->CalcHeight()) : 0.0f;
    return dialog.Caption->CalcHeight() + menuH + static_cast<float>(3 * dialog.Border) <= static_cast<float>(dialog.h);
}

// A dialog of the kind on the named panel, its text centred and wrapped, started.
template <typename TKind, typename... TExtra>
std::shared_ptr<TKind> DialogOn(const std::string& panel, const std::string& text, TExtra... extra) {
    ResetLogicTimer();
    auto dialog = TKind::Create(text, ImageBank().Find(panel), 0, 0, 0, extra...);
    CentreCaption(*dialog);
    Dress(*dialog);
    WrapCaption(*dialog);
    dialog->Start();
    ResetLogicTimer();
    return dialog;
}

DialogOKPtr MessageOn(const std::string& panel, const std::string& text) { return DialogOn<TDialogOK>(panel, text); }

DialogYesNoPtr QuestionOn(const std::string& panel, const std::string& text) {
    return DialogOn<TDialogYesNo>(panel, text, 1);
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
    WrapCaption(*dialog);
    SpreadAnswerBox(*dialog);
    auto& editor = *dialog->TextInput;
    editor.DotCol = White();
    editor.AllowExtendedChars = 1;
    // Every answer of this dialog becomes a file name (players, saved games,
    // custom puzzles): "=" is refused too, as the profile lists use it.
    editor.BannedChars = NameBannedChars + "=";
    dialog->FileNameAnswer = 1;
    // The answer is trimmed: a leading blank would only fill the line unseen.
    editor.NoLeadingBlanks = 1;
    ResetLogicTimer();
    return dialog;
}

// A message whose wrapped text would not fit the small panel above its
// button takes the tall one.
DialogOKPtr CreateMessageDialog(const std::string& text) {
    auto dialog = MessageOn("input", text);
    if (CaptionFits(*dialog)) return dialog;
    dialog->Kill();
    return MessageOn("inputlong", text);
}

// A question, like a message, takes the tall panel when its wrapped text
// would not fit the small one above its buttons.
DialogYesNoPtr CreateYesNoDialog(const std::string& text) {
    FlushInput();
    auto dialog = QuestionOn("input", text);
    if (CaptionFits(*dialog)) return dialog;
    dialog->Kill();
    return QuestionOn("inputlong", text);
}
