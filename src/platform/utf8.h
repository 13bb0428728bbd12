#pragma once
// UTF-8, the encoding of typed text and of file names on disk, beside
// Latin-1, the game's own text: every character the game draws is one byte.
#include <string>
#include <string_view>

namespace plat {

// The characters of UTF-8 text as code points. Bytes that belong to no valid
// sequence (stray, cut short, overlong, a surrogate) are skipped; the answer
// says whether the text had none.
bool DecodeUtf8(std::string_view text, std::u32string& out);
// Latin-1 text as UTF-8.
std::string Latin1ToUtf8(std::string_view text);
// UTF-8 text as Latin-1, a character beyond it as "?". Text that is not
// UTF-8 is taken for Latin-1 already and answered as it is.
std::string Utf8ToLatin1(std::string_view text);

}  // namespace plat
