#pragma once
// Player profiles. Every player has a file named after the player in the
// profile folder, "<name>.dat"; the set of those files is the list of
// players. The game's profile keeps nothing else in it: the file holds one
// little-endian 32-bit 1, and what matters is that it exists.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {
class TStream;
}

// Room for game data kept with a profile; the game keeps none.
struct TSaveData {};

class TProfile {
public:
    static constexpr int MAX_HINTS = 100;

    std::string Name;
    int CurrentLevel = 1;
    int LockedLevel = 2;
    int Score = 0;
    int Lives = 3;
    int Kills = 0;
    double TimeTaken = 0;
    int Difficulty = 0;
    int TipsFlag = 1;
    int InstructionsFlag = 1;
    std::array<int, MAX_HINTS> HintsShown{};
    // Hooks for extra data of a profile that stores itself in a stream.
    std::function<void(plat::TStream&)> SaveUserFunction, LoadUserFunction;

    virtual ~TProfile() = default;

    void Init(const std::string& name);
    void ClearHints();
    void HintsSet(int value);
    // The plain profile keeps nothing on disk; a subclass decides what to store.
    virtual int Save() { return 0; }
    virtual int Load() { return 0; }
};

class PNProfile : public TProfile {
public:
    std::function<int()> SaveFunction;
    std::function<int()> LoadFunction;
    std::shared_ptr<TSaveData> savedata;

    static std::shared_ptr<PNProfile> Create(const std::string& name);
    // SaveFunction's answer; 0 without one.
    int Save() override;
    // LoadFunction's answer; 0 without one.
    int Load() override;
};

// ---- the game's players --------------------------------------------------------

// ProfilePath + name + ".dat", the name in UTF-8 (plat::FileNameOf).
std::string ProfileFilePath(const std::string& name);
// Whether a folder entry is a player's file: anything but ".dat" itself whose
// extension (after the last point) is exactly "dat".
bool IsPlayerFileName(const std::string& entry);
// The players (plain files only, not folders), in the folder's listing order,
// their names in the game's text (plat::NameOfFile).
// Creates the profile folder when it is missing; false (and no players) when
// it still cannot be read.
bool ListPlayers(std::vector<std::string>& players);
// Whether name is one of the listed players (letter case counts).
bool IsPlayer(const std::string& name);

// Writes the player's file through a temporary file. 0 when that failed: the
// failure is reported as every failed write is (logged, told once).
int SaveProfileFile(const std::string& name);
// 1 when the player's file is there; a missing one is written, answering 0.
int LoadProfileFile(const std::string& name);
// A profile that saves and loads its player's file.
std::shared_ptr<PNProfile> CreateGameProfile(const std::string& name);
// The game's way of choosing a player: ProfileName = name, a new profile of
// that name becomes current and is loaded (its file written when missing),
// and the settings are saved when saveSettings is set. An empty name clears
// the current player and writes nothing.
void MakeCurrentPlayer(const std::string& name, bool saveSettings);

// The message for an unreadable profile folder.
std::string UnreadableFolderMessage();
