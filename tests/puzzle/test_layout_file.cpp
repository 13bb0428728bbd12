// Layout files: exact bytes, round trips, and refusal of damaged files
// without touching the board.
#include <cerrno>
#include <cstring>

#include "platform/files.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "puzzle_file_test_util.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kLayout = {
    "################", "#..mm.......kK.#", "#.cccc........o#", "#..............#",
    "#......mm......#", "#..............#", "#..............#", "#..............#",
    "#..............#", "#..............#", "#.....mmmm.....#", "################"};

class LayoutFileTest : public PuzzleFileTest {
protected:
    LayoutFileTest() : PuzzleFileTest("layout-file-test") {}
};

TEST_F(LayoutFileTest, ClearedBoardWritesFortyEightRowsOfZeros) {
    TCellBox box;
    box.Clear();
    ASSERT_EQ(SaveLayout(box, File("empty.layout")), "");
    const std::string text = ReadText(File("empty.layout"));
    ASSERT_EQ(text.size(), LAYOUT_FILE_SIZE);
    std::string expected = "Lumen Spire Layout\r\n-\r\n";
    for (int block = 0; block < 4; ++block) {
        if (block > 0) expected += "-\r\n";
        for (int row = 0; row < 12; ++row) expected += "0000000000000000\r\n";
    }
    EXPECT_EQ(text, expected);
}

TEST_F(LayoutFileTest, WrittenLayoutReadsBackIdenticalAndToTheSameBytes) {
    TCellBox box;
    BuildBox(box, kLayout);
    const TLayoutBlocks before = LayoutOf(box);
    ASSERT_EQ(SaveLayout(box, File("a.layout")), "");

    TCellBox loaded;
    ASSERT_EQ(LoadLayout(loaded, File("a.layout")), "");
    EXPECT_EQ(LayoutOf(loaded), before);
    EXPECT_EQ(loaded.Layout[4][2].Contents, FLOOR_MARBLE);
    EXPECT_EQ(loaded.Layout[14][2].IsChain, 1);
    EXPECT_EQ(loaded.Layout[3][3].IsCreate, 1);
    EXPECT_EQ(loaded.Layout[15][3].IsFill, 0);
    // The border ring is never stored and stays wall.
    for (int c = 0; c < BOARD_COLUMNS; ++c) EXPECT_EQ(loaded.Layout[c][0].Contents, FLOOR_NONE);

    ASSERT_EQ(SaveLayout(loaded, File("b.layout")), "");
    EXPECT_EQ(ReadText(File("a.layout")), ReadText(File("b.layout")));
}

TEST_F(LayoutFileTest, AnyHeaderTextEitherLineEndOnHeaderAndSeparatorsAndTrailingBlankLines) {
    TCellBox box;
    BuildBox(box, kLayout);
    std::string text = FormatLayout(LayoutOf(box));
    text.replace(0, std::string(LAYOUT_HEADER).size(), "Some other title");
    // Separator lines with LF only.
    for (size_t at = text.find("\r\n-\r\n"); at != std::string::npos; at = text.find("\r\n-\r\n", at + 1))
        text.replace(at + 3, 2, "\n");
    text.replace(text.find("title\r\n"), 7, "title\n");
    text += "\r\n\n \t\r\n";  // what editors leave at the end
    WriteText(File("lf.layout"), text);

    TCellBox loaded;
    ASSERT_EQ(LoadLayout(loaded, File("lf.layout")), "");
    EXPECT_EQ(LayoutOf(loaded), LayoutOf(box));
}

TEST_F(LayoutFileTest, DamagedLayoutsAreRefusedAndLeaveTheBoardAsItWas) {
    TCellBox source;
    BuildBox(source, kLayout);
    const std::string good = FormatLayout(LayoutOf(source));
    const size_t firstRow = good.find("-\r\n") + 3;

    struct Case {
        const char* name;
        std::string text;
    };
    std::string badDigit = good;
    badDigit[firstRow + 3] = '3';  // layout kinds are 0..2
    std::string badFlag = good;
    badFlag[good.rfind("-\r\n") + 3] = '2';  // flags are 0..1
    std::string letter = good;
    letter[firstRow] = 'x';
    std::string lfRow = good;
    lfRow.replace(firstRow + 16, 2, "\n0");  // a row ending in LF
    std::string shortRow = good;
    shortRow.erase(firstRow + 5, 1);
    std::string badSeparator = good;
    badSeparator[good.find("\r\n-\r\n", firstRow) + 2] = '+';
    const Case cases[] = {
        {"empty", ""},
        {"header only", "Lumen Spire Layout\r\n"},
        {"truncated", good.substr(0, good.size() - 1)},
        {"half", good.substr(0, good.size() / 2)},
        {"digit out of range", badDigit},
        {"flag out of range", badFlag},
        {"not a digit", letter},
        {"row with LF", lfRow},
        {"short row", shortRow},
        {"bad separator", badSeparator},
        {"trailing text", good + "extra"},
        {"text after a blank line", good + "\r\n0000\r\n"},
    };

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(File("bad.layout"), c.text);
        TCellBox box;
        BuildBox(box, kLayout, FullRows("1234561234561234"));
        const TBoardBlocks before = BoardOf(box);
        const std::string message = LoadLayout(box, File("bad.layout"));
        EXPECT_NE(message.find("bad.layout"), std::string::npos) << message;
        EXPECT_EQ(BoardOf(box), before);
    }
}

TEST_F(LayoutFileTest, MissingFileIsReportedAndNotFatal) {
    TCellBox box;
    EXPECT_EQ(LoadLayout(box, File("none.layout")), "Could not read file '" + File("none.layout") + "'");
}

TEST_F(LayoutFileTest, FailedSaveKeepsTheOldFile) {
    TCellBox box;
    BuildBox(box, kLayout);
    ASSERT_EQ(SaveLayout(box, File("keep.layout")), "");
    const std::string old = ReadText(File("keep.layout"));
    TCellBox other;
    other.Clear();
    std::string message;
    {
        TFileSizeLimit limit(100);  // the new file cannot be written in full
        message = SaveLayout(other, File("keep.layout"));
    }
    // Without a text table the answer is the line the log takes.
    EXPECT_EQ(message, "Could not write " + File("keep.layout") + ": " + std::strerror(EFBIG));
    EXPECT_EQ(ReadText(File("keep.layout")), old);
    EXPECT_EQ(fs::directory_iterator(dir)->path().filename(), "keep.layout");  // no temporary left
}

TEST_F(LayoutFileTest, LevelStartThroughTheHookLoadsOrRefusesWithTheMessage) {
    InstallLayoutHook();
    TCellBox box;
    BuildBox(box, kLayout);
    ASSERT_EQ(SaveLayout(box, File("001.layout")), "");
    TGameModeMatch3 mode;
    ASSERT_EQ(mode.Init(File("001.layout"), 0), 1);
    EXPECT_EQ(LayoutOf(*mode.CellBox), LayoutOf(box));
    EXPECT_EQ(mode.TotalMarbles, 9);
    EXPECT_EQ(mode.FileError, "");

    WriteText(File("002.layout"), "Lumen Spire Layout\r\n-\r\n0000\r\n");
    EXPECT_EQ(mode.Init(File("002.layout"), 0), 0);
    EXPECT_NE(mode.FileError.find("002.layout"), std::string::npos);
    EXPECT_NE(mode.FileError.find("line 3"), std::string::npos) << mode.FileError;
    // The refused file changed nothing: the level in play and its board stay.
    EXPECT_EQ(LayoutOf(*mode.CellBox), LayoutOf(box));
    EXPECT_EQ(GamePlay().CurrentLevel, File("001.layout"));
    EXPECT_EQ(mode.TotalMarbles, 9);
}

}  // namespace
