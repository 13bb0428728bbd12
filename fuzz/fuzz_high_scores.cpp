// libFuzzer target: the high-score table "highscores.hsdat". Any file must read
// without trouble into a bounded table that writes back to a file reading the
// same; a new score then takes the place the end-of-puzzle message announces,
// the table keeps its ten places, and what is saved reads back the same.
#include <cstddef>
#include <cstdint>

#include "fuzz_files.h"
#include "persistence/high_scores.h"

namespace {

using List = TLumenSpireHighScoreList;

bool Same(const List& a, const List& b) {
    if (a.Count() != b.Count()) return false;
    for (size_t i = 0; i < a.Entries.size(); ++i)
        if (a.Entries[i].name != b.Entries[i].name || a.Entries[i].score != b.Entries[i].score) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_high_scores");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    List table;
    table.Create("highscores", 10);
    fuzz::WriteBytes(table.filepath, data, size);
    table.Load();
    fuzz::Check(table.Count() <= List::MaxStoredEntries, "too many entries kept");
    for (const auto& entry : table.Entries)
        fuzz::Check(entry.name.size() <= List::MaxStoredNameLength, "a name longer than kept names");

    List again;
    again.Parse(table.Format());
    fuzz::Check(Same(table, again), "the table reads back different");

    // The end of a puzzle: a score a puzzle can give, from the last four bytes, or 1000.
    int32_t score = 1000;
    if (size >= 4) {
        const uint32_t raw = data[size - 4] | data[size - 3] << 8 | data[size - 2] << 16 |
                             static_cast<uint32_t>(data[size - 1]) << 24;
        score = static_cast<int32_t>(raw % (static_cast<uint32_t>(MaxPuzzleScore) + 1));
    }
    const int position = table.GetPosition(score);
    fuzz::Check(position >= 0 && position <= List::numPositions, "a place outside the table");
    if (position > 0) {
        fuzz::Check(table.Insert("Fuzz", score) == 1, "a placed score was not taken");
        fuzz::Check(table.Count() <= List::numPositions, "more than ten places after a new score");
        const auto& placed = table.Entries[static_cast<size_t>(position - 1)];
        fuzz::Check(placed.name == "Fuzz" && placed.score == score, "the score is not where it was announced");
        fuzz::Check(table.Save(), "the table could not be saved");
        List saved;
        saved.Create("highscores", 10);
        saved.Load();
        fuzz::Check(Same(table, saved), "the saved table reads back different");
    }
    return 0;
}
