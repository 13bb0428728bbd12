#include "puzzle/par_table.h"

#include <charconv>
#include <vector>

#include "app/game.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"

namespace {

constexpr const char* HEADER = "Vellichorns par 1";
constexpr int MAX_PAR = 100000;

}  // namespace

std::string FormatParTable(const std::map<std::string, int>& pars) {
    std::string text = std::string(HEADER) + "\n";
    for (const auto& [key, par] : pars) text += key + " " + std::to_string(par) + "\n";
    return text;
}

std::optional<std::map<std::string, int>> ParseParTable(const std::string& text, std::string& problem) {
    std::map<std::string, int> pars;
    std::vector<std::string> lines = SplitLines(text);
    // An empty text is a table without its header.
    if (lines.empty()) lines.emplace_back();
    int lineNumber = 0;
    for (std::string line : lines) {
        ++lineNumber;
        // A last line without its LF may still end in a CR.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fault = [&](const char* what) {
            problem = "line " + std::to_string(lineNumber) + ": " + what;
            return std::nullopt;
        };
        if (lineNumber == 1) {
            if (line != HEADER) return fault("not a par table");
            continue;
        }
        if (line.empty()) continue;
        const size_t space = line.rfind(' ');
        if (space == std::string::npos || space == 0) return fault("no puzzle named");
        int par = 0;
        const char* first = line.data() + space + 1;
        const char* last = line.data() + line.size();
        const auto [ptr, ec] = std::from_chars(first, last, par);
        if (ec != std::errc() || ptr != last || par < 1 || par > MAX_PAR) return fault("no par");
        if (!pars.emplace(line.substr(0, space), par).second) return fault("the puzzle is listed twice");
    }
    return pars;
}

int StandardPar(const std::string& key) {
    const std::string path = Game().DataPrefix + "layouts/" + PAR_TABLE_FILE;
    if (plat::FileType(path) != plat::FILETYPE_FILE) return 0;
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) return 0;
    const auto bytes = stream->ReadAll();
    stream->Close();
    std::string problem;
    const auto pars = ParseParTable(std::string(bytes.begin(), bytes.end()), problem);
    if (!pars) {
        static bool told = false;
        if (!told) WriteErrorLog("The par table '" + path + "' is damaged (" + problem + "); puzzles have no par.");
        told = true;
        return 0;
    }
    const auto found = pars->find(key);
    return found == pars->end() ? 0 : found->second;
}
