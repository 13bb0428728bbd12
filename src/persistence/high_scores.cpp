#include "persistence/high_scores.h"

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "app/game.h"
#include "app/write_failure.h"
#include "gui/text_input.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

constexpr int32_t DEFAULT_SCORES[TLumenSpireHighScoreList::numPositions] = {200, 170, 150, 130, 110,
                                                                           90,  70,  50,  30,  10};

}  // namespace

void TLumenSpireHighScoreList::Create(const std::string& name, int maxNameLength) {
    Entries.clear();
    filepath = Game().ProfilePath + name + ".hsdat";
    MaxNameLength = maxNameLength;
}

void TLumenSpireHighScoreList::Add(const std::string& name, int32_t score) { Entries.push_back({name, score}); }

int TLumenSpireHighScoreList::Insert(const std::string& name, int32_t score, const std::string& puzzle, bool custom) {
    auto at = Entries.begin();
    while (at != Entries.end() && at->score >= score) ++at;
    if (at == Entries.end() && Count() >= numPositions) return 0;
    // Kept within the limit, so that the saved table reads back as sound.
    Entries.insert(at, {name.substr(0, static_cast<size_t>(std::max(MaxNameLength, 0))), score, puzzle, custom});
    while (Count() > numPositions) Entries.pop_back();
    return 1;
}

int TLumenSpireHighScoreList::GetPosition(int32_t score) const {
    int position = 1;
    for (const auto& entry : Entries) {
        if (entry.score < score) break;
        ++position;
    }
    return position <= numPositions ? position : 0;
}

std::vector<uint8_t> TLumenSpireHighScoreList::Format() const {
    std::vector<uint8_t> bytes;
    for (const auto& entry : Entries) {
        for (const char c : entry.name) bytes.push_back(static_cast<uint8_t>(static_cast<uint8_t>(c) + HighScoreNameShift));
        bytes.push_back(0);
        const auto value = static_cast<uint32_t>(entry.score);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    return bytes;
}

bool TLumenSpireHighScoreList::Parse(const std::vector<uint8_t>& bytes) {
    Entries.clear();
    size_t at = 0;
    while (at < bytes.size() && Count() < MaxStoredEntries) {
        std::string name;
        while (at < bytes.size() && bytes[at] != 0) {
            if (name.size() < MaxStoredNameLength)
                name.push_back(static_cast<char>(static_cast<uint8_t>(bytes[at] - HighScoreNameShift)));
            ++at;
        }
        // The name's 0 byte and four score bytes must all be there.
        if (at + 5 > bytes.size()) return false;
        ++at;
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(bytes[at++]) << shift;
        Add(name, static_cast<int32_t>(value));
    }
    return true;
}

std::string TLumenSpireHighScoreList::PuzzlePath() const { return plat::StripExt(filepath) + ".hspuzzle"; }

std::string TLumenSpireHighScoreList::FormatPuzzles() const {
    std::string text;
    for (const auto& entry : Entries) {
        std::string puzzle = entry.puzzle;
        std::replace_if(puzzle.begin(), puzzle.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
        text += std::to_string(entry.score) + '\t' + (entry.custom ? "C" : "S") + '\t' + puzzle + '\t' + entry.name + '\n';
    }
    return text;
}

void TLumenSpireHighScoreList::ParsePuzzles(const std::string& text) {
    std::istringstream lines(text);
    auto entry = Entries.begin();
    for (std::string line; entry != Entries.end() && std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
        if (fields.size() == 3 && !line.empty() && line.back() == '\t') fields.emplace_back();
        if (fields.size() != 4 || (fields[1] != "S" && fields[1] != "C")) continue;
        // Lines of entries no longer in the table are passed over.
        const auto match = std::find_if(entry, Entries.end(), [&fields](const TLumenSpireHighScore& e) {
            return std::to_string(e.score) == fields[0] && e.name == fields[3];
        });
        if (match == Entries.end()) continue;
        match->puzzle = fields[2];
        match->custom = fields[1] == "C";
        entry = match + 1;
    }
}

int TLumenSpireHighScoreList::FirstDamagedEntry() const {
    const auto printable = [](char c) { return IsPrintableChar(static_cast<unsigned char>(c), true); };
    for (size_t i = 0; i < Entries.size(); ++i) {
        const TLumenSpireHighScore& entry = Entries[i];
        const bool nameSound = entry.name.size() <= static_cast<size_t>(std::max(MaxNameLength, 0)) &&
                               std::all_of(entry.name.begin(), entry.name.end(), printable);
        if (!nameSound || entry.score < 0 || entry.score > MaxPuzzleScore) return static_cast<int>(i) + 1;
    }
    return 0;
}

void TLumenSpireHighScoreList::Load() {
    Entries.clear();
    WasDamaged = false;
    if (plat::FileType(filepath) != plat::FILETYPE_FILE) {
        CreateDefault();
        return;
    }
    plat::StreamPtr stream = plat::ReadFile(filepath);
    if (!stream) {
        CreateDefault();
        return;
    }
    const bool whole = Parse(stream->ReadAll());
    stream->Close();
    const int damaged = whole ? FirstDamagedEntry() : Count() + 1;
    if (damaged == 0) {
        if (plat::StreamPtr puzzles = plat::ReadFile(PuzzlePath())) {
            const std::vector<uint8_t> bytes = puzzles->ReadAll();
            puzzles->Close();
            ParsePuzzles(std::string(bytes.begin(), bytes.end()));
        }
        return;
    }
    // Kept for whoever wants to look; the player sees the default table.
    const std::string kept = plat::SetAsidePath(filepath);
    std::string note = "The high-score table " + filepath + " is damaged (entry " + std::to_string(damaged) +
                       (whole ? ")" : " is cut off by the end of the file)");
    if (plat::RenameFile(filepath, kept) || plat::CopyFile(filepath, kept)) note += "; it was kept as " + kept;
    WriteErrorLog(note + ". The default table is shown.");
    Entries.clear();
    WasDamaged = true;
    CreateDefault();
}

bool TLumenSpireHighScoreList::Save() const {
    if (!plat::WriteFileAtomic(filepath, Format())) {
        ReportWriteFailure(filepath, errno);
        return false;
    }
    // Without it the scores only lose their puzzles; the table itself is saved.
    if (!plat::WriteFileAtomic(PuzzlePath(), FormatPuzzles()))
        WriteErrorLog("Could not write the puzzles of the high-score table to " + PuzzlePath());
    return true;
}

std::string TLumenSpireHighScoreList::SaveFailureText() const { return "Failed to save file " + filepath; }

bool TLumenSpireHighScoreList::CreateDefault() {
    for (int i = 0; i < numPositions; ++i)
        Add(GameText().FindString("Highscore Name " + std::to_string(i + 1)), DEFAULT_SCORES[i]);
    return Save();
}
