#pragma once
// The text of layout (".layout") and saved-game (".save") files, apart from
// the board objects: value blocks of 12 rows of 16 digits, each row ending in
// CR LF, separated by "-" lines. Parsing checks everything and answers what is
// wrong; these functions touch no board, file or global.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int BLOCK_COLUMNS = 16;  // board columns 1..16
constexpr int BLOCK_ROWS = 12;     // board rows 1..12

constexpr const char* LAYOUT_HEADER = "Lumen Spire Layout";
constexpr const char* SAVE_HEADER = "Vellichorns Savegame";
constexpr size_t LAYOUT_FILE_SIZE = 896;
constexpr int SAVE_FILE_LINES = 133;
// Anything larger is not one of ours (a save with a long puzzle path is ~3 KB).
constexpr size_t BOARD_FILE_MAX_SIZE = 64 * 1024;

// Values of the board's interior: [row 0..11][column 0..15].
using TBlock = std::array<std::array<uint8_t, BLOCK_COLUMNS>, BLOCK_ROWS>;

struct TLayoutBlocks {
    TBlock Contents{};  // 0 no floor, 1 normal, 2 marble
    TBlock IsChain{};   // 0..1
    TBlock IsCreate{};  // 0..1
    TBlock IsFill{};    // 0..1
    bool operator==(const TLayoutBlocks&) const = default;
};

struct TBoardBlocks {
    TBlock Gems{};  // 0 none, 1..6
    TLayoutBlocks Layout;
    bool operator==(const TBoardBlocks&) const = default;
};

// Where a save came from: the extra line after the 133 lines.
struct TSavedPuzzle {
    std::string Path;
    int IsCustom = 0;
    bool operator==(const TSavedPuzzle&) const = default;
};

struct TSaveGameData {
    uint32_t ElapsedMs = 0;
    int32_t Score = 0;
    TBoardBlocks Original;
    TBoardBlocks Current;
    std::optional<TSavedPuzzle> Puzzle;  // none in older saves
    // Kept on the header line behind the header text, which every reader of
    // saves skips, as "|player=..|saved=..|bonus=..|moves=..|chainbonus=..":
    // older saves have none, and older games read newer saves.
    std::string Owner;     // the player who saved ("" : a save for everybody)
    int64_t SavedAt = 0;   // seconds since 1970; 0 when not recorded
    int BonusCounter = 0;  // the chain bonus counting when the game was saved
    int MovesMade = 0;     // the swaps that made a match so far
    int BonusEarned = 0;   // the chain bonus points earned so far
    bool operator==(const TSaveGameData&) const = default;
};

std::string FormatLayout(const TLayoutBlocks& layout);
std::string FormatSaveGame(const TSaveGameData& save);

// "" when the bytes are a whole, well-formed file (out is then filled);
// otherwise the reason with its line number, and out is unchanged. The header
// text is not checked (nor are the fields behind it: one that cannot be read
// is left out); header and separator lines may end in CR LF or LF; every row
// is 16 digits in range and CR LF.
std::string ParseLayout(const std::vector<uint8_t>& bytes, TLayoutBlocks& out);
std::string ParseSaveGame(const std::vector<uint8_t>& bytes, TSaveGameData& out);
