#include "screens/options_screen.h"

#include "app/game.h"
#include "gui/sprite.h"
#include "platform/clock.h"
#include "resources/resource_globals.h"

namespace {
constexpr float BUTTON_DROP = 220;
// The three rows stand evenly spaced in the middle of the panel.
constexpr float CHECK_BOX_Y = 350;
constexpr float SLIDER_X = 346, MUSIC_SLIDER_Y = 190, SOUND_SLIDER_Y = 270;
// A slider's label image, beside it and a little lower.
constexpr float LABEL_X = 242, LABEL_DROP = 13;
constexpr int SLIDER_BORDER = 22;
}  // namespace

TOptionsScreen& OptionsScreen() {
    static TOptionsScreen screen;
    return screen;
}

void TOptionsScreen::Load() {
    LoadPanel("optionsheader");
    Menu->Centre();
    Menu->SetY(Menu->y + BUTTON_DROP);

    auto& game = Game();
    OptionsMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    AddCheckBox(*OptionsMenu, game.FullScreen, "fullscreen");
    OptionsMenu->CentreHoriz();
    OptionsMenu->SetY(CHECK_BOX_Y);

    MusicSlider = TSlider::CreateSpecial("slider", "marker", SLIDER_X, MUSIC_SLIDER_Y, SLIDER_BORDER, "musicslider");
    SoundSlider = TSlider::CreateSpecial("slider", "marker", SLIDER_X, SOUND_SLIDER_Y, SLIDER_BORDER, "soundslider");
    musicLabel_ = ImageBank().Find("music");
    soundLabel_ = ImageBank().Find("sound");
    MusicSlider->SetValue(game.MusicVolume);
    SoundSlider->SetValue(game.SoundVolume);
}

void TOptionsScreen::Start() {
    TPanelScreen::Start();
    atStart_ = CurrentChoice();
    soundHeld_ = false;
    // The first touch of the sound slider is heard at once.
    LastClickTime = plat::MilliSecs() - CLICK_INTERVAL_MS;
}

TOptionsScreen::TChoice TOptionsScreen::CurrentChoice() {
    const auto& game = Game();
    return {game.FullScreen, game.MusicVolume, game.SoundVolume};
}

void TOptionsScreen::Logic() {
    TPanelScreen::Logic();
    AnimateHeader();
    if (OptionsMenu) OptionsMenu->Manage();
    if (Menu && Menu->Clicked("ok")) {
        SaveSettings();
        LeaveToTitle();
    }
    if (Game().GameFade.Active) return;
    ManageMusicSlider();
    ManageSoundSlider();
    ManageFullScreenBox();
}

void TOptionsScreen::ManageMusicSlider() {
    if (!MusicSlider || !MusicSlider->Manage()) return;
    auto& game = Game();
    if (MusicSlider->Value != game.MusicVolume) game.MusicSetVolume(MusicSlider->Value, 0);
}

// While the slider is held, the sample click plays when it is first pressed
// and as the value changes, but never more often than every 250 ms.
void TOptionsScreen::ManageSoundSlider() {
    if (!SoundSlider) return;
    const bool held = SoundSlider->Manage() != 0;
    const bool pressed = held && !soundHeld_;
    soundHeld_ = held;
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

void TOptionsScreen::ClickSound() {
    if (!Menu) return;
    if (auto ok = Menu->FindButton("ok")) ok->PlayClick();
}

void TOptionsScreen::SaveSettings() {
    ConfigSave();
    const TChoice now = CurrentChoice();
    Game().IniUpdate(now == atStart_ ? 0 : 1);
    atStart_ = now;
}

int TOptionsScreen::SetEscDestination() {
    SaveSettings();
    return TPanelScreen::SetEscDestination();
}

void TOptionsScreen::Draw() {
    plat::Cls();
    DrawBackground();
    DrawPanel(284);
    DrawImage(musicLabel_, LABEL_X, MUSIC_SLIDER_Y + LABEL_DROP);
    DrawImage(soundLabel_, LABEL_X, SOUND_SLIDER_Y + LABEL_DROP);
    if (MusicSlider) MusicSlider->Draw();
    if (SoundSlider) SoundSlider->Draw();
    if (Header) Header->Draw();
    if (Menu) Menu->Draw(0, 0);
    if (OptionsMenu) OptionsMenu->Draw(0, 0);
}

void TOptionsScreen::Kill() {
    TPanelScreen::Kill();
    if (OptionsMenu) OptionsMenu->Kill();
    OptionsMenu.reset();
    if (MusicSlider) MusicSlider->Kill();
    if (SoundSlider) SoundSlider->Kill();
    MusicSlider.reset();
    SoundSlider.reset();
    musicLabel_.reset();
    soundLabel_.reset();
}
