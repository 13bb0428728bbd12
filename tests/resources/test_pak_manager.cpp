#include <gtest/gtest.h>

#include "pak_test_util.h"
#include "resources/pak_file.h"

using namespace paktest;

namespace {

std::string Packed(const std::string& folder, const std::string& archive, const std::string& options = "") {
    EXPECT_EQ(RunPakpack(options + " " + folder + " " + archive), 0);
    return archive;
}

}  // namespace

TEST(Pakpack, BothVersionsReadBackEntryForEntry) {
    const std::string root = TempFolder("pakpack");
    WriteFile(root + "src/calibri.ttf", std::string(5000, 'f'));
    WriteFile(root + "src/images/menu.png", "not really a png");
    WriteFile(root + "src/readme", "");
    for (const std::string options : {"", "--v1", "--zero-offsets"}) {
        const auto pak = TPakFile::Create(Packed(root + "src", root + "out.pak", options));
        ASSERT_TRUE(pak);
        ASSERT_EQ(pak->Items.size(), 3u) << options;
        EXPECT_EQ(pak->Items[0]->Name, "calibri.ttf");
        EXPECT_EQ(pak->Items[0]->VarType, PAK_FONT);
        EXPECT_EQ(pak->Items[0]->Data.size(), 5000u);
        EXPECT_EQ(pak->Items[1]->Name, "images/menu.png");
        EXPECT_EQ(pak->Items[1]->VarType, PAK_IMAGE);
        EXPECT_EQ(EntryText(pak->Items[1]), "not really a png");
        EXPECT_EQ(pak->Items[2]->Name, "readme");
        EXPECT_TRUE(pak->Items[2]->Data.empty());
    }
}

TEST(Pakpack, RealOffsetsAreWrittenAndIgnoredByTheReader) {
    const std::string root = TempFolder("offsets");
    WriteFile(root + "src/a.txt", "alpha");
    WriteFile(root + "src/b.txt", "beta");
    const auto withOffsets = ReadFileBytes(Packed(root + "src", root + "real.pak"));
    const auto zero = ReadFileBytes(Packed(root + "src", root + "zero.pak", "--zero-offsets"));
    EXPECT_NE(withOffsets, zero);
    const auto a = TPakFile::Create(root + "real.pak");
    const auto b = TPakFile::Create(root + "zero.pak");
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->Items.size(), b->Items.size());
    for (size_t i = 0; i < a->Items.size(); ++i) EXPECT_EQ(a->Items[i]->Data, b->Items[i]->Data);
}

TEST(PakFile, MissingFileGivesNullAndDamagedFileNamesIt) {
    const std::string root = TempFolder("create");
    EXPECT_EQ(TPakFile::Create(root + "none.pak"), nullptr);
    WriteFile(root + "broken.pak", "!PAK rubbish");
    try {
        TPakFile::Create(root + "broken.pak");
        FAIL() << "no error";
    } catch (const TPakError& e) {
        EXPECT_NE(std::string(e.what()).find("broken.pak"), std::string::npos);
    }
}

TEST(PakManager, LooseFilesBeatArchivesAndLaterArchivesWin) {
    const std::string root = TempFolder("manager");
    WriteFile(root + "first/calibri.ttf", "archive font");
    WriteFile(root + "first/shared.txt", "from a");
    WriteFile(root + "first/only.txt", "only in a");
    WriteFile(root + "second/shared.txt", "from b");
    const std::string res = root + "res/";
    Packed(root + "first", res + "a.pak");
    Packed(root + "second", res + "b.pak", "--v1");
    WriteFile(res + "Calibri.TTF", "loose font");
    WriteFile(res + "Sub/Level.DAT", "nested");
    WriteFile(res + "folder.pak/inside.txt", "never read");
    WriteFile(res + "other.PAK", "not an archive by case, so a loose file");

    const auto manager = TPakFileManager::Create(res + "Sub/..", ".pak");
    EXPECT_EQ(manager->Path, res);
    EXPECT_TRUE(manager->Problems.empty());
    EXPECT_EQ(EntryText(manager->GetItem("calibri.ttf")), "loose font");
    EXPECT_EQ(manager->GetItem("CALIBRI.TTF")->VarType, PAK_FONT);
    EXPECT_EQ(EntryText(manager->GetItem("shared.txt")), "from b");
    EXPECT_EQ(EntryText(manager->GetItem("only.txt")), "only in a");
    EXPECT_EQ(EntryText(manager->GetItem("sub/level.dat")), "nested");
    EXPECT_EQ(manager->GetItem("Sub/Level.DAT")->Name, "Sub/Level.DAT");
    EXPECT_EQ(manager->GetItem("sub\\level.dat"), nullptr);
    EXPECT_EQ(manager->GetItem("folder.pak/inside.txt"), nullptr);
    EXPECT_EQ(manager->GetItem("a.pak"), nullptr);
    EXPECT_EQ(EntryText(manager->GetItem("other.PAK")), "not an archive by case, so a loose file");

    // Missing names are not errors.
    EXPECT_EQ(manager->GetItem("nothing"), nullptr);
    EXPECT_EQ(manager->GetImage("nothing"), nullptr);

    // Reload reads the folder as it is now.
    WriteFile(res + "shared.txt", "loose");
    manager->Reload();
    EXPECT_EQ(EntryText(manager->GetItem("shared.txt")), "loose");
}

TEST(PakManager, DamagedArchiveIsSkippedAndReported) {
    const std::string root = TempFolder("damaged");
    WriteFile(root + "src/good.txt", "good");
    const std::string res = root + "res/";
    Packed(root + "src", res + "good.pak");
    auto bytes = ReadFileBytes(res + "good.pak");
    bytes.resize(bytes.size() - 3);
    WriteFile(res + "cut.pak", bytes);

    const auto manager = TPakFileManager::Create(res, ".pak");
    EXPECT_EQ(EntryText(manager->GetItem("good.txt")), "good");
    ASSERT_EQ(manager->Problems.size(), 1u);
    EXPECT_EQ(manager->Problems[0].File, "cut.pak");
    EXPECT_NE(manager->Problems[0].Message.find("cut.pak"), std::string::npos);
    EXPECT_NE(manager->Problems[0].Message.find("good.txt"), std::string::npos);
}
