#include "puzzle/custom_par.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "app/game.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/own_program.h"
#include "platform/stream.h"
#include "puzzle/auto_player.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_mode.h"
#include "puzzle/par_table.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/fixed_rate_logic.h"
#include "resources/resource_globals.h"

namespace {

constexpr int HELPER_SEEDS = 5;
constexpr int HELPER_MOVE_LIMIT = 600;
constexpr const char* PAR_KEY = "par";

bool helpersAllowed = false;

std::set<std::string>& PathsUnderWay() {
    static std::set<std::string> paths;
    return paths;
}

uint64_t HashOf(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (const uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

int ReadPar(const std::string& path) {
    plat::StreamPtr stream = plat::FileType(path) == plat::FILETYPE_FILE ? plat::ReadFile(path) : nullptr;
    if (!stream) return 0;
    const auto bytes = stream->ReadAll();
    stream->Close();
    std::string problem;
    const auto table = ParseParTable(std::string(bytes.begin(), bytes.end()), problem);
    const auto found = table ? table->find(PAR_KEY) : decltype(table->end()){};
    return table && found != table->end() ? found->second : 0;
}

// One run from the seed: the moves it took to win, 0 when it did not.
int PlayOnce(const std::string& layoutPath, uint32_t seed) {
    ResetGlobals();
    ResetResourceGlobals();
    ResetPuzzleGlobals();
    PuzzleHooks() = TPuzzleHooks{};
    InstallLayoutHook();
    Delta = 1.0f;
    plat::SeedRnd(seed);
    TGameModeMatch3 mode;
    if (!mode.Init(layoutPath, 1)) return 0;
    const TAutoPlayResult result = TAutoPlayer(mode).PlayLevel(HELPER_MOVE_LIMIT);
    return result.Finished ? std::max(1, result.Moves) : 0;
}

}  // namespace

std::string CustomParPath(const std::string& layoutPath) {
    std::vector<uint8_t> bytes;
    if (!ReadBoardFile(layoutPath, bytes).empty()) return {};
    return Game().ProfilePath + "par/" + std::to_string(HashOf(bytes)) + ".par";
}

int CustomPar(const std::string& layoutPath) {
    const std::string path = CustomParPath(layoutPath);
    return path.empty() ? 0 : ReadPar(path);
}

void AllowParHelpers(bool allowed) { helpersAllowed = allowed; }

void RequestCustomPar(const std::string& layoutPath) {
    const std::string out = CustomParPath(layoutPath);
    if (!helpersAllowed || out.empty() || ReadPar(out) > 0 || PathsUnderWay().count(out)) return;
    plat::CreateDir(Game().ProfilePath + "par", true);
    if (plat::StartOwnProgram({PAR_HELPER_ARGUMENT, layoutPath, out})) PathsUnderWay().insert(out);
}

int RunParHelper(const std::string& layoutPath, const std::string& outPath) {
    std::vector<int> moves;
    for (int seed = 1; seed <= HELPER_SEEDS; ++seed)
        if (const int taken = PlayOnce(layoutPath, static_cast<uint32_t>(seed))) moves.push_back(taken);
    if (moves.empty()) return 1;
    std::sort(moves.begin(), moves.end());
    plat::CreateDir(plat::ExtractDir(outPath), true);
    return plat::WriteFileAtomic(outPath, FormatParTable({{PAR_KEY, moves[moves.size() / 2]}})) ? 0 : 1;
}
