// libFuzzer target: a player's personal bests ("<name>.bests"). Any file must
// read without trouble: a refused one is put aside whole, byte for byte; an
// accepted one reads back the same once written again, and a win folded into
// it keeps every other puzzle's bests and only betters the puzzle's own.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "fuzz_files.h"
#include "persistence/personal_bests.h"
#include "platform/files.h"

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Same(const TPersonalBest& a, const TPersonalBest& b) {
    return a.Score == b.Score && a.Moves == b.Moves && a.TimeMs == b.TimeMs && a.Stars == b.Stars;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_personal_bests");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = BestsFilePath("Fuzz");
    plat::DeleteFile(PutAsideBestsPath("Fuzz"));
    fuzz::WriteBytes(path, data, size);
    TPlayerBests bests("Fuzz");
    if (bests.PutAside()) {
        fuzz::Check(bests.Entries().empty(), "a refused file left bests behind");
        fuzz::Check(Contents(PutAsideBestsPath("Fuzz")) == std::string(data, data + size),
                    "the file put aside is not the one read");
        fuzz::Check(plat::FileType(path) == plat::FILETYPE_NONE, "a refused file is still in place");
    }
    const auto before = bests.Entries();
    std::string problem;
    const auto again = ParseBests(FormatBests(before), problem);
    fuzz::Check(again && again->size() == before.size(), "the bests do not read back as written");

    // The win: the first puzzle's, or puzzle 007's, some figures better and some worse.
    const bool custom = !before.empty() && before.front().Custom;
    const std::string key = before.empty() ? "007" : before.front().Key;
    const TPersonalBest old = bests.Find(custom, key) ? *bests.Find(custom, key) : TPersonalBest{};
    const TPersonalBest win{old.Score + 1, old.Moves + 1, old.TimeMs > 1 ? old.TimeMs - 1 : 1, 2};
    bool written = false;
    bests.RecordWin(custom, key, win, &written);
    fuzz::Check(written, "the bests could not be written");
    const TPlayerBests after("Fuzz");
    fuzz::Check(!after.PutAside(), "the game refused its own file");
    fuzz::Check(after.Entries().size() == before.size() + (bests.Entries().size() > before.size() ? 1 : 0),
                "a puzzle was lost or added twice");
    const TPersonalBest* now = after.Find(custom, key);
    fuzz::Check(now != nullptr, "the win was not kept");
    for (const auto& entry : before) {
        const TPersonalBest* kept = after.Find(entry.Custom, entry.Key);
        fuzz::Check(kept != nullptr, "a puzzle's bests were lost");
        fuzz::Check(kept == now || Same(*kept, entry.Best), "another puzzle's bests changed");
    }
    fuzz::Check(now->Score >= old.Score && now->Stars >= old.Stars, "a best got worse");
    fuzz::Check(old.Moves == 0 || now->Moves <= old.Moves, "more moves became the best");
    return 0;
}
