// Start-up with the game's real data: the logo splash, the loading screen
// with its bar, then the fade to the title screen, whose first-run name
// prompt is answered before its menu lights up under the pointer.
// Screenshots of each stage are kept with the others of the real-game tests.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/splash.h"
#include "gui/menu.h"
#include "screens/game_test_util.h"
#include "screens/title_screen.h"

namespace {

// Share of the frame's pixels that are not black.
double Lit(const plat::TPixmap& screen) {
    int lit = 0;
    for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4) {
            const auto p = screen.ReadPixel(x, y);
            if (plat::PixR(p) + plat::PixG(p) + plat::PixB(p) > 30) ++lit;
        }
    return lit / (200.0 * 150.0);
}

class StartupScreens : public RealGameTest {
protected:
    bool BootAtOnce() const override { return false; }
    // The back buffer as drawn by hand, kept as a PNG.
    plat::PixmapPtr Drawn(const std::string& name) {
        auto screen = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
        std::filesystem::create_directories(shots);
        if (screen) plat::SavePixmapPNG(*screen, (shots / (name + ".png")).string());
        return screen;
    }
};

TEST_F(StartupScreens, SplashLoadingBarAndTheTitleMenuUnderThePointer) {
    const auto begin = std::chrono::steady_clock::now();
    Boot();
    auto& game = Game();
    ASSERT_EQ(game.CurrentTScreen, &LoadingScreen());
    EXPECT_TRUE(LoadingScreen().Finished);
    EXPECT_EQ(LoadingScreen().Destination, &TitleScreen());
    Frames(1);
    std::printf("start-up to the first frame after loading (splash skipped): %.3f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());

    // The splash, drawn as it shows at full strength.
    {
        TFade fade;
        fade.Init(1000, plat::LoadImage(game.DataPrefix + "data/graphics/pellorinelogo.png"), nullptr);
        ASSERT_TRUE(fade.Image);
        plat::MidHandleImage(*fade.Image);
        fade.Full();
        fade.Draw();
        auto shot = Drawn("1-splash");
        ASSERT_TRUE(shot);
        EXPECT_GT(Lit(*shot), 0.02);
    }
    // The loading screen half way and full.
    auto& bar = *LoadingScreen().LoadingBar;
    {
        const float full = bar.Position;
        EXPECT_FLOAT_EQ(full, static_cast<float>(bar.w));
        bar.Finished = 0;
        bar.Position = full / 2;
        LoadingScreen().Draw();
        Drawn("2-loading-half");
        bar.Finished = 1;
        bar.Position = full;
        LoadingScreen().Draw();
        Drawn("3-loading-full");
    }

    // The loading screen fades out to the title screen, which asks a first
    // player's name; then its Exit button lights up under the pointer.
    ASSERT_TRUE(WaitFor([] { return OnScreen(TitleScreen()); }, 600));
    ASSERT_TRUE(TitleScreen().EnterName);
    Type("Ann\r");
    ASSERT_TRUE(WaitFor([] { return !TitleScreen().EnterName; }, 100));
    auto exit = TitleScreen().Menu->FindButton("exit");
    ASSERT_TRUE(exit);
    MoveTo(static_cast<int>(exit->x) + exit->w / 2, static_cast<int>(exit->y) + exit->h / 2);
    Frames(10);
    EXPECT_EQ(exit->MouseOver, 1);
    auto shot = Shot("4-title-hover");
    ASSERT_TRUE(shot);
    EXPECT_GT(Lit(*shot), 0.5);
}

}  // namespace
