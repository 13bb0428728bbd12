// libFuzzer target: the game-text table "gametext.txt", in any of its byte
// orders. A damaged table is refused with a message (a TGameError), never a
// crash; an accepted one answers every key with the lines it holds, and keys
// are found whatever their letter case.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_files.h"
#include "resources/game_text.h"
#include "resources/pak_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_game_text");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TGameText text;
    try {
        text.ReadFromBytes(std::vector<uint8_t>(data, data + size));
    } catch (const TGameError&) {
        return 0;
    }
    for (const auto& [key, lines] : text.Map) {
        fuzz::Check(key == UpperAscii(key), "a key not upper-cased");
        fuzz::Check(&text.Find(LowerAscii(key)) == &lines, "a key not found in lower case");
        std::string joined;
        for (size_t i = 0; i < lines.size(); ++i) joined += (i ? "\r\n" : "") + lines[i];
        fuzz::Check(text.FindString(key) == joined, "a text joined wrongly");
    }
    // Keys are whole lines, so a key with a line break in it is in no table.
    fuzz::Check(text.Find("no such\nkey").empty(), "a missing key answered");
    return 0;
}
