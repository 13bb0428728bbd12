#include "screens/options_screen.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/sprite.h"
#include "gui/text.h"
#include "platform/graphics.h"
#include "gui/table_text.h"
#include "platform/clock.h"
#include "resources/languages.h"
#include "resources/resource_globals.h"

namespace {
constexpr float BUTTON_DROP = 220;
// The four rows stand evenly spaced in the middle of the panel.
constexpr float SLIDER_X = 346, MUSIC_SLIDER_Y = 165, SOUND_SLIDER_Y = 235;
constexpr float CHECK_BOX_Y = 305;
constexpr float LANGUAGE_Y = 375;
constexpr int LANGUAGE_GAP = 12;
constexpr int LANGUAGE_FONT_SIZE = 18;
// A slider's label image, beside it and a little lower.
constexpr float LABEL_RIGHT = 326, LABEL_DROP = 13, LABEL_ROOM = 170;
constexpr int LABEL_SIZE = 28;
constexpr int SLIDER_BORDER = 22;
// A slider's value, right of its track.
constexpr float VALUE_GAP = 28;
constexpr int VALUE_FONT_SIZE = 25;
constexpr float VALUE_DROP = 4;
constexpr int OK_CANCEL_GAP = 24;
constexpr int CAPTION_RED = 255, CAPTION_GREEN = 248, CAPTION_BLUE = 232;
}  // namespace

TOptionsScreen& OptionsScreen() {
    static TOptionsScreen screen;
    return screen;
}

void TOptionsScreen::Load() {
    LoadPanel("Header Options");
    AddOkAndCancel();

    auto& game = Game();
    OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    AddCheckBox(*OptionsMenu, game.FullScreen, "fullscreen");
    OptionsMenu->CentreHoriz();
    OptionsMenu->SetY(CHECK_BOX_Y);

    MusicSlider = TSlider::CreateSpecial("slider", "marker", SLIDER_X, MUSIC_SLIDER_Y, SLIDER_BORDER, "musicslider");
    SoundSlider = TSlider::CreateSpecial("slider", "marker", SLIDER_X, SOUND_SLIDER_Y, SLIDER_BORDER, "soundslider");
    MusicSlider->SetValue(game.MusicVolume);
    SoundSlider->SetValue(game.SoundVolume);
    BuildLanguageMenu();
}

// Cancel stands right of OK, the pair centred below the panel.
void TOptionsScreen::AddOkAndCancel() {
    auto cancel = Menu->AddNew("platesmall", "platesmallMO", "cancel");
    cancel->SetupScaleOnMO(BUTTON_GROWTH, cancel->ScaleOnMOUpSpeed, cancel->ScaleOnMODownSpeed);
    Menu->MakeRow(OK_CANCEL_GAP);
    Menu->Centre();
    Menu->SetY(Menu->y + BUTTON_DROP);
    // The label stands where the button is now.
    cancel->SetupTableCaption("optionscancel");
}

// The plates carry no words: each shows its language's name in the font.
void TOptionsScreen::BuildLanguageMenu() {
    LanguageMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const auto& language : Languages()) LanguageMenu->AddNew("language", "languageMO", language.Code);
    LanguageMenu->MakeRow(LANGUAGE_GAP);
    LanguageMenu->CentreHoriz();
    LanguageMenu->SetY(LANGUAGE_Y);
    for (size_t i = 0; i < Languages().size(); ++i) {
        LanguageMenu->Buttons[i]->SetupCaption(Languages()[i].Name, GameFont(LANGUAGE_FONT_SIZE),
                                               TColor::Create(255, 248, 232, 1.0f), TShadow::Create(1, 1, 0.6f),
                                               nullptr);
        LanguageMenu->Buttons[i]->Caption->Look = CaptionLook();
    }
    LightLanguageInUse();
}

void TOptionsScreen::LightLanguageInUse() {
    for (size_t i = 0; i < Languages().size(); ++i) {
        const bool on = Languages()[i].Code == GameText().Language;
        LanguageMenu->Buttons[i]->LoadImages(on ? "languageOn" : "language", on ? "languageOnMO" : "languageMO");
    }
}

void TOptionsScreen::BuildFocus() {
    Focus.AddSlider(MusicSlider);
    Focus.AddSlider(SoundSlider);
    if (OptionsMenu) Focus.AddMenu(*OptionsMenu);
    if (LanguageMenu) Focus.AddMenu(*LanguageMenu);
    if (Menu) Focus.AddMenu(*Menu);
}

void TOptionsScreen::Start() {
    TPanelScreen::Start();
    atStart_ = CurrentChoice();
    textLanguageAtStart_ = GameText().Language;
    soundHeld_ = false;
    // The first touch of the sound slider is heard at once.
    LastClickTime = plat::MilliSecs() - CLICK_INTERVAL_MS;
}

TOptionsScreen::TChoice TOptionsScreen::CurrentChoice() {
    const auto& game = Game();
    return {game.FullScreen, game.MusicVolume, game.SoundVolume, game.Language};
}

void TOptionsScreen::Logic() {
    TPanelScreen::Logic();
    AnimateHeader();
    if (OptionsMenu) OptionsMenu->Manage();
    if (LanguageMenu) LanguageMenu->Manage();
    if (Menu && Menu->Clicked("ok")) {
        SaveSettings();
        LeaveToTitle();
    } else if (Menu && Menu->Clicked("cancel")) {
        RestoreSettings();
        LeaveToTitle();
    }
    if (Game().GameFade.Active) return;
    ManageMusicSlider();
    ManageSoundSlider();
    ManageFullScreenBox();
    ManageLanguageMenu();
}

void TOptionsScreen::ManageMusicSlider() {
    if (!MusicSlider || !MusicSlider->Manage()) return;
    auto& game = Game();
    if (MusicSlider->Value != game.MusicVolume) game.Audio.MusicSetVolume(MusicSlider->Value, 0);
}

// While the slider is held, the sample click plays when it is first pressed
// and as the value changes, but never more often than every 250 ms; once
// more when it is let go, at the volume chosen.
void TOptionsScreen::ManageSoundSlider() {
    if (!SoundSlider) return;
    const bool held = SoundSlider->Manage() != 0;
    const bool pressed = held && !soundHeld_;
    const bool released = !held && soundHeld_;
    soundHeld_ = held;
    if (released) ClickSound();
    if (!held) return;
    auto& game = Game();
    const bool changed = SoundSlider->Value != game.SoundVolume;
    if (changed) game.SoundSetVolume(SoundSlider->Value, 0);
    const uint32_t now = plat::MilliSecs();
    if ((changed || pressed) && now - LastClickTime >= CLICK_INTERVAL_MS) {
        LastClickTime = now;
        ClickSound();
    }
}

// Full screen can be refused (or fall back to a window): the box shows the
// mode the game is really in.
void TOptionsScreen::ManageFullScreenBox() {
    if (!OptionsMenu || !OptionsMenu->Clicked("fullscreen")) return;
    auto& game = Game();
    game.ToggleFullScreen();
    if (auto box = OptionsMenu->FindButton("fullscreen")) SetCheckBox(*OptionsMenu, *box, game.FullScreen);
}

void TOptionsScreen::ManageLanguageMenu() {
    if (!LanguageMenu) return;
    for (const auto& language : Languages()) {
        if (LanguageMenu->Clicked(language.Code)) {
            ChooseLanguage(language.Code);
            return;
        }
    }
}

// Every screen reads its texts when it is entered or draws them, so the
// next screen already speaks the new language.
void TOptionsScreen::ChooseLanguage(const std::string& code) {
    if (!IsLanguage(code)) return;
    Game().Language = code;
    if (GameText().Language == code) return;
    LoadGameTextFile();
    if (LanguageMenu) LightLanguageInUse();
}

void TOptionsScreen::ClickSound() {
    if (!Menu) return;
    if (auto ok = Menu->FindButton("ok")) ok->PlayClick();
}

void TOptionsScreen::SaveSettings() {
    ConfigSave();
    const TChoice now = CurrentChoice();
    // A mode chosen here is the player's own: the command line's holds no more.
    if (now.fullScreen != atStart_.fullScreen) Game().StoredFullScreen = -1;
    Game().IniUpdate(now == atStart_ ? 0 : 1);
    atStart_ = now;
}

int TOptionsScreen::SetEscDestination() {
    RestoreSettings();
    return TPanelScreen::SetEscDestination();
}

void TOptionsScreen::RestoreSettings() {
    auto& game = Game();
    if (game.MusicVolume != atStart_.music) game.Audio.MusicSetVolume(atStart_.music, 0);
    if (game.SoundVolume != atStart_.sound) game.SoundSetVolume(atStart_.sound, 0);
    if (game.FullScreen != atStart_.fullScreen) game.ToggleFullScreen();
    // An empty choice follows the system's locale: its texts come back with it.
    ChooseLanguage(textLanguageAtStart_);
    game.Language = atStart_.language;
}

void TOptionsScreen::Draw() {
    plat::Cls();
    DrawBackground();
    DrawPanel(284);
    // The labels end where the old pictures of them ended, left of the sliders.
    TTextLook look = CaptionLook();
    look.outlineWidth = 2;
    DrawTableText("Music", LABEL_SIZE, {LABEL_RIGHT, MUSIC_SLIDER_Y + LABEL_DROP, LABEL_ROOM, ALIGN_RIGHT}, look, TEXT_CREAM);
    DrawTableText("Sound", LABEL_SIZE, {LABEL_RIGHT, SOUND_SLIDER_Y + LABEL_DROP, LABEL_ROOM, ALIGN_RIGHT}, look, TEXT_CREAM);
    if (MusicSlider) {
        MusicSlider->Draw();
        DrawSliderValue(*MusicSlider);
    }
    if (SoundSlider) {
        SoundSlider->Draw();
        DrawSliderValue(*SoundSlider);
    }
    if (Header) Header->Draw();
    if (Menu) Menu->Draw(0, 0);
    if (OptionsMenu) OptionsMenu->Draw(0, 0);
    if (LanguageMenu) LanguageMenu->Draw(0, 0);
    Focus.Draw();
}

void TOptionsScreen::DrawSliderValue(const TSlider& slider) const {
    const auto font = GameFont(VALUE_FONT_SIZE);
    if (!font) return;
    plat::SetImageFont(font);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(CAPTION_RED, CAPTION_GREEN, CAPTION_BLUE);
    SetTextShadow(1, 1, 0.6f);
    // Level with the track, which sits a little above the middle of its ticks.
    const float middle = slider.y + static_cast<float>(slider.h) / 2.0f + VALUE_DROP;
    DrawTextAligned(std::to_string(slider.Value), slider.x + static_cast<float>(slider.w) + VALUE_GAP,
                    middle - static_cast<float>(plat::FontHeight(*font)) / 2.0f, true, ALIGN_LEFT, true);
}

void TOptionsScreen::Kill() {
    TPanelScreen::Kill();
    if (OptionsMenu) OptionsMenu->Kill();
    OptionsMenu.reset();
    if (LanguageMenu) LanguageMenu->Kill();
    LanguageMenu.reset();
    if (MusicSlider) MusicSlider->Kill();
    if (SoundSlider) SoundSlider->Kill();
    MusicSlider.reset();
    SoundSlider.reset();
}
