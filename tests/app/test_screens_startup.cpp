// Start-up with the game's real data: the logo splash, the loading screen
// with its bar (which leads to the title screen), then the fade to the
// stand-in screen and its Exit button. Screenshots of each stage go to
// <build>/screenshots/. Skipped when the data folder has not been built.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/game.h"
#include "app/loading_screen.h"
#include "app/splash.h"
#include "app/startup.h"
#include "gui/menu.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "resources/resource_globals.h"
#include "screens/stand_in_screen.h"
#include "screens/title_screen.h"

namespace {

const std::filesystem::path BUILD = VC_TEST_BINARY_DIR;

void Screenshot(const std::string& name) {
    std::filesystem::create_directories(BUILD / "screenshots");
    auto screen = plat::GrabPixmap(0, 0, 800, 600);
    ASSERT_TRUE(screen);
    plat::SavePixmapPNG(*screen, (BUILD / "screenshots" / (name + ".png")).string());
}

// Share of the frame's pixels that are not black.
double Lit() {
    auto screen = plat::GrabPixmap(0, 0, 800, 600);
    int lit = 0;
    for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4) {
            const auto p = screen->ReadPixel(x, y);
            if (plat::PixR(p) + plat::PixG(p) + plat::PixB(p) > 30) ++lit;
        }
    return lit / (200.0 * 150.0);
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TEST(StartupScreens, SplashLoadingBarAndTheStandInWithAWorkingExitButton) {
    if (!std::filesystem::exists(BUILD / "data/resources/data.pak")) GTEST_SKIP() << "no game data built";
    ResetGlobals();
    // CTest runs in the build folder, which holds data/.
    auto& game = Game();
    const auto begin = std::chrono::steady_clock::now();
    // Start-up timed to the first frame after loading (the splash takes 4 s of it).
    StartGame();
    ASSERT_EQ(game.CurrentTScreen, &LoadingScreen());
    EXPECT_TRUE(LoadingScreen().Finished);
    EXPECT_EQ(LoadingScreen().Destination, &TitleScreen());
    // The stand-in is where a player who quits a puzzle goes; show it here.
    LoadingScreen().Destination = &StandInScreen();
    game.RunFrame();
    std::printf("start-up to the first frame after loading: %.3f s\n", Seconds(begin));

    // The splash, drawn as it shows at full strength.
    {
        TFade fade;
        fade.Init(1000, plat::LoadImage(game.DataPrefix + "data/graphics/pellorinelogo.png"), nullptr);
        ASSERT_TRUE(fade.Image);
        plat::MidHandleImage(*fade.Image);
        fade.Full();
        fade.Draw();
        EXPECT_GT(Lit(), 0.02);
        Screenshot("1-splash");
    }
    // The loading screen half way and full.
    auto& bar = *LoadingScreen().LoadingBar;
    {
        const float full = bar.Position;
        EXPECT_FLOAT_EQ(full, static_cast<float>(bar.w));
        bar.Finished = 0;
        bar.Position = full / 2;
        LoadingScreen().Draw();
        Screenshot("2-loading-half");
        bar.Finished = 1;
        bar.Position = full;
        LoadingScreen().Draw();
        Screenshot("3-loading-full");
    }

    // The loading screen fades out to the stand-in, which fades in.
    for (int frame = 0; frame < 600 && (game.CurrentTScreen != &StandInScreen() || game.Fading()); ++frame) {
        game.RunFrame();
    }
    ASSERT_EQ(game.CurrentTScreen, &StandInScreen());
    ASSERT_FALSE(game.Fading());
    auto exit = StandInScreen().Menu->FindButton("exit");
    ASSERT_TRUE(exit);
    plat::PostEvent({plat::EventKind::MouseMove, 0, static_cast<int>(exit->x) + exit->w / 2,
                     static_cast<int>(exit->y) + exit->h / 2});
    for (int frame = 0; frame < 10; ++frame) game.RunFrame();
    EXPECT_EQ(exit->MouseOver, 1);
    game.ScreenDraw();
    StandInScreen().Draw();
    game.Mouse.Draw();
    Screenshot("4-stand-in-hover");

    plat::PostEvent({plat::EventKind::MouseDown, 1, static_cast<int>(exit->x) + 5, static_cast<int>(exit->y) + 5});
    plat::PostEvent({plat::EventKind::MouseUp, 1, static_cast<int>(exit->x) + 5, static_cast<int>(exit->y) + 5});
    int result = 1;
    for (int frame = 0; frame < 2000 && result != -1; ++frame) result = game.RunFrame();
    EXPECT_EQ(result, -1);  // the Exit button led to the exit screen
    GameExit();
    ResetGlobals();
}

}  // namespace
