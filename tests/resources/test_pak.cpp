#include <gtest/gtest.h>

#include "pak_test_util.h"
#include "platform/stream.h"
#include "resources/pak_file.h"

using namespace paktest;

namespace {

TPakFile ReadArchive(const std::vector<uint8_t>& bytes) {
    plat::TBankStream stream(bytes);
    TPakFile pak;
    pak.ReadFromStream(stream);
    return pak;
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
    try {
        ReadArchive(bytes);
    } catch (const TPakError& e) {
        return e.what();
    }
    return "";
}

std::string Content(const TPakFile& pak, size_t index) { return EntryText(pak.Items.at(index)); }

}  // namespace

// ---- reading the two formats ----------------------------------------------------

TEST(PakFile, EmptyArchivesOfBothVersionsAreValid) {
    EXPECT_TRUE(ReadArchive(Version1({})).Items.empty());
    EXPECT_TRUE(ReadArchive(TableVersion({})).Items.empty());
}

TEST(PakFile, HandBuiltArchivesOfBothVersionsReadAlike) {
    const std::vector<Entry> entries = {{"  menu.png", "png bytes", 2}, {"text/help.txt\t", "Help\r\nme", 1},
                                        {"empty.dat", "", 0}};
    for (const auto& bytes : {Version1(entries), TableVersion(entries), TableVersion(entries, 1234)}) {
        const TPakFile pak = ReadArchive(bytes);
        ASSERT_EQ(pak.Items.size(), 3u);
        EXPECT_EQ(pak.Items[0]->Name, "menu.png");
        EXPECT_EQ(pak.Items[0]->VarType, 2);
        EXPECT_EQ(Content(pak, 0), "png bytes");
        EXPECT_EQ(pak.Items[1]->Name, "text/help.txt");
        EXPECT_EQ(Content(pak, 1), "Help\r\nme");
        EXPECT_TRUE(pak.Items[2]->Data.empty());
    }
}

TEST(PakFile, NameFieldsLoseBlanksAndPadding) {
    std::string field = "  calibri.ttf";
    field += std::string(3, '\0') + " \x01";  // NULs and a control character after the name
    const TPakFile pak = ReadArchive(TableVersion({{field, "font", 3}}));
    EXPECT_EQ(pak.Items.at(0)->Name, "calibri.ttf");
    EXPECT_EQ(ReadArchive(Version1({{"  a b  ", "x", 0}})).Items.at(0)->Name, "a b");
}

TEST(PakFile, HeaderErrorsCarryTheirTexts) {
    EXPECT_EQ(ErrorOf(Bytes().Int(0x12345678).Int(1).Int(0).data), "TPakFile::Invalid pak file");
    EXPECT_EQ(ErrorOf({}), "TPakFile::Invalid pak file");
    const std::string version = ErrorOf(Bytes().Int(0x4B415021).Int(0x00020003).Int(0).data);
    EXPECT_EQ(version, "TPakFile::Unsupported pakfile version 3.2");
}

// ---- damaged and hostile archives ---------------------------------------------------

TEST(PakFile, DamagedEntryIsRefusedNamingIt) {
    auto bytes = Version1({{"good.txt", "fine"}, {"bad.txt", std::string(500, 'q') + "tail"}});
    bytes[bytes.size() - 6] ^= 0xFF;  // inside bad.txt's stream (the Adler-32 or the data)
    const std::string error = ErrorOf(bytes);
    EXPECT_NE(error.find("bad.txt"), std::string::npos) << error;
}

TEST(PakFile, EntryShorterThanItsStatedSizeIsRefused) {
    const auto packed = Deflate("twelve bytes");
    Bytes b;
    b.Int(0x4B415021).Int(1).Int(1).Name("short.bin", 52).Int(0).Int(int32_t(packed.size())).Int(20).Raw(packed);
    const std::string error = ErrorOf(b.data);
    EXPECT_NE(error.find("short.bin"), std::string::npos) << error;
    EXPECT_NE(error.find("12 of 20"), std::string::npos) << error;
}

TEST(PakFile, EveryTruncationIsRefused) {
    const std::vector<Entry> entries = {{"one.txt", std::string(300, 'a')}, {"two.txt", "second entry"}};
    for (const auto& whole : {Version1(entries), TableVersion(entries)}) {
        for (size_t length = 0; length < whole.size(); ++length) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
            EXPECT_NE(ErrorOf(cut), "") << "length " << length;
        }
        EXPECT_EQ(ErrorOf(whole), "");
    }
}

TEST(PakFile, ImpossibleSizesAreRefusedBeforeAllocating) {
    const Bytes magic = Bytes().Int(0x4B415021);
    // Two billion version-1 records in a 12-byte file.
    EXPECT_NE(ErrorOf(Bytes(magic).Int(1).Int(2000000000).data).find("does not fit"), std::string::npos);
    EXPECT_NE(ErrorOf(Bytes(magic).Int(1).Int(-1).data), "");
    // A table that claims 2 GiB once inflated.
    EXPECT_NE(ErrorOf(Bytes(magic).Int(0x00010001).Int(1).Int(10).Int(0x7FFFFFFF).Raw(Deflate("x")).data), "");
    // A million table records from a few bytes.
    EXPECT_NE(ErrorOf(Bytes(magic).Int(0x00010001).Int(1000000).Int(9).Int(0).Raw(Deflate("x")).data), "");
    // An entry stating 1 GiB uncompressed from 9 compressed bytes.
    const auto packed = Deflate("x");
    Bytes huge(magic);
    huge.Int(1).Int(1).Name("huge", 52).Int(0).Int(int32_t(packed.size())).Int(1 << 30).Raw(packed);
    EXPECT_NE(ErrorOf(huge.data).find("256 MiB"), std::string::npos);
    // A table record whose compressed size runs past the end of the file.
    Bytes table;
    table.Int(1000).Int(0).Int(4).Int(0).Name("past.bin", 256);
    const auto packedTable = Deflate(std::string(table.data.begin(), table.data.end()));
    Bytes past(magic);
    past.Int(0x00010001).Int(1).Int(int32_t(packedTable.size())).Int(int32_t(table.data.size())).Raw(packedTable);
    past.Raw(Deflate("abcd"));
    EXPECT_NE(ErrorOf(past.data).find("past.bin"), std::string::npos);
}

// ---- item conversions -----------------------------------------------------------------

TEST(PakItem, TextFollowsTheByteOrderMark) {
    TPakItem item;
    item.Data = {0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9, 'b'};
    EXPECT_EQ(item.GetText(), "a\xE9" "b");
    item.Data = {0xFF, 0xFE, 'h', 0, 0xE9, 0, 0x20, 0x20};  // "hé" and a character beyond Latin-1
    EXPECT_EQ(item.GetText(), "h\xE9?");
    item.Data = {0xFE, 0xFF, 0, 'o', 0, 'k'};
    EXPECT_EQ(item.GetText(), "ok");
    item.Data = {'p', 'l', 0xE9};
    EXPECT_EQ(item.GetText(), "pl\xE9");
}

TEST(PakItem, StreamReadsTheBytesAndOutlivesTheManagerEntry) {
    auto item = std::make_shared<TPakItem>();
    item->Data = {1, 0, 0, 0, 'x', 'y'};
    plat::StreamPtr stream = item->GetBank();
    item.reset();
    EXPECT_EQ(stream->Size(), 6);
    EXPECT_EQ(stream->ReadInt(), 1);
    EXPECT_EQ(stream->ReadString(2), "xy");
    EXPECT_FALSE(stream->Failed());
    stream->ReadString(1);
    EXPECT_TRUE(stream->Failed());
}
