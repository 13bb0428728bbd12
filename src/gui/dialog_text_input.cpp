// The question dialog with a typed answer.
#include <algorithm>
#include <cmath>
#include <optional>

#include "resources/input_tables.h"
#include "resources/view_state.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "resources/game_text.h"
#include "resources/resource_globals.h"

namespace {

constexpr int CHAR_BACKSPACE = 8, CHAR_TAB = 9, CHAR_ENTER = 13, CHAR_ESCAPE = 27;
// F2 brings up the keys on the screen, or takes them away.
constexpr int KEY_KEYBOARD = plat::KEY_F1 + 1;

int Round(float v) { return static_cast<int>(std::lround(v)); }

// Between the answer box's frame and the line that says why a key was refused.
constexpr int REFUSAL_GAP = 5;

}  // namespace

std::shared_ptr<TDialogTextInput> TDialogTextInput::Create(const std::string& text, const std::string& answer,
                                                           int maxLength, GameImagePtr background, int w, int x,
                                                           int y, int maxPixelWidth) {
    auto dialog = std::make_shared<TDialogTextInput>();
    dialog->Init(text, std::move(background), w, 0, x, y);
    dialog->Text = TLabel::CreateSpecial(answer, 0, 0, ALIGN_LEFT);
    dialog->BoxColor = TColor::Create(0, 0, 0, 1.0f);
    dialog->TextInput = std::make_shared<TTextInput>();
    dialog->TextInput->Text = answer;
    dialog->TextInput->CurrentChar = static_cast<int>(answer.size()) + 1;
    dialog->TextInput->MaxLength = maxLength;
    dialog->TextInput->MaxPixelWidth = maxPixelWidth;
    return dialog;
}

void TDialogTextInput::Start() {
    TDialog::Start();
    ViewState().BlockKeys = 1;
    padWasInUse_ = false;
}

void TDialogTextInput::OpenKeyboard() {
    Keyboard.Build(GameText().FindString("Keyboard Letters"));
    Keyboard.Shown = true;
    // The question and its answer stay in sight above the keys.
    constexpr int CLEARANCE = 8;
    const int top = static_cast<int>(Keyboard.Top()) - CLEARANCE;
    if (y + h > top) MoveToY(std::max(CLEARANCE, top - h));
}

std::optional<int> TDialogTextInput::ManageKeyboard() {
    const bool padInUse = plat::PadInUse() != plat::PadKind::None;
    // Reached with a pad (or a pad taken up while it is open): the keys come up.
    if (padInUse && !padWasInUse_ && !Keyboard.Shown) OpenKeyboard();
    padWasInUse_ = padInUse;
    if (KeyHit(KEY_KEYBOARD)) {
        if (Keyboard.Shown) {
            Keyboard.Shown = false;
        } else {
            OpenKeyboard();
        }
    }
    if (!Keyboard.Shown) return std::nullopt;
    int result = 0;
    // Letters typed on a real keyboard still go in; Return, Escape and Tab
    // belong to the keys on the screen.
    while (const int ch = GetChar()) {
        if (ch != CHAR_ENTER && ch != CHAR_ESCAPE && ch != CHAR_TAB && result == 0) result = TextInput->Type(ch);
    }
    switch (Keyboard.Manage(TextInput->Text.empty())) {
        case TScreenKeyboard::EAction::Type: TextInput->Type(Keyboard.Typed()); break;
        case TScreenKeyboard::EAction::Erase: TextInput->Type(CHAR_BACKSPACE); break;
        case TScreenKeyboard::EAction::Done: result = TextInput->Type(CHAR_ENTER); break;
        case TScreenKeyboard::EAction::Close: Keyboard.Shown = false; break;
        case TScreenKeyboard::EAction::None: break;
    }
    TextInput->Tick();
    return result;
}

void TDialogTextInput::SetupText(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, int fixedWidth) {
    Text->Init(std::move(imageFont), std::move(color), std::move(shadow), fixedWidth);
    Text->CalcSize();
    // The editor keeps the characters, limits and rules set so far.
    const auto old = TextInput;
    TextInput = std::make_shared<TTextInput>();
    TextInput->Init(Text->ImageFont, old->Text, Round(Text->X), Round(Text->Y) + TextYOffset);
    TextInput->MaxLength = old->MaxLength;
    TextInput->MaxPixelWidth = old->MaxPixelWidth;
    TextInput->BannedChars = old->BannedChars;
    TextInput->AllowExtendedChars = old->AllowExtendedChars;
    TextInput->NumbersOnly = old->NumbersOnly;
    TextInput->NoLeadingBlanks = old->NoLeadingBlanks;
    ViewState().BlockKeys = 0;
    if (Text->Color) TextInput->TextCol = Text->Color;
    if (Text->Shadow) TextInput->TextShadow = Text->Shadow;
    TextInput->DrawDots = fixedWidth;
    TextInput->AllowNull = AllowNull;
    TextInput->AllowEscToAbort = HasCancel;
    if (Menu) {
        if (auto ok = Menu->FindButton("OK")) ok->OKButtonUseSpace = 0;
    }
    MenuPosition();
}

void TDialogTextInput::CalcSize() {
    CalcCaptionSize();
    if (!Background) {
        const int menuH = Menu ? Menu->CalcHeight() : 0;
        h = Round(static_cast<float>(menuH) + Caption->CalcHeight() + Text->CalcHeight() +
                  static_cast<float>(2 * Gap + 2 * Border));
    }
    CalcXY();
}

void TDialogTextInput::SetLabelsXY() {
    TDialog::SetLabelsXY();
    // A question wrapped onto several lines still heads the panel, above the
    // answer box, instead of being centred over it.
    if (Caption->WordWrap > 0 && !CaptionCentreVert && CaptionOX == 0 && CaptionOY == 0)
        Caption->Y = static_cast<float>(y + Border + CaptionOffsetY);
    if (TextOX == 0 && TextOY == 0) {
        Text->X = static_cast<float>(x + BoxBorderH + TextBorder);
        Text->Y = Caption->Y + Caption->CalcHeight() + static_cast<float>(Gap);
    } else {
        Text->X = static_cast<float>(TextOX);
        Text->Y = static_cast<float>(TextOY);
    }
    if (TextInput) {
        TextInput->X = Round(Text->X);
        TextInput->Y = Round(Text->Y) + TextYOffset;
    }
}

void TDialogTextInput::MenuCreate(int withCancel, int buttonGap) {
    CreateMenu();
    HasCancel = withCancel ? 1 : 0;
    if (withCancel) {
        Menu->AddPair("OK", "Cancel", buttonGap);
    } else {
        Menu->AddQuick("OK", "OK");
    }
    if (auto ok = Menu->FindButton("OK")) ok->OKButton = 1;
    if (TextInput) TextInput->AllowEscToAbort = HasCancel;
}

void TDialogTextInput::MenuPosition() { PlaceMenu(); }

void TDialogTextInput::ManageErrorDialog() {
    if (DialogOK->Manage() == 0) return;
    DialogOK->Kill();
    DialogOK.reset();
    if (Menu) Menu->ManageNoSound();
    TextInput->Reset();
}

int TDialogTextInput::Manage() {
    if (!Active) return CloseResult;
    if (OKClickedScreen) {
        if (OKClickedScreen->Logic() != 1) return 0;
        OKClickedScreen->Kill();
        OKClickedScreen.reset();
        return 1;
    }
    if (ManageTransitions()) return CloseResult;
    CalcOffset();
    if (DialogOK) {
        ManageErrorDialog();
        return 0;
    }
    if (Transitioning) {
        if (Menu) Menu->ManageFixedGlowOnly();
        return 0;
    }
    const std::optional<int> onScreen = ManageKeyboard();
    const int edited = onScreen ? *onScreen : TextInput->Manage();
    if (edited == 1 && OKClick(1)) {
        ClickSound();
        return Accepted();
    }
    if (edited != -1 && Menu) {
        Menu->Manage();
        if (Menu->Clicked("OK") && OKClick(0)) {
            TextInput->Finish();
            return Accepted();
        }
    }
    const bool cancelClicked = HasCancel && Menu && Menu->Clicked("Cancel");
    const bool escape = HasCancel && KeyHit(plat::KEY_ESCAPE);
    if (edited == -1 || cancelClicked || escape) {
        TextInput->Finish();
        if (!cancelClicked) ClickSound();
        return CancelClick();
    }
    return 0;
}

int TDialogTextInput::Accepted() {
    const int result = ProcessOKClickedFunc();
    if (result <= 0) return 0;
    // With a closing slide the answer comes when it ends.
    return Transitioning == 2 ? 0 : result;
}

int TDialogTextInput::ProcessOKClickedFunc() {
    if (!OKClickedFunc) return 1;
    const int result = OKClickedFunc(*this);
    if (result > 0) return result;
    // Refused by the owner: the dialog stays open for more typing.
    Active = 1;
    Transitioning = 0;
    CloseResult = 0;
    ViewState().IgnoreEscapeKey = 1;
    TextInput->Reset();
    return 0;
}

int TDialogTextInput::OKClick(int byEnter) {
    std::string answer = TextInput->Text;
    if (FileNameAnswer) answer = TrimBlanks(answer);
    if (UppercaseFirstChar) answer = UppercaseFirst(answer);
    TextInput->Text = answer;
    TextInput->CurrentChar = static_cast<int>(answer.size()) + 1;
    if (answer.empty() && (!AllowNull || FileNameAnswer)) {
        TextInput->Reset();
        TextInput->Refuse(ERefusal::Empty);
        return 0;
    }
    std::string message;
    if (FileNameAnswer && !IsSafeFileName(answer)) {
        message = IsReservedName(answer) ? GameText().FindString("Name Error Reserved", answer)
                                         : GameText().FindString("Name Error");
    } else if (!ErrorCheckFunc || ErrorCheckFunc(answer, message) != -1) {
        Close(1);
        return 1;
    }
    DialogOK = ErrorDialogFunc ? ErrorDialogFunc(message) : CreateMessageDialog(message);
    if (DialogOK) DialogOK->ReenableEscapeKey = 0;
    if (byEnter) ClickSound();
    if (!DialogOK) TextInput->Reset();
    return 0;
}

int TDialogTextInput::CancelClick() {
    // -1 now, or from Manage once the closing slide has ended.
    const int result = Close(-1);
    return result == 0 ? 0 : -1;
}

void TDialogTextInput::ClickSound() {
    if (Menu) PlayClickSound(Menu->SoundClick);
}

int TDialogTextInput::Draw() {
    if (!Active) return 0;
    if (!DrawDisabled) {
        TDialog::Draw();
        if (DrawBox && BoxColor) {
            const float bx = static_cast<float>(x + BoxBorderH) + OffsetX;
            const float by = Text->Y - static_cast<float>(BoxBorderV) + OffsetY;
            const float bw = static_cast<float>(w - 2 * BoxBorderH);
            const float bh = Text->CalcHeight() + static_cast<float>(2 * BoxBorderV);
            if (BoxFrameColor) {
                BoxFrameColor->Apply();
                plat::DrawRect(bx - 2, by - 2, bw + 4, bh + 4);
            }
            BoxColor->Apply();
            plat::DrawRect(bx, by, bw, bh);
            TColor::Restore();
        }
        const int restX = TextInput->X, restY = TextInput->Y;
        TextInput->X = Round(static_cast<float>(restX) + OffsetX);
        TextInput->Y = Round(static_cast<float>(restY) + OffsetY);
        TextInput->Draw();
        TextInput->X = restX;
        TextInput->Y = restY;
        DrawRefusal();
        if (Transitioning == 0) Keyboard.Draw();
        if (DialogOK) DialogOK->Draw();
    }
    if (OKClickedScreen) OKClickedScreen->Draw();
    return 1;
}

float TDialogTextInput::RefusalY() const {
    return Text->Y + Text->H + static_cast<float>(BoxBorderV + REFUSAL_GAP);
}

void TDialogTextInput::DrawRefusal() {
    const std::string line = TextInput->Active ? TextInput->RefusalText() : std::string();
    const plat::ImageFontPtr font = FirstFont();
    if (line.empty() || !font) return;
    plat::SetImageFont(font);
    plat::SetBlend(plat::ALPHABLEND);
    const float width = static_cast<float>(plat::FontTextWidth(*font, line));
    const float left = static_cast<float>(x) + (static_cast<float>(w) - width) / 2.0f + OffsetX;
    RefusalColor->Apply();
    if (TextInput->TextShadow) TextInput->TextShadow->ApplyToText();
    DrawTextWithShadow(left, RefusalY() + OffsetY, line);
    TColor::Restore();
}

void TDialogTextInput::Kill() {
    if (Text) Text->Kill();
    Text.reset();
    BoxColor.reset();
    BoxFrameColor.reset();
    if (DialogOK) DialogOK->Kill();
    DialogOK.reset();
    if (OKClickedScreen) OKClickedScreen->Kill();
    OKClickedScreen.reset();
    if (TextInput && TextInput->Active) TextInput->Finish();
    TDialog::Kill();
}
