#pragma once
// The real game, headless, on a manual clock and driven by synthetic events:
// a fixture that starts it from the build's data in a data folder of the
// test's own, leads the loading screen to a chosen screen, and drives it with
// clicks, drags, keys and typing; screenshots (kept under $VC_SCREENSHOT_DIR,
// or <build>/screenshots); a restart that ends the run normally and starts
// again; and a puzzle played to the end by clicking the automatic player's
// moves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/loading_screen.h"
#include "startup.h"
#include "gui/dialog.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/auto_player.h"
#include "screens/game_gui.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/resource_globals.h"
#include "screens/game_screen.h"

class RealGameTest : public ::testing::Test {
protected:
    static constexpr uint32_t FRAME_MS = 20;
    static constexpr int MIX_RATE = 44100;

    // Where the loading screen leads, when not to the title screen as in the
    // game; called once the game has started.
    virtual TScreen* FirstScreen() { return nullptr; }
    // False when the test writes files first and then calls Boot itself.
    virtual bool BootAtOnce() const { return true; }

    void SetUp() override {
        namespace fs = std::filesystem;
        // The build's own data, or the data folder of another build. A test
        // build always makes the data, so its absence is a broken build.
        std::string folder = VC_TEST_BINARY_DIR;
        if (plat::FileType(folder + "/layouts/001.layout") != plat::FILETYPE_FILE && std::getenv("VC_GAME_DATA_DIR"))
            folder = std::getenv("VC_GAME_DATA_DIR");
        ASSERT_TRUE(plat::FileType(folder + "/data/resources/data.pak") == plat::FILETYPE_FILE &&
                    plat::FileType(folder + "/layouts/001.layout") == plat::FILETYPE_FILE)
            << "The game's data (data/resources/data.pak, layouts/) is missing from " << folder
            << ": the build that made these tests did not finish making it. Build everything "
               "(cmake --build " VC_TEST_BINARY_DIR ") and run the tests again.";
        ASSERT_TRUE(plat::ChangeDir(folder));
        // Tests run side by side: each keeps its players, saves and tables apart.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        home = fs::path(VC_TEST_BINARY_DIR) / "test-home" / test->test_suite_name() / test->name();
        fs::remove_all(home);
        fs::create_directories(home);
        ::setenv("XDG_DATA_HOME", home.c_str(), 1);
        const char* folderForShots = std::getenv("VC_SCREENSHOT_DIR");
        shots = folderForShots && *folderForShots ? fs::path(folderForShots) : fs::path(VC_TEST_BINARY_DIR) / "screenshots";
        if (BootAtOnce()) Boot();
    }
    void TearDown() override {
        plat::SetClock(nullptr);
        if (booted) GameExit();
    }

    // Start-up to the loading screen; the first event skips the splash, which
    // waits in real time.
    void Boot() {
        ResetGlobals();
        plat::ClearEvents();
        plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
        StartGame();
        booted = true;
        // Sound is mixed a frame at a time on OpenAL's loopback device, so it
        // keeps the manual clock's time: a short click cannot end on its own
        // while a slow (sanitized, busy) frame is drawn.
        if (plat::AudioAvailable()) {
            ASSERT_TRUE(plat::OpenLoopbackAudio(MIX_RATE));
        }
        if (TScreen* first = FirstScreen()) LoadingScreen().Destination = first;
        clock.now = plat::MilliSecs();
        plat::SetClock(&clock);
        Game().FixedRateLogic.Init();
        plat::SeedRnd(12345);
    }
    // What a normal end leaves behind, then a new start.
    void Restart() {
        plat::SetClock(nullptr);
        TGame::MakeGoodExit();
        Game().Kill();
        plat::CloseGraphics();
        plat::ShutdownAudio();
        Boot();
    }
    // Shows the screen as a menu choice would: after loading, or by a fade
    // from the current screen.
    void ShowScreen(TScreen& screen) {
        auto& game = Game();
        if (game.CurrentTScreen == &LoadingScreen()) {
            LoadingScreen().Destination = &screen;
        } else {
            game.DestinationTScreen = &screen;
            game.GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
        }
        ASSERT_TRUE(WaitFor([&screen] { return OnScreen(screen); }, 1000)) << "never showed " << screen.name;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.now += FRAME_MS;
            plat::RenderAudio(MIX_RATE * static_cast<int>(FRAME_MS) / 1000);
            ASSERT_NE(Game().RunFrame(), -1);
        }
    }
    bool WaitFor(const std::function<bool()>& done, int maxFrames) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done()) return true;
            Frames(1);
        }
        return done();
    }
    void MoveTo(int x, int y) {
        plat::PostEvent({plat::EventKind::MouseMove, 0, x, y});
        Frames(1);
    }
    void Press(int button = 1) {
        plat::PostEvent({plat::EventKind::MouseDown, button, Game().Mouse.x, Game().Mouse.y});
        Frames(1);
    }
    void Release(int button = 1) {
        plat::PostEvent({plat::EventKind::MouseUp, button, Game().Mouse.x, Game().Mouse.y});
        Frames(1);
    }
    void Click(int x, int y, int button = 1) {
        MoveTo(x, y);
        Frames(1);
        Press(button);
        Release(button);
    }
    // Presses at the first point, moves through the others, releases at the last.
    void Drag(const std::vector<std::pair<int, int>>& points, int button = 1) {
        MoveTo(points.front().first, points.front().second);
        Frames(1);
        Press(button);
        Frames(1);
        for (const auto& [x, y] : points) {
            MoveTo(x, y);
            Frames(1);
        }
        Release(button);
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
        ASSERT_TRUE(button);
        Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
    }
    // Waits until the dialog is open and has slid in, then clicks its button.
    template <typename DialogPtr>
    void Answer(const DialogPtr& dialog, const std::string& button) {
        ASSERT_TRUE(WaitFor([&dialog] { return dialog && !dialog->Transitioning; }, 300)) << "no dialog for " << button;
        ClickButton(dialog->Menu->FindButton(button));
        ASSERT_TRUE(WaitFor([&dialog] { return !dialog; }, 300)) << "the dialog stayed after " << button;
    }
    static int CellX(const TCellBox& box, int column) { return box.AreaStartX + column * CELL_SIZE + CELL_SIZE / 2; }
    static int CellY(const TCellBox& box, int row) { return box.AreaStartY + row * CELL_SIZE + CELL_SIZE / 2; }
    void ClickCell(const TCellBox& box, const TCell& cell) { Click(CellX(box, cell.ArrayX), CellY(box, cell.ArrayY)); }
    // A drag along one row of cells through every cell on the way (a fast
    // drag skips cells); button 2 is the right one.
    void DragAlongRow(const TCellBox& box, int row, int from, int to, int button = 1) {
        std::vector<std::pair<int, int>> points;
        for (int column = from; column <= to; ++column) points.emplace_back(CellX(box, column), CellY(box, row));
        Drag(points, button);
    }

    // The frame as drawn now, also kept as a PNG.
    plat::PixmapPtr Shot(const std::string& name) {
        Game().ScreenDraw();
        auto pixmap = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
        std::filesystem::create_directories(shots);
        if (pixmap) plat::SavePixmapPNG(*pixmap, (shots / (name + ".png")).string());
        return pixmap;
    }

    // A part of the frame once the pointer is out of the way at (x, y) and its
    // sparkles have faded.
    plat::PixmapPtr Region(int left, int top, int width, int height, int x = 780, int y = 580) {
        MoveTo(x, y);
        Frames(40);
        Game().ScreenDraw();
        return plat::GrabPixmap(left, top, width, height);
    }
    static bool SamePixels(const plat::PixmapPtr& a, const plat::PixmapPtr& b) {
        for (int y = 0; y < a->Height(); ++y)
            for (int x = 0; x < a->Width(); ++x)
                if (a->ReadPixel(x, y) != b->ReadPixel(x, y)) return false;
        return true;
    }

    static TGameModeMatch3& Mode() { return static_cast<TGameModeMatch3&>(*GamePlay().GameMode); }
    static bool OnScreen(const TScreen& screen) { return Game().CurrentTScreen == &screen && !Game().GameFade.Active; }
    static bool OnGameScreen() { return OnScreen(GameScreen()); }
    static bool EndsWith(const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }
    // A file in the game's shared data folder.
    static std::string DataFile(const std::string& name) { return Game().SubPath + name; }

    // Clicks gems until the puzzle is won, choosing each move from the hint
    // list; answers yes when no move is left. onMove runs after every move.
    void PlayToTheEnd(const std::function<void(int moves)>& onMove = {}) {
        int moves = 0;
        while (!GameState().stateFinished && moves < 600) {
            auto& mode = Mode();
            if (auto* question = dynamic_cast<TPuzzleDialogQuestion*>(mode.ShufflePieces.get())) {
                Frames(60);
                ClickButton(question->Dialog->Menu->FindButton("Yes"));
                Frames(10);
                continue;
            }
            const bool ready = WaitFor(
                [&mode] {
                    // Points still rolling up may yet win the puzzle (and a won try
                    // goes back to the editor at the next click).
                    // A cleared board is won once its points and its bonus
                    // display are done: no more clicks meanwhile (one would
                    // land on what the win brings up).
                    return GameState().stateFinished || mode.IsFinished() || mode.ShufflePieces ||
                           (mode.CellBox->IsSettled() && GamePlay().ScoreAdder == 0 && mode.HintList.Exists &&
                            !mode.HintList.Items.empty());
                },
                2000);
            ASSERT_TRUE(ready) << "the board never settled";
            if (GameState().stateFinished || mode.IsFinished()) break;
            if (mode.ShufflePieces) continue;
            const auto move = TAutoPlayer(mode).ChooseMove();
            ASSERT_TRUE(move);
            ClickCell(*mode.CellBox, *move->FirstCell);
            ClickCell(*mode.CellBox, *move->SecondCell);
            ++moves;
            if (onMove) onMove(moves);
            Frames(5);
        }
        ASSERT_TRUE(WaitFor([] { return GameState().stateFinished != 0; }, 3000)) << "not won after " << moves;
    }

    plat::TManualClock clock;
    std::filesystem::path home, shots;
    bool booted = false;
};
