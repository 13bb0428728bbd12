#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/stream.h"

namespace {

std::string TempFolder(const std::string& name) {
    const auto dir = std::filesystem::path(VC_TEST_BINARY_DIR) / "test-tmp" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

TEST(Stream, IntsAreLittleEndianAndTextIsRaw) {
    plat::TBankStream out;
    out.WriteInt(0x12345678);
    out.WriteInt(-2);
    out.WriteString("raw");
    out.WriteBytes("\x01\x02", 2);
    EXPECT_FALSE(out.Failed());
    EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 'r', 'a', 'w', 1, 2}));

    plat::TBankStream in(out.Bytes());
    EXPECT_EQ(in.ReadInt(), 0x12345678);
    EXPECT_EQ(in.ReadInt(), -2);
    EXPECT_EQ(in.ReadString(3), "raw");
    EXPECT_EQ(in.ReadAll(), (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(in.Eof());
    EXPECT_FALSE(in.Failed());
}

TEST(Stream, ShortReadsFailAndSeekIsBounded) {
    plat::TBankStream in(std::vector<uint8_t>{1, 2, 3});
    EXPECT_FALSE(in.Seek(4));
    EXPECT_FALSE(in.Seek(-1));
    EXPECT_TRUE(in.Seek(1));
    EXPECT_EQ(in.ReadString(5), std::string("\x02\x03"));
    EXPECT_TRUE(in.Failed());

    plat::TBankStream in2(std::vector<uint8_t>{1, 2});
    in2.ReadInt();
    EXPECT_TRUE(in2.Failed());
}

TEST(Stream, ReadLineStopsAtLfOrNulAndDropsCr) {
    const std::string text("first\r\n\r\na\rb\nzero\0tail", 23);
    plat::TBankStream in(std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(in.ReadLine(), "first");
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_EQ(in.ReadLine(), "ab");
    EXPECT_EQ(in.ReadLine(), "zero");
    EXPECT_EQ(in.ReadLine(), "tail");
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.ReadLine(), "");
}

TEST(Stream, BankWritesGrowAndOverwrite) {
    plat::TBankStream s(std::vector<uint8_t>{9, 9, 9});
    s.Seek(2);
    s.WriteInt(0x04030201);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{9, 9, 1, 2, 3, 4}));
    s.Seek(1);
    EXPECT_EQ(s.ReadAll(), (std::vector<uint8_t>{9, 1, 2, 3, 4}));
}

TEST(Stream, FileModes) {
    const std::string dir = TempFolder("stream_modes");
    const std::string path = dir + "/f.bin";
    EXPECT_EQ(plat::ReadFile(path), nullptr);
    EXPECT_EQ(plat::OpenFile(path, plat::FileMode::ReadWrite), nullptr);  // must exist
    EXPECT_EQ(plat::ReadFile(dir), nullptr);                              // folders are not files

    {
        auto w = plat::OpenFile(path, plat::FileMode::Write);
        ASSERT_NE(w, nullptr);
        w->WriteInt(7);
        w->WriteString("text\r\n");
    }
    {
        auto rw = plat::OpenFile(path, plat::FileMode::ReadWrite);
        ASSERT_NE(rw, nullptr);
        EXPECT_EQ(rw->Size(), 10);
        EXPECT_EQ(rw->ReadInt(), 7);
        rw->WriteString("T");  // overwrite in place
    }
    {
        auto r = plat::ReadFile(path);
        ASSERT_NE(r, nullptr);
        ASSERT_TRUE(r->Seek(4));
        EXPECT_EQ(r->ReadLine(), "Text");
        EXPECT_TRUE(r->Eof());
    }
    {
        auto w = plat::OpenFile(path, plat::FileMode::Write);  // truncates
        ASSERT_NE(w, nullptr);
    }
    EXPECT_EQ(plat::FileSize(path), 0);
}

// The same reads, seeks and writes on a file several times larger than any
// read buffer and on a memory bank of the same bytes: every answer agrees.
std::vector<uint8_t> Mixed(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = i % 97 == 0 ? '\n' : i % 131 == 0 ? '\0' : static_cast<uint8_t>('a' + i % 26);
    return bytes;
}

std::vector<std::string> ReadScript(plat::TStream& s) {
    std::vector<std::string> log;
    auto note = [&](const std::string& what) {
        log.push_back(what + " pos " + std::to_string(s.Pos()) + " size " + std::to_string(s.Size()) + " eof " +
                      std::to_string(s.Eof()) + " failed " + std::to_string(s.Failed()));
    };
    const int64_t size = s.Size();
    note("start");
    for (int i = 0; i < 3; ++i) note(s.ReadLine());
    note(std::to_string(s.ReadInt()));
    const auto big = s.ReadString(10000);
    note(big);
    // Back into what was read; beyond either end (refused, the position kept);
    // a read running off the end; a read at the end.
    for (const int64_t to : {int64_t{5}, size + 1, int64_t{-1}, size - 3, size}) {
        note(std::to_string(s.Seek(to)));
        note(std::to_string(s.ReadInt()));
    }
    s.Seek(9100);
    const auto rest = s.ReadAll();
    note(std::string(rest.begin(), rest.end()));
    note(s.ReadLine());
    return log;
}

std::vector<std::string> ReadWriteScript(plat::TStream& s) {
    std::vector<std::string> log;
    auto note = [&](const std::string& what) {
        log.push_back(what + " pos " + std::to_string(s.Pos()) + " size " + std::to_string(s.Size()) + " eof " +
                      std::to_string(s.Eof()));
    };
    note(std::to_string(s.ReadInt()));
    s.WriteInt(0x41424344);  // straight after a read
    note(s.ReadLine());      // straight after a write
    s.Seek(20000);
    s.WriteString(std::string(300, 'W'));
    note(std::to_string(s.ReadInt()));
    s.Seek(s.Size() - 2);
    s.WriteString("tail beyond the old end");
    note("grown");
    s.Seek(0);
    const auto all = s.ReadAll();
    note(std::string(all.begin(), all.end()));
    return log;
}

TEST(Stream, AFileAnswersReadsSeeksAndWritesAsTheSameBytesInMemoryDo) {
    const std::string path = TempFolder("stream_large") + "/large.bin";
    const auto bytes = Mixed(3 * 65536 + 1234);
    ASSERT_TRUE(plat::WriteFileAtomic(path, bytes));
    {
        auto file = plat::ReadFile(path);
        ASSERT_NE(file, nullptr);
        plat::TBankStream bank(bytes);
        EXPECT_EQ(ReadScript(*file), ReadScript(bank));
    }
    plat::TBankStream bank(bytes);
    std::vector<std::string> fileLog;
    {
        auto file = plat::OpenFile(path, plat::FileMode::ReadWrite);
        ASSERT_NE(file, nullptr);
        fileLog = ReadWriteScript(*file);
    }
    EXPECT_EQ(fileLog, ReadWriteScript(bank));
    std::vector<uint8_t> stored;
    ASSERT_TRUE(plat::LoadBytes(path, stored));
    EXPECT_EQ(stored, bank.Bytes());
}

TEST(Stream, LoadBytesReadsAWholeFileOrFails) {
    const std::string dir = TempFolder("stream_load");
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(plat::LoadBytes(dir + "/missing.txt", bytes));
    ASSERT_TRUE(plat::WriteFileAtomic(dir + "/plain.txt", std::string("abc")));
    ASSERT_TRUE(plat::LoadBytes(dir + "/plain.txt", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abc");
}

}  // namespace
