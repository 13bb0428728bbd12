#include "gui/dialog.h"

#include <algorithm>
#include <cmath>

#include "resources/input_tables.h"
#include "resources/view_state.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "resources/sound_settings.h"

namespace {

int Round(float v) { return static_cast<int>(std::lround(v)); }

}  // namespace

// ---- drawing helpers -------------------------------------------------------------

void DimScreen(float alpha) {
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(alpha);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
}

void DrawRectWithShadow(float x, float y, float w, float h, const TShadow* shadow) {
    if (shadow) {
        int r = 255, g = 255, b = 255;
        plat::GetColor(r, g, b);
        const float alpha = plat::GetAlpha();
        plat::SetColor(0, 0, 0);
        plat::SetAlpha(shadow->Alpha);
        plat::DrawRect(x + shadow->X, y + shadow->Y, w, h);
        plat::SetAlpha(alpha);
        plat::SetColor(r, g, b);
    }
    plat::DrawRect(x, y, w, h);
}

void DrawImageWithShadow(TGameImage& image, float x, float y, const TShadow* shadow) {
    if (!image.image) return;
    if (shadow) {
        int r = 255, g = 255, b = 255;
        plat::GetColor(r, g, b);
        const float alpha = plat::GetAlpha();
        plat::SetColor(0, 0, 0);
        plat::SetAlpha(shadow->Alpha * alpha);
        plat::DrawImage(*image.image, x + shadow->X, y + shadow->Y);
        plat::SetColor(r, g, b);
        plat::SetAlpha(alpha);
    }
    plat::DrawImage(*image.image, x, y);
}

// ---- TDialog -----------------------------------------------------------------------

void TDialog::Init(const std::string& text, GameImagePtr background, int w_, int h_, int x_, int y_) {
    Caption = TLabel::CreateSpecial(text, 0, 0, ALIGN_CENTRE);
    Background = std::move(background);
    DialogColor = TColor::Create(150, 150, 150, 1.0f);
    FixedWidth = w_ != 0 ? 1 : 0;
    w = w_;
    h = h_;
    x = x_;
    y = y_;
}

void TDialog::Start() {
    CloseResult = 0;
    CloseResultTemp = 0;
    Focus.Clear();
    CalcAll();
    MenuPosition();
    auto& game = ViewState();
    OldIgnoreEscapeKey = game.IgnoreEscapeKey;
    game.IgnoreEscapeKey = 1;
    Active = 1;
    if (Slide == 5) Slide = plat::Rand(1, 4);
    CalcOffset();
}

void TDialog::SetupCaption(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow) {
    Caption->Init(std::move(imageFont), std::move(color), std::move(shadow));
    CalcAll();
    MenuPosition();
}

void TDialog::CalcAll() {
    CalcSize();
    SetLabelsXY();
}

void TDialog::CalcCaptionSize() {
    Caption->CalcSize();
    if (Background) {
        Background->MidHandle(0);
        w = Background->w;
        h = Background->h;
    } else if (!FixedWidth) {
        w = Round(Caption->CalcWidth() + static_cast<float>(2 * Border));
    }
    // A text wider than a fixed width or a panel image wraps inside it.
    if ((FixedWidth || Background) && static_cast<float>(2 * Border) + Caption->CalcWidth() > static_cast<float>(w)) {
        Caption->WordWrap = w - 2 * Border;
        Caption->PreCalcWordWrap();
        Caption->CalcSize();
    }
}

void TDialog::CalcSize() {
    CalcCaptionSize();
    CalcXY();
}

void TDialog::CalcXY() {
    if (!Centre) return;
    x = (ScreenWidth - w) / 2;
    y = (ScreenHeight - h) / 2;
}

void TDialog::MoveClearOf(int top, int bottom) {
    constexpr int MARGIN = 8;
    int below = bottom + MARGIN, above = top - MARGIN - h;
    int to = -1;
    if (below + h <= ScreenHeight - MARGIN) {
        to = below;
    } else if (above >= MARGIN) {
        to = above;
    }
    if (to >= 0) MoveToY(to);
}

void TDialog::MoveToY(int y_) {
    Centre = 0;
    y = y_;
    CalcAll();
    MenuPosition();
}

void TDialog::CalcOffset() {
    OffsetX = 0;
    OffsetY = 0;
    if (Transitioning < 1 || Slide <= 0) return;
    float r = 0;
    if (Transitioning == 1 && TransitionIn) r = TransitionIn->GetRatio();
    if (Transitioning == 2 && TransitionOut) r = TransitionOut->GetRatioInv();
    const auto extra = static_cast<float>(SlideExtra);
    switch (Slide) {
        case 1: OffsetY = r * (static_cast<float>(-y - h) - extra); break;
        case 2: OffsetX = r * (static_cast<float>(ScreenWidth - x) + extra); break;
        case 3: OffsetY = r * (static_cast<float>(ScreenHeight - y) + extra); break;
        case 4: OffsetX = r * (static_cast<float>(-x - w) - extra); break;
        default: break;
    }
}

void TDialog::SetLabelsXY() {
    const float captionH = Caption->CalcHeight();
    if (CaptionOX == 0 && CaptionOY == 0) {
        Caption->X = static_cast<float>(CaptionGetCentredX());
        if (Caption->WordWrap > 0 || CaptionCentreVert) {
            Caption->Y = static_cast<float>(y) + static_cast<float>(h) / 2.0f - captionH / 2.0f;
        } else {
            Caption->Y = static_cast<float>(y + Border);
        }
    } else {
        Caption->X = static_cast<float>(CaptionOX);
        Caption->Y = static_cast<float>(CaptionOY);
    }
    Caption->X += static_cast<float>(CaptionOffsetX);
    Caption->Y += static_cast<float>(CaptionOffsetY);
}

int TDialog::MenuGetCentredX() const { return x + (w - (Menu ? Menu->CalcWidth() : 0)) / 2; }

void TDialog::PlaceMenu() {
    if (!Menu) return;
    if (MenuOX == 0 && MenuOY == 0) {
        const int menuH = Menu->CalcHeight();
        Menu->SetX(static_cast<float>(MenuGetCentredX()));
        Menu->SetY(static_cast<float>(y + h - menuH - Border));
    } else {
        Menu->SetX(static_cast<float>(MenuOX));
        Menu->SetY(static_cast<float>(MenuOY));
    }
    Menu->ManageNoSound();
}

void TDialog::MenuPosition() { PlaceMenu(); }

void TDialog::CreateMenu() {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->SetShadow(1, 3, 3, 0.4f);
}

void TDialog::ClickButton(TMenu& menu, const std::string& name) {
    if (auto button = menu.FindButton(name)) button->SimulateClick();
}

void TDialog::PlayClickSound(const GameSoundPtr& sound) { PlayGuiSound(sound, FadeChannel); }

void TDialog::PlayTransitionSound(const GameSoundPtr& sound) {
    if (!sound) return;
    if (!FadeChannel) FadeChannel = plat::AllocChannel();
    sound->PlayInChannel(FadeChannel, 0.0f);
}

int TDialog::ManageTransitions() {
    if (Transitioning == 1 && TransitionIn && TransitionIn->Manage()) {
        Transitioning = 0;
        if (FadeDialog) SetAlphas(1.0f);
        PlayTransitionSound(ActivateSound);
        FlushInput();
    }
    if (Transitioning == 2 && TransitionOut) {
        if (TransitionOut->Manage()) {
            if (FadeDialog) SetAlphas(0.0f);
            Transitioning = 0;
            Finalise();
            if (FadeChannel) plat::StopChannel(*FadeChannel);
            return 1;
        }
        if (FadeChannel) {
            plat::SetChannelVolume(*FadeChannel,
                                   TransitionOut->GetRatio() * static_cast<float>(SoundSettings().SoundVolume) / 100.0f);
        }
    }
    return 0;
}

int TDialog::ManageCore() {
    if (!Active) return 0;
    if (ManageTransitions()) return 1;
    CalcOffset();
    if (Menu) {
        if (Disabled || Transitioning == 2) {
            Menu->ManageFixedGlowOnly();
        } else if (Transitioning == 0) {
            if (Focus.Empty()) Focus.AddMenu(*Menu);
            Focus.Manage();
            Menu->Manage();
        }
    }
    return 1;
}

int TDialog::Manage() { return ManageCore(); }

void TDialog::SetAlphas(float a) {
    if (Header) Header->Alpha = a;
    if (Menu) Menu->SetAlpha(a);
    if (Caption && Caption->Color) Caption->Color->Alpha = a;
}

void TDialog::DoDrawHighlight(float alpha) const {
    if (!DrawHighlight) return;
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(0.5f * alpha);
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    plat::DrawLine(fx, fy, static_cast<float>(x + w - 1), fy);
    plat::DrawLine(fx, fy, fx, static_cast<float>(y + h - 1));
    plat::SetAlpha(1.0f);
}

void TDialog::DrawPicture(const GameImagePtr& picture, int px, int py, float scale, float angle,
                          const ShadowPtr& shadow) {
    if (!picture || !picture->image) return;
    plat::SetScale(scale, scale);
    plat::SetRotation(angle);
    const float fx = static_cast<float>(px) + OffsetX;
    const float fy = static_cast<float>(py) + OffsetY;
    if (shadow) {
        plat::SetColor(0, 0, 0);
        plat::SetAlpha(shadow->Alpha * Alpha);
        plat::DrawImage(*picture->image, fx + shadow->X, fy + shadow->Y);
        plat::SetColor(255, 255, 255);
    }
    plat::SetAlpha(Alpha);
    plat::DrawImage(*picture->image, fx, fy);
    plat::SetScale(1.0f, 1.0f);
    plat::SetRotation(0);
}

int TDialog::Draw() {
    if (!Active) return 0;
    Alpha = 1.0f;
    float dim = DimBackground;
    if (Transitioning == 1 && TransitionIn) {
        const float ratio = TransitionIn->GetRatioInv();
        if (FadeDialog) Alpha = ratio;
        dim = DimBackground * ratio;
    } else if (Transitioning == 2 && TransitionOut) {
        const float ratio = TransitionOut->GetRatio();
        if (FadeDialog) Alpha = ratio;
        dim = DimBackground * ratio;
    }
    if (dim > 0) DimScreen(dim);
    plat::SetBlend(plat::ALPHABLEND);
    if (Alpha != 1.0f) SetAlphas(Alpha);

    const float px = static_cast<float>(x) + OffsetX;
    const float py = static_cast<float>(y) + OffsetY;
    if (!Background) {
        DialogColor->Apply();
        DrawRectWithShadow(px, py, static_cast<float>(w), static_cast<float>(h), Shadow.get());
        plat::SetColor(255, 255, 255);
        plat::SetAlpha(Alpha);
    } else {
        plat::SetAlpha(Alpha);
        DrawImageWithShadow(*Background, px, py, Shadow.get());
    }
    DoDrawHighlight(Alpha);

    if (Header) {
        Header->UseOffset = Slide ? 1 : 0;
        Header->offx = OffsetX;
        Header->offy = OffsetY;
        Header->Draw();
    }
    Caption->Draw(OffsetX, OffsetY, true);
    TextAlpha = 1.0f;
    if (Menu && MenuShow) Menu->Draw(OffsetX, OffsetY);
    if (Menu && MenuShow && Transitioning == 0) Focus.Draw();
    DrawPicture(Picture, PictureX, PictureY, PictureScale, PictureAngle, PictureShadow);
    DrawPicture(Picture2, Picture2X, Picture2Y, Picture2Scale, Picture2Angle, Picture2Shadow);
    plat::SetAlpha(1.0f);
    return 1;
}

int TDialog::Close(int result) {
    CloseResultTemp = result;
    if (!TransitionOut) {
        Finalise();
        return result;
    }
    TransitionOut->Start();
    Transitioning = 2;
    PlayTransitionSound(SlideOutSound);
    return 0;
}

void TDialog::Finalise() {
    Active = 0;
    // Keys and clicks made while the dialog was up were meant for it: the
    // screen behind does not get what the dialog left unread.
    FlushInput();
    if (ReenableEscapeKey) ViewState().IgnoreEscapeKey = OldIgnoreEscapeKey;
    CloseResult = CloseResultTemp;
}

void TDialog::Kill() {
    // Dropped while still open: the application gets its Escape key back.
    if (Active && ReenableEscapeKey) ViewState().IgnoreEscapeKey = OldIgnoreEscapeKey;
    Active = 0;
    if (Caption) Caption->Kill();
    Caption.reset();
    Background.reset();
    Shadow.reset();
    DialogColor.reset();
    if (Menu) Menu->Kill();
    Menu.reset();
    if (Header) Header->Kill();
    Header.reset();
    Picture.reset();
    Picture2.reset();
    PictureShadow.reset();
    Picture2Shadow.reset();
    if (FadeChannel) plat::StopChannel(*FadeChannel);
    FadeChannel.reset();
    ActivateSound.reset();
    SlideInSound.reset();
    SlideOutSound.reset();
}

// ---- TDialogOK -------------------------------------------------------------------------

std::shared_ptr<TDialogOK> TDialogOK::Create(const std::string& text, GameImagePtr background, int w, int h, int x) {
    auto dialog = std::make_shared<TDialogOK>();
    dialog->Init(text, std::move(background), w, h, x, 0);
    dialog->MenuCreate();
    return dialog;
}

void TDialogOK::CalcSize() {
    CalcCaptionSize();
    if (!Background) {
        const int menuH = Menu ? Menu->CalcHeight() : 0;
        h = Round(static_cast<float>(menuH) + Caption->CalcHeight() + static_cast<float>(Gap + 2 * Border));
    }
    CalcXY();
}

void TDialogOK::MenuCreate() {
    CreateMenu();
    Menu->AddQuick("OK", "OK")->OKButton = 1;
}

void TDialogOK::MenuPosition() { PlaceMenu(); }

int TDialogOK::Manage() {
    const int core = ManageCore();
    if (CloseResult != 0) return CloseResult;
    if (!core || Transitioning) return 0;
    if (KeyHit(plat::KEY_ESCAPE)) {
        ClickButton(*Menu, "OK");
        return OKClick();
    }
    if (Menu->Clicked("OK")) return OKClick();
    return 0;
}

int TDialogOK::OKClick() {
    FlushInput();
    return Close(1);
}

// ---- TDialogYesNo ------------------------------------------------------------------------

std::shared_ptr<TDialogYesNo> TDialogYesNo::Create(const std::string& text, GameImagePtr background, int w, int h,
                                                   int x, int makeMenu) {
    auto dialog = std::make_shared<TDialogYesNo>();
    dialog->Init(text, std::move(background), w, h, x, 0);
    if (makeMenu) dialog->MenuCreate(dialog->ButtonGap);
    return dialog;
}

void TDialogYesNo::CalcSize() {
    CalcCaptionSize();
    if (!Background) {
        const int menuH = Menu ? Menu->CalcHeight() : 0;
        h = Round(static_cast<float>(menuH) + Caption->CalcHeight() + static_cast<float>(Gap + 2 * Border));
    }
    CalcXY();
}

void TDialogYesNo::MenuCreate(int buttonGap) {
    CreateMenu();
    Menu->AddPair("Yes", "No", buttonGap);
    if (auto yes = Menu->FindButton("Yes")) yes->OKButton = 1;
}

void TDialogYesNo::MenuPosition() { PlaceMenu(); }

int TDialogYesNo::Manage() {
    const int core = ManageCore();
    if (CloseResult != 0) return CloseResult;
    if (!core || Transitioning || !Menu) return 0;
    if (KeyHit(plat::KEY_ESCAPE) || KeyHit('N')) {
        ClickButton(*Menu, "No");
        return NoClick();
    }
    if (KeyHit('Y')) {
        ClickButton(*Menu, "Yes");
        return YesClick();
    }
    if (Menu->Clicked("No")) return NoClick();
    if (Menu->Clicked("Yes")) return YesClick();
    return 0;
}

int TDialogYesNo::YesClick() {
    FlushInput();
    return Close(1);
}

int TDialogYesNo::NoClick() {
    FlushInput();
    return Close(-1);
}
