#pragma once
// Saved games (".save"): the play time, the score, the puzzle as it started
// and the board as it is, then one line naming the puzzle the game came from
// (older saves lack it). Loaders answer "" on success or the message to show
// the player, also written to the error log; a refused file changes nothing.
#include <string>

#include "puzzle/board_text.h"

class TGameModeMatch3;

// What a save of the mode would hold now: elapsed play time, the score
// earned (Score + ScoreAdder, so points still rolling up are kept), the
// original puzzle, the live board as it stands once the swap under way and
// the gems fading out are done (their points are in the score), and the
// current level.
TSaveGameData SaveGameDataOf(const TGameModeMatch3& mode);

// Writes basePath + ".save" through a temporary file renamed into place.
std::string SaveGameFile(const TGameModeMatch3& mode, const std::string& basePath);
// Reads a save into the mode: the original puzzle (for a restart), the live
// board, the play clock, the score and, when the save names it, the level.
std::string LoadSaveGameFile(TGameModeMatch3& mode, const std::string& path);
// LoadSaveGameFile, then the marble total, the walls and the play state.
std::string LoadGameFile(TGameModeMatch3& mode, const std::string& path);

// Puts save data into the mode (no file involved).
void ApplySaveGameData(TGameModeMatch3& mode, const TSaveGameData& save);
