#pragma once
// A puzzle as a short text a player can paste or write down: "VC" and
// letters and digits in groups of five, carrying the puzzle's name and its
// floor, run by run, and a check number. Reading refuses anything damaged
// (a wrong letter, a missing or extra one, a name no file can have) and
// changes nothing then; whether the puzzle is playable is the editor's
// checks' to say.
#include <string>

#include "puzzle/board_text.h"

constexpr size_t SHARE_NAME_MAX = 32;

std::string MakeShareCode(const std::string& name, const TLayoutBlocks& layout);
// "" with name and layout filled, or what is wrong (for the log).
std::string ReadShareCode(const std::string& code, std::string& name, TLayoutBlocks& layout);
// The code in lines of `groups` groups of five, for writing down.
std::string ShareCodeLines(const std::string& code, int groups);
