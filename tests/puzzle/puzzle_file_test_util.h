#pragma once
// Helpers of the layout and saved-game file tests: a private folder, whole
// files as text, and a file-size limit that makes writes fail (also as root).
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "puzzle_test_util.h"

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Files cannot grow past a size while this lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit old_{};
};

class PuzzleFileTest : public PuzzleTest {
protected:
    explicit PuzzleFileTest(const std::string& folder)
        : dir(std::filesystem::path(VC_TEST_BINARY_DIR) / folder) {}
    void SetUp() override {
        PuzzleTest::SetUp();
        // One folder per test, so tests may run side by side.
        dir /= ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }

    std::filesystem::path dir;
};
