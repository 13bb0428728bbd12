// The installed game: `cmake --install` into a private DESTDIR inside the build
// tree, the files it lays out, and the installed program started from another
// working folder until it shows its first screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kAppId = VC_APP_ID;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The value of "key=" in a desktop entry, "" when absent.
std::string DesktopValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return "";
}

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | uint8_t(bytes[at + i]);
    return v;
}

uint32_t LittleEndian32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 4; i-- > 0;) v = (v << 8) | uint8_t(bytes[at + i]);
    return v;
}

// Waits up to the limit; answers the exit status, 128 + signal, or -1 if still running.
int WaitFor(pid_t pid, int milliseconds) {
    for (int waited = 0; waited <= milliseconds; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// A picture the game presented, from the frames the dummy video driver saves.
struct Frame {
    bool read = false;
    double brightness = 0;  // mean of all channels, 0..255
    size_t colours = 0;     // distinct colours among the sampled pixels
};

Frame ReadFrame(const fs::path& bmp) {
    Frame frame;
    const std::string bytes = ReadFile(bmp);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return frame;
    const uint32_t offset = LittleEndian32(bytes, 10);
    const int width = int(LittleEndian32(bytes, 18));
    const int height = std::abs(int(LittleEndian32(bytes, 22)));
    const int bytesPerPixel = (uint8_t(bytes[28]) | uint8_t(bytes[29]) << 8) / 8;
    const size_t stride = (size_t(width) * size_t(bytesPerPixel) + 3) / 4 * 4;
    if (width <= 0 || (bytesPerPixel != 3 && bytesPerPixel != 4) || bytes.size() < offset + stride * size_t(height))
        return frame;
    std::set<uint32_t> colours;
    double sum = 0;
    size_t count = 0;
    for (int y = 0; y < height; y += 4) {
        for (int x = 0; x < width; x += 4) {
            const size_t at = offset + size_t(y) * stride + size_t(x) * size_t(bytesPerPixel);
            const uint8_t b = uint8_t(bytes[at]), g = uint8_t(bytes[at + 1]), r = uint8_t(bytes[at + 2]);
            sum += r + g + b;
            colours.insert(uint32_t(r) << 16 | uint32_t(g) << 8 | b);
            ++count;
        }
    }
    frame.read = true;
    frame.brightness = sum / (3.0 * double(count));
    frame.colours = colours.size();
    return frame;
}

// The saved frames in the folder, by number ("SDL_window<id>-<number>.bmp").
std::vector<std::pair<long, fs::path>> SavedFrames(const fs::path& folder) {
    std::vector<std::pair<long, fs::path>> frames;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const size_t dash = name.rfind('-');
        if (name.rfind("SDL_window", 0) != 0 || dash == std::string::npos) continue;
        frames.emplace_back(std::atol(name.c_str() + dash + 1), entry.path());
    }
    std::sort(frames.begin(), frames.end());
    return frames;
}

class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path build = VC_TEST_BINARY_DIR;
        // A test build always makes the game and its data: without them the build is broken.
        ASSERT_TRUE(fs::exists(build / "vellichorns") && fs::exists(build / "data/resources/data.pak"))
            << "The game or its data (data/resources/data.pak) is missing from " << build.string()
            << ": build everything (cmake --build " << build.string() << ").";
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = build / "install-test" / info->name();
        fs::remove_all(folder);
        fs::create_directories(folder / "elsewhere");
        root = folder / "root";
        Install();
    }

    void TearDown() override {
        if (game > 0) {
            kill(game, SIGKILL);
            waitpid(game, nullptr, 0);
        }
        // The installed tree is large; keep it only when something failed.
        if (!HasFailure()) fs::remove_all(root);
    }

    // DESTDIR=<root> cmake --install <build> --prefix /usr, its output in install.log.
    void Install() {
        const std::string log = (folder / "install.log").string();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("DESTDIR", root.c_str(), 1);
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, 1);
            dup2(out, 2);
            execl(VC_CMAKE_COMMAND, VC_CMAKE_COMMAND, "--install", VC_TEST_BINARY_DIR, "--prefix", "/usr",
                  static_cast<char*>(nullptr));
            _exit(91);
        }
        ASSERT_EQ(WaitFor(pid, 100000), 0) << ReadFile(log);
    }

    fs::path Usr(const std::string& relative) const { return root / "usr" / relative; }

    fs::path folder, root;
    pid_t game = -1;
};

TEST_F(InstalledGame, LaysOutProgramDataAndDesktopFilesUnderThePrefixOnly) {
    // Nothing lands outside the prefix inside DESTDIR.
    for (const auto& entry : fs::directory_iterator(root)) EXPECT_EQ(entry.path().filename(), "usr");

    const auto program = fs::status(Usr("bin/vellichorns")).permissions();
    EXPECT_NE(program & fs::perms::others_exec, fs::perms::none);
    for (const char* file : {"data/resources/data.pak", "data/text/gametext.txt", "data/Default.ini",
                             "data/icon.png", "layouts/001.layout", "score1.par", "score2.par"}) {
        EXPECT_TRUE(fs::is_regular_file(Usr("share/vellichorns/") / file)) << file;
    }
    for (const char* file : {"copyright", "changelog.gz", "Carlito-LICENSE.txt"}) {
        EXPECT_TRUE(fs::is_regular_file(Usr("share/doc/vellichorns/") / file)) << file;
    }
    EXPECT_EQ(ReadFile(Usr("share/man/man6/vellichorns.6.gz")).substr(0, 2), "\x1f\x8b");

    // The desktop entry starts the installed program and names the installed icon;
    // the metadata launches that entry.
    const std::string entry = ReadFile(Usr("share/applications/" + kAppId + ".desktop"));
    EXPECT_TRUE(fs::exists(Usr("bin") / DesktopValue(entry, "Exec")));
    EXPECT_EQ(DesktopValue(entry, "Icon"), kAppId);
    const std::string metainfo = ReadFile(Usr("share/metainfo/" + kAppId + ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"),
              std::string::npos);

    // Every icon has the size of the theme folder it lies in.
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string n = std::to_string(size);
        const std::string png = ReadFile(Usr("share/icons/hicolor/" + n + "x" + n + "/apps/" + kAppId + ".png"));
        ASSERT_GE(png.size(), 24u) << n;
        EXPECT_EQ(png.substr(1, 3), "PNG");
        EXPECT_EQ(BigEndian32(png, 16), uint32_t(size));
        EXPECT_EQ(BigEndian32(png, 20), uint32_t(size));
    }
    const std::string svg = ReadFile(Usr("share/icons/hicolor/scalable/apps/" + kAppId + ".svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
}

// The installed program, started from a folder that holds no data, finds its
// data beside its bin folder, shows its first screen, and answers a close
// request through its exit routine. The dummy video driver saves every frame
// the game presents into the game's working folder, where the test reads them.
TEST_F(InstalledGame, StartsFromAnotherFolderReachesItsFirstScreenAndClosesCleanly) {
    const fs::path home = folder / "home";
    fs::create_directories(home);
    const fs::path program = Usr("bin/vellichorns");
    game = fork();
    if (game == 0) {
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        setenv("SDL_VIDEO_DUMMY_SAVE_FRAMES", "1", 1);
        if (chdir((folder / "elsewhere").c_str()) != 0) _exit(90);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(91);
    }
    const fs::path data = fs::canonical(Usr("share/vellichorns"));
    const fs::path cwd = "/proc/" + std::to_string(game) + "/cwd";

    // The splash and the loading screen each end in a fade to black, and the
    // loading screen presents only a few dozen frames; so 300 bright frames
    // after the last dark one are the first screen's.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    long lastDark = 0, newest = 0;
    Frame seen;
    while (newest < lastDark + 300 || !seen.read) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "frame " << newest << ", last dark " << lastDark;
        const int ended = WaitFor(game, 20);
        if (ended != -1) game = -1;  // reaped: nothing left to kill
        ASSERT_EQ(ended, -1) << "the installed game ended by itself";
        auto frames = SavedFrames(data);
        if (frames.size() < 2) continue;
        // The newest file may be half written; the one before it is whole.
        const auto& [number, path] = frames[frames.size() - 2];
        seen = ReadFrame(path);
        if (seen.read && seen.brightness < 8) lastDark = number;
        newest = number;
        // Keep the picture last looked at beside the test's files.
        fs::copy_file(path, folder / "first-screen.bmp", fs::copy_options::overwrite_existing);
        for (size_t i = 0; i + 1 < frames.size(); ++i) fs::remove(frames[i].second);
    }
    EXPECT_EQ(fs::canonical(cwd), data) << "the game did not use its installed data folder";
    EXPECT_GT(seen.colours, 64u) << "the first screen shows hardly any picture";

    kill(game, SIGTERM);
    EXPECT_EQ(WaitFor(game, 20000), 0);
    game = -1;
    const fs::path shared = home / "Pellorine Games/Vellichorns";
    EXPECT_TRUE(fs::exists(shared / "GoodExit.dat"));
    EXPECT_FALSE(fs::exists(shared / "ErrorLog.txt")) << ReadFile(shared / "ErrorLog.txt");
}

}  // namespace
