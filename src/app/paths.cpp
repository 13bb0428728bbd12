// Where the game's read-only data and its writable files live.
#include "app/game.h"
#include "platform/os.h"
#include "resources/error_state.h"

namespace {
std::string WithSlash(const std::string& path) {
    if (path.empty()) return "/";
    const char last = path.back();
    return (last == '/' || last == '\\') ? path : path + "/";
}
}  // namespace

int TGame::SetImagePath(const std::string& p) { ImagePath = WithSlash(p); return 1; }
int TGame::SetSoundPath(const std::string& p) { SoundPath = WithSlash(p); return 1; }
int TGame::SetMusicPath(const std::string& p) { MusicPath = WithSlash(p); return 1; }
int TGame::SetMenuPath(const std::string& p) { MenuPath = WithSlash(p); return 1; }
int TGame::SetProfilePath(const std::string& p) { ProfilePath = WithSlash(p); return 1; }
int TGame::SetTextPath(const std::string& p) { TextPath = WithSlash(p); return 1; }

int TGame::SetDefaultPaths() {
    SetImagePath(DataPrefix + "Data/graphics");
    SetSoundPath(DataPrefix + "Data/sound");
    SetMusicPath(DataPrefix + "Data/music");
    SetMenuPath(DataPrefix + "Data/menus");
    SetProfilePath(UseCorrectPath ? "profiles" : DataPrefix + "Data/profiles");
    SetTextPath(DataPrefix + "Data/text");
    return 1;
}

int TGame::SetSubPath(const std::string& path) {
    SubPath = path.empty() ? path : WithSlash(path);
    if (UseCorrectPath) {
        // The application-data folder already ends in a separator.
        SubPath = plat::CommonAppDataFolder() + SubPath;
        ApplySubPath();
    }
    SetErrorLogFolder(SubPath);
    return 1;
}

int TGame::SetSubPathWrapper(const std::string& path) {
    SetDefaultPaths();
    return SetSubPath(path);
}

int TGame::ApplySubPath() { return SetProfilePath(SubPath + ProfilePath); }
