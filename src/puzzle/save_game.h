#pragma once
// Saved games (".save"): the play time, the score, the puzzle as it started
// and the board as it is, then one line naming the puzzle the game came from
// (older saves lack it); who saved it, when, and the chain bonus counting
// then, behind the header text. Loaders answer "" on success or the message
// to show the player, also written to the error log; a refused file changes
// nothing.
#include <string>
#include <vector>

#include "puzzle/board_text.h"

class TGameModeMatch3;

// What a save of the mode would hold now: elapsed play time, the score
// earned (Score + ScoreAdder, so points still rolling up are kept), the
// original puzzle, the live board as it stands once the swap under way and
// the gems fading out are done (their points are in the score), the current
// level, the chain bonus counter, the current player and the calendar time.
TSaveGameData SaveGameDataOf(const TGameModeMatch3& mode);

// Writes basePath + ".save" through a temporary file renamed into place.
std::string SaveGameFile(const TGameModeMatch3& mode, const std::string& basePath);
// Reads a save into the mode (the original puzzle for a restart, the live
// board, the play clock, the score and, when the save names it, the level),
// then the marble total, the walls and the play state.
std::string LoadGameFile(TGameModeMatch3& mode, const std::string& path);

// Puts save data into the mode (no file involved).
void ApplySaveGameData(TGameModeMatch3& mode, const TSaveGameData& save);
// ApplySaveGameData, then the walls and the play state as a loaded game has them.
void StartSavedGame(TGameModeMatch3& mode, const TSaveGameData& save);

// Reads and checks a save without touching the game or the error log.
std::string ReadSaveGameData(const std::string& path, TSaveGameData& out);
// The saves ("*.save") of the folder (which ends in a slash) that the player
// made, by path; saves without an owner belong to nobody.
std::vector<std::string> SavesOwnedBy(const std::string& folder, const std::string& player);
