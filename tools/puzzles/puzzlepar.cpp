// puzzlepar: works out the par of every standard puzzle, the automatic
// player's median move count over a number of seeds, and writes the par
// table the game ships beside the layouts. Usage:
//   puzzlepar <layout folder> <par table> [--seeds N] [--limit M]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "puzzle/par_table.h"
#include "puzzle_play.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    int seeds = 9, limit = 600;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--seeds" || arg == "--limit") && i + 1 < argc)
            (arg == "--seeds" ? seeds : limit) = std::atoi(argv[++i]);
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2 || seeds < 1 || limit < 1) {
        std::fprintf(stderr, "usage: puzzlepar <layout folder> <par table> [--seeds N] [--limit M]\n");
        return 2;
    }
    std::map<std::string, int> pars;
    for (const auto& entry : fs::directory_iterator(paths[0])) {
        if (entry.path().extension() != ".layout") continue;
        std::vector<int> moves;
        for (int seed = 1; seed <= seeds; ++seed) {
            const TPuzzleRun run = PlayPuzzle(entry.path().string(), static_cast<uint32_t>(seed), limit);
            if (run.Finished) moves.push_back(run.Moves);
        }
        if (moves.empty()) {
            std::fprintf(stderr, "puzzlepar: the automatic player never finished %s\n", entry.path().c_str());
            return 1;
        }
        std::sort(moves.begin(), moves.end());
        pars[entry.path().stem().string()] = moves[moves.size() / 2];
    }
    if (!plat::WriteFileAtomic(paths[1], FormatParTable(pars))) {
        std::fprintf(stderr, "puzzlepar: cannot write %s\n", paths[1].c_str());
        return 1;
    }
    return 0;
}
