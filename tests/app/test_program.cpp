// The game program as a whole: started twice, started from elsewhere, closed.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/files.h"

namespace {

const std::string kProgram = std::string(VC_TEST_BINARY_DIR) + "/vellichorns";

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A test build always makes the game and its data: without them the build is broken.
        ASSERT_TRUE(plat::FileType(kProgram) == plat::FILETYPE_FILE)
            << "The game " << kProgram << " is missing: build everything (cmake --build " VC_TEST_BINARY_DIR ").";
        ASSERT_TRUE(plat::FileType(std::string(VC_TEST_BINARY_DIR) + "/data/resources/data.pak") == plat::FILETYPE_FILE)
            << "The game's data is missing from " VC_TEST_BINARY_DIR
               "/data: build everything (cmake --build " VC_TEST_BINARY_DIR ").";
        home = testing::TempDir() + "vc_program_" + std::to_string(getpid()) + "/";
        plat::DeleteDir(home, true);
        plat::CreateDir(home, true);
        dataHome = home;
    }
    void TearDown() override {
        for (pid_t pid : started) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        plat::DeleteDir(home, true);
    }

    // Starts the game headless in the given working folder; its standard
    // error (where message boxes go in tests) lands in home + "stderr.txt".
    pid_t Start(const std::string& workingFolder) {
        const pid_t pid = fork();
        if (pid == 0) {
            const int err = open((home + "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            if (err < 0 || dup2(err, 2) < 0) _exit(89);
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            setenv("ALSOFT_DRIVERS", "null", 1);
            setenv("VC_NO_MESSAGE_BOX", "1", 1);
            setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
            if (withRuntimeFolder)
                setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
            else
                unsetenv("XDG_RUNTIME_DIR");
            if (chdir(workingFolder.c_str()) != 0) _exit(90);
            execl(kProgram.c_str(), kProgram.c_str(), static_cast<char*>(nullptr));
            _exit(91);
        }
        started.push_back(pid);
        return pid;
    }

    // Waits up to the limit; answers the exit status or -1 if still running.
    static int WaitFor(pid_t pid, int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 20) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

    std::string SharedFolder() const { return dataHome + "Pellorine Games/Vellichorns/"; }

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    static int Count(const std::string& text, const std::string& part) {
        int n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }

    std::string home;
    // The user's data folder, and whether there is a runtime folder for the lock.
    std::string dataHome;
    bool withRuntimeFolder = true;
    std::vector<pid_t> started;
};

TEST_F(ProgramTest, SecondCopyEndsAtOnceAndTheFirstClosesCleanly) {
    const pid_t first = Start("/tmp");
    // The first copy is up once its settings are written.
    for (int i = 0; i < 250 && plat::FileType(SharedFolder() + "config.ini") != plat::FILETYPE_FILE; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(plat::FileType(SharedFolder() + "config.ini"), plat::FILETYPE_FILE);
    // Give it time to open its window and enter the main loop.
    ASSERT_EQ(WaitFor(first, 1500), -1) << "the first copy ended by itself";

    const pid_t second = Start("/");
    EXPECT_EQ(WaitFor(second, 5000), 0);

    // A close request (SIGTERM becomes one) fades out and leaves through the exit routine.
    kill(first, SIGTERM);
    EXPECT_EQ(WaitFor(first, 5000), 0);
    EXPECT_EQ(plat::FileType(SharedFolder() + "GoodExit.dat"), plat::FILETYPE_FILE);
    EXPECT_EQ(plat::FileType(SharedFolder() + "vellichorns.ini"), plat::FILETYPE_FILE);
}

// A first start on a new account: no runtime folder and no data folder yet.
// The lock goes into the data folder, made for it, and still keeps a second
// copy out.
TEST_F(ProgramTest, OnAFirstStartWithoutARuntimeFolderTheLockStillHolds) {
    dataHome = home + "new/.local/share/";
    withRuntimeFolder = false;
    const pid_t first = Start("/tmp");
    for (int i = 0; i < 250 && plat::FileType(SharedFolder() + "config.ini") != plat::FILETYPE_FILE; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(WaitFor(first, 1000), -1) << "the first copy ended by itself";
    EXPECT_EQ(WaitFor(Start("/"), 5000), 0);
    EXPECT_EQ(ReadAll(SharedFolder() + "ErrorLog.txt").find("single-instance lock"), std::string::npos);
    kill(first, SIGTERM);
    EXPECT_EQ(WaitFor(first, 5000), 0);
}

// Settings that cannot be written do not stop the game: it plays on, says so
// in its own dialog (no system box before its window), and leaves cleanly
// when closed.
TEST_F(ProgramTest, UnwritableSettingsLetTheGamePlay) {
    for (const char* file : {"vellichorns.ini", "config.ini"})
        plat::CreateDir(SharedFolder() + file, true);  // a folder where the file should be
    const pid_t game = Start(home);
    for (int i = 0; i < 500 && Count(ReadAll(home + "stderr.txt"), "Could not write") == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(WaitFor(game, 1500), -1) << "the game ended";
    kill(game, SIGTERM);
    EXPECT_EQ(WaitFor(game, 5000), 0);
    const std::string said = ReadAll(home + "stderr.txt");
    EXPECT_GE(Count(said, "Could not write " + SharedFolder()), 1) << said;
    EXPECT_EQ(Count(said, "cannot be saved"), 0) << "a system message box: " << said;
}

// A lock file that cannot be opened is no sign of another copy: the game
// runs, and says so in its log.
TEST_F(ProgramTest, UnusableLockLetsTheGameRun) {
    plat::CreateDir(home + "Lumen Spire.lock", true);
    const pid_t game = Start(home);
    for (int i = 0; i < 500 && plat::FileType(SharedFolder() + "config.ini") != plat::FILETYPE_FILE; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(WaitFor(game, 300), -1) << "the game ended";
    EXPECT_NE(ReadAll(SharedFolder() + "ErrorLog.txt").find("single-instance lock"), std::string::npos);
}

}  // namespace
