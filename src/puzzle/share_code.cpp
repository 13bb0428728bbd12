#include "puzzle/share_code.h"

#include <cstdint>
#include <vector>

#include "gui/text_input.h"

namespace {

constexpr uint8_t VERSION = 1;
constexpr int MAX_RUN = 15;
constexpr int CELL_STATES = 17;
constexpr int CHECK_BYTES = 3;
constexpr size_t CELLS = BLOCK_ROWS * BLOCK_COLUMNS;
// Letters and digits that cannot be taken for one another (no I, L, O, U).
constexpr const char* DIGITS = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr const char* PREFIX = "VC";

// 0 no floor; otherwise the floor kind and the three flags.
int StateOf(const TLayoutBlocks& layout, size_t cell) {
    const size_t row = cell / BLOCK_COLUMNS, column = cell % BLOCK_COLUMNS;
    const int contents = layout.Contents[row][column];
    if (contents == 0) return 0;
    return 1 + (contents - 1) * 8 + layout.IsChain[row][column] * 4 + layout.IsCreate[row][column] * 2 +
           layout.IsFill[row][column];
}

void SetState(TLayoutBlocks& layout, size_t cell, int state) {
    const size_t row = cell / BLOCK_COLUMNS, column = cell % BLOCK_COLUMNS;
    const int flags = state == 0 ? 0 : (state - 1) % 8;
    layout.Contents[row][column] = static_cast<uint8_t>(state == 0 ? 0 : 1 + (state - 1) / 8);
    layout.IsChain[row][column] = static_cast<uint8_t>(flags >> 2 & 1);
    layout.IsCreate[row][column] = static_cast<uint8_t>(flags >> 1 & 1);
    layout.IsFill[row][column] = static_cast<uint8_t>(flags & 1);
}

uint32_t CheckNumber(const std::vector<uint8_t>& bytes, size_t count) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash & 0xFFFFFFu;
}

std::string ToLetters(const std::vector<uint8_t>& bytes) {
    std::string text;
    uint32_t buffer = 0;
    int bits = 0;
    for (const uint8_t byte : bytes) {
        buffer = buffer << 8 | byte;
        for (bits += 8; bits >= 5; bits -= 5) text += DIGITS[buffer >> (bits - 5) & 31];
    }
    if (bits > 0) text += DIGITS[buffer << (5 - bits) & 31];
    return text;
}

int ValueOfLetter(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O') c = '0';
    if (c == 'I' || c == 'L') c = '1';
    for (int i = 0; i < 32; ++i)
        if (DIGITS[i] == c) return i;
    return -1;
}

// The bytes of the letters, blanks and dashes left out; false for any other sign.
bool FromLetters(const std::string& text, std::vector<uint8_t>& bytes) {
    uint32_t buffer = 0;
    int bits = 0;
    for (const char c : text) {
        if (c == ' ' || c == '-' || c == '\n' || c == '\r' || c == '\t') continue;
        const int value = ValueOfLetter(c);
        if (value < 0) return false;
        buffer = (buffer << 5 | static_cast<uint32_t>(value)) & 0xFFFF;
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<uint8_t>(buffer >> bits));
        }
    }
    // What is left over is the padding of the last letter: all zero.
    return (buffer & ((1u << bits) - 1)) == 0;
}

bool IsShareName(const std::string& name) {
    return !name.empty() && name.size() <= SHARE_NAME_MAX && IsSafeFileName(name) && !IsReservedName(name);
}

std::string Problem(const std::string& what) { return "share code: " + what; }

}  // namespace

std::string MakeShareCode(const std::string& name, const TLayoutBlocks& layout) {
    std::vector<uint8_t> bytes{VERSION, static_cast<uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    for (size_t cell = 0; cell < CELLS;) {
        const int state = StateOf(layout, cell);
        int run = 1;
        while (run < MAX_RUN && cell + run < CELLS && StateOf(layout, cell + run) == state) ++run;
        bytes.push_back(static_cast<uint8_t>(state * MAX_RUN + run - 1));
        cell += run;
    }
    const uint32_t check = CheckNumber(bytes, bytes.size());
    for (int shift = 16; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(check >> shift));
    const std::string letters = ToLetters(bytes);
    std::string code = PREFIX;
    for (size_t i = 0; i < letters.size(); i += 5) code += "-" + letters.substr(i, 5);
    return code;
}

std::string ReadShareCode(const std::string& code, std::string& name, TLayoutBlocks& layout) {
    size_t start = code.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || code.size() - start < 2 || ValueOfLetter(code[start]) != ValueOfLetter('V') ||
        ValueOfLetter(code[start + 1]) != ValueOfLetter('C'))
        return Problem("no VC at the start");
    std::vector<uint8_t> bytes;
    if (!FromLetters(code.substr(start + 2), bytes)) return Problem("a sign that is not part of a code");
    if (bytes.size() < 2 + 1 + CHECK_BYTES) return Problem("too short");
    const size_t body = bytes.size() - CHECK_BYTES;
    const uint32_t check = uint32_t{bytes[body]} << 16 | uint32_t{bytes[body + 1]} << 8 | bytes[body + 2];
    if (check != CheckNumber(bytes, body)) return Problem("the check number does not match");
    if (bytes[0] != VERSION) return Problem("made by another version");
    const size_t nameEnd = 2 + size_t{bytes[1]};
    if (nameEnd > body) return Problem("the name runs past the end");
    const std::string readName(bytes.begin() + 2, bytes.begin() + static_cast<long>(nameEnd));
    if (!IsShareName(readName)) return Problem("a name no file can have");
    TLayoutBlocks read;
    size_t cell = 0;
    for (size_t i = nameEnd; i < body; ++i) {
        const int state = bytes[i] / MAX_RUN;
        const size_t run = bytes[i] % MAX_RUN + 1u;
        if (state >= CELL_STATES || cell + run > CELLS) return Problem("cells past the end of the board");
        for (size_t k = 0; k < run; ++k) SetState(read, cell++, state);
    }
    if (cell != CELLS) return Problem("cells missing");
    name = readName;
    layout = read;
    return {};
}

std::string ShareCodeLines(const std::string& code, int groups) {
    std::string lines;
    int inLine = 0;
    for (size_t start = 0; start < code.size();) {
        size_t dash = code.find('-', start);
        if (dash == std::string::npos) dash = code.size();
        if (inLine == groups) {
            lines += "\n";
            inLine = 0;
        } else if (inLine > 0) {
            lines += "-";
        }
        lines += code.substr(start, dash - start);
        ++inLine;
        start = dash + 1;
    }
    return lines;
}
