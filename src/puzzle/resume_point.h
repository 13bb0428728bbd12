#pragma once
// A player's resume point: the puzzle left in play when the game ended
// without it being won or quit, kept as a saved game in the profile folder,
// "<player>.resume", and offered on the title screen. A resume point that
// cannot be read is put aside as "<player>.resume.bad", and the error log
// says why.
#include <string>

#include "puzzle/board_text.h"

class TGameModeMatch3;

std::string ResumePointPath(const std::string& player);
std::string PutAsideResumePointPath(const std::string& player);

// Writes the game in play as the player's resume point through a temporary
// file renamed into place. False (and logged) when the write failed.
bool WriteResumePoint(const TSaveGameData& save, const std::string& player);
// The file's bytes for the game in play, for a writer of its own.
std::string ResumePointBytes(const TSaveGameData& save, const std::string& player);

enum class EResumePoint { None, Ready, PutAside };
// The player's resume point in out (Ready); None without one; PutAside when
// the file could not be read and was renamed.
EResumePoint ReadResumePoint(const std::string& player, TSaveGameData& out);

// The resume point goes (the one put aside stays). With removeBad, the one put
// aside goes too (a player deleted).
void RemoveResumePoint(const std::string& player, bool removeBad = false);
