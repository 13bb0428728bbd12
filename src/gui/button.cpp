#include "gui/button.h"

#include <algorithm>
#include <cmath>

#include "resources/anim_timing.h"
#include "resources/input_tables.h"
#include "resources/view_state.h"
#include "gui/mouse_pointer.h"
#include "platform/files.h"
#include "platform/input.h"
#include "resources/channels.h"
#include "resources/game_paths.h"
#include "resources/pak_file.h"
#include "resources/resource_globals.h"
#include "resources/sound_settings.h"

namespace {

// Grey that a disabled button without its own image is drawn in.
constexpr int DIMMED_GREY = 120;
// The cream of the labels on the faces (white while hovered).
constexpr TTextLook::TRGB CAPTION_CREAM{255, 248, 232};

GameImagePtr LoadButtonImage(const std::string& path, int frameW, int frameH, int frames) {
    if (frames >= 2) return TGameImage::CreateAuto(path, frameW, frameH, 0, frames, plat::DEFAULT_FLAGS, 0);
    return TGameImage::Create(path, plat::DEFAULT_FLAGS, 0);
}

// Null when the file is not there (or cannot be read).
GameImagePtr TryLoadButtonImage(const std::string& path, int frameW, int frameH, int frames) {
    plat::ImagePtr image = frames >= 2 ? plat::LoadAnimImage(path, frameW, frameH, 0, frames)
                                       : plat::LoadImage(path);
    if (!image) return nullptr;
    return TGameImage::CreateFromImage(image, UpperAscii(plat::StripAll(path)), 0);
}

int ClampFrame(const TGameImage& face, int frame) {
    const int frames = face.Frames();
    if (frame < 0 || frames <= 0) return 0;
    return std::min(frame, frames - 1);
}

}  // namespace

// ---- sounds ----------------------------------------------------------------------

GameSoundPtr GuiSound(const std::string& name) {
    if (name.empty()) return nullptr;
    if (auto sound = SoundBank().FindOrNull(name)) return sound;
    return TGameSound::Create(GamePaths().SoundPath + name + ".wav");
}

void PlayGuiSound(const GameSoundPtr& sound, plat::ChannelPtr& channel) {
    if (!sound) return;
    auto& settings = SoundSettings();
    if (settings.Channels) {
        settings.Channels->PlayGameSound(*sound);
        return;
    }
    // A sound cued on no channel is never heard: the widget gets its own.
    if (!channel) channel = plat::AllocChannel();
    sound->PlayInChannel(channel, 0.0f);
}

// ---- repeats ---------------------------------------------------------------------

std::shared_ptr<TKeyRepeat> TKeyRepeat::Create(int initialDelay, int delay) {
    auto repeat = std::make_shared<TKeyRepeat>();
    repeat->InitialDelayLength = initialDelay;
    repeat->DelayLength = delay;
    return repeat;
}

void TKeyRepeat::ClearDelays() {
    InitialDelayCounter = 0;
    DelayCounter = 0;
}

int TKeyRepeat::Step(bool down) {
    if (!down) {
        ClearDelays();
        LastState = 0;
        return 0;
    }
    const auto& game = AnimTiming();
    const auto reload = [&] {
        return static_cast<int>(std::lround(game.CalcAnimLength(static_cast<float>(DelayLength))));
    };
    int result = 0;
    if (!LastState) {
        InitialDelayCounter = game.CalcAnimLength(static_cast<float>(InitialDelayLength));
        if (InitialDelayCounter <= 0) DelayCounter = reload();
        result = 1;
    } else if (InitialDelayCounter > 0) {
        InitialDelayCounter -= Delta;
        if (InitialDelayCounter <= 0) {
            InitialDelayCounter = 0;
            DelayCounter = reload();
            result = 2;
        }
    } else if (DelayCounter >= 1) {
        DelayCounter = static_cast<int>(std::lround(static_cast<float>(DelayCounter) - Delta));
        if (DelayCounter <= 0) {
            DelayCounter = reload();
            result = 2;
        }
    }
    LastState = 1;
    return result;
}

int TKeyRepeat::GetKey(int key) { return Step(KeyDown(key) != 0) ? 1 : 0; }

// ---- button: set-up ------------------------------------------------------------------

std::string TButton::GetPath() const { return UseMenuPath ? GamePaths().MenuPath : GamePaths().ImagePath; }

void TButton::Load(const std::string& img, const std::string& moImage, const std::string& soundMO,
                   const std::string& soundClick, int frameW, int frameH, int frames) {
    SetName(img);
    LoadImages(img, moImage, frameW, frameH, frames);
    if (!soundMO.empty()) SoundMouseOver = GuiSound(soundMO);
    if (!soundClick.empty()) SoundClick = GuiSound(soundClick);
    Init();
}

void TButton::LoadImages(const std::string& img, const std::string& moImage, int frameW, int frameH,
                         int frames) {
    image = LoadButtonImage(GetPath() + img + ".png", frameW, frameH, frames);
    ImageMouseOver.reset();
    if (!moImage.empty()) {
        ImageMouseOver = TryLoadButtonImage(GetPath() + moImage + ".png", frameW, frameH, frames);
        if (!ImageMouseOver) ImageMouseOver = image;
    }
    GetSize();
    if (!Caption) SetupTableCaption(img);
}

void TButton::Init() {
    GetSize();
    ClearClick();
}

void TButton::Kill() {
    for (auto* channel : {&ChannelMouseOver, &ChannelClick}) {
        if (*channel) plat::StopChannel(**channel);
        channel->reset();
    }
    Caption.reset();
    TSprite::Kill();
}

void TButton::SetupCaption(const std::string& text, plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow,
                           ColorPtr inverseColor) {
    TableLabel = nullptr;
    Caption = TLabel::CreateSpecial(text, x + w2, y + h2, 1, 0);
    Caption->CentreVertically = 1;
    Caption->Init(std::move(imageFont), std::move(color), std::move(shadow), 0, std::move(inverseColor), "");
}

void TButton::SetupTableCaption(const std::string& img) {
    const TButtonLabel* label = ButtonLabelFor(img);
    if (!label) return;
    Caption = TLabel::CreateSpecial("", 0, 0, label->textLeft ? ALIGN_LEFT : ALIGN_CENTRE, 0);
    Caption->CentreVertically = 1;
    Caption->Init(nullptr, TColor::Create(CAPTION_CREAM.r, CAPTION_CREAM.g, CAPTION_CREAM.b, 1.0f), nullptr, 0,
                  TColor::Create(255, 255, 255, 1.0f), "");
    Caption->Look = CaptionLook();
    TableLabel = label;
    RefreshTableCaption();
}

void TButton::RefreshTableCaption() {
    if (!TableLabel || !Caption) return;
    const std::string text = GameText().FindString(TableLabel->key);
    if (text != Caption->Text || !Caption->ImageFont) FitLabel(*Caption, text, TableLabel->size, LabelRoom(*TableLabel, w));
    Caption->X = x + static_cast<float>(TableLabel->textLeft ? TableLabel->textLeft : w / 2);
    Caption->Y = y + static_cast<float>(h) / 2.0f;
}

void TButton::SetupScaleOnMO(float max, float upSpeed, float downSpeed) {
    ScaleOnMOMax = max;
    ScaleOnMOUpSpeed = upSpeed;
    ScaleOnMODownSpeed = downSpeed;
}

// ---- button: position --------------------------------------------------------------

void TButton::CentreX(float ny) {
    x = static_cast<float>((ScreenWidth - w) / 2);
    y = ny;
}

void TButton::MoveBy(float mx, float my) {
    x += mx;
    y += my;
    if (Caption) {
        Caption->X += mx;
        Caption->Y += my;
    }
}

void TButton::MoveTo(float nx, float ny) { MoveBy(nx - x, ny - y); }

bool TButton::PointerInside() const {
    const auto& mouse = GameMouse();
    const float mx = static_cast<float>(mouse.x);
    const float my = static_cast<float>(mouse.y);
    return mx >= x && mx < x + static_cast<float>(w) && my >= y && my < y + static_cast<float>(h);
}

// ---- button: logic -------------------------------------------------------------------

void TButton::ClearClick() {
    Clicked = 0;
    MouseClickCounter = 0;
    MouseOver = 0;
    Glow = 0;
}

bool TButton::Live() const { return Active && (!Disabled || ClickDisabled); }

int TButton::Click(int isRepeat) {
    if (MouseClickCounter > 0 && !ClickWhenDown) return 0;
    if (!Clicked && !NoSound) {
        if (isRepeat && SoundClick2) {
            PlayClick2();
        } else {
            PlayClick();
        }
    }
    Clicked = 1;
    if (ImageMouseClick) MouseClickCounter = MouseClickDuration;
    return 1;
}

void TButton::FixedGlowOnMOActivate() {
    if (FixedGlowOnMO && MouseClickCounter <= 0) SetGlow(2, GlowMax, GlowSpeed, 0, GlowMax);
}

void TButton::SimulateClick() {
    FixedGlowOnMOActivate();
    if (Click(0)) MouseOver = 1;
}

void TButton::ManageScaleOnMO() {
    if (ScaleOnMO > 1.0f) ScaleOnMO = std::max(1.0f, ScaleOnMO - ScaleOnMODownSpeed * Delta);
}

void TButton::Manage() {
    if (Live()) {
        ManageAnim();
        if (GlowMode > 0) ManageGlow();
        const bool over = PointerInside() && !(MouseOverUserFunction && MouseOverUserFunction());
        if (over) {
            if (MouseClickCounter <= 0) {
                if (!MouseOver && !NoSound) PlayMouseOver();
                MouseOver = 1;
            }
            FixedGlowOnMOActivate();
            if (GameMouse().GetMh(1) > 0) {
                Click(0);
            } else {
                Clicked = 0;
            }
            if (ScaleOnMOMax > 1.0f) ScaleOnMO = std::min(ScaleOnMOMax, ScaleOnMO + ScaleOnMOUpSpeed * Delta);
        } else {
            MouseOver = Focused;
            Clicked = 0;
            if (Focused && ScaleOnMOMax > 1.0f) {
                ScaleOnMO = std::min(ScaleOnMOMax, ScaleOnMO + ScaleOnMOUpSpeed * Delta);
            } else {
                ManageScaleOnMO();
            }
        }
        const bool keyPress = KeyPress != 0;
        KeyPress = 0;
        if (keyPress || (OKButton && (KeyHit(plat::KEY_ENTER) || (OKButtonUseSpace && KeyHit(plat::KEY_SPACE)))))
            SimulateClick();
    } else {
        MouseOver = 0;
        Clicked = 0;
        if (FixedGlowOnMO) ManageGlow();
        ManageScaleOnMO();
    }
    if (MouseClickCounter > 0) MouseClickCounter = std::max(0.0f, MouseClickCounter - Delta);
}

void TButton::ManageNoSound() {
    const int saved = NoSound;
    NoSound = 1;
    Manage();
    NoSound = saved;
}

void TButton::PlayClick() { PlayGuiSound(SoundClick, ChannelClick); }
void TButton::PlayClick2() { PlayGuiSound(SoundClick2, ChannelClick); }
void TButton::PlayMouseOver() { PlayGuiSound(SoundMouseOver, ChannelMouseOver); }

void TButton::Precache() {
    for (const auto* face : {&image, &ImageMouseOver, &ImageMouseClick, &ImageDisabled}) {
        if (*face) (*face)->Precache();
    }
}

// ---- button: drawing ---------------------------------------------------------------------

void TButton::DrawFace(const GameImagePtr& face, int frameNo, float px, float py, bool glow, bool dim) {
    if (!face || !face->image) return;
    auto& picture = *face->image;
    frameNo = ClampFrame(*face, frameNo);
    const float alpha = UseAlpha ? Alpha : 1.0f;
    if (Shadow) {
        plat::SetColor(0, 0, 0);
        plat::SetAlpha(ShadowAlpha * alpha);
        plat::DrawImage(picture, px + ShadowX, py + ShadowY, frameNo);
        plat::SetAlpha(alpha);
    }
    if (dim) {
        plat::SetColor(DIMMED_GREY, DIMMED_GREY, DIMMED_GREY);
    } else {
        plat::SetColor(255, 255, 255);
    }
    plat::DrawImage(picture, px, py, frameNo);
    if (glow) {
        const int level = std::clamp(static_cast<int>(std::lround(255.0f * Glow)), 0, 255);
        plat::SetBlend(plat::LIGHTBLEND);
        plat::SetColor(level, level, level);
        plat::DrawImage(picture, px, py, frameNo);
        plat::SetBlend(plat::ALPHABLEND);
    }
    plat::SetColor(255, 255, 255);
}

void TButton::DrawCaptionScaled(float s, float cdx, float cdy, bool rounded, bool useColour) {
    if (!Caption) return;
    plat::SetScale(s, s);
    Caption->RoundCoords = rounded ? OldRoundedCoords : 0;
    Caption->Draw(offx + cdx, offy + cdy, useColour);
    Caption->RoundCoords = OldRoundedCoords;
}

void TButton::DrawCaption() {
    const bool grown = ScaleOnMO > 1.0f;
    DrawCaptionScaled(grown ? ScaleOnMO : 1.0f, 0, 0, !grown, true);
}

void TButton::Draw() {
    if (!Active && !AlwaysDraw) return;
    RefreshTableCaption();
    plat::SetBlend(plat::ALPHABLEND);
    float px = x + offx;
    float py = y + offy;
    if (UseAlpha) plat::SetAlpha(Alpha);
    if (Caption) OldRoundedCoords = Caption->RoundCoords;
    const bool grown = ScaleOnMO > 1.0f;
    const float savedScaleX = ScaleX, savedScaleY = ScaleY;
    if (grown) {
        const float iw = image ? static_cast<float>(image->w) : static_cast<float>(w);
        const float ih = image ? static_cast<float>(image->h) : static_cast<float>(h);
        px += (1.0f - ScaleOnMO) * iw / 2.0f;
        py += (1.0f - ScaleOnMO) * ih / 2.0f;
        ScaleX = ScaleY = ScaleOnMO;
    }
    const float grow = grown ? ScaleOnMO : 1.0f;
    plat::SetScale(ScaleX, ScaleY);

    const bool glowing = GlowMode > 0 && Glow > 0;
    if (MouseClickCounter > 0 && ImageMouseClick) {
        DrawFace(ImageMouseClick, 0, px, py, glowing, false);
        if (Caption) {
            if (CaptionDownColor) CaptionDownColor->Apply();
            const bool rounded = CaptionDownScale == 1.0f && !grown;
            DrawCaptionScaled(CaptionDownScale * grow, CaptionDownOffsetX * grow, CaptionDownOffsetY * grow, rounded,
                              !CaptionDownColor);
        }
    } else if ((MouseOver && ImageMouseOver) || (FixedGlowOnMOUseMO && glowing)) {
        DrawFace(ImageMouseOver ? ImageMouseOver : image, frame, px, py, glowing && (FixedGlowOnMO || AutoGlowOnMO),
                 false);
        if (Caption) {
            Caption->ApplyInverse();
            DrawCaptionScaled(grow, 0, 0, !grown, !Caption->InverseColor);
        }
    } else if (!Disabled) {
        DrawFace(image, frame, px, py, glowing && !AutoGlowOnMO, false);
        DrawCaption();
    } else {
        // A button without its own disabled image shows its normal one dimmed.
        if (ImageDisabled) {
            DrawFace(ImageDisabled, 0, px, py, false, false);
        } else {
            DrawFace(image, frame, px, py, false, true);
        }
        if (Caption) {
            if (CaptionDisabledColor) {
                CaptionDisabledColor->Apply();
            } else {
                plat::SetColor(DIMMED_GREY, DIMMED_GREY, DIMMED_GREY);
            }
            DrawCaptionScaled(grow, 0, 0, !grown, false);
        }
    }

    if (grown) {
        ScaleX = savedScaleX;
        ScaleY = savedScaleY;
    }
    plat::SetScale(1.0f, 1.0f);
    if (UseAlpha) plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
}
