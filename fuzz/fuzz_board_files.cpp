// libFuzzer target: the layout and saved-game readers must refuse any
// damaged or hostile file with a message, never crash, and whatever they
// accept must write back to the same bytes (for layouts) or read back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "puzzle/board_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    TLayoutBlocks layout;
    if (ParseLayout(bytes, layout).empty()) {
        const std::string text = FormatLayout(layout);
        TLayoutBlocks again;
        if (!ParseLayout(std::vector<uint8_t>(text.begin(), text.end()), again).empty() || !(again == layout))
            std::abort();
    }
    TSaveGameData save;
    if (ParseSaveGame(bytes, save).empty()) {
        const std::string text = FormatSaveGame(save);
        TSaveGameData again;
        if (!ParseSaveGame(std::vector<uint8_t>(text.begin(), text.end()), again).empty() || !(again == save))
            std::abort();
    }
    return 0;
}
