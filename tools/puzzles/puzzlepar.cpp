// puzzlepar: works out the par of a standard puzzle, the automatic player's
// median move count over a number of seeds, and joins the pars into the table
// the game ships beside the layouts. Each puzzle is played on its own, so the
// build replays only the puzzles that changed and plays several at once.
//   puzzlepar <layout file> <par piece> [--seeds N] [--limit M]
//   puzzlepar --join <par table> <par piece>...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "puzzle/par_table.h"
#include "puzzle_play.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "puzzlepar: %s\n", message.c_str());
    return 1;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What the piece was worked out from: the layout's bytes and the player's sources.
std::string KeyOf(const std::vector<std::string>& files, const std::string& settings) {
    uint64_t hash = 1469598103934665603ull;
    std::string bytes = settings;
    for (const auto& file : files) bytes += '\n' + ReadBytes(file);
    for (const char ch : bytes) hash = (hash ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
    return std::to_string(hash) + "\n";
}

int Write(const std::string& path, const std::map<std::string, int>& pars) {
    return plat::WriteFileAtomic(path, FormatParTable(pars)) ? 0 : Fail("cannot write " + path);
}

// A piece is a par table of one puzzle.
int Join(const std::string& table, const std::vector<std::string>& pieces) {
    std::map<std::string, int> pars;
    for (const auto& piece : pieces) {
        std::string problem;
        const auto read = ParseParTable(ReadBytes(piece), problem);
        if (!read) return Fail(piece + ": " + problem);
        pars.insert(read->begin(), read->end());
    }
    return Write(table, pars);
}

int PlayOne(const fs::path& layout, const std::string& piece, int seeds, int limit, const std::string& key) {
    const std::string keyPath = piece + ".key";
    if (fs::exists(piece) && ReadBytes(keyPath) == key) {
        fs::last_write_time(piece, fs::file_time_type::clock::now());
        return 0;
    }
    std::vector<int> moves;
    for (int seed = 1; seed <= seeds; ++seed) {
        const TPuzzleRun run = PlayPuzzle(layout.string(), static_cast<uint32_t>(seed), limit);
        if (run.Finished) moves.push_back(run.Moves);
    }
    if (moves.empty()) return Fail("the automatic player never finished " + layout.string());
    std::sort(moves.begin(), moves.end());
    if (Write(piece, {{layout.stem().string(), moves[moves.size() / 2]}}) != 0) return 1;
    return plat::WriteFileAtomic(keyPath, key) ? 0 : Fail("cannot write " + keyPath);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--join") return Join(argv[2], {argv + 3, argv + argc});
    std::vector<std::string> paths, player;
    int seeds = 9, limit = 600;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--player")
            for (; i + 1 < argc; ++i) player.push_back(argv[i + 1]);
        else if ((arg == "--seeds" || arg == "--limit") && i + 1 < argc)
            (arg == "--seeds" ? seeds : limit) = std::atoi(argv[++i]);
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2 || seeds < 1 || limit < 1) {
        std::fprintf(stderr, "usage: puzzlepar <layout file> <par piece> [--seeds N] [--limit M] [--player source...]\n"
                             "       puzzlepar --join <par table> <par piece>...\n");
        return 2;
    }
    player.insert(player.begin(), paths[0]);
    const std::string settings = "seeds " + std::to_string(seeds) + " limit " + std::to_string(limit);
    return PlayOne(paths[0], paths[1], seeds, limit, KeyOf(player, settings));
}
