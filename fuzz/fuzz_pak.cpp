// libFuzzer target: the pak archive reader must refuse any damaged, truncated
// or hostile archive with a TPakError, never crash or over-allocate.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/stream.h"
#include "resources/pak_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plat::TBankStream stream(std::vector<uint8_t>(data, data + size));
    TPakFile pak;
    try {
        pak.ReadFromStream(stream);
    } catch (const TPakError&) {
        return 0;
    }
    for (const auto& item : pak.Items) {
        (void)item->GetText();
        plat::StreamPtr bank = item->GetBank();
        (void)bank->ReadAll();
    }
    return 0;
}
