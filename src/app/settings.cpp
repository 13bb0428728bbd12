// The settings of the application object, the config file and the two
// marker files that protect against a settings change that crashes the game.
#include <algorithm>
#include <cerrno>
#include <vector>

#include "app/game.h"
#include "app/settings_table.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"

namespace {

bool CreateEmptyFile(const std::string& path) {
    if (plat::WriteFileAtomic(path, std::string())) return true;
    ReportWriteFailure(path, errno);
    return false;
}

// The default settings replace the player's (keeping the player's name) in
// one step, so a crash during the restore leaves one file or the other.
// Without a default file the settings file is removed and the built-in
// defaults apply; a restore that cannot be written keeps the old file.
void RestoreDefaultSettings(const TGame& game) {
    const std::string iniPath = game.Ini.Path();
    const std::string defaults = game.DataPrefix + DEFAULT_SETTINGS_FILE;
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
    std::vector<std::string> kept;
    for (const TSetting& s : SettingsTable()) {
        if (s.kind != TSetting::KEPT) continue;
        const bool read = std::any_of(Ini.Lines.begin(), Ini.Lines.end(),
                                      [key = IniUpper(s.key)](const auto& line) { return line.Name == key; });
        kept.push_back(read ? Ini.Get(s.key) : s.defaultText);
    }
    Ini.Clear();
    auto next = kept.begin();
    for (const TSetting& s : SettingsTable()) {
        if (s.kind == TSetting::KEPT) {
            Ini.Add(s.key, *next++);
        } else if (s.kind == TSetting::TEXT) {
            Ini.Add(s.key, this->*s.text);
        } else {
            const bool kept = s.number == &TGame::FullScreen && StoredFullScreen >= 0;
            Ini.Add(s.key, kept ? StoredFullScreen : this->*s.number);
        }
    }
    return 1;
}

void TGame::ApplyRunDisplay() {
    if (RunFullScreen < 0) return;
    StoredFullScreen = FullScreen;
    FullScreen = RunFullScreen;
}

// A hand-edited file must not make the game misbehave: what is out of range
// is brought into it.
int TGame::IniExtract() {
    for (const TSetting& s : SettingsTable()) {
        const std::string key = IniUpper(s.key);
        for (const auto& line : Ini.Lines) {
            if (line.Name != key || s.kind == TSetting::KEPT) continue;
            if (s.kind == TSetting::TEXT) {
                this->*s.text = line.Value;
            } else {
                this->*s.number = IniToInt(line.Value);
            }
        }
    }
    BringSettingsIntoRange(*this);
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
