// puzzletable: plays every shipped puzzle with the automatic player from a
// number of seeds and prints the difficulty table (Markdown): the share of
// runs finished within the move limit, the median moves and the median number
// of reshuffles. Usage:
//   puzzletable <layout folder> [picture folder] [--seeds N] [--limit M] [--only K]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/cell_box.h"
#include "puzzle_play.h"
#include "puzzle_source.h"

namespace fs = std::filesystem;

namespace {

struct TOptions {
    fs::path Layouts;
    fs::path Pictures;
    int Seeds = 20;
    int Limit = 600;
    int Only = 0;
};

std::string Numbered(int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d.%s", number, extension);
    return name;
}

int Median(std::vector<int> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string TitleOf(const TOptions& options, int number) {
    if (options.Pictures.empty()) return "";
    std::ifstream in(options.Pictures / Numbered(number, "txt"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    TPuzzleSource source;
    std::string error;
    return ParsePuzzleSource(text.str(), source, error) ? source.Title : "?";
}

int MarbleCount(const std::string& path) {
    PreparePuzzleRun();
    TCellBox box;
    return ReadLayoutFile(box, path) ? box.GetLayoutCellMarbleCount() : 0;
}

bool ParseOptions(int argc, char** argv, TOptions& options) {
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--seeds" || arg == "--limit" || arg == "--only") && i + 1 < argc) {
            const int value = std::atoi(argv[++i]);
            (arg == "--seeds" ? options.Seeds : arg == "--limit" ? options.Limit : options.Only) = value;
        } else if (arg.rfind("--", 0) == 0) {
            return false;
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.empty() || folders.size() > 2 || options.Seeds < 1 || options.Limit < 1) return false;
    options.Layouts = folders[0];
    if (folders.size() == 2) options.Pictures = folders[1];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: puzzletable <layout folder> [picture folder] [--seeds N] [--limit M] [--only K]\n");
        return 2;
    }
    std::printf("Move limit %d, %d seeds per puzzle.\n\n", options.Limit, options.Seeds);
    std::printf("| No. | Puzzle | Marble | Finished | Median moves | Most moves | Median reshuffles |\n");
    std::printf("|---:|---|---:|---:|---:|---:|---:|\n");
    bool allFinished = true;
    for (int number = 1; fs::exists(options.Layouts / Numbered(number, "layout")); ++number) {
        if (options.Only && number != options.Only) continue;
        const std::string path = (options.Layouts / Numbered(number, "layout")).string();
        std::vector<int> moves, shuffles;
        int finished = 0;
        for (int seed = 1; seed <= options.Seeds; ++seed) {
            const TPuzzleRun run = PlayPuzzle(path, static_cast<uint32_t>(seed), options.Limit);
            finished += run.Finished;
            moves.push_back(run.Moves);
            shuffles.push_back(run.Shuffles);
        }
        allFinished = allFinished && finished == options.Seeds;
        std::printf("| %03d | %s | %d | %d%% | %d | %d | %d |\n", number, TitleOf(options, number).c_str(),
                    MarbleCount(path), 100 * finished / options.Seeds, Median(moves),
                    *std::max_element(moves.begin(), moves.end()), Median(shuffles));
        std::fflush(stdout);
    }
    return allFinished ? 0 : 1;
}
