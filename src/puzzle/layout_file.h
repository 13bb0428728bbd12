#pragma once
// Layout files (".layout"): the floor of one puzzle, written and read by the
// board. Loaders answer "" on success or the message to show the player; the
// message is also written to the error log. A refused file changes nothing.
#include <string>

#include "puzzle/board_text.h"

class TCellBox;

// The board's floor and flags, and its gems, as value blocks.
TLayoutBlocks LayoutOf(const TCellBox& box);
TBlock GemsOf(const TCellBox& box);
TBoardBlocks BoardOf(const TCellBox& box);
// Clears the board and lays the floor and flags (the caller refreshes walls).
void ApplyLayout(TCellBox& box, const TLayoutBlocks& layout);
// Puts the gems on the board's interior (0 = none), after its floor: a gem
// recorded where there is no floor (a damaged or hand-edited save) is dropped.
void ApplyGems(TCellBox& box, const TBlock& gems);

// Reads a whole board file (a file, or a URL the game's streams answer).
// "" on success, otherwise the message.
std::string ReadBoardFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes the layout through a temporary file renamed into place; an existing
// file is left as it was when writing fails.
std::string SaveLayout(const TCellBox& box, const std::string& path);
// Replaces the board's layout by the file's (the board is cleared first, on
// success only). The caller refreshes the walls and starts play or editing.
std::string LoadLayout(TCellBox& box, const std::string& path);
// What the player reads when a file cannot be loaded: the text of key with
// the file's plain name for NNN; the detail (path, parser message) goes to
// the error log only. Without a text table, the detail itself.
std::string PlainLoadProblem(const std::string& key, const std::string& path, const std::string& detail);

// Sets PuzzleHooks().LoadLayout to LoadLayout; a refusal's message goes to
// the box's play mode (TGameMode::FileError).
void InstallLayoutHook();
