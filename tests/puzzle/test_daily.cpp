// The daily puzzle (dates, the same layout for the same date, a new one the
// next day), the share codes, and the player's daily results.
#include <set>

#include "puzzle/daily_puzzle.h"
#include "puzzle/daily_results.h"
#include "puzzle/editor_checks.h"
#include "puzzle/layout_file.h"
#include "puzzle/share_code.h"
#include "puzzle_file_test_util.h"

namespace {

class DailyTest : public PuzzleFileTest {
protected:
    DailyTest() : PuzzleFileTest("daily_tests") {}
};

uint32_t Fnv(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (const char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    return hash;
}

}  // namespace

TEST_F(DailyTest, DatesReadWeekdaysAndDaysCountedBothWays) {
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (TCivilDate{2024, 2, 29}));
    for (const char* bad : {"2023-02-29", "1900-02-29", "2026-04-31", "2026-00-10", "2026-12-1", "2026/12/01", ""})
        EXPECT_FALSE(ParseIsoDate(bad)) << bad;
    EXPECT_EQ(WeekdayOf({2026, 12, 7}), 0);   // a Monday
    EXPECT_EQ(WeekdayOf({1969, 12, 28}), 6);  // a Sunday, before 1970
    for (int64_t day = -800; day < 80000; day += 97) EXPECT_EQ(DaysFromCivil(CivilFromDays(day)), day);
    EXPECT_EQ(FormatIsoDate(CivilFromDays(DaysFromCivil({2026, 12, 31}) + 1)), "2027-01-01");
}

// The stored number is the layout of one date as this game makes it: a
// change to the generator gives players of different versions different puzzles.
TEST_F(DailyTest, OneDateOneLayoutAndNearbyDatesDiffer) {
    const std::string text = FormatLayout(MakeDailyPuzzle({2026, 12, 9}).Layout);
    EXPECT_EQ(text, FormatLayout(MakeDailyPuzzle({2026, 12, 9}).Layout));
    EXPECT_EQ(Fnv(text), 2048588394u) << text;
    std::set<std::string> week;
    for (int64_t day = DaysFromCivil({2026, 12, 7}); day < DaysFromCivil({2026, 12, 21}); ++day) {
        const TDailyPuzzle puzzle = MakeDailyPuzzle(CivilFromDays(day));
        week.insert(FormatLayout(puzzle.Layout));
        EXPECT_LE(puzzle.Moves, puzzle.MoveLimit);
    }
    EXPECT_EQ(week.size(), 14u);
    // Own numbers: the same sequence, evenly spread.
    TDailyRandom a(5), b(5);
    std::array<int, 6> counts{};
    for (int i = 0; i < 6000; ++i) {
        const int value = a.Below(6);
        ASSERT_EQ(value, b.Below(6));
        ++counts[static_cast<size_t>(value)];
    }
    for (const int count : counts) EXPECT_NEAR(count, 1000, 120);
}

TEST_F(DailyTest, ShareCodesComeBackAsTheyWentAndDamagedOnesAreRefused) {
    const TLayoutBlocks layout = MakeDailyPuzzle({2027, 3, 14}).Layout;
    const std::string code = MakeShareCode("Pi Day", layout);
    EXPECT_LT(code.size(), 160u) << code;
    std::string name;
    TLayoutBlocks read;
    ASSERT_EQ(ReadShareCode(code, name, read), "");
    EXPECT_EQ(name, "Pi Day");
    EXPECT_EQ(read, layout);
    // Written down in lines, lower case, with O for 0: the same puzzle.
    std::string written = ShareCodeLines(code, 4);
    for (char& c : written) c = static_cast<char>(c == '0' ? 'o' : std::tolower(static_cast<unsigned char>(c)));
    ASSERT_EQ(ReadShareCode("  " + written + "\n", name, read), "");
    EXPECT_EQ(read, layout);
    // Any one letter wrong, any letter missing, a sign that is no letter, a bad name.
    TLayoutBlocks untouched = read;
    for (size_t i = 3; i < code.size(); ++i) {
        if (code[i] == '-') continue;
        std::string wrong = code;
        wrong[i] = code[i] == 'Z' ? 'Y' : 'Z';
        EXPECT_NE(ReadShareCode(wrong, name, read), "") << i;
        EXPECT_NE(ReadShareCode(code.substr(0, i) + code.substr(i + 1), name, read), "") << i;
    }
    for (const std::string& bad : {std::string(), std::string("VC"), code + "#", "XY" + code.substr(2),
                                  MakeShareCode("../up", layout), MakeShareCode("", layout)})
        EXPECT_NE(ReadShareCode(bad, name, read), "") << bad;
    EXPECT_EQ(read, untouched);
    EXPECT_EQ(name, "Pi Day");
}

TEST_F(DailyTest, ResultsKeepTheBestCountTheStreakAndSetADamagedFileAside) {
    const std::string path = File("Ann.daily");
    EXPECT_TRUE(ReadDailyResults(path).empty());
    for (const auto& [day, score] : {std::pair{5, 300}, {6, 200}, {7, 100}, {7, 400}, {7, 50}, {3, 10}})
        ASSERT_TRUE(RecordDailyResult(path, {2026, 12, day}, score));
    const auto results = ReadDailyResults(path);
    EXPECT_EQ(DailyBest(results, {2026, 12, 7}), 400);
    EXPECT_FALSE(DailyBest(results, {2026, 12, 4}));
    EXPECT_EQ(DailyStreak(results, {2026, 12, 7}), 3);
    EXPECT_EQ(DailyStreak(results, {2026, 12, 8}), 3);  // today not won yet
    EXPECT_EQ(DailyStreak(results, {2026, 12, 9}), 0);
    WriteText(path, ReadText(path) + "2026-12-08 x9\r\n");
    bool damaged = false;
    EXPECT_EQ(ReadDailyResults(path, damaged), results);
    EXPECT_TRUE(damaged);
    EXPECT_EQ(ReadText(path + ".bad"), ReadText(path));
    ReadDailyResults(path, damaged);
    EXPECT_FALSE(damaged) << "told once";
    WriteText(path, "not ours\r\n2026-12-07 5\r\n");
    EXPECT_TRUE(ReadDailyResults(path).empty());
}
