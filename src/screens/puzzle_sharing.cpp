#include "screens/puzzle_sharing.h"

#include "app/game.h"
#include "platform/files.h"
#include "puzzle/cell_box.h"
#include "puzzle/editor_checks.h"
#include "puzzle/layout_file.h"
#include "puzzle/share_code.h"
#include "resources/error_state.h"

namespace {

// The editor's checks on a board of the layout.
bool Playable(const TLayoutBlocks& layout) {
    auto box = TCellBox::New();
    box->Clear();
    ApplyLayout(*box, layout);
    box->UpdateDrawWall();
    return FullLayoutError(*box) == LAYOUT_VALID;
}

std::string Refused(const std::string& key, const std::string& detail) {
    WriteErrorLog("A puzzle was not added: " + detail);
    return key;
}

}  // namespace

std::string IncomingFromCode(const std::string& code, TIncomingPuzzle& out) {
    TIncomingPuzzle read;
    if (const std::string problem = ReadShareCode(code, read.Name, read.Layout); !problem.empty())
        return Refused("Share Code Damaged", problem);
    if (!Playable(read.Layout)) return Refused("Share Unplayable", "the editor's checks refuse '" + read.Name + "'");
    out = read;
    return {};
}

std::string IncomingFromFile(const std::string& path, TIncomingPuzzle& out) {
    std::vector<uint8_t> bytes;
    TIncomingPuzzle read;
    read.Name = plat::NameOfPath(path);
    if (plat::ExtractExt(path) != "layout" || !ReadBoardFile(path, bytes).empty())
        return Refused("Share File Damaged", "'" + path + "' is not a layout file that can be read");
    if (const std::string problem = ParseLayout(bytes, read.Layout); !problem.empty())
        return Refused("Share File Damaged", "'" + path + "': " + problem);
    if (!Playable(read.Layout)) return Refused("Share Unplayable", "the editor's checks refuse '" + path + "'");
    out = read;
    return {};
}

std::string OwnPuzzlePath(const std::string& name) {
    return Game().ProfilePath + plat::FileNameOf(name) + ".layout";
}

std::string AddIncoming(const TIncomingPuzzle& puzzle) {
    auto box = TCellBox::New();
    box->Clear();
    ApplyLayout(*box, puzzle.Layout);
    return SaveLayout(*box, OwnPuzzlePath(puzzle.Name));
}

std::string ShareCodeOfFile(const std::string& path, const std::string& name, std::string& problem) {
    auto box = TCellBox::New();
    box->Clear();
    problem = LoadLayout(*box, path);
    return problem.empty() ? MakeShareCode(name, LayoutOf(*box)) : std::string();
}
