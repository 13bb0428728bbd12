#pragma once
// The real game, headless, with its data, in a data folder of its own: a
// manual clock, frames of 20 ms, the pointer and keys as window events, and
// a restart that ends the run normally and starts the game again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "app/game.h"
#include "app/loading_screen.h"
#include "app/startup.h"
#include "gui/button.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"

class PanelScreenTest : public ::testing::Test {
protected:
    static constexpr uint32_t FRAME_MS = 20;

    void SetUp() override {
        namespace fs = std::filesystem;
        const fs::path build = VC_TEST_BINARY_DIR;
        if (!fs::exists(build / "data/resources/data.pak")) GTEST_SKIP() << "game data not built";
        ASSERT_TRUE(plat::ChangeDir(build.string()));
        // Tests run side by side: each keeps its settings and tables apart.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        home = build / "test-home" / (std::string(test->test_suite_name()) + "-" + test->name());
        fs::remove_all(home);
        fs::create_directories(home);
        ::setenv("XDG_DATA_HOME", home.c_str(), 1);
        Boot();
    }
    void TearDown() override {
        plat::SetClock(nullptr);
        if (booted) GameExit();
    }

    // Start-up to the loading screen; the first key skips the splash.
    void Boot() {
        ResetGlobals();
        plat::ClearEvents();
        plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
        StartGame();
        booted = true;
        clock.now = plat::MilliSecs();
        plat::SetClock(&clock);
        Game().FixedRateLogic.Init();
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
        ASSERT_TRUE(WaitFor([&screen] { return Showing(screen); }, 1000)) << "never showed " << screen.name;
    }
    static bool Showing(const TScreen& screen) {
        return Game().CurrentTScreen == &screen && !Game().GameFade.Active;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.now += FRAME_MS;
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
    void Press() {
        plat::PostEvent({plat::EventKind::MouseDown, 1, pointerX(), pointerY()});
        Frames(1);
    }
    void Release() {
        plat::PostEvent({plat::EventKind::MouseUp, 1, pointerX(), pointerY()});
        Frames(1);
    }
    void Click(int x, int y) {
        MoveTo(x, y);
        Frames(1);
        Press();
        Release();
    }
    void ClickButton(const ButtonPtr& button) {
        ASSERT_TRUE(button);
        Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
    }
    void PressKey(int key) {
        plat::PostEvent({plat::EventKind::KeyDown, key, 0, 0});
        plat::PostEvent({plat::EventKind::KeyUp, key, 0, 0});
        Frames(1);
    }

    // The frame as drawn now, also kept as a PNG under <build>/screenshots/.
    plat::PixmapPtr Shot(const std::string& name) {
        Game().ScreenDraw();
        auto pixmap = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
        const auto folder = std::filesystem::path(VC_TEST_BINARY_DIR) / "screenshots";
        std::filesystem::create_directories(folder);
        if (pixmap) plat::SavePixmapPNG(*pixmap, (folder / (name + ".png")).string());
        return pixmap;
    }

    std::string DataFile(const std::string& name) const { return Game().SubPath + name; }

    plat::TManualClock clock;
    std::filesystem::path home;
    bool booted = false;

private:
    static int pointerX() { return Game().Mouse.x; }
    static int pointerY() { return Game().Mouse.y; }
};
