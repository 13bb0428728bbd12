#pragma once
// Every setting of the settings file, once: its key, the field of the
// application object that holds it, the values it may take and its default.
// Writing and reading the file, bringing a hand-edited value into range and
// the defaults of a new game all go by this table, and the game's default
// settings file is written from it when the game is built.
#include <span>
#include <string>

class TGame;
class TIniFile;

// The default settings file, under the data folder (DataPrefix before it).
constexpr const char* DEFAULT_SETTINGS_FILE = "data/Default.ini";

struct TSetting {
    enum TKind {
        SWITCH,  // 0 or 1; any other number reads as 1
        RANGE,   // a number clamped to min..max
        TEXT,    // a string, stored as it is
        KEPT,    // no field: the file's value is written back as it was read
    };
    // As players' files spell it; written upper-cased.
    const char* key;
    TKind kind;
    int TGame::*number;        // SWITCH, RANGE
    std::string TGame::*text;  // TEXT
    int min, max;              // RANGE
    int defaultNumber;
    const char* defaultText;   // TEXT and KEPT
};

// The settings in the order the file holds them.
std::span<const TSetting> SettingsTable();

// Every setting at its default.
void ApplyDefaultSettings(TGame& game);
// Every number within what its setting allows.
void BringSettingsIntoRange(TGame& game);
// The file's entries for the table's defaults, in order (what a new game
// writes).
void FillDefaultSettings(TIniFile& ini);
