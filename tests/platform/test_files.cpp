#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/stream.h"
#include "read_only_folder.h"

namespace fs = std::filesystem;

namespace {

std::string TempFolder(const std::string& name) {
    const auto dir = fs::path(VC_TEST_BINARY_DIR) / "test-tmp" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

void Touch(const std::string& path, const std::string& text = "x") { std::ofstream(path) << text; }

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Files, PathsResolveIgnoringCase) {
    const std::string root = TempFolder("resolve");
    fs::create_directories(root + "/data/graphics");
    Touch(root + "/data/graphics/X.png");

    EXPECT_EQ(plat::ResolvePath(root + "/Data/Graphics/x.png"), root + "/data/graphics/X.png");
    EXPECT_EQ(plat::ResolvePath(root + "\\DATA\\graphics\\X.PNG"), root + "/data/graphics/X.png");
    EXPECT_EQ(plat::FileType(root + "/Data/Graphics/x.png"), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::FileType(root + "/DATA"), plat::FILETYPE_DIR);
    EXPECT_EQ(plat::FileType(root + "/Data/none.png"), plat::FILETYPE_NONE);
    // A new file in a folder written with other case lands in the existing folder.
    EXPECT_EQ(plat::ResolvePath(root + "/Data/new/file.txt"), root + "/data/new/file.txt");

    auto s = plat::ReadFile(root + "/DATA/GRAPHICS/x.png");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ReadString(1), "x");

    // Relative paths work from the current folder.
    const std::string old = plat::CurrentDir();
    ASSERT_TRUE(plat::ChangeDir(root));
    EXPECT_EQ(plat::ResolvePath("Data/Graphics/x.png"), "data/graphics/X.png");
    EXPECT_EQ(plat::ResolvePath("./DATA/graphics"), "./data/graphics");
    ASSERT_TRUE(plat::ChangeDir(old));
}

TEST(Files, ExactMatchWinsOverOtherCase) {
    const std::string root = TempFolder("exact");
    Touch(root + "/Name.txt", "upper");
    Touch(root + "/name.txt", "lower");
    EXPECT_EQ(plat::ResolvePath(root + "/name.txt"), root + "/name.txt");
    EXPECT_EQ(plat::ResolvePath(root + "/Name.txt"), root + "/Name.txt");

    // Each of the two keeps its own damaged copy: the second is not written over the first's.
    EXPECT_EQ(plat::SetAsidePath(root + "/Name.txt"), root + "/Name.txt.bad");
    ASSERT_TRUE(plat::CopyFile(root + "/Name.txt", plat::SetAsidePath(root + "/Name.txt")));
    EXPECT_EQ(plat::SetAsidePath(root + "/NAME.TXT"), root + "/Name.txt.bad");
    const std::string lowerKept = plat::SetAsidePath(root + "/name.txt");
    EXPECT_EQ(lowerKept, root + "/name.txt.bad2");
    ASSERT_TRUE(plat::CopyFile(root + "/name.txt", lowerKept));
    EXPECT_EQ(plat::SetAsidePath(root + "/name.txt"), lowerKept);
    EXPECT_EQ(ReadText(root + "/Name.txt.bad"), "upper");
    EXPECT_EQ(ReadText(lowerKept), "lower");
}

TEST(Files, ReadDirIsSortedIgnoringCase) {
    const std::string root = TempFolder("listing");
    for (const char* n : {"b.txt", "C.txt", "a.txt", "B2.txt"}) Touch(root + "/" + n);
    fs::create_directories(root + "/Sub");
    EXPECT_EQ(plat::ReadDir(root), (std::vector<std::string>{"a.txt", "b.txt", "B2.txt", "C.txt", "Sub"}));
    EXPECT_TRUE(plat::ReadDir(root + "/missing").empty());
}

// Latin-1 names, UTF-8 files; a file an older version wrote under a name's
// Latin-1 bytes is found by that name and moves to UTF-8 when written again.
TEST(Files, NamedFilesAreUtf8AndOldLatin1NamesAreFoundThenMoved) {
    EXPECT_EQ(plat::NameOfFile("Zo\xc3\xab"), "Zo\xeb");
    EXPECT_EQ(plat::NameOfFile("Zo\xeb"), "Zo\xeb") << "an old Latin-1 name is its own name";
    EXPECT_EQ(plat::NameOfFile("\xc5\x81ukasz\xe6\x97\xa5"), "?ukasz?") << "beyond Latin-1";

    const std::string root = TempFolder("names");
    Touch(root + "/Zo\xeb.dat", "old");
    const std::string zoe = root + "/" + plat::FileNameOf("Zo\xeb") + ".dat";
    EXPECT_EQ(plat::FileType(zoe), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::ReadFile(zoe)->ReadString(3), "old");
    ASSERT_TRUE(plat::WriteFileAtomic(zoe, std::string("new")));
    EXPECT_EQ(plat::ReadDir(root), std::vector<std::string>{"Zo\xc3\xab.dat"});
    EXPECT_EQ(ReadText(zoe), "new");

    // A name beyond Latin-1 is no file of the game's: its "?" name, written,
    // is a file of its own and leaves that one alone.
    Touch(root + "/\xc5\x81ukasz.dat", "his");
    EXPECT_FALSE(plat::IsGameFileName("\xc5\x81ukasz.dat"));
    const std::string question = root + "/?ukasz.dat";
    EXPECT_EQ(plat::FileType(question), plat::FILETYPE_NONE);
    ASSERT_TRUE(plat::WriteFileAtomic(question, std::string("mine")));
    EXPECT_EQ(ReadText(root + "/\xc5\x81ukasz.dat"), "his");
}

TEST(Files, FolderAndFileOperations) {
    const std::string root = TempFolder("ops");
    EXPECT_TRUE(plat::CreateDir(root + "/a/b/c", true));
    EXPECT_FALSE(plat::CreateDir(root + "/x/y", false));
    EXPECT_TRUE(plat::CreateDir(root + "/a", false));  // already there
    Touch(root + "/a/b/c/f.txt", "hello");
    EXPECT_EQ(plat::FileSize(root + "/a/b/c/f.txt"), 5);
    EXPECT_EQ(plat::FileSize(root + "/a/nothing"), -1);
    EXPECT_GT(plat::FileTime(root + "/a/b/c/f.txt"), 0);
    EXPECT_EQ(plat::FileTime(root + "/a/nothing"), 0);

    EXPECT_TRUE(plat::CopyFile(root + "/a/b/c/f.txt", root + "/copy.txt"));
    EXPECT_EQ(ReadText(root + "/copy.txt"), "hello");
    EXPECT_FALSE(plat::CopyFile(root + "/missing", root + "/copy2.txt"));
    // A copy over a file replaces it through a rename: a second name of the
    // old file keeps the old bytes, where a copy in place would rewrite them.
    Touch(root + "/old.txt", "old");
    ASSERT_EQ(::link((root + "/old.txt").c_str(), (root + "/old-link.txt").c_str()), 0);
    EXPECT_TRUE(plat::CopyFile(root + "/a/b/c/f.txt", root + "/old.txt"));
    EXPECT_EQ(ReadText(root + "/old.txt"), "hello");
    EXPECT_EQ(ReadText(root + "/old-link.txt"), "old");
    EXPECT_TRUE(plat::RenameFile(root + "/copy.txt", root + "/moved.txt"));
    EXPECT_FALSE(plat::RenameFile(root + "/copy.txt", root + "/moved2.txt"));
    EXPECT_TRUE(plat::DeleteFile(root + "/moved.txt"));
    EXPECT_FALSE(plat::DeleteFile(root + "/moved.txt"));
    EXPECT_FALSE(plat::DeleteFile(root + "/a"));  // a folder is not a file

    EXPECT_FALSE(plat::DeleteDir(root + "/a", false));  // not empty
    EXPECT_TRUE(plat::DeleteDir(root + "/a", true));
    EXPECT_EQ(plat::FileType(root + "/a"), plat::FILETYPE_NONE);
}

TEST(Files, AtomicWriteReplacesWholeFile) {
    const std::string root = TempFolder("atomic");
    const std::string path = root + "/save.ini";
    ASSERT_TRUE(plat::WriteFileAtomic(path, std::string("first version, long")));
    ASSERT_TRUE(plat::WriteFileAtomic(path, std::string("second")));
    EXPECT_EQ(ReadText(path), "second");
    EXPECT_EQ(plat::ReadDir(root), std::vector<std::string>{"save.ini"});
    EXPECT_FALSE(plat::WriteFileAtomic(root, std::string("onto a folder")));
    EXPECT_FALSE(plat::WriteFileAtomic(root + "/missing/dir/f", std::string("x")));
}

TEST(Files, FailedAtomicWriteKeepsPreviousFile) {
    const std::string root = TempFolder("atomic_fail");
    const std::string path = root + "/keep.dat";
    ASSERT_TRUE(plat::WriteFileAtomic(path, std::string("previous")));

    // A child whose file-size limit makes the write itself fail half way
    // (this works even for root, unlike folder permissions).
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4, 4};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        _exit(plat::WriteFileAtomic(path, std::string("a much longer replacement")) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as success";
    EXPECT_EQ(ReadText(path), "previous");
    EXPECT_EQ(plat::ReadDir(root), std::vector<std::string>{"keep.dat"});

    // A folder that refuses the new file, checked by a child that cannot
    // override permissions (root gives up that right).
    ASSERT_EQ(::chmod(root.c_str(), 0555), 0);
    int told[2];
    ASSERT_EQ(::pipe(told), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        ::close(told[0]);
        std::string answer = readonly::MakeFolderReadOnlyForMe(root);
        if (answer.empty() && plat::WriteFileAtomic(path, std::string("replacement")))
            answer = "the write into the read-only folder was reported as success";
        _exit(::write(told[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size()) ? 0 : 1);
    }
    ::close(told[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = ::read(told[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, static_cast<size_t>(n));
    ::close(told[0]);
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ::chmod(root.c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(answer, "");
    EXPECT_EQ(ReadText(path), "previous");
    EXPECT_EQ(plat::ReadDir(root), std::vector<std::string>{"keep.dat"});
}

TEST(Files, PathHelpers) {
    EXPECT_EQ(plat::StripExt("a/b.txt"), "a/b");
    EXPECT_EQ(plat::StripExt("a.d/b"), "a.d/b");
    EXPECT_EQ(plat::StripDir("a/b.txt"), "b.txt");
    EXPECT_EQ(plat::StripDir("a\\b.txt"), "b.txt");
    EXPECT_EQ(plat::StripAll("a/b.tar.gz"), "b.tar");
    EXPECT_EQ(plat::ExtractExt("a/b.txt"), "txt");
    EXPECT_EQ(plat::ExtractExt("a.d/b"), "");
    EXPECT_EQ(plat::ExtractDir("a/b.txt"), "a");
    EXPECT_EQ(plat::ExtractDir("b.txt"), "");
    EXPECT_EQ(plat::ExtractDir("/b.txt"), "/");

    const std::string app = plat::AppFile();
    EXPECT_EQ(plat::StripDir(app), "test_platform");
    EXPECT_EQ(plat::AppDir(), plat::ExtractDir(app));
}

}  // namespace
