// The application object's Init: the shared data folder, the settings file,
// the profiles folder and the sound driver.
#include <cerrno>

#include "app/game.h"
#include "app/settings_table.h"
#include "app/write_failure.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/legacy_settings.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"

namespace {

std::string StripTrailingSeparator(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\')) return path.substr(0, path.size() - 1);
    return path;
}

// Grants full access from the shared folder up to the application-data folder.
void GrantUpwards(const std::string& subPath) {
    const std::string top = plat::CommonAppDataFolder();
    std::string path = subPath;
    while (path != top && path != StripTrailingSeparator(top)) {
        if (!plat::GrantFullAccess(path)) ErrorMessage("Cannot give shared data folder full access!", true);
        path = StripTrailingSeparator(path);
        const auto cut = path.find_last_of("/\\");
        if (cut == std::string::npos) break;
        path = path.substr(0, cut + 1);
    }
}

void CreateSharedFolder(TGame& game) {
    StartupStage = 1001;
    if (plat::FileType(game.SubPath) == plat::FILETYPE_DIR) return;
    StartupStage = 1002;
    if (!plat::CreateDir(game.SubPath, true)) ErrorMessage("Cannot create shared data folder " + game.SubPath, true);
    StartupStage = 1003;
    GrantUpwards(game.SubPath);
    StartupStage = 1004;
}

// "vellichorns-debug" is treated as "vellichorns".
std::string ProgramName() {
    std::string name = plat::StripAll(plat::AppFile());
    const std::string debug = "debug";
    if (name.size() > debug.size() && name.compare(name.size() - debug.size(), debug.size(), debug) == 0) {
        name.erase(name.size() - debug.size());
        while (!name.empty() && (name.back() == '-' || name.back() == '_')) name.pop_back();
    }
    return name.empty() ? "vellichorns" : name;
}

// A settings file without a single setting in it (damaged, or not a settings
// file at all) counts as missing, so the default settings apply. A non-empty
// one is kept beside it for whoever wants to look.
void SetAsideUselessSettings(const TIniFile& ini) {
    const std::string path = ini.Path();
    if (plat::FileType(path) != plat::FILETYPE_FILE || ini.FileHoldsAnEntry()) return;
    std::string note = "The settings file " + path + " held no setting";
    if (plat::FileSize(path) > 0 && plat::RenameFile(path, path + ".bad")) {
        note += "; it was kept as " + path + ".bad";
    } else {
        plat::DeleteFile(path);
    }
    WriteErrorLog(note + ". The default settings were used.");
}

}  // namespace

std::string IniFileNameFor(const TGame& game) {
    if (game.UseCorrectPath) return game.SubPath + ProgramName();
    return plat::StripExt(plat::AppFile());
}

// Whatever driver the settings or the choice name, the sound device is opened
// as "OpenAL Generic Software", once, before anything can play.
int TGame::Init([[maybe_unused]] int soundDriverChoice) {
    InitSettings();
    InitAudio();
    return 1;
}

void TGame::InitSettings() {
    StartupStage = 1;
    plat::SeedRnd(plat::StartupSeed());
    if (UseCorrectPath) CreateSharedFolder(*this);
    WritePendingErrorLog();
    StartupStage = 3;
    Ini.FileName = IniFileNameFor(*this);
    StartupStage = 4;
    IniFill();
    StartupStage = 5;
    const std::string defaults = DataPrefix + DEFAULT_SETTINGS_FILE;
    SetAsideUselessSettings(Ini);
    if (plat::FileType(Ini.Path()) == plat::FILETYPE_NONE && plat::FileType(defaults) == plat::FILETYPE_FILE) {
        StartupStage = 5012;
        plat::CopyFile(plat::ResolvePath(defaults), Ini.Path());
    }
    StartupStage = 5001;
    Ini.Load();
    // Settings that cannot be kept (a read-only folder): the default file as
    // it stands.
    if (plat::FileType(Ini.Path()) != plat::FILETYPE_FILE && plat::FileType(defaults) == plat::FILETYPE_FILE)
        Ini.Read(plat::ResolvePath(defaults));
    StartupStage = 6;
    IniExtract();
    ApplyRunDisplay();
    StartupStage = 6001;
    if (plat::FileType(ProfilePath) != plat::FILETYPE_DIR) {
        StartupStage = 6002;
        // Without it players and progress are not kept, but the game plays.
        if (!plat::CreateDir(ProfilePath, false)) ReportWriteFailure(ProfilePath, errno);
    }
    StartupStage = 7;
    SetFlipSync();
}

void TGame::InitAudio() {
    StartupStage = 8001;
    StartupStage = 8002;
    SoundDriver = legacy::SOUND_DRIVER_OPENAL;
    ChangeSoundDriver(SoundDriver, 0);
    StartupStage = 8004;
    FixedRateLogic.Create();
    StartupStage = 2;
    Audio.MusicChannel = plat::AllocChannel();
    Audio.SpeechChannel = plat::AllocChannel();
    Audio.EscapeChannel = plat::AllocChannel();
}
