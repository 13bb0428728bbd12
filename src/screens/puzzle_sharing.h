#pragma once
// Puzzles that come in from elsewhere (a pasted code, a layout file dropped
// on the window) are checked like a loaded file and by the editor's checks
// before they join the player's own; and the code of one of them to give
// away. Refusals are text keys of a plain message; the detail goes to the log.
#include <string>

#include "puzzle/board_text.h"

struct TIncomingPuzzle {
    std::string Name;
    TLayoutBlocks Layout;
};

// "" with out filled, or the text key of the refusal.
std::string IncomingFromCode(const std::string& code, TIncomingPuzzle& out);
std::string IncomingFromFile(const std::string& path, TIncomingPuzzle& out);
// Where a puzzle of the player's own of that name is kept.
std::string OwnPuzzlePath(const std::string& name);
// Writes it there: "" or the message for the player.
std::string AddIncoming(const TIncomingPuzzle& puzzle);
// The share code of the player's puzzle at path, named name; "" with the
// message in problem when the file cannot be read.
std::string ShareCodeOfFile(const std::string& path, const std::string& name, std::string& problem);
