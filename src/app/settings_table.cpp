#include "app/settings_table.h"

#include <algorithm>

#include "app/game.h"
#include "app/ini_file.h"
#include "platform/legacy_settings.h"

namespace {

constexpr TSetting Switch(const char* key, int TGame::*field, int byDefault) {
    return {key, TSetting::SWITCH, field, nullptr, 0, 1, byDefault, ""};
}
constexpr TSetting Range(const char* key, int TGame::*field, int min, int max, int byDefault) {
    return {key, TSetting::RANGE, field, nullptr, min, max, byDefault, ""};
}
constexpr TSetting Kept(const char* key, const char* byDefault) {
    return {key, TSetting::KEPT, nullptr, nullptr, 0, 0, 0, byDefault};
}
constexpr TSetting Text(const char* key, std::string TGame::*field, const char* byDefault) {
    return {key, TSetting::TEXT, nullptr, field, 0, 0, 0, byDefault};
}

// A new player starts in a window: full screen asks the display for an
// 800x600 mode, which many screens lack or show blurred, and the options
// screen (or Alt+Enter) goes full screen for whoever wants it. The effects
// are a little below full and the music below them, so that neither startles.
// The keys and their order are those of the files players already have.
const TSetting kSettings[] = {
    Switch("Full Screen", &TGame::FullScreen, 0),
    Switch("Sound", &TGame::Sound, 1),
    Switch("Music", &TGame::Music, 1),
    Switch("Speech", &TGame::Speech, 1),
    Range("Sound Volume", &TGame::SoundVolume, 0, 100, 70),
    Range("Music Volume", &TGame::MusicVolume, 0, 100, 50),
    Range("Speech Volume", &TGame::SpeechVolume, 0, 100, 100),
    Switch("Fade", &TGame::Fade, 1),
    Range("Particles", &TGame::Particles, 0, 100, 80),
    // Carried through from older files; this game does not use them.
    Kept("Portal Splash", "0"),
    Kept("Portal Splash2", "0"),
    Kept("Intro", "0"),
    Switch("VSync", &TGame::VSync, 1),
    Switch("Driver", &TGame::Driver, legacy::DRIVER_OPENGL),
    Text("Sound Driver", &TGame::SoundDriver, legacy::SOUND_DRIVER_OPENAL),
    // Priorities the game never raises on this system.
    Kept("Full Screen Process Priority", "0"),
    Kept("Full Screen Thread Priority", "0"),
    Kept("Windowed Process Priority", "0"),
    Kept("Windowed Thread Priority", "0"),
    // The player last playing.
    Text("Profile Name", &TGame::ProfileName, ""),
    Kept("Region", "0"),
    Kept("Sub-Region", "0"),
    // Empty: the system's language.
    Text("Language", &TGame::Language, ""),
};

}  // namespace

std::span<const TSetting> SettingsTable() { return kSettings; }

void ApplyDefaultSettings(TGame& game) {
    for (const TSetting& s : kSettings) {
        if (s.kind == TSetting::TEXT) {
            game.*s.text = s.defaultText;
        } else if (s.kind != TSetting::KEPT) {
            game.*s.number = s.defaultNumber;
        }
    }
}

void BringSettingsIntoRange(TGame& game) {
    for (const TSetting& s : kSettings) {
        if (s.kind == TSetting::SWITCH) game.*s.number = game.*s.number ? 1 : 0;
        if (s.kind == TSetting::RANGE) game.*s.number = std::clamp(game.*s.number, s.min, s.max);
    }
}

void FillDefaultSettings(TIniFile& ini) {
    ini.Clear();
    for (const TSetting& s : kSettings) {
        if (s.kind == TSetting::TEXT || s.kind == TSetting::KEPT) {
            ini.Add(s.key, s.defaultText);
        } else {
            ini.Add(s.key, s.defaultNumber);
        }
    }
}
