// The settings of the application object, the config file and the two
// marker files that protect against a settings change that crashes the game.
#include <algorithm>
#include <cerrno>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"

namespace {

struct IntSetting {
    const char* key;
    int TGame::*field;
};

// The settings in the order they are written; the two strings sit between,
// and the language comes last.
const IntSetting kBefore[] = {
    {"Full Screen", &TGame::FullScreen},   {"Sound", &TGame::Sound},
    {"Music", &TGame::Music},              {"Speech", &TGame::Speech},
    {"Sound Volume", &TGame::SoundVolume}, {"Music Volume", &TGame::MusicVolume},
    {"Speech Volume", &TGame::SpeechVolume}, {"Fade", &TGame::Fade},
    {"Particles", &TGame::Particles},      {"Portal Splash", &TGame::PortalSplash},
    {"Portal Splash2", &TGame::PortalSplash2}, {"Intro", &TGame::IntroShow},
    {"VSync", &TGame::VSync},              {"Driver", &TGame::Driver},
};
const IntSetting kPriorities[] = {
    {"Full Screen Process Priority", &TGame::FullScreenProcess},
    {"Full Screen Thread Priority", &TGame::FullScreenThread},
    {"Windowed Process Priority", &TGame::WindowedProcess},
    {"Windowed Thread Priority", &TGame::WindowedThread},
};
const IntSetting kAfter[] = {{"Region", &TGame::Region}, {"Sub-Region", &TGame::SubRegion}};

bool CreateEmptyFile(const std::string& path) {
    if (plat::WriteFileAtomic(path, std::string())) return true;
    ReportWriteFailure(path, errno);
    return false;
}

int Switch(int v) { return v ? 1 : 0; }

// A hand-edited file must not make the game misbehave.
void BringIntoRange(TGame& g) {
    for (int TGame::*f : std::initializer_list<int TGame::*>{&TGame::FullScreen, &TGame::Sound, &TGame::Music, &TGame::Speech, &TGame::Fade,
                          &TGame::VSync, &TGame::Driver, &TGame::PortalSplash, &TGame::PortalSplash2,
                          &TGame::IntroShow}) {
        g.*f = Switch(g.*f);
    }
    for (int TGame::*f : std::initializer_list<int TGame::*>{&TGame::SoundVolume, &TGame::MusicVolume, &TGame::SpeechVolume, &TGame::Particles}) {
        g.*f = std::clamp(g.*f, 0, 100);
    }
}

// The default settings replace the player's (keeping the player's name) in
// one step, so a crash during the restore leaves one file or the other.
// Without a default file the settings file is removed and the built-in
// defaults apply; a restore that cannot be written keeps the old file.
void RestoreDefaultSettings(const TGame& game) {
    const std::string iniPath = game.Ini.Path();
    const std::string defaults = game.DataPrefix + "data/default.ini";
    const std::string name = IniReadValue(iniPath, "profile name");
    if (plat::FileType(plat::ResolvePath(defaults)) != plat::FILETYPE_FILE) {
        plat::DeleteFile(iniPath);
    } else if (!IniCopyReplacing(defaults, iniPath, "PROFILE NAME", name)) {
        WriteErrorLog("Could not restore the default settings in " + iniPath);
        return;
    }
    plat::MessageBox("Vellichorns", "Default ini file restored!", false);
}

}  // namespace

int TGame::IniFill() {
    Ini.Clear();
    for (const auto& s : kBefore) Ini.Add(s.key, this->*s.field);
    Ini.Add("Sound Driver", SoundDriver);
    for (const auto& s : kPriorities) Ini.Add(s.key, this->*s.field);
    Ini.Add("Profile Name", ProfileName);
    for (const auto& s : kAfter) Ini.Add(s.key, this->*s.field);
    Ini.Add("Language", Language);
    return 1;
}

int TGame::IniExtract() {
    auto extract = [this](const IntSetting& s) {
        const std::string key = IniUpper(s.key);
        for (const auto& line : Ini.Lines) {
            if (line.Name == key) this->*s.field = IniToInt(line.Value);
        }
    };
    for (const auto& s : kBefore) extract(s);
    for (const auto& s : kPriorities) extract(s);
    for (const auto& s : kAfter) extract(s);
    for (const auto& line : Ini.Lines) {
        if (line.Name == "SOUND DRIVER") SoundDriver = line.Value;
        if (line.Name == "PROFILE NAME") ProfileName = line.Value;
        if (line.Name == "LANGUAGE") Language = line.Value;
    }
    BringIntoRange(*this);
    return 1;
}

int TGame::IniUpdate(int markChanged) {
    IniFill();
    Ini.Save();
    if (markChanged == 1) CreateEmptyFile(MarkerPath("inichanged.dat"));
    return 1;
}

std::string TGame::MarkerPath(const std::string& file) const {
    return UseCorrectPath ? SubPath + file : "data/" + file;
}

int TGame::MakeGoodExit() {
    return CreateEmptyFile(Game().MarkerPath("GoodExit.dat")) ? 1 : 0;
}

int TGame::CheckGoodExit() {
    const std::string goodExit = MarkerPath("GoodExit.dat");
    const std::string changed = MarkerPath("inichanged.dat");
    if (plat::FileType(goodExit) == plat::FILETYPE_FILE) {
        plat::DeleteFile(goodExit);
    } else if (plat::FileType(changed) == plat::FILETYPE_FILE) {
        RestoreDefaultSettings(*this);
    }
    plat::DeleteFile(changed);
    return 1;
}

// ---- the config file ----------------------------------------------------------

void ConfigFill() {
    const std::string firstRun = ConfigIni().Get("FirstRun");
    ConfigIni().Clear();
    ConfigIni().Add("FirstRun", firstRun.empty() ? "1" : firstRun);
}

void ConfigRead() {
    ConfigIni().Load();
}

void ConfigSave() {
    ConfigFill();
    ConfigIni().Save();
}
