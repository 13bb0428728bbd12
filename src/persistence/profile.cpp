#include "persistence/profile.h"

#include <algorithm>
#include <cerrno>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

void MakeProfileFolder() {
    const std::string& folder = Game().ProfilePath;
    if (plat::FileType(folder) == plat::FILETYPE_NONE) plat::CreateDir(folder, true);
}

}  // namespace

// ---- TProfile ------------------------------------------------------------------

void TProfile::Init(const std::string& name) {
    Name = name;
    CurrentLevel = 1;
    LockedLevel = 2;
    Score = 0;
    Lives = 3;
    Kills = 0;
    TimeTaken = 0;
    Difficulty = 0;
    TipsFlag = 1;
    InstructionsFlag = 1;
    ClearHints();
}

void TProfile::ClearHints() { HintsSet(0); }

void TProfile::HintsSet(int value) { HintsShown.fill(value); }

// ---- PNProfile -----------------------------------------------------------------

std::shared_ptr<PNProfile> PNProfile::Create(const std::string& name) {
    auto profile = std::make_shared<PNProfile>();
    profile->Init(name);
    profile->savedata = std::make_shared<TSaveData>();
    return profile;
}

int PNProfile::Save() { return SaveFunction ? SaveFunction() : 0; }

int PNProfile::Load() { return LoadFunction ? LoadFunction() : 0; }

// ---- the game's players --------------------------------------------------------

std::string ProfileFilePath(const std::string& name) { return Game().ProfilePath + plat::FileNameOf(name) + ".dat"; }

bool IsPlayerFileName(const std::string& entry) {
    if (entry.empty() || entry == "." || entry == ".." || entry == ".dat") return false;
    const size_t dot = entry.rfind('.');
    return dot != std::string::npos && entry.compare(dot + 1, std::string::npos, "dat") == 0;
}

bool ListPlayers(std::vector<std::string>& players) {
    players.clear();
    const std::string& folder = Game().ProfilePath;
    MakeProfileFolder();
    std::vector<std::string> entries;
    if (!plat::ReadDir(folder, entries)) return false;
    for (const auto& entry : entries) {
        // A folder named like a player's file is skipped: no profile can be written
        // there; so is a name the game could not have written.
        if (IsPlayerFileName(entry) && plat::IsGameFileName(entry) && plat::FileType(folder + entry) == plat::FILETYPE_FILE)
            players.push_back(plat::NameOfFile(entry.substr(0, entry.size() - 4)));
    }
    return true;
}

bool IsPlayer(const std::string& name) {
    std::vector<std::string> players;
    ListPlayers(players);
    return std::find(players.begin(), players.end(), name) != players.end();
}

int SaveProfileFile(const std::string& name) {
    MakeProfileFolder();
    const std::string path = ProfileFilePath(name);
    // One little-endian 32-bit 1.
    if (plat::WriteFileAtomic(path, std::vector<uint8_t>{1, 0, 0, 0})) return 1;
    // Logged; told once, with every other write that fails.
    ReportWriteFailure(path, errno);
    return 0;
}

int LoadProfileFile(const std::string& name) {
    const std::string path = ProfileFilePath(name);
    if (plat::FileType(path) != plat::FILETYPE_FILE) {
        SaveProfileFile(name);
        return 0;
    }
    // Found under another name (an older version wrote the name's Latin-1
    // bytes): written again, the writer moves it to its UTF-8 name.
    if (plat::StripDir(plat::ResolvePath(path)) != plat::StripDir(path)) SaveProfileFile(name);
    // Its being there is what counts; other bytes than the one 1 are kept
    // aside and the file is written again as it should be.
    std::vector<uint8_t> bytes;
    const std::vector<uint8_t> sound{1, 0, 0, 0};
    if (!plat::LoadBytes(path, bytes)) {
        WriteErrorLog("The player file " + path + " could not be read; the player goes on as before.");
    } else if (bytes != sound) {
        const std::string kept = plat::SetAsidePath(path);
        std::string note = "The player file " + path + " is damaged (" + std::to_string(bytes.size()) +
                           " bytes, not the number 1)";
        note += plat::CopyFile(path, kept) ? "; it was kept as " + kept : "; it could not be kept aside";
        WriteErrorLog(note + ". It was written again; the player goes on as before.");
        SaveProfileFile(name);
    }
    return 1;
}

std::shared_ptr<PNProfile> CreateGameProfile(const std::string& name) {
    auto profile = PNProfile::Create(name);
    // The functions live in the profile itself, so they may refer to it plainly.
    PNProfile* self = profile.get();
    profile->SaveFunction = [self] { return SaveProfileFile(self->Name); };
    profile->LoadFunction = [self] { return LoadProfileFile(self->Name); };
    return profile;
}

void MakeCurrentPlayer(const std::string& name, bool saveSettings) {
    auto& game = Game();
    game.ProfileName = name;
    if (name.empty()) {
        game.CurrentProfile.reset();
    } else {
        game.CurrentProfile = CreateGameProfile(name);
        game.CurrentProfile->Load();
    }
    game.SaveCurrentProfile = [] {
        if (auto profile = Game().CurrentProfile) profile->Save();
    };
    if (saveSettings) game.IniUpdate(1);
}

std::string UnreadableFolderMessage() {
    return GameText().FindString("Failed Read Directory") + Game().ProfilePath + "'";
}
