#pragma once
// The options screen: full screen on or off, sliders for the music and
// sound volumes, heard at once and shown as numbers, and the language of the
// game's texts, each named in itself, which takes effect at once. OK keeps
// and saves the choice; Cancel and Escape put back what was there before.
#include <cstdint>
#include <string>

#include "gui/menu.h"
#include "gui/slider.h"
#include "screens/panel_screen.h"

class TOptionsScreen : public TPanelScreen {
public:
    // Shortest time between two sample clicks while the sound slider moves.
    static constexpr uint32_t CLICK_INTERVAL_MS = 250;

    TOptionsScreen() { name = "options"; }

    MenuPtr OptionsMenu;  // holds the "fullscreen" check box
    SliderPtr MusicSlider;
    SliderPtr SoundSlider;
    MenuPtr LanguageMenu;  // a button per language, named by its code; the one in use lit
    uint32_t LastClickTime = 0;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    int SetEscDestination() override;
    // Puts back the volumes, full screen and language the screen started with.
    void RestoreSettings();
    // The OK button's click on its own channel, at the sound volume.
    void ClickSound();
    // Saves the config file and the settings. The settings count as changed
    // (the crash marker is set) only when they differ from those the screen
    // started with.
    void SaveSettings();
    // The texts of another language from now on; kept in the settings at OK.
    void ChooseLanguage(const std::string& code);

private:
    struct TChoice {
        int fullScreen = 0, music = 0, sound = 0;
        std::string language;
        bool operator==(const TChoice&) const = default;
    };
    static TChoice CurrentChoice();
    void BuildFocus() override;
    void AddOkAndCancel();
    void DrawSliderValue(const TSlider& slider) const;
    void ManageMusicSlider();
    void ManageSoundSlider();
    void ManageFullScreenBox();
    void BuildLanguageMenu();
    // The button of the language in use shows lit.
    void LightLanguageInUse();
    void ManageLanguageMenu();

    TChoice atStart_;
    std::string textLanguageAtStart_;
    bool soundHeld_ = false;
};

TOptionsScreen& OptionsScreen();
