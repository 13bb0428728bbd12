// libFuzzer target: a pasted share code. Any text must read without trouble;
// a code that is read gives a name a file can have and a layout of values in
// range, and its own code reads back to the same puzzle.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "gui/text_input.h"
#include "puzzle/share_code.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_share_codes");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string code(reinterpret_cast<const char*>(data), size);
    std::string name = "untouched";
    TLayoutBlocks layout;
    layout.Contents[0][0] = 9;
    if (!ReadShareCode(code, name, layout).empty()) {
        fuzz::Check(name == "untouched" && layout.Contents[0][0] == 9, "a refused code changed what it was given");
        return 0;
    }
    fuzz::Check(IsSafeFileName(name) && name.size() <= SHARE_NAME_MAX, "a read code names no file");
    for (const TBlock* block : {&layout.Contents, &layout.IsChain, &layout.IsCreate, &layout.IsFill})
        for (const auto& row : *block)
            for (const uint8_t value : row)
                fuzz::Check(value <= (block == &layout.Contents ? 2 : 1), "a value out of range");
    std::string again;
    TLayoutBlocks back;
    fuzz::Check(ReadShareCode(MakeShareCode(name, layout), again, back).empty() && again == name && back == layout,
                "the puzzle's own code does not read back to it");
    return 0;
}
