#pragma once
// Which puzzles a player has completed: a plain list of key=value lines in
// the profile folder, one file for the standard puzzles (name + "s.ini") and
// one for the player's own (name + "c.ini"). The key is the puzzle's file
// name without folder and extension, compared upper-cased; "1" = completed.
#include <string>
#include <vector>

struct TCompletionEntry {
    std::string Key;
    std::string Value;
};

// ProfilePath + player + ("c" or "s") + ".ini".
std::string CompletionFilePath(const std::string& player, bool custom);
// "layouts/007.layout" -> "007".
std::string CompletionKey(const std::string& levelPath);

// Every line of the file that holds a "=", in order (a missing file: none).
// A damaged file (a line no game writes) is kept beside it as ".bad" and
// logged, once for the same bytes; damaged then tells the caller, who tells
// the player. The entries that could be read stand.
std::vector<TCompletionEntry> ReadCompletionList(const std::string& path);
std::vector<TCompletionEntry> ReadCompletionList(const std::string& path, bool& damaged);
bool IsLevelCompleted(const std::string& path, const std::string& key);
// Marks key completed. A level already marked "1" leaves the file untouched;
// otherwise any other entry for the key makes way for "key=1" at the end and
// the whole list, every other entry kept, is written through a temporary
// file. Answers false only when that write failed.
bool RecordLevelCompleted(const std::string& path, const std::string& key);
