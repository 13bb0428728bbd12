#include <gtest/gtest.h>

#include "app/game.h"
#include "pak_test_util.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/game_text.h"
#include "resources/resource_globals.h"

using namespace paktest;

namespace {

class GameTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ErrorOnScreen = 0;  // errors raise TGameError
        ErrorLogEnabled = 0;
    }

    TGameText Parse(const std::string& bytes) {
        TGameText text;
        text.ReadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return text;
    }

    std::string ErrorOf(const std::string& bytes) {
        try {
            Parse(bytes);
        } catch (const TGameError& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace

TEST_F(GameTextTest, BlocksWithCrLfOrLfReadTheSame) {
    for (const std::string eol : {"\n", "\r\n"}) {
        const TGameText text = Parse("[TEXT]" + eol + "Data Pak Error" + eol + "a" + eol + "b" + eol + "[text]" + eol +
                                     "title" + eol + "Line one" + eol + eol + "Line three" + eol + eol);
        EXPECT_EQ(text.FindString("data pak error"), "a\r\nb");
        EXPECT_EQ(text.FindString("DATA PAK ERROR"), "a\r\nb");
        EXPECT_EQ(text.Find("Title"), (std::vector<std::string>{"Line one", "", "Line three", ""}));
    }
}

TEST_F(GameTextTest, LastBlockWithoutFinalLineFeedLosesNothing) {
    const TGameText text = Parse("[TEXT]\r\nk\r\nfirst\r\nlast");
    EXPECT_EQ(text.Find("k"), (std::vector<std::string>{"first", "last"}));
}

TEST_F(GameTextTest, KeyOnlyAndKeylessBlocks) {
    const TGameText text = Parse("[TEXT]\nempty\n[TEXT]\n[TEXT]\nnext\nvalue\n[TEXT]\n");
    EXPECT_TRUE(text.Find("empty").empty());
    EXPECT_EQ(text.FindString("empty"), "");
    EXPECT_EQ(text.FindString("next"), "value");
    EXPECT_EQ(text.Map.size(), 2u);
    EXPECT_EQ(text.FindString("missing"), "");
}

TEST_F(GameTextTest, LaterBlockReplacesEarlierKey) {
    EXPECT_EQ(Parse("[TEXT]\nk\nold\n[TEXT]\nK\nnew\n").FindString("k"), "new");
}

TEST_F(GameTextTest, BadHeadersAreFatal) {
    EXPECT_EQ(ErrorOf("[TEXT] \nk\nv\n"), "[TEXT] header not found");
    EXPECT_EQ(ErrorOf("k\nv\n"), "[TEXT] header not found");
    EXPECT_EQ(ErrorOf("[TEXT]\nk\nv\n[OTHER]\nx\n"), "[TEXT] header not found");
    EXPECT_EQ(ErrorOf(""), "");
}

TEST_F(GameTextTest, Utf8AndUtf16FilesDecodeToLatin1) {
    EXPECT_EQ(Parse("\xEF\xBB\xBF[TEXT]\r\ncaf\xC3\xA9\r\nna\xC3\xAFve\r\n").FindString("CAF\xE9"), "na\xEFve");
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char c : std::string("[TEXT]\r\nk\r\nv\xE9\r\n")) {
        le += c;
        le += '\0';
        be += '\0';
        be += c;
    }
    EXPECT_EQ(Parse(le).FindString("k"), "v\xE9");
    EXPECT_EQ(Parse(be).FindString("k"), "v\xE9");
}

TEST_F(GameTextTest, ReadsFromTheTextFolderOrFails) {
    const std::string folder = TempFolder("gametext");
    WriteFile(folder + "gametext.txt", "[TEXT]\nhello\nworld\n");
    Game().TextPath = folder;
    TGameText text;
    text.Read("gametext.txt");
    EXPECT_EQ(text.FindString("HELLO"), "world");
    try {
        text.Read("absent.txt");
        FAIL() << "no error";
    } catch (const TGameError& e) {
        EXPECT_EQ(std::string(e.what()), "Error loading file " + folder + "absent.txt");
    }
}

TEST_F(GameTextTest, ATranslationIsReadOverEnglishWhichStaysWhereItIsMissingOrEmpty) {
    const std::string folder = TempFolder("translation");
    WriteFile(folder + "gametext.txt", "[TEXT]\nA\nyes\n[TEXT]\nB\nno\n[TEXT]\nC\nmaybe\n");
    WriteFile(folder + "gametext.de.txt", "\xEF\xBB\xBF[TEXT]\nA\nj\xC3\xA4\n[TEXT]\nB\n\n");
    Game().TextPath = folder;
    Game().Language = "de";
    LoadGameTextFile();
    EXPECT_EQ(GameText().Language, "de");
    EXPECT_EQ(GameText().FindString("A"), "j\xE4");
    EXPECT_EQ(GameText().FindString("B"), "no") << "left empty";
    EXPECT_EQ(GameText().FindString("C"), "maybe") << "missing";
    Game().Language = "fr";  // no French table in this folder
    LoadGameTextFile();
    EXPECT_EQ(GameText().Language, "en");
    EXPECT_EQ(GameText().FindString("A"), "yes");
}
