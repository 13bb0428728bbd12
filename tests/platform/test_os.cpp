#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <thread>

#include "platform/clock.h"

namespace {

TEST(Clock, DateAndTimeFormats) {
    EXPECT_TRUE(std::regex_match(plat::CurrentDate(), std::regex(R"(\d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4})")))
        << plat::CurrentDate();
    EXPECT_TRUE(std::regex_match(plat::CurrentTime(), std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)")))
        << plat::CurrentTime();
}

TEST(Clock, ManualClockReplacesTheSystemClock) {
    plat::TManualClock manual;
    manual.now = 4000000000u;
    plat::SetClock(&manual);
    plat::Delay(500000000);  // wraps around 32 bits
    EXPECT_EQ(plat::MilliSecs(), 205032704u);
    plat::SetClock(nullptr);
    const uint32_t a = plat::MilliSecs();
    plat::Delay(20);
    EXPECT_GE(plat::MilliSecs() - a, 20u);
}

TEST(Random, SeededRangesAndRepeatability) {
    plat::SeedRnd(42);
    std::vector<int> first;
    for (int i = 0; i < 20; ++i) first.push_back(plat::Rand(1, 6));
    plat::SeedRnd(42);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plat::Rand(1, 6), first[static_cast<size_t>(i)]);

    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int r = plat::Rand(5, -2);  // either order
        ASSERT_GE(r, -2);
        ASSERT_LE(r, 5);
        sawLow |= r == -2;
        sawHigh |= r == 5;
        const double d = plat::Rnd(1.0, 2.0);
        ASSERT_GE(d, 1.0);
        ASSERT_LT(d, 2.0);
        const float f = plat::RndF(0.0f, 1.0f);
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(plat::Rand(3, 3), 3);
    EXPECT_EQ(plat::Rnd(2.5, 2.5), 2.5);
}

// Two runs read the same value off the game's clock at start-up (it starts
// with the process), yet must not deal the same gems.
TEST(Random, StartupSeedDiffersBetweenRunsWithTheSameClockReading) {
    plat::TManualClock clock;
    clock.now = 250;
    plat::SetClock(&clock);
    const uint32_t first = plat::StartupSeed();
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    const uint32_t second = plat::StartupSeed();
    plat::SetClock(nullptr);
    EXPECT_NE(first, second);
}

TEST(Maths, SineTakesDegrees) {
    EXPECT_NEAR(plat::SinD(90), 1.0, 1e-12);
    EXPECT_NEAR(plat::SinD(-30), -0.5, 1e-12);
}

}  // namespace

// ---- operating-system services ----
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/os.h"

namespace {

TEST(Os, FoldersAndNames) {
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_DATA_HOME", "/some/where", 1);
    EXPECT_EQ(plat::CommonAppDataFolder(), "/some/where/");
    ::setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(plat::CommonAppDataFolder(), "/home/player/.local/share/");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(plat::CommonAppDataFolder(), "/home/player/.local/share/");
    if (!saved.empty()) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    ::setenv("HOME", savedHome.c_str(), 1);

    EXPECT_TRUE(plat::GrantFullAccess(VC_TEST_BINARY_DIR));
    EXPECT_FALSE(plat::GrantFullAccess(std::string(VC_TEST_BINARY_DIR) + "/no-such-folder"));
}

TEST(Os, InstanceLockRefusesSecondHolderAndSurvivesCrash) {
    const std::string path = std::string(VC_TEST_BINARY_DIR) + "/test-tmp/instance.lock";
    std::filesystem::create_directories(std::string(VC_TEST_BINARY_DIR) + "/test-tmp");
    {
        plat::TInstanceLock first(path);
        ASSERT_TRUE(first.Held());
        plat::TInstanceLock second(path);
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(second.OtherCopyRunning());
    }
    {
        plat::TInstanceLock again(path);  // released by the destructor
        EXPECT_TRUE(again.Held());
    }

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        plat::TInstanceLock lock(path);
        const char c = lock.Held() ? 'y' : 'n';
        if (::write(ready[1], &c, 1) != 1) _exit(2);
        for (;;) ::pause();
    }
    ::close(ready[1]);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(c, 'y');
    {
        plat::TInstanceLock whileChildRuns(path);
        EXPECT_FALSE(whileChildRuns.Held());
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    plat::TInstanceLock afterCrash(path);
    EXPECT_TRUE(afterCrash.Held());

    const std::string named = plat::InstanceLockPath("Velli/chorns");
    EXPECT_EQ(plat::StripDir(named), "Velli_chorns.lock");
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lock file is the user's own and private; whatever lies at its path is
// left as it is; a lock that cannot be used lets the game run as if alone.
TEST(Os, InstanceLockIsPrivateAndTouchesNothing) {
    const std::string folder = testing::TempDir() + "vc_lock_" + std::to_string(::getpid()) + "/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        plat::TInstanceLock lock(folder + "new.lock");
        ASSERT_TRUE(lock.Held());
        struct stat st {};
        ASSERT_EQ(::stat((folder + "new.lock").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
    std::ofstream(folder + "old.lock") << "12345\n";
    {
        plat::TInstanceLock lock(folder + "old.lock");
        EXPECT_TRUE(lock.Held());
    }
    EXPECT_EQ(Contents(folder + "old.lock"), "12345\n");

    std::ofstream(folder + "precious.txt") << "precious";
    std::filesystem::create_symlink(folder + "precious.txt", folder + "link.lock");
    std::filesystem::create_directory(folder + "folder.lock");
    for (const std::string& path : {folder + "link.lock", folder + "folder.lock", folder + "missing/x.lock", std::string()}) {
        plat::TInstanceLock lock(path);
        EXPECT_FALSE(lock.Held()) << path;
        EXPECT_FALSE(lock.OtherCopyRunning()) << path;
        EXPECT_FALSE(lock.Problem().empty()) << path;
    }
    EXPECT_EQ(Contents(folder + "precious.txt"), "precious");

    // Without a runtime folder the lock goes to the user's data folder, never
    // to a temporary folder every user shares.
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string fallback = plat::InstanceLockPath("Lumen Spire");
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(fallback, plat::CommonAppDataFolder() + "Lumen Spire.lock");
    std::filesystem::remove_all(folder);
}

struct HookRecord {
    static inline int calls = 0;
    static inline std::string title, text;
    static inline bool serious = false;
    static void Hook(const std::string& t, const std::string& x, bool s) {
        ++calls;
        title = t;
        text = x;
        serious = s;
    }
};

TEST(Os, MessageBoxGoesToHookAndStandardErrorInTests) {
    ::setenv("VC_NO_MESSAGE_BOX", "1", 1);  // a real box would wait for a click
    plat::SetMessageBoxHook(&HookRecord::Hook);
    testing::internal::CaptureStderr();
    plat::MessageBox("Vellichorns", "Error loading file x", true);
    const std::string err = testing::internal::GetCapturedStderr();
    plat::SetMessageBoxHook(nullptr);
    EXPECT_EQ(HookRecord::calls, 1);
    EXPECT_EQ(HookRecord::title, "Vellichorns");
    EXPECT_EQ(HookRecord::text, "Error loading file x");
    EXPECT_TRUE(HookRecord::serious);
    EXPECT_NE(err.find("Error loading file x"), std::string::npos);
}

// The system's box shows UTF-8 in lines it can show whole.
TEST(Os, MessageBoxTextIsUtf8InLinesBrokenAtBlanks) {
    EXPECT_EQ(plat::MessageBoxText("Die Datei k\xF6nnen", 64), "Die Datei k\xC3\xB6nnen") << "the game's Latin-1";
    EXPECT_EQ(plat::MessageBoxText("k\xC3\xB6nnen", 64), "k\xC3\xB6nnen") << "UTF-8 already";
    EXPECT_EQ(plat::MessageBoxText("one two three four\nfive", 9), "one two\nthree\nfour\nfive");
    EXPECT_EQ(plat::MessageBoxText("in /a/very/long/path/here now", 8), "in\n/a/very/long/path/here\nnow");
}

TEST(Os, OpenUrlRejectsEmpty) { EXPECT_FALSE(plat::OpenURL("")); }

}  // namespace
