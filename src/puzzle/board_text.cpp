#include "puzzle/board_text.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr const char* CRLF = "\r\n";

void AppendBlock(std::string& out, const TBlock& block) {
    for (const auto& row : block) {
        for (uint8_t v : row) out += static_cast<char>('0' + v);
        out += CRLF;
    }
}

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += CRLF;
}

void AppendLayoutBlocks(std::string& out, const TLayoutBlocks& layout, bool leadingSeparator) {
    const TBlock* blocks[] = {&layout.Contents, &layout.IsChain, &layout.IsCreate, &layout.IsFill};
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0 || leadingSeparator) AppendLine(out, "-");
        AppendBlock(out, *blocks[i]);
    }
}

// Reads the file line by line, counting lines for the messages.
class TLineReader {
public:
    explicit TLineReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    int LineNo() const { return line_ + 1; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // Nothing but blank lines and blanks is left (what editors add at the end).
    bool OnlyBlanksLeft() const {
        return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), bytes_.end(),
                           [](uint8_t b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; });
    }

    // A header or separator line: up to LF, CR dropped. False when the file
    // ends first (a last line without its line end counts when allowEof).
    bool ReadLine(std::string& line, bool allowEof = false) {
        if (AtEnd()) return false;
        line.clear();
        while (pos_ < bytes_.size() && bytes_[pos_] != '\n') line += static_cast<char>(bytes_[pos_++]);
        if (pos_ >= bytes_.size() && !allowEof) return false;
        if (pos_ < bytes_.size()) ++pos_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++line_;
        return true;
    }

    // Sixteen digits 0..maxValue, then CR LF.
    std::string ReadRow(std::array<uint8_t, BLOCK_COLUMNS>& row, int maxValue) {
        if (bytes_.size() - pos_ < BLOCK_COLUMNS + 2) return Problem("the file ends inside a row");
        for (int c = 0; c < BLOCK_COLUMNS; ++c) {
            const uint8_t ch = bytes_[pos_ + c];
            if (ch < '0' || ch > '0' + maxValue)
                return Problem("a row must be 16 digits from 0 to " + std::to_string(maxValue));
            row[c] = static_cast<uint8_t>(ch - '0');
        }
        if (bytes_[pos_ + BLOCK_COLUMNS] != '\r' || bytes_[pos_ + BLOCK_COLUMNS + 1] != '\n')
            return Problem("a row must be 16 digits and a line end");
        pos_ += BLOCK_COLUMNS + 2;
        ++line_;
        return {};
    }

    std::string ReadBlock(TBlock& block, int maxValue) {
        for (auto& row : block)
            if (auto problem = ReadRow(row, maxValue); !problem.empty()) return problem;
        return {};
    }

    std::string ReadSeparator() {
        std::string line;
        if (!ReadLine(line)) return Problem("the file ends early");
        if (line != "-") return Problem("expected a \"-\" line");
        return {};
    }

    std::string Problem(const std::string& what) const { return "line " + std::to_string(LineNo()) + ": " + what; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
    int line_ = 0;
};

std::string ReadLayoutBlocks(TLineReader& in, TLayoutBlocks& layout, bool leadingSeparator) {
    struct Part {
        TBlock* block;
        int maxValue;
    };
    const Part parts[] = {{&layout.Contents, 2}, {&layout.IsChain, 1}, {&layout.IsCreate, 1}, {&layout.IsFill, 1}};
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0 || leadingSeparator)
            if (auto problem = in.ReadSeparator(); !problem.empty()) return problem;
        if (auto problem = in.ReadBlock(*parts[i].block, parts[i].maxValue); !problem.empty()) return problem;
    }
    return {};
}

std::string ReadBoard(TLineReader& in, TBoardBlocks& board) {
    if (auto problem = in.ReadBlock(board.Gems, 6); !problem.empty()) return problem;
    return ReadLayoutBlocks(in, board.Layout, true);
}

// A puzzle name fits on the puzzle line: no control characters.
bool FitsOnALine(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
}

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// ---- the fields behind the save's header text ---------------------------------

constexpr char FIELD_SEPARATOR = '|';

// "%", the separator and control characters as "%" and two hex digits.
std::string EscapeField(const std::string& value) {
    static const char* const HEX = "0123456789ABCDEF";
    std::string out;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || c == '%' || c == FIELD_SEPARATOR) {
            out += '%';
            out += HEX[byte >> 4];
            out += HEX[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A "%" without two hex digits stands for itself.
std::string UnescapeField(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 && HexDigit(value[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2]));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string HeaderLine(const TSaveGameData& save) {
    std::string line = SAVE_HEADER;
    const auto field = [&line](const char* key, const std::string& value) {
        line += FIELD_SEPARATOR;
        line += key;
        line += '=';
        line += value;
    };
    if (!save.Owner.empty()) field("player", EscapeField(save.Owner));
    if (save.SavedAt > 0) field("saved", std::to_string(save.SavedAt));
    if (save.BonusCounter > 0) field("bonus", std::to_string(save.BonusCounter));
    if (save.MovesMade > 0) field("moves", std::to_string(save.MovesMade));
    if (save.BonusEarned > 0) field("chainbonus", std::to_string(save.BonusEarned));
    return line;
}

// The counter a header field of that key holds, if it is one.
int* CountField(const std::string& key, TSaveGameData& save) {
    if (key == "bonus") return &save.BonusCounter;
    if (key == "moves") return &save.MovesMade;
    if (key == "chainbonus") return &save.BonusEarned;
    return nullptr;
}

// Fields it does not know, or cannot read, are passed over.
void ReadHeaderFields(const std::string& header, TSaveGameData& save) {
    size_t at = header.find(FIELD_SEPARATOR);
    while (at != std::string::npos) {
        const size_t next = header.find(FIELD_SEPARATOR, at + 1);
        const std::string field = header.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
        at = next;
        const size_t equals = field.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = field.substr(0, equals), value = field.substr(equals + 1);
        if (key == "player") {
            save.Owner = UnescapeField(value);
        } else if (key == "saved") {
            int64_t seconds = 0;
            if (ParseNumber(value, seconds) && seconds > 0) save.SavedAt = seconds;
        } else if (int* counter = CountField(key, save)) {
            int number = 0;
            if (ParseNumber(value, number) && number > 0) *counter = number;
        }
    }
}

}  // namespace

std::string FormatLayout(const TLayoutBlocks& layout) {
    std::string out;
    out.reserve(LAYOUT_FILE_SIZE);
    AppendLine(out, LAYOUT_HEADER);
    AppendLine(out, "-");
    AppendLayoutBlocks(out, layout, false);
    return out;
}

std::string FormatSaveGame(const TSaveGameData& save) {
    std::string out;
    AppendLine(out, HeaderLine(save));
    AppendLine(out, std::to_string(save.ElapsedMs));
    AppendLine(out, std::to_string(save.Score));
    for (const TBoardBlocks* board : {&save.Original, &save.Current}) {
        AppendLine(out, "-");
        AppendBlock(out, board->Gems);
        AppendLayoutBlocks(out, board->Layout, true);
    }
    // A name that could not stand on one line is left out rather than
    // breaking the file.
    if (save.Puzzle && FitsOnALine(save.Puzzle->Path))
        AppendLine(out, std::to_string(save.Puzzle->IsCustom) + " " + save.Puzzle->Path);
    return out;
}

std::string ParseLayout(const std::vector<uint8_t>& bytes, TLayoutBlocks& out) {
    if (bytes.size() > BOARD_FILE_MAX_SIZE) return "the file is far too large";
    TLineReader in(bytes);
    std::string header;
    if (!in.ReadLine(header)) return in.Problem("the file ends early");
    TLayoutBlocks layout;
    if (auto problem = in.ReadSeparator(); !problem.empty()) return problem;
    if (auto problem = ReadLayoutBlocks(in, layout, false); !problem.empty()) return problem;
    if (!in.OnlyBlanksLeft()) return in.Problem("unexpected text after the last row");
    out = layout;
    return {};
}

std::string ParseSaveGame(const std::vector<uint8_t>& bytes, TSaveGameData& out) {
    if (bytes.size() > BOARD_FILE_MAX_SIZE) return "the file is far too large";
    TLineReader in(bytes);
    TSaveGameData save;
    std::string line;
    if (!in.ReadLine(line)) return in.Problem("the file ends early");
    ReadHeaderFields(line, save);
    if (!in.ReadLine(line)) return in.Problem("the file ends early");
    if (!ParseNumber(line, save.ElapsedMs)) return in.Problem("the play time must be a number of milliseconds");
    if (!in.ReadLine(line)) return in.Problem("the file ends early");
    if (!ParseNumber(line, save.Score) || save.Score < 0) return in.Problem("the score must be a number");
    for (TBoardBlocks* board : {&save.Original, &save.Current}) {
        if (auto problem = in.ReadSeparator(); !problem.empty()) return problem;
        if (auto problem = ReadBoard(in, *board); !problem.empty()) return problem;
    }
    if (!in.OnlyBlanksLeft()) {
        // The puzzle line: "0 " or "1 " and the puzzle's file name.
        if (!in.ReadLine(line, true) || line.size() < 2 || (line[0] != '0' && line[0] != '1') || line[1] != ' ')
            return in.Problem("expected the puzzle line (0 or 1, a blank and the puzzle's file name)");
        save.Puzzle = TSavedPuzzle{line.substr(2), line[0] - '0'};
        if (!FitsOnALine(save.Puzzle->Path)) return in.Problem("the puzzle's file name holds control characters");
        if (!in.OnlyBlanksLeft()) return in.Problem("unexpected text after the puzzle line");
    }
    out = save;
    return {};
}
