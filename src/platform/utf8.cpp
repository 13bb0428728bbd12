#include "platform/utf8.h"

namespace plat {

namespace {

// The length of the sequence a lead byte starts, 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xe0) == 0xc0) return 2;
    if ((lead & 0xf0) == 0xe0) return 3;
    if ((lead & 0xf8) == 0xf0) return 4;
    return 0;
}

// The smallest code point each length may carry: anything below is overlong.
constexpr char32_t LEAST[] = {0, 0, 0x80, 0x800, 0x10000};

}  // namespace

bool DecodeUtf8(std::string_view text, std::u32string& out) {
    out.clear();
    bool valid = true;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = SequenceLength(lead);
        char32_t code = length == 1 ? lead : lead & (0x7f >> length);
        int taken = 1;
        while (length > 1 && taken < length && i + static_cast<size_t>(taken) < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(taken)]);
            if ((next & 0xc0) != 0x80) break;
            code = (code << 6) | (next & 0x3f);
            ++taken;
        }
        const bool whole = length > 0 && taken == length && code >= LEAST[length] && code <= 0x10ffff &&
                           (code < 0xd800 || code > 0xdfff);
        if (whole) {
            out += code;
            i += static_cast<size_t>(length);
        } else {
            valid = false;
            ++i;  // resume at the next byte
        }
    }
    return valid;
}

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto ch = static_cast<unsigned char>(c);
        if (ch < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xc0 | (ch >> 6));
            out += static_cast<char>(0x80 | (ch & 0x3f));
        }
    }
    return out;
}

std::string Utf8ToLatin1(std::string_view text) {
    std::u32string codes;
    if (!DecodeUtf8(text, codes)) return std::string(text);
    std::string out;
    out.reserve(codes.size());
    for (const char32_t code : codes) out += code <= 0xff ? static_cast<char>(code) : '?';
    return out;
}

}  // namespace plat
