// vellichorns_soak: the real game, headless, played for a given number of
// minutes with random but valid input from a fixed seed. After every logic
// tick it checks that no gem was lost or created outside the rules, and it
// samples the resident memory to show that it stays flat.
//
//   vellichorns_soak [--minutes M] [--seed S] [--data DIR] [--home DIR]
//                    [--max-rss-growth PERCENT]
//
// --data is the game's data folder (default: the build tree that holds this
// program); --home the private folder the game writes to (default: a folder
// "soak-home" in the data folder, emptied first). The exit status is 0 for a
// clean run, 1 for a finding, 2 for bad options or missing data.
//
// The gem count only changes by the rules: within one tick it falls by the
// gems whose fade-out ended (and by the first gem of a swap that matched at
// both ends, which is emptied at once) and grows by the gems that appeared,
// each on a creation cell below a position without floor. Falls and swaps
// move gems and keep the count. A new or restarted board, a loaded game and
// a reshuffle replace the gems: the ticks around them are not counted.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/loading_screen.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/os.h"
#include "puzzle/auto_player.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "screens/game_gui.h"
#include "screens/game_screen.h"
#include "screens/ingame_menu.h"
#include "screens/play_screen.h"
#include "screens/title_screen.h"
#include "startup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Five minutes of logic ticks: no move in that time means the input is stuck.
constexpr long STUCK_TICKS = 5 * 60 * 200;

struct Options {
    double minutes = 1;
    uint32_t seed = 1;
    std::string data, home;
    double maxRssGrowth = 0;  // percent; 0 = not checked
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (arg == "--minutes") options.minutes = std::atof(value.c_str());
        else if (arg == "--seed") options.seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (arg == "--data") options.data = value;
        else if (arg == "--home") options.home = value;
        else if (arg == "--max-rss-growth") options.maxRssGrowth = std::atof(value.c_str());
        else return false;
    }
    return options.minutes > 0;
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What the gem check needs of one position.
struct CellState {
    int contents = 0;
    int floor = 0;
    bool destroying = false, appearing = false;
    float destroyDone = 0, appearDone = 0;  // 0 at the start of the fade, 1 at its end
};

struct BoardState {
    bool calm = false;  // on the board with nothing that may replace the gems
    const void* box = nullptr;
    const void* mode = nullptr;
    int gems = 0;
    std::array<std::array<CellState, BOARD_ROWS>, BOARD_COLUMNS> cells{};
};

TGameModeMatch3* Match3() {
    if (!GamePlay().GameMode) return nullptr;
    return dynamic_cast<TGameModeMatch3*>(GamePlay().GameMode.get());
}

bool OnGameScreen() { return Game().CurrentTScreen == &GameScreen(); }

BoardState Observe() {
    BoardState state;
    TGameModeMatch3* mode = Match3();
    if (!OnGameScreen() || !mode || !mode->CellBox) return state;
    const TCellBox& box = *mode->CellBox;
    state.box = &box;
    state.mode = mode;
    state.calm = !GameGUI().AnyDialogOpen() && !mode->ShufflePieces && !GameMenu().Active &&
                 !GameState().stateFinished && !Game().GameFade.Active;
    for (int c = 0; c < BOARD_COLUMNS; ++c) {
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TCell& cell = box.CellAt(c, r);
            CellState& s = state.cells[c][r];
            s.contents = cell.Contents;
            s.floor = box.Layout[c][r].Contents;
            s.destroying = cell.DestroyAnimation.has_value();
            if (s.destroying) s.destroyDone = cell.DestroyAnimation->GetRatioInv();
            s.appearing = cell.AppearAnimation.has_value();
            if (s.appearing) s.appearDone = cell.AppearAnimation->GetRatioInv();
            if (cell.Contents != 0) ++state.gems;
        }
    }
    return state;
}

std::string Describe(const BoardState& state) {
    std::string text;
    for (int r = 0; r < BOARD_ROWS; ++r) {
        for (int c = 0; c < BOARD_COLUMNS; ++c) {
            const CellState& s = state.cells[c][r];
            text += s.floor == 0 ? (s.contents ? '!' : ' ') : static_cast<char>('0' + s.contents);
            text += s.destroying ? 'x' : (s.appearing ? '+' : (s.floor == 2 ? ':' : '.'));
        }
        text += '\n';
    }
    return text;
}

class Soak {
public:
    explicit Soak(const Options& options) : options_(options), random_(options.seed) {}

    int Run();

private:
    // ---- the loop, one logic tick a frame, with the checks --------------------
    void Frames(int count);
    void CheckTick(const BoardState& before, const BoardState& after);
    void Finding(const std::string& what, const BoardState* before = nullptr, const BoardState* after = nullptr);
    void SampleMemory(bool force = false);

    // ---- input ----------------------------------------------------------------
    void MoveTo(int x, int y) {
        plat::PostEvent({plat::EventKind::MouseMove, 0, x, y});
        Frames(2);
    }
    void Click(int x, int y) {
        MoveTo(x, y);
        plat::PostEvent({plat::EventKind::MouseDown, 1, x, y});
        Frames(1);
        plat::PostEvent({plat::EventKind::MouseUp, 1, x, y});
        Frames(1);
    }
    void DoubleClick(int x, int y) {
        Click(x, y);
        Click(x, y);
    }
    void Drag(int x1, int y1, int x2, int y2) {
        MoveTo(x1, y1);
        plat::PostEvent({plat::EventKind::MouseDown, 1, x1, y1});
        Frames(2);
        for (int step = 1; step <= 3; ++step) MoveTo(x1 + (x2 - x1) * step / 3, y1 + (y2 - y1) * step / 3);
        plat::PostEvent({plat::EventKind::MouseUp, 1, x2, y2});
        Frames(1);
    }
    void Key(int key) {
        plat::PostKeyPress(key);
        Frames(1);
    }
    void Type(const std::string& text) {
        plat::PostChars(text);
        Frames(3);
    }
    void ClickButton(const ButtonPtr& button) {
        if (button) Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
    }
    void ClickMenu(const MenuPtr& menu, const std::string& name) {
        if (menu) ClickButton(menu->FindButton(name));
    }
    // Answers a dialog once it has slid in.
    template <typename DialogPtr>
    void Answer(const DialogPtr& dialog, const std::string& button) {
        if (dialog->Transitioning) {
            Frames(5);
            return;
        }
        ClickMenu(dialog->Menu, button);
        Frames(5);
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    std::string SaveName();

    // ---- one step on each screen ---------------------------------------------
    void Step();
    void TitleStep();
    void PlayStep();
    void GameStep();
    bool GameDialogStep();
    void BoardStep(TGameModeMatch3& mode);
    void PlayerMove(TGameModeMatch3& mode, bool drag);

    Options options_;
    std::mt19937 random_;
    plat::TManualClock clock_;
    Clock::time_point start_, lastSample_, lastReport_;
    BoardState last_;

    long ticks_ = 0, checkedTicks_ = 0, moves_ = 0, finished_ = 0, saves_ = 0, loads_ = 0, starts_ = 0;
    long findings_ = 0;
    bool wasFinished_ = false;
    long rssStart_ = 0, rssBaseline_ = 0, rssPeak_ = 0, rssFinal_ = 0;
    bool baselineTaken_ = false;
};

std::string Soak::SaveName() {
    static const char* const names[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot"};
    if (Chance(0.8)) return names[Below(6)];
    std::string name;
    for (int i = 1 + Below(12); i > 0; --i) name += static_cast<char>('a' + Below(26));
    return name;
}

void Soak::Frames(int count) {
    for (int i = 0; i < count; ++i) {
        // One logic tick at 200 ticks a second; as in the game at 50 frames a
        // second, every fourth tick is also drawn.
        clock_.now += 5;
        const int result = ticks_ % 4 == 3 ? Game().RunFrame() : Game().MainLogicLoop();
        if (result == -1) {
            Finding("the game asked to end");
            return;
        }
        ++ticks_;
        const BoardState now = Observe();
        CheckTick(last_, now);
        last_ = now;
        const bool finished = OnGameScreen() && GameState().stateFinished;
        if (finished && !wasFinished_) ++finished_;
        wasFinished_ = finished;
        SampleMemory();
    }
}

void Soak::CheckTick(const BoardState& before, const BoardState& after) {
    if (after.box) {
        for (int c = 0; c < BOARD_COLUMNS; ++c) {
            for (int r = 0; r < BOARD_ROWS; ++r) {
                const CellState& s = after.cells[c][r];
                if (s.contents < 0 || s.contents > 6) Finding("a gem of an unknown kind", &before, &after);
                if (s.contents != 0 && s.floor == 0)
                    Finding("a gem where there is no floor", &before, &after);
            }
        }
    }
    if (!before.calm || !after.calm || before.box != after.box || before.mode != after.mode) return;
    ++checkedTicks_;
    if (!Game().Fast) Finding("the frames no longer run one logic tick each");
    const TCellBox& box = *Match3()->CellBox;
    int lost = 0, created = 0;
    for (int c = 0; c < BOARD_COLUMNS; ++c) {
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const CellState& s = before.cells[c][r];
            const CellState& e = after.cells[c][r];
            const bool fadeEnded = s.destroying && (!e.destroying || e.destroyDone < s.destroyDone);
            const bool fadeBegan = e.destroying && (!s.destroying || e.destroyDone < s.destroyDone);
            const bool appeared = e.appearing && (!s.appearing || e.appearDone < s.appearDone);
            if (fadeEnded && s.contents != 0) ++lost;
            if (fadeBegan && s.contents != 0 && e.contents == 0) ++lost;
            if (appeared) {
                ++created;
                const bool creationCell = box.Layout[c][r].IsCreate && r >= 1 && box.Layout[c][r - 1].Contents == 0;
                if (!creationCell) Finding("a gem appeared where no creation cell is", &before, &after);
            }
        }
    }
    if (after.gems != before.gems - lost + created) {
        Finding("gems " + std::to_string(before.gems) + " - " + std::to_string(lost) + " cleared + " +
                    std::to_string(created) + " created != " + std::to_string(after.gems),
                &before, &after);
    }
}

void Soak::Finding(const std::string& what, const BoardState* before, const BoardState* after) {
    ++findings_;
    if (findings_ > 20) return;
    std::fprintf(stderr, "FINDING (seed %u, tick %ld, move %ld): %s\n", options_.seed, ticks_, moves_, what.c_str());
    if (before && after) std::fprintf(stderr, "before:\n%safter:\n%s", Describe(*before).c_str(), Describe(*after).c_str());
}

void Soak::SampleMemory(bool force) {
    const auto now = Clock::now();
    if (!force && now - lastSample_ < std::chrono::seconds(5)) return;
    lastSample_ = now;
    const long rss = ResidentKiB();
    rssPeak_ = std::max(rssPeak_, rss);
    rssFinal_ = rss;
    if (now - lastReport_ >= std::chrono::minutes(1)) {
        lastReport_ = now;
        std::printf("%.0f min: %ld ticks, %ld moves, %ld puzzles finished, %ld KiB resident\n",
                    std::chrono::duration<double>(now - start_).count() / 60, ticks_, moves_, finished_, rss);
        std::fflush(stdout);
    }
    // The baseline is taken once every screen, puzzle and dialog has been
    // seen a few times: after a fifth of the run.
    const double elapsed = std::chrono::duration<double>(now - start_).count() / 60.0;
    if (!baselineTaken_ && elapsed >= options_.minutes / 5) {
        rssBaseline_ = rss;
        baselineTaken_ = true;
    }
}

// ---- the screens ------------------------------------------------------------------

void Soak::Step() {
    if (Game().GameFade.Active) {
        Frames(5);
        return;
    }
    if (Game().Paused) {
        if (Chance(0.5)) Key('P'); else Click(Below(800), Below(600));
        return;
    }
    TScreen* screen = Game().CurrentTScreen;
    if (screen == &TitleScreen()) TitleStep();
    else if (screen == &PlayScreen()) PlayStep();
    else if (screen == &GameScreen()) GameStep();
    else if (screen && (screen->name == "help" || screen->name == "highscore")) Key(plat::KEY_ESCAPE);
    else Frames(5);  // loading
}

void Soak::TitleStep() {
    TTitleScreen& title = TitleScreen();
    if (title.Message) {
        Answer(title.Message, "OK");
        return;
    }
    if (title.EnterName) {
        if (title.EnterName->Transitioning) {
            Frames(5);
            return;
        }
        Type("Soak" + std::to_string(Below(3)) + "\r");
        Frames(5);
        return;
    }
    if (Chance(0.05)) ClickMenu(title.Menu, Chance(0.5) ? "help" : "highscore");
    else ClickMenu(title.Menu, "play");
    Frames(10);
}

void Soak::PlayStep() {
    TPlayScreen& play = PlayScreen();
    if (play.MessageDialog) {
        Answer(play.MessageDialog, "OK");
        return;
    }
    if (play.SaveGameManager) {
        const auto& chooser = *play.SaveGameManager;
        if (chooser.Transitioning) {
            Frames(5);
        } else if (chooser.ListBox && !chooser.ListBox->Strings.empty() && Chance(0.85)) {
            const auto& list = *chooser.ListBox;
            const int rows = std::min<int>(static_cast<int>(list.Strings.size()) - list.TopIndex, chooser.VisibleRows());
            const int row = Below(std::max(1, rows));
            ++loads_;
            DoubleClick(static_cast<int>(list.Box->X) + 30,
                        static_cast<int>(list.Box->Y) + list.LineHeight * row + list.LineHeight / 2);
            Frames(10);
        } else if (Chance(0.5)) {
            Key(plat::KEY_ESCAPE);
        } else {
            ClickMenu(chooser.Menu, "Cancel");
        }
        return;
    }
    PNLevelList* grid = play.ShownLevelList();
    const int roll = Below(100);
    if (roll < 20) {
        ClickMenu(play.MainMenu, "load");
    } else if (roll < 30 && grid && grid->NavigationMenu && !grid->NavigationMenu->Buttons.empty()) {
        const auto& buttons = grid->NavigationMenu->Buttons;
        ClickButton(buttons[static_cast<size_t>(Below(static_cast<int>(buttons.size())))]);
    } else if (roll < 33) {
        Key(plat::KEY_ESCAPE);
    } else if (grid && grid->PageItems() > 0) {
        const int slot = Below(grid->PageItems());
        ++starts_;
        DoubleClick(static_cast<int>(PNLevelList::SlotX(slot)), static_cast<int>(PNLevelList::SlotY(slot)));
    } else {
        ClickMenu(play.LevelTypeMenu, "standardlevel");
    }
    Frames(10);
}

void Soak::GameStep() {
    if (GameDialogStep()) return;
    TGameGUI& gui = GameGUI();
    TGameModeMatch3* mode = Match3();
    if (GameState().stateFinished) {
        if (!gui.endLevelMenu || !gui.endLevelMenu->Show) {
            Frames(10);
            return;
        }
        static const char* const choices[] = {"nextpuzzle", "nextpuzzle", "nextpuzzle", "restartpuzzle", "backtomenu"};
        ClickMenu(gui.endLevelMenu->Menu, choices[Below(5)]);
        Frames(10);
        return;
    }
    if (GameMenu().Active) {
        if (!GameMenu().IsOpen() || GameMenu().FadeIn.Active) {
            Frames(5);
            return;
        }
        static const char* const choices[] = {"resume", "restartpuzzle", "shufflepuzzle", "savegame", "savegame",
                                              "backtomenu"};
        if (Chance(0.1)) Key(plat::KEY_ESCAPE);
        else ClickMenu(GameMenu().Menu, choices[Below(6)]);
        Frames(5);
        return;
    }
    if (!mode) {
        Frames(5);
        return;
    }
    BoardStep(*mode);
}

// Answers the dialog of play that is open; false when none is.
bool Soak::GameDialogStep() {
    TGameGUI& gui = GameGUI();
    const char* yesNo = Chance(0.7) ? "Yes" : "No";
    if (gui.OKInput) Answer(gui.OKInput, "OK");
    else if (gui.OverwriteInput) Answer(gui.OverwriteInput, yesNo);
    else if (gui.RestartInput) Answer(gui.RestartInput, yesNo);
    else if (gui.ShuffleInput) Answer(gui.ShuffleInput, yesNo);
    else if (gui.QuitInput) Answer(gui.QuitInput, Chance(0.5) ? "Yes" : "No");
    else if (gui.SaveGameNameInput) {
        if (gui.SaveGameNameInput->Transitioning) {
            Frames(5);
        } else if (Chance(0.1)) {
            Key(plat::KEY_ESCAPE);
        } else {
            Type(SaveName());
            ++saves_;
            Answer(gui.SaveGameNameInput, "OK");
        }
    } else if (auto* mode = Match3(); mode && mode->ShufflePieces) {
        auto* question = dynamic_cast<TPuzzleDialogQuestion*>(mode->ShufflePieces.get());
        if (!question) {
            Frames(5);
        } else if (Chance(0.15)) {
            Key(plat::KEY_ESCAPE);
        } else {
            Answer(question->Dialog, Chance(0.85) ? "Yes" : "No");
        }
    } else {
        return gui.AnyDialogOpen() ? (Frames(5), true) : false;
    }
    return true;
}

void Soak::PlayerMove(TGameModeMatch3& mode, bool drag) {
    const auto move = TAutoPlayer(mode).ChooseMove();
    if (!move) {
        // No move left (a reshuffle was declined): the pause menu has one.
        ClickMenu(GameGUI().MainMenu, "menu");
        Frames(10);
        return;
    }
    const TCellBox& box = *mode.CellBox;
    auto x = [&box](const TCell& cell) { return box.AreaStartX + cell.ArrayX * CELL_SIZE + CELL_SIZE / 2; };
    auto y = [&box](const TCell& cell) { return box.AreaStartY + cell.ArrayY * CELL_SIZE + CELL_SIZE / 2; };
    ++moves_;
    if (drag) {
        Drag(x(*move->FirstCell), y(*move->FirstCell), x(*move->SecondCell), y(*move->SecondCell));
    } else {
        Click(x(*move->FirstCell), y(*move->FirstCell));
        Click(x(*move->SecondCell), y(*move->SecondCell));
    }
}

void Soak::BoardStep(TGameModeMatch3& mode) {
    const TCellBox& box = *mode.CellBox;
    const int roll = Below(100);
    const int cellX = box.AreaStartX + Below(BOARD_COLUMNS) * CELL_SIZE + CELL_SIZE / 2;
    const int cellY = box.AreaStartY + Below(BOARD_ROWS) * CELL_SIZE + CELL_SIZE / 2;
    if (roll < 50) {
        PlayerMove(mode, false);
    } else if (roll < 60) {
        PlayerMove(mode, true);
    } else if (roll < 72) {
        ++moves_;  // a swap that may or may not count, of any two neighbours
        const int dx = Chance(0.5) ? (Chance(0.5) ? CELL_SIZE : -CELL_SIZE) : 0;
        const int dy = dx == 0 ? (Chance(0.5) ? CELL_SIZE : -CELL_SIZE) : 0;
        if (Chance(0.5)) {
            Click(cellX, cellY);
            Click(cellX + dx, cellY + dy);
        } else {
            Drag(cellX, cellY, cellX + dx, cellY + dy);
        }
    } else if (roll < 80) {
        Click(Below(800), Below(600));  // anywhere: off the board, on buttons, on walls
    } else if (roll < 84) {
        Drag(Below(800), Below(600), Below(800), Below(600));
    } else if (roll < 89) {
        Key('H');
    } else if (roll < 91) {
        ClickMenu(GameGUI().MainMenu, "hint");
    } else if (roll < 93) {
        Key('P');
    } else if (roll < 96) {
        Key(plat::KEY_ESCAPE);
    } else {
        ClickMenu(GameGUI().MainMenu, "menu");
    }
    Frames(Below(3) == 0 ? Below(200) : Below(20));
}

// A message box in the run is told, not counted: the game shows some on purpose.
void PrintMessageBox(const std::string&, const std::string& text, bool serious) {
    std::fprintf(stderr, "message box%s: %s\n", serious ? " (serious)" : "", text.c_str());
}

int Soak::Run() {
    plat::SetMessageBoxHook(&PrintMessageBox);
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});  // skips the splash
    StartGame();
    InstallGameScreenHooks();
    LoadingScreen().Destination = &TitleScreen();
    clock_.now = plat::MilliSecs();
    plat::SetClock(&clock_);
    Game().FastOn();  // exactly one logic tick a frame
    plat::SeedRnd(options_.seed);

    start_ = lastSample_ = lastReport_ = Clock::now();
    rssStart_ = rssPeak_ = rssFinal_ = ResidentKiB();
    const auto end = start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options_.minutes * 60));
    long movesSeen = -1, lastMoveTick = 0;
    while (Clock::now() < end && findings_ == 0) {
        Step();
        if (moves_ != movesSeen) {
            movesSeen = moves_;
            lastMoveTick = ticks_;
        } else if (ticks_ - lastMoveTick > STUCK_TICKS) {
            Finding("no move for five minutes of play: stuck on screen \"" +
                    (Game().CurrentTScreen ? Game().CurrentTScreen->name : std::string("none")) + "\"");
        }
    }
    SampleMemory(true);
    if (!baselineTaken_) rssBaseline_ = rssStart_;

    const double growth = 100.0 * static_cast<double>(rssFinal_ - rssBaseline_) / static_cast<double>(rssBaseline_);
    std::printf("seed %u, %.2f minutes: %ld ticks (%ld checked), %ld moves, %ld puzzles finished, "
                "%ld puzzles started from the grid, %ld saves typed, %ld loads chosen\n",
                options_.seed, std::chrono::duration<double>(Clock::now() - start_).count() / 60, ticks_,
                checkedTicks_, moves_, finished_, starts_, saves_, loads_);
    std::printf("resident memory: start %ld KiB, baseline %ld KiB, peak %ld KiB, final %ld KiB, growth %.2f%%\n",
                rssStart_, rssBaseline_, rssPeak_, rssFinal_, growth);
    if (options_.maxRssGrowth > 0 && growth > options_.maxRssGrowth) {
        std::printf("FINDING: memory grew by more than %.1f%%\n", options_.maxRssGrowth);
        ++findings_;
    }
    plat::SetClock(nullptr);
    GameExit();
    std::printf("%ld findings\n", findings_);
    return findings_ == 0 ? 0 : 1;
}

// The data folder: given, else the build tree this program lies in.
std::string DataFolder(const Options& options) {
    if (!options.data.empty()) return options.data;
    for (std::string dir = plat::AppDir(); !dir.empty() && dir != "/"; dir = plat::ExtractDir(dir)) {
        if (plat::FileType(dir + "/layouts/001.layout") == plat::FILETYPE_FILE) return dir;
    }
    return plat::CurrentDir();
}

// Everything the game writes goes below the private folder, emptied first.
void UsePrivateFolders(const std::string& home) {
    plat::DeleteDir(home, true);
    for (const char* sub : {"", "/home", "/config", "/cache", "/run", "/tmp"}) plat::CreateDir(home + sub, true);
    ::chmod((home + "/run").c_str(), 0700);
    setenv("HOME", (home + "/home").c_str(), 1);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
    setenv("TMPDIR", (home + "/tmp").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("VC_NO_MESSAGE_BOX", "1", 1);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--minutes M] [--seed S] [--data DIR] [--home DIR] [--max-rss-growth PERCENT]\n",
                     argv[0]);
        return 2;
    }
    const std::string data = DataFolder(options);
    if (plat::FileType(data + "/data/resources/data.pak") != plat::FILETYPE_FILE ||
        plat::FileType(data + "/layouts/001.layout") != plat::FILETYPE_FILE) {
        std::fprintf(stderr, "no built game data in %s (give --data)\n", data.c_str());
        return 2;
    }
    UsePrivateFolders(options.home.empty() ? data + "/soak-home" : options.home);
    if (!plat::ChangeDir(data)) return 2;
    try {
        return Soak(options).Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "FINDING (seed %u): the game threw: %s\n", options.seed, e.what());
        return 1;
    }
}
