// libFuzzer target: the profile folder, where every "<name>.dat" file is a
// player. The game reads the folder's names, not the files' bytes; so the
// input is a folder: its first line the settings' last player, each further
// line an entry "name" or "name<TAB>content" ("name/" a folder). Whatever the
// folder holds, choosing players must not crash, must never change a player's
// file, and a name the game accepts for a new player must become one.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>

#include "fuzz_files.h"
#include "persistence/profile.h"
#include "platform/files.h"
#include "platform/utf8.h"
#include "puzzle/completion_list.h"
#include "screens/player_manager.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxEntries = 16;

bool Storable(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.size() <= 200 && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// The folder described by the lines; answers the files written, by path.
std::map<std::string, std::string> MakeFolder(std::istringstream& lines) {
    std::map<std::string, std::string> files;
    const std::string& folder = Game().ProfilePath;
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string line;
    while (files.size() < kMaxEntries && std::getline(lines, line)) {
        const auto tab = line.find('\t');
        std::string name = line.substr(0, tab);
        const std::string content = tab == std::string::npos ? "" : line.substr(tab + 1);
        const bool isFolder = !name.empty() && name.back() == '/';
        if (isFolder) name.pop_back();
        if (!Storable(name) || fs::exists(folder + name)) continue;
        if (isFolder) {
            fs::create_directory(folder + name);
        } else {
            fuzz::WriteBytes(folder + name, reinterpret_cast<const uint8_t*>(content.data()), content.size());
            files[folder + name] = content;
        }
    }
    return files;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_profiles");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string last;
    std::getline(lines, last);
    const auto files = MakeFolder(lines);

    // The title screen: the last player again when there still is one.
    std::vector<std::string> players;
    fuzz::Check(ListPlayers(players), "the profile folder could not be read");
    Game().ProfileName = last;
    for (const auto& player : players) {
        fuzz::Check(IsPlayerFileName(player + ".dat"), "a player whose file is no player's file");
        MakeCurrentPlayer(player, false);
        fuzz::Check(Game().CurrentProfile && Game().CurrentProfile->Name == player, "a listed player not chosen");
        (void)IsLevelCompleted(CompletionFilePath(player, false), "001");
    }
    // A player file named in Latin-1 by an older version moves to its UTF-8
    // name when it is written again, and a damaged one is set aside whole as
    // ".bad" before it is written afresh; every other file stays as it was.
    for (const auto& [path, content] : files) {
        std::u32string decoded;
        if (!plat::DecodeUtf8(path, decoded) || Contents(path) == content) continue;
        fuzz::Check(Contents(plat::SetAsidePath(path)) == content, "a file in the folder changed");
    }

    // A new player named like the settings' last player, when the game allows that name.
    if (NewPlayerNameAllowed(last)) {
        MakeCurrentPlayer(last, false);
        fuzz::Check(IsPlayer(last), "an allowed new player is not a player");
    }
    return 0;
}
