// The puzzle grid: which files it lists and in what order, paging with the
// arrows and the cursor keys, selecting and starting with the mouse, marks
// of completed puzzles (read, never written), files that cannot be read,
// and the quarter-size thumbnails.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "gui/gui_test_util.h"
#include "platform/files.h"
#include "puzzle/board_text.h"
#include "resources/resource_globals.h"
#include "screens/level_list.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A layout whose floor is the given cells (block row, block column, kind).
std::string LayoutText(const std::vector<std::array<int, 3>>& floor) {
    TLayoutBlocks layout;
    for (const auto& [r, c, kind] : floor) {
        layout.Contents[static_cast<size_t>(r)][static_cast<size_t>(c)] = static_cast<uint8_t>(kind);
        layout.IsFill[static_cast<size_t>(r)][static_cast<size_t>(c)] = 1;
    }
    return FormatLayout(layout);
}

class LevelListTest : public TickTest {
protected:
    void SetUp() override {
        TickTest::SetUp();
        dir = fs::path(VC_TEST_BINARY_DIR) / "test-home" / "level-list" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void AddLevels(const std::vector<std::string>& names) {
        for (const auto& name : names) WriteFile(dir / (name + ".layout"), LayoutText({{0, 0, 1}, {1, 1, 2}}));
    }
    void AddNumbered(int count) {
        for (int i = 1; i <= count; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "%03d", i);
            AddLevels({name});
        }
    }
    std::unique_ptr<PNLevelList> MakeList(int trimZeros = 1, const std::string& current = "") {
        auto list = PNLevelList::Create(dir.string() + "/", "layout", current, "Tiles", "None here", trimZeros, 0, 8,
                                        "Pearls", dir.string() + "/");
        list->CreateLevelImageFunction = CreateLevelThumbnail;
        list->Init();
        list->CreateImages(1);
        return list;
    }
    // One update of the list with a key pressed.
    static void Press(PNLevelList& list, int key) {
        RecordKeyDown(key);
        RecordKeyUp(key);
        list.Manage();
    }
    static std::string Selected(const PNLevelList& list) {
        return list.LevelList[static_cast<size_t>(list.CurrentPagePosition + list.CurrentLevelID)];
    }

    fs::path dir;
};

TEST_F(LevelListTest, ListsLayoutsNumberedInNumericOrderThenByNameIgnoringCase) {
    AddLevels({"10", "9", "002", "b", "A", "c"});
    WriteFile(dir / "notes.txt", "x");
    WriteFile(dir / "upper.LAYOUT", "x");
    WriteFile(dir / ".layout", "x");
    const auto list = MakeList();
    EXPECT_EQ(list->LevelList, (std::vector<std::string>{"002", "9", "10", "A", "b", "c"}));

    fs::remove_all(dir);
    const auto missing = MakeList();
    EXPECT_TRUE(missing->LevelList.empty());
    EXPECT_EQ(missing->PageItems(), 0);
    EXPECT_FALSE(missing->CanStartSelected());
    missing->MoveRight();
    missing->MoveLeft();
    Press(*missing, plat::KEY_RIGHT);
    EXPECT_EQ(missing->CurrentPagePosition, 0);
}

TEST_F(LevelListTest, TheLastPageIsAlwaysFull) {
    AddNumbered(10);
    auto list = MakeList();
    EXPECT_EQ(list->PageStartFor(-1), 0);
    EXPECT_EQ(list->PageStartFor(7), 0);
    EXPECT_EQ(list->PageStartFor(8), 2);
    EXPECT_EQ(list->PageStartFor(9), 2);
    EXPECT_EQ(list->PageItems(), 8);

    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->PageItems(), 8);
    EXPECT_EQ(list->CurrentLevel, "003");
    list->MoveRight();
    EXPECT_EQ(list->CurrentPagePosition, 2);
    list->MoveLeft();
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevel, "001");

    // Opening on a level shows its page with it selected.
    const auto reopened = MakeList(1, "010");
    EXPECT_EQ(reopened->CurrentPagePosition, 2);
    EXPECT_EQ(reopened->CurrentLevelID, 7);
    const auto unknown = MakeList(1, "nothing");
    EXPECT_EQ(unknown->CurrentPagePosition, 0);
    EXPECT_EQ(unknown->CurrentLevel, "001");
}

TEST_F(LevelListTest, CursorKeysMoveWithinAndAcrossPagesButNotPastTheEnds) {
    AddNumbered(10);
    auto list = MakeList();
    Press(*list, plat::KEY_LEFT);
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevelID, 0);
    Press(*list, plat::KEY_UP);
    EXPECT_EQ(list->CurrentLevelID, 0);
    Press(*list, plat::KEY_DOWN);
    EXPECT_EQ(list->CurrentLevelID, 4);
    EXPECT_EQ(list->CurrentLevel, "005");
    Press(*list, plat::KEY_DOWN);
    EXPECT_EQ(list->CurrentLevelID, 4);
    Press(*list, plat::KEY_UP);
    EXPECT_EQ(list->CurrentLevelID, 0);

    for (int i = 0; i < 7; ++i) Press(*list, plat::KEY_RIGHT);
    EXPECT_EQ(list->CurrentLevelID, 7);
    EXPECT_EQ(list->CurrentLevel, "008");
    Press(*list, plat::KEY_RIGHT);  // on to the last page, first slot
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->CurrentLevelID, 0);
    EXPECT_EQ(Selected(*list), "003");
    for (int i = 0; i < 7; ++i) Press(*list, plat::KEY_RIGHT);
    Press(*list, plat::KEY_RIGHT);  // slot 7 of the last page stays
    EXPECT_EQ(list->CurrentPagePosition, 2);
    EXPECT_EQ(list->CurrentLevelID, 7);
    EXPECT_EQ(list->CurrentLevel, "010");

    for (int i = 0; i < 7; ++i) Press(*list, plat::KEY_LEFT);
    Press(*list, plat::KEY_LEFT);  // back a page, onto its last slot
    EXPECT_EQ(list->CurrentPagePosition, 0);
    EXPECT_EQ(list->CurrentLevelID, 7);
    EXPECT_EQ(list->CurrentLevel, "008");

    // A short grid: Down only where the slot below exists.
    fs::remove_all(dir);
    fs::create_directories(dir);
    AddNumbered(5);
    auto small = MakeList();
    Press(*small, plat::KEY_RIGHT);
    Press(*small, plat::KEY_DOWN);
    EXPECT_EQ(small->CurrentLevelID, 1);
    for (int i = 0; i < 6; ++i) Press(*small, plat::KEY_RIGHT);
    EXPECT_EQ(small->CurrentLevelID, 4);
    EXPECT_EQ(small->CurrentPagePosition, 0);
}

TEST_F(LevelListTest, AClickSelectsAndOnlyADoubleClickStarts) {
    AddNumbered(8);
    auto list = MakeList();
    auto& mouse = Game().Mouse;
    auto& clicks = PNMouseObject();
    mouse.PressTaken = 0;  // the counts below stand for a press no widget has taken
    // The slot reaches 80 pixels either side of its centre and 50 above and below.
    mouse.x = static_cast<int>(PNLevelList::SlotX(5)) + 81;
    mouse.y = static_cast<int>(PNLevelList::SlotY(5));
    clicks.MBL = 1;
    list->Manage();
    EXPECT_EQ(list->CurrentLevelID, 0);
    mouse.x = static_cast<int>(PNLevelList::SlotX(5)) + 80;
    mouse.y = static_cast<int>(PNLevelList::SlotY(5)) - 50;
    list->Manage();
    EXPECT_EQ(list->CurrentLevelID, 5);
    EXPECT_EQ(list->CurrentLevel, "006");
    EXPECT_FALSE(list->StartLevel);
    clicks.MBL = 0;
    clicks.MBLDC = 1;
    list->Manage();
    EXPECT_TRUE(list->StartLevel);
    clicks.MBLDC = 0;
    list->Manage();
    EXPECT_FALSE(list->StartLevel) << "the request lasts one update";
}

// Puzzles named in UTF-8, or in Latin-1 by an older version, are listed by
// name, read and marked completed.
TEST_F(LevelListTest, PuzzlesNamedInUtf8OrOldLatin1AreListedByNameAndFound) {
    AddLevels({"Caf\xc3\xa9", "Zo\xeb"});
    WriteFile(dir / "Pearls.ini", "Caf\xe9=1\r\nzo\xeb=1\r\n");
    const auto list = MakeList(0);
    EXPECT_EQ(list->LevelList, (std::vector<std::string>{"Caf\xe9", "Zo\xeb"}));
    EXPECT_EQ(list->LevelSizeList, (std::vector<std::string>{"2", "2"})) << "both files read";
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"1", "1"}));
}

TEST_F(LevelListTest, NamesLoseLeadingZerosOnlyWhenTrimming) {
    AddLevels({"007", "000", "x07"});
    const auto trimmed = MakeList(1);
    EXPECT_EQ(trimmed->DisplayName("007"), "7");
    EXPECT_EQ(trimmed->DisplayName("000"), "0");
    EXPECT_EQ(trimmed->DisplayName("x07"), "x07");
    const auto asTyped = MakeList(0);
    EXPECT_EQ(asTyped->DisplayName("007"), "007");
}

TEST_F(LevelListTest, CompletionMarksAreReadAndTheFileIsNeverWritten) {
    AddNumbered(4);
    const std::string completion = "002=1\r\n003=0\r\n004=1\r\nsomething else\r\n";
    WriteFile(dir / "Pearls.ini", completion);
    const auto before = fs::last_write_time(dir / "Pearls.ini");
    auto list = MakeList();
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"0", "1", "0", "1"}));
    EXPECT_EQ(ReadFile(dir / "Pearls.ini"), completion);
    EXPECT_EQ(fs::last_write_time(dir / "Pearls.ini"), before);

    fs::remove(dir / "Pearls.ini");
    list->CreateImages(0);
    EXPECT_EQ(list->LevelCompletedList, (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_FALSE(fs::exists(dir / "Pearls.ini")) << "a missing list is not created";
}

TEST_F(LevelListTest, PagesAreCountedAndTheLevelAfterTheLastCompletedIsFound) {
    AddNumbered(10);
    auto list = MakeList();
    list->PageText = "Page NNN of MMM";
    EXPECT_EQ(list->PageLine(), "Page 1 of 2");
    list->MoveRight();
    EXPECT_EQ(list->PageLine(), "Page 2 of 2") << "the last page starts part-way and is still the last";
    EXPECT_EQ(list->LevelAfterLastCompleted(), "001");
    WriteFile(dir / "Pearls.ini", "004=1\r\n002=1\r\n006=0\r\n");
    EXPECT_EQ(list->LevelAfterLastCompleted(), "005");
    WriteFile(dir / "Pearls.ini", "010=1\r\n");
    EXPECT_EQ(list->LevelAfterLastCompleted(), "010");
    fs::remove_all(dir);
    const auto none = MakeList();
    none->PageText = "Page NNN of MMM";
    EXPECT_EQ(none->PageLine(), "") << "no pages without levels";
}

TEST_F(LevelListTest, PlayedSlotsCarryTheirBestAndThePageAndGridTheirStars) {
    AddNumbered(10);
    const std::map<std::string, TPersonalBest> bests = {{"001", {500, 9, 1000, 3}}, {"003", {70, 30, 1000, 1}},
                                                        {"010", {90, 12, 1000, 2}}};
    auto list = PNLevelList::Create(dir.string() + "/", "layout", "", "Tiles", "None here", 1, 0, 8, "Pearls",
                                    dir.string() + "/");
    list->FindBest = [&bests](const std::string& key) {
        const auto found = bests.find(key);
        return found == bests.end() ? nullptr : &found->second;
    };
    list->PageStarsText = "Stars: NNN of MMM";
    list->AllStarsText = "NNN of MMM in all";
    list->Init();
    list->CreateImages(1);
    ASSERT_EQ(list->SlotBests.size(), 8u);
    EXPECT_EQ(list->SlotBests[0]->Score, 500);
    EXPECT_FALSE(list->SlotBests[1]) << "an unplayed puzzle shows nothing";
    EXPECT_EQ(list->PageStarsLine(), "Stars: 4 of 24");
    EXPECT_EQ(list->AllStarsLine(), "6 of 30 in all");
    list->MoveRight();  // the last page, 003 to 010
    EXPECT_EQ(list->PageStarsLine(), "Stars: 3 of 24");
    list->FindBest = nullptr;
    EXPECT_EQ(list->PageStarsLine(), "") << "no player, no stars";
}

TEST_F(LevelListTest, AFileThatCannotBeReadKeepsAMarkedSlotAndCannotBeStarted) {
    AddLevels({"a", "d"});
    fs::create_directories(dir / "b.layout");
    WriteFile(dir / "c.layout", "Lumen Spire Layout\r\n-\r\n0000\r\n");
    auto list = MakeList(0);
    ASSERT_EQ(list->LevelList, (std::vector<std::string>{"a", "b", "c", "d"}));
    ASSERT_EQ(list->PageItems(), 4);
    EXPECT_TRUE(list->ImageList[0]);
    EXPECT_FALSE(list->ImageList[1]);
    EXPECT_FALSE(list->ImageList[2]);
    EXPECT_TRUE(list->CanStartSelected());
    // Unreadable ones can be chosen too: starting one tells the player why it fails.
    Press(*list, plat::KEY_RIGHT);
    EXPECT_EQ(list->CurrentLevel, "b");
    EXPECT_TRUE(list->CanStartSelected());
    Press(*list, plat::KEY_RIGHT);
    EXPECT_TRUE(list->CanStartSelected());
    Press(*list, plat::KEY_RIGHT);
    EXPECT_TRUE(list->CanStartSelected());
}

TEST_F(LevelListTest, ThumbnailIsTheFloorAtAQuarterOfItsSize) {
    // Plain red floor and blue marble for the cell images.
    for (const auto& [name, colour] : {std::pair{"cellnormal", plat::ARGB(255, 200, 0, 0)},
                                       std::pair{"cellmarble", plat::ARGB(255, 0, 0, 200)}}) {
        auto pixels = plat::CreatePixmap(36, 36);
        pixels->Clear(colour);
        AddImageToBank(plat::LoadImageFromPixmap(*pixels), name, 1, &CellBank());
    }
    // Normal floor at board cell (1, 1), marble at (4, 3).
    WriteFile(dir / "t.layout", LayoutText({{0, 0, 1}, {2, 3, 2}}));
    int cells = -1;
    const auto image = CreateLevelThumbnail((dir / "t.layout").string(), cells, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(cells, 2);
    EXPECT_EQ(plat::ImageWidth(*image), 16 * 9);
    EXPECT_EQ(plat::ImageHeight(*image), 12 * 9);
    const auto pixels = plat::LockImage(*image);
    EXPECT_EQ(pixels->ReadPixel(0, 0), plat::ARGB(255, 200, 0, 0));
    EXPECT_EQ(pixels->ReadPixel(8, 8), plat::ARGB(255, 200, 0, 0));
    EXPECT_EQ(pixels->ReadPixel(27, 18), plat::ARGB(255, 0, 0, 200));
    EXPECT_EQ(pixels->ReadPixel(35, 26), plat::ARGB(255, 0, 0, 200));
    EXPECT_EQ(plat::PixA(pixels->ReadPixel(9, 0)), 0);
    EXPECT_EQ(plat::PixA(pixels->ReadPixel(143, 107)), 0);

    EXPECT_FALSE(CreateLevelThumbnail((dir / "missing.layout").string(), cells, 0));
    EXPECT_EQ(cells, 0);
}

}  // namespace
