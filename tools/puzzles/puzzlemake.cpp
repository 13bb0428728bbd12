// puzzlemake: turns the puzzle pictures of a folder (001.txt, 002.txt, ...)
// into layout files (001.layout, ...) in another folder. Refuses the whole set
// when a picture cannot be read, when a puzzle is unfair (see PuzzleFaults) or
// when the numbering has a gap.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "puzzle_source.h"

namespace fs = std::filesystem;

namespace {

bool ReadFile(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

// Writes only when the bytes differ, so unchanged layouts keep their time stamp.
bool WriteIfChanged(const fs::path& path, const std::string& bytes) {
    std::string old;
    if (ReadFile(path, old) && old == bytes) return true;
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;
    }
    std::error_code failed;
    fs::rename(temporary, path, failed);
    return !failed;
}

std::string Numbered(int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d.%s", number, extension);
    return name;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: puzzlemake <picture folder> <layout folder>\n");
        return 2;
    }
    const fs::path sources = argv[1];
    const fs::path layouts = argv[2];
    std::error_code failed;
    fs::create_directories(layouts, failed);

    int count = 0;
    bool good = true;
    for (int number = 1; fs::exists(sources / Numbered(number, "txt")); ++number) {
        const fs::path source = sources / Numbered(number, "txt");
        std::string text, error;
        TPuzzleSource puzzle;
        if (!ReadFile(source, text) || !ParsePuzzleSource(text, puzzle, error)) {
            std::fprintf(stderr, "%s: %s\n", source.c_str(), error.empty() ? "cannot be read" : error.c_str());
            good = false;
            continue;
        }
        for (const std::string& fault : PuzzleFaults(puzzle.Grid)) {
            std::fprintf(stderr, "%s: %s\n", source.c_str(), fault.c_str());
            good = false;
        }
        if (good && !WriteIfChanged(layouts / Numbered(number, "layout"), LayoutFileBytes(puzzle.Grid))) {
            std::fprintf(stderr, "%s: cannot write the layout\n", (layouts / Numbered(number, "layout")).c_str());
            good = false;
        }
        count = number;
    }
    // A picture beyond a gap would never be reached by "next puzzle".
    for (const auto& entry : fs::directory_iterator(sources, failed)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".txt" && name.size() == 7 && std::stoi("0" + name.substr(0, 3)) > count) {
            std::fprintf(stderr, "%s: numbering has a gap before it\n", entry.path().c_str());
            good = false;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "%s: no puzzles\n", sources.c_str());
        good = false;
    }
    return good ? 0 : 1;
}
