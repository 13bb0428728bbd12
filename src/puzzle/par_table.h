#pragma once
// Par: the automatic player's median move count for a puzzle. The standard
// puzzles' pars are worked out when the game's data is built and shipped
// beside the layouts as "layouts/par.txt":
//
//   Vellichorns par 1
//   001 14
//   002 19
//
// one line per puzzle after the header: the puzzle's key (its file name
// without folder and extension) and its par.
#include <map>
#include <optional>
#include <string>

constexpr const char* PAR_TABLE_FILE = "par.txt";

std::string FormatParTable(const std::map<std::string, int>& pars);
// Nothing for a damaged text; the fault is named in problem.
std::optional<std::map<std::string, int>> ParseParTable(const std::string& text, std::string& problem);

// The shipped par of a standard puzzle (its key, "007"): 0 when the table
// or the puzzle's line is missing. A damaged table is logged once.
int StandardPar(const std::string& key);
