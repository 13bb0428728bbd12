#pragma once
// The game text: every user-visible text, keyed by an upper-cased key, read
// from a file of blocks: a "[TEXT]" header line, a key line, the text's lines.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TGameText {
public:
    std::map<std::string, std::vector<std::string>> Map;
    // The language of the texts ("en", "de", ...), as LoadGameTextFile read them.
    std::string Language = "en";

    // Reads GamePaths().TextPath + file. Fatal "Error loading file <path>" when it
    // cannot be opened, fatal "[TEXT] header not found" on a bad header.
    void Read(const std::string& file);
    // Parses the bytes of a text file (any byte-order mark) into the table.
    void ReadFromBytes(const std::vector<uint8_t>& bytes);
    // Reads a translation over the table: each of its texts replaces the one
    // of the same key, and a text it lacks or leaves empty stays as it was.
    // False, with the table unchanged, when the file cannot be read; a
    // damaged file is fatal as for Read.
    bool ReadOver(const std::string& file);

    // Empty for a missing key.
    const std::vector<std::string>& Find(const std::string& key) const;
    // The lines joined with CR LF; empty for a missing key.
    std::string FindString(const std::string& key) const;
    // The same with its "NNN" replaced by value (a name, a number).
    std::string FindString(const std::string& key, const std::string& value) const;
};

// The text with its first mark ("NNN", "PPP", ...) replaced by value.
std::string FillIn(std::string text, const std::string& mark, const std::string& value);
