#pragma once
// Par for the player's own puzzles. The automatic player needs the game's
// puzzle state to itself, so a helper run of the game works a par out (see
// RunParHelper) while the game goes on: when the editor saves a puzzle, and
// when a puzzle saved by an older version is first opened. Each par is kept
// under the puzzle's contents, ProfilePath + "par/<hash>.par" (a par table of
// one line), so a changed puzzle has no par until it is worked out again and
// a renamed one keeps its par.
#include <string>

// Where the par of the layout's present contents is kept ("" when the file
// cannot be read).
std::string CustomParPath(const std::string& layoutPath);
// The layout's par; 0 while it is not known.
int CustomPar(const std::string& layoutPath);
// Starts the helper for the layout unless its par is known or already being
// worked out. Only a program that allows it (the game) starts helpers.
void RequestCustomPar(const std::string& layoutPath);
void AllowParHelpers(bool allowed);

// The helper's own work, in a process of its own: plays the layout with the
// automatic player from a few seeds (resetting the game's globals) and
// writes the median move count to outPath. Answers the process's exit code.
int RunParHelper(const std::string& layoutPath, const std::string& outPath);
// The argument that makes the game a helper: <program> --par <layout> <out>.
constexpr const char* PAR_HELPER_ARGUMENT = "--par";
