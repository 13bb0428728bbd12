// The game as a player starts it, measured in a fresh process: launch to the
// first frame, launch to a playable title screen with the splash skipped,
// then on the first puzzle's board at rest (its start animation over,
// nothing touched) the CPU time per 10 s, the frames presented per second
// and the peak resident memory. Software renderer unless VC_BENCH_RENDERER
// names another (e.g. "opengl", which needs DISPLAY); the dummy video driver
// when there is no DISPLAY. Needs the built game data: the folder named by
// VC_GAME_DATA_DIR, else the working folder.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/game.h"
#include "app/loading_screen.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "screens/game_screen.h"
#include "screens/screen_list.h"
#include "startup.h"

extern char** environ;

namespace {

constexpr double IDLE_SECONDS = 10;
// The player skips the splash with a key this long after launch.
constexpr double SPLASH_SKIP_AT = 0.5;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

template <typename Done>
void RunFramesUntil(Done done) {
    while (!done())
        if (Game().RunFrame() == -1) std::exit(3);
}

bool SettledOnBoard() {
    auto& game = Game();
    if (game.CurrentTScreen != &GameScreen() || game.GameFade.Active) return false;
    const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get());
    return mode && !mode->StartGameAnimation;
}

void Idle(double seconds) {
    const double end = Now() + seconds;
    RunFramesUntil([end] { return Now() >= end; });
}

std::string Env(const char* name, const std::string& fallback = {}) {
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

std::map<std::string, double> ReadReport(const std::string& path) {
    std::map<std::string, double> values;
    std::ifstream in(path);
    std::string key;
    double value = 0;
    while (in >> key >> value) values[key] = value;
    return values;
}

void BM_IdleBoard(benchmark::State& state) {
    const std::string data = Env("VC_GAME_DATA_DIR", std::filesystem::current_path().string());
    if (!std::filesystem::exists(data + "/data/resources/data.pak")) {
        state.SkipWithError("game data not found (set VC_GAME_DATA_DIR)");
        return;
    }
    const std::filesystem::path home = std::filesystem::temp_directory_path() / ("vc-idle-" + std::to_string(getpid()));
    const std::string report = (home / "report").string();
    for (auto _ : state) {
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("VC_GAME_DATA_DIR", data.c_str(), 1);
        setenv("VC_BENCH_REPORT", report.c_str(), 1);
        setenv("VC_BENCH_LAUNCH", std::to_string(Now()).c_str(), 1);
        char self[] = "/proc/self/exe";
        char flag[] = "--idle-board-child";
        char* argv[] = {self, flag, nullptr};
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, self, nullptr, nullptr, argv, environ) != 0 || waitpid(child, &status, 0) != child ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the measured game did not finish");
            break;
        }
        for (const auto& [key, value] : ReadReport(report)) state.counters[key] = value;
    }
    std::filesystem::remove_all(home);
}

// Idle frames on a clock that moves only by the frames' own pacing, so that
// every frame runs the logic ticks of 1/60 s however slowly the process runs:
// for counting instructions per idle frame under callgrind
// (--collect-atstart=no --toggle-collect='*CountedIdleFrames*').
[[gnu::noinline]] void CountedIdleFrames(int frames) {
    plat::TManualClock clock;
    clock.now = plat::MilliSecs();
    plat::SetClock(&clock);
    Game().FixedRateLogic.Init();
    for (int i = 0; i < frames; ++i)
        if (Game().RunFrame() == -1) std::exit(3);
    plat::SetClock(nullptr);
}

}  // namespace

// The measured copy: writes "name value" lines to VC_BENCH_REPORT.
int RunIdleBoardChild() {
    const double launch = std::stod(Env("VC_BENCH_LAUNCH", std::to_string(Now())));
    setenv("SDL_RENDER_DRIVER", Env("VC_BENCH_RENDERER", "software").c_str(), 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    if (Env("DISPLAY").empty()) setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("VC_NO_MESSAGE_BOX", "1", 1);
    plat::ChangeDir(Env("VC_GAME_DATA_DIR", "."));
    ResetGlobals();
    // The player clicks the splash away (the click goes through SDL's own
    // queue, which takes events from any thread).
    std::thread player([launch] {
        std::this_thread::sleep_for(std::chrono::duration<double>(launch + SPLASH_SKIP_AT - Now()));
        plat::PostWindowMouse(plat::EventKind::MouseDown, 1, 10, 10);
        plat::PostWindowMouse(plat::EventKind::MouseUp, 1, 10, 10);
    });
    StartGame();
    player.join();
    RunFramesUntil([] { return Game().CurrentTScreen == &ScreenFor(EGameScreen::Title) && !Game().GameFade.Active; });
    const double playable = Now() - launch;
    const double firstFrame = plat::FirstPresentSeconds() - launch;

    Game().DestinationTScreen = &StartFirstStandardPuzzle();
    Game().GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
    RunFramesUntil(SettledOnBoard);
    Idle(0.5);
    if (const int frames = std::atoi(Env("VC_BENCH_COUNTED_FRAMES", "0").c_str()); frames > 0) {
        CountedIdleFrames(frames);
        std::_Exit(0);
    }
    const double cpu0 = CpuSeconds();
    const uint64_t frames0 = plat::PresentedFrames();
    const double wall0 = Now();
    Idle(IDLE_SECONDS);
    const double wall = Now() - wall0;

    std::ofstream out(Env("VC_BENCH_REPORT"));
    out << "first_frame_s " << firstFrame << "\n";
    out << "playable_s " << playable << "\n";
    out << "cpu_s_per_10s " << (CpuSeconds() - cpu0) * IDLE_SECONDS / wall << "\n";
    out << "presented_fps " << double(plat::PresentedFrames() - frames0) / wall << "\n";
    out << "peak_rss_mb " << PeakResidentMB() << "\n";
    out.close();
    // Measured: the game's shut-down is not.
    std::_Exit(out ? 0 : 1);
}

BENCHMARK(BM_IdleBoard)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(5)->DisplayAggregatesOnly(true);
