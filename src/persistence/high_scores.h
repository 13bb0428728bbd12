#pragma once
// The table of the ten best scores, shared by every player of the computer,
// kept in the profile folder as "highscores.hsdat": records of a name (each
// byte shifted by HighScoreNameShift, then a 0 byte) and a 32-bit
// little-endian score, best first, up to the end of the file.
//
// Which puzzle each score came from is kept in a small text file beside it,
// "highscores.hspuzzle", so that the table file stays as it always was (older
// games read it and write it unchanged): one line per entry, in table order,
// of the score, "S" (standard) or "C" (custom), the puzzle and the name,
// separated by tabs. A line whose score and name do not match an entry of the
// table (written before an older game changed the table) is passed over.
#include <cstdint>
#include <string>
#include <vector>

// Added to every name byte on writing (low 8 bits kept), taken off on reading.
constexpr int HighScoreNameShift = 0x2A;

// The most points one puzzle can give. A score counts up one point per logic
// tick (200 a second) and a puzzle ends only once its score has finished
// counting; its play time is kept by the 32-bit millisecond clock, which holds
// at most 2^32 ms (49.7 days). 200 points a second for that long is
// 858,993,459 points: a table score above it was never played.
constexpr int32_t MaxPuzzleScore = 858993459;

struct TLumenSpireHighScore {
    std::string name;
    int32_t score = 0;
    // The puzzle as the player knows it: its number, or a custom puzzle's
    // name; empty when not known (the default table, an older game's score).
    std::string puzzle = {};
    bool custom = false;
};

class TLumenSpireHighScoreList {
public:
    static constexpr int numPositions = 10;
    // A file is read up to this many records; later ones are ignored.
    static constexpr int MaxStoredEntries = 100;
    // Longest name kept from a file, however long the stored one is.
    static constexpr size_t MaxStoredNameLength = 64;

    std::string filepath;
    int MaxNameLength = 10;
    std::vector<TLumenSpireHighScore> Entries;

    // Empties the list; filepath = profile folder + name + ".hsdat".
    void Create(const std::string& name, int maxNameLength);
    void Add(const std::string& name, int32_t score);
    // 1 when placed, 0 when the table is full and the score too low.
    int Insert(const std::string& name, int32_t score, const std::string& puzzle = "", bool custom = false);
    // 1..10, or 0 when the score would not make the table.
    int GetPosition(int32_t score) const;
    // Reads filepath; a missing file becomes the default table (written at
    // once). So does a damaged one, which is kept beside it as ".bad" and
    // noted in the error log; WasDamaged then tells the screen to say so.
    void Load();
    bool WasDamaged = false;
    // Writes the table through a temporary file. A failure is reported as a
    // write failure and answers false (the game goes on); the old file stays
    // as it was.
    bool Save() const;
    std::string SaveFailureText() const;
    // The default entries appended, then saved: answers Save's result.
    bool CreateDefault();

    int Count() const { return static_cast<int>(Entries.size()); }

    // The file bytes of the list, and the list of file bytes. Parse answers
    // false when bytes are left after the last whole record (a record cut
    // off by the end of the file, which is dropped); records beyond
    // MaxStoredEntries are ignored and do not count.
    std::vector<uint8_t> Format() const;
    bool Parse(const std::vector<uint8_t>& bytes);
    // The puzzle file beside the table: its path, its text for the entries,
    // and the puzzles of the text given to the entries that match a line.
    std::string PuzzlePath() const;
    std::string FormatPuzzles() const;
    void ParsePuzzles(const std::string& text);
    // The 1-based position of the first entry no game could have written (a
    // name that is not printable text within MaxNameLength, a score below 0
    // or above MaxPuzzleScore), or 0 when every entry is sound.
    int FirstDamagedEntry() const;
};
