#include "puzzle/layout_file.h"

#include <cerrno>

#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "puzzle/cell_box.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/resource_globals.h"
#include "resources/error_state.h"

namespace {

template <typename Get>
TBlock BlockOf(Get get) {
    TBlock block{};
    for (int r = 0; r < BLOCK_ROWS; ++r)
        for (int c = 0; c < BLOCK_COLUMNS; ++c) block[r][c] = static_cast<uint8_t>(get(c + 1, r + 1));
    return block;
}

std::string Refused(const std::string& path, const std::string& what, const std::string& problem) {
    return "The file '" + path + "' is not a valid " + what + " (" + problem + ")";
}

}  // namespace

TLayoutBlocks LayoutOf(const TCellBox& box) {
    const auto& L = box.Layout;
    TLayoutBlocks layout;
    layout.Contents = BlockOf([&](int c, int r) { return L[c][r].Contents; });
    layout.IsChain = BlockOf([&](int c, int r) { return L[c][r].IsChain; });
    layout.IsCreate = BlockOf([&](int c, int r) { return L[c][r].IsCreate; });
    layout.IsFill = BlockOf([&](int c, int r) { return L[c][r].IsFill; });
    return layout;
}

TBlock GemsOf(const TCellBox& box) {
    return BlockOf([&](int c, int r) { return box.CellAt(c, r).Contents; });
}

TBoardBlocks BoardOf(const TCellBox& box) { return {GemsOf(box), LayoutOf(box)}; }

void ApplyLayout(TCellBox& box, const TLayoutBlocks& layout) {
    box.Clear();
    for (int r = 0; r < BLOCK_ROWS; ++r)
        for (int c = 0; c < BLOCK_COLUMNS; ++c) {
            TLayoutCell& floor = box.Layout[c + 1][r + 1];
            floor.Contents = layout.Contents[r][c];
            floor.IsChain = layout.IsChain[r][c];
            floor.IsCreate = layout.IsCreate[r][c];
            floor.IsFill = layout.IsFill[r][c];
        }
}

void ApplyGems(TCellBox& box, const TBlock& gems) {
    for (int r = 0; r < BLOCK_ROWS; ++r)
        for (int c = 0; c < BLOCK_COLUMNS; ++c) {
            const bool floor = box.Layout[c + 1][r + 1].Contents != FLOOR_NONE;
            box.CellAt(c + 1, r + 1).SetContents(floor ? gems[r][c] : 0);
        }
}

std::string ReadBoardFile(const std::string& path, std::vector<uint8_t>& bytes) {
    plat::StreamPtr stream = plat::ReadFile(path);
    if (!stream) return "Could not read file '" + path + "'";
    if (stream->Size() > static_cast<int64_t>(BOARD_FILE_MAX_SIZE))
        return "The file '" + path + "' is far too large to be a puzzle or a saved game";
    bytes = stream->ReadAll();
    const bool failed = stream->Failed();
    stream->Close();
    if (failed) return "Could not read file '" + path + "'";
    return {};
}

std::string SaveLayout(const TCellBox& box, const std::string& path) {
    if (!plat::WriteFileAtomic(path, FormatLayout(LayoutOf(box))))
        return WriteFailureMessage(path, errno);  // the path goes to the log
    return {};
}

std::string PlainLoadProblem(const std::string& key, const std::string& path, const std::string& detail) {
    WriteErrorLog(detail);
    std::string text = GameText().FindString(key);
    if (text.empty()) return detail;  // no text table (tools, tests): the detail itself
    if (const auto at = text.find("NNN"); at != std::string::npos) text.replace(at, 3, plat::NameOfPath(path));
    return text;
}

std::string LoadLayout(TCellBox& box, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (auto problem = ReadBoardFile(path, bytes); !problem.empty())
        return PlainLoadProblem("Unreadable File", path, problem);
    TLayoutBlocks layout;
    if (auto problem = ParseLayout(bytes, layout); !problem.empty())
        return PlainLoadProblem("Damaged Layout", path, Refused(path, "puzzle layout", problem));
    ApplyLayout(box, layout);
    return {};
}

void InstallLayoutHook() {
    PuzzleHooks().LoadLayout = [](TCellBox& box, const std::string& path) {
        std::string problem = LoadLayout(box, path);
        if (box.GameMode) box.GameMode->FileError = problem;
        return problem.empty();
    };
}
