#pragma once
// Settings files: ordered lines of an upper-cased name, "=" and a value,
// stored in "<FileName>.ini". Loading only updates the entries that already
// exist and then rewrites the file with exactly those entries.
#include <string>
#include <vector>

struct TIniLine {
    std::string Name;  // always upper-cased
    std::string Value;
};

class TIniFile {
public:
    std::string FileName;  // without ".ini"
    std::vector<TIniLine> Lines;

    void Clear() { Lines.clear(); }
    void Add(const std::string& name, const std::string& value);
    void Add(const std::string& name, int value) { Add(name, std::to_string(value)); }
    // Value of an entry, or empty when there is none.
    std::string Get(const std::string& name) const;
    void Set(const std::string& name, const std::string& value);
    // The bytes Save writes: each entry as one line, ended by CR LF.
    std::string Text() const;
    // Writes every entry; a file that cannot be written is reported (the game
    // goes on). Without a FileName nothing is written.
    void Save();
    // Reads the file into the existing entries (if it can be opened), then saves.
    void Load();
    // Reads another file into the existing entries; nothing is written.
    void Read(const std::string& path);
    // Whether the file has at least one line naming one of the entries.
    bool FileHoldsAnEntry() const;
    std::string Path() const { return FileName + ".ini"; }
};

// Letters a-z become A-Z; nothing else changes.
std::string IniUpper(const std::string& text);
// The name (before the first "=", or the whole line) and the value (after it).
void SplitIniLine(const std::string& line, std::string& name, std::string& value);
// Reads one key's value from an ini file that is not loaded; empty when missing.
std::string IniReadValue(const std::string& path, const std::string& key);
// Copies an ini file line by line, replacing the value of one key.
bool IniCopyReplacing(const std::string& from, const std::string& to, const std::string& key,
                      const std::string& value);
// The platform's string-to-integer conversion: leading blanks, sign, digits; 0 otherwise.
int IniToInt(const std::string& text);
