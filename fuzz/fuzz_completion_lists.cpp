// libFuzzer target: a player's completion list ("<name>s.ini" or "<name>c.ini").
// Any file must read without trouble; marking a puzzle completed must make it
// count as completed and keep every other entry of the file, in order.
#include <cstddef>
#include <cstdint>

#include "app/ini_file.h"
#include "fuzz_files.h"
#include "puzzle/completion_list.h"

namespace {

bool SameKey(const std::string& a, const std::string& b) { return IniUpper(a) == IniUpper(b); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_completion_lists");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = CompletionFilePath("Fuzz", false);
    fuzz::WriteBytes(path, data, size);
    const auto before = ReadCompletionList(path);
    // The puzzle that was just finished: the first entry's key, or "007".
    const std::string key = before.empty() || before.front().Key.empty() ? "007" : before.front().Key;
    const bool wasDone = IsLevelCompleted(path, key);
    fuzz::Check(RecordLevelCompleted(path, key), "the list could not be written");
    fuzz::Check(IsLevelCompleted(path, key), "a finished puzzle does not count as completed");
    const auto after = ReadCompletionList(path);
    if (wasDone) {
        fuzz::Check(after.size() == before.size(), "a completed puzzle changed the list");
        return 0;
    }
    size_t at = 0;
    for (const auto& entry : before) {
        if (SameKey(entry.Key, key)) continue;
        fuzz::Check(at < after.size() && after[at].Key == entry.Key && after[at].Value == entry.Value,
                    "an entry of another puzzle was lost or changed");
        ++at;
    }
    fuzz::Check(at + 1 == after.size() && after[at].Key == key && after[at].Value == "1",
                "the new entry is not the last");
    return 0;
}
