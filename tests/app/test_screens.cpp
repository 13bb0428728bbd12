// Screen switching through the screen fade, the fade's timing and skips, the
// cross-fade, the loading bar and the loading screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/cross_fade.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "app/loading_screen.h"
#include "gui/menu.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

// A screen that leaves for its Destination when asked, and counts its life cycle.
class TestScreen : public TScreen {
public:
    explicit TestScreen(const std::string& n) { name = n; }
    int loads = 0, starts = 0, kills = 0, logics = 0, fadeIns = 0;
    float ticks = 0;  // Logic calls weighted by Delta
    bool leave = false;
    bool fadeInOnStart = true;
    void Load() override { ++loads; }
    void Start() override {
        ++starts;
        TScreen::Start();
        if (fadeInOnStart) Game().GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    }
    void Kill() override {
        ++kills;
        TScreen::Kill();
    }
    void PostFadeIn() override { ++fadeIns; }
    void Logic() override {
        ++logics;
        ticks += Delta;
        if (!leave) return;
        leave = false;
        Game().DestinationTScreen = Destination;
        Game().GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
    }
    void Draw() override {}
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetClock(&clock);
        clock.now = 50000;
        ResetGlobals();
        plat::ClearEvents();
        a.Destination = &b;
        b.Destination = &a;
        a.fadeInOnStart = false;
        a.PreStart();
    }
    void TearDown() override {
        ResetGlobals();
        plat::ClearEvents();
        plat::SetClock(nullptr);
    }
    // One logic tick of the main loop at Delta 1.
    int Tick() {
        Delta = 1.0f;
        return Game().LogicWrapper();
    }
    // Ticks until the fade is over; answers how many it took.
    int TicksUntilFadeEnds(int limit = 1000) {
        int ticks = 0;
        while (Game().GameFade.Active && ticks < limit) {
            Tick();
            ++ticks;
        }
        return ticks;
    }
    void Press(int key) {
        plat::PostKeyPress(key);
    }
    plat::TManualClock clock;
    TestScreen a{"a"}, b{"b"};
};

TEST_F(ScreenTest, LeavingFadesOutThenKillsTheOldScreenAndStartsTheNext) {
    auto& game = Game();
    EXPECT_EQ(game.CurrentTScreen, &a);
    a.leave = true;
    Tick();
    ASSERT_TRUE(game.GameFade.Active);
    EXPECT_EQ(game.GameFade.Length, 100);
    int ticks = 0;
    while (game.CurrentTScreen != &b && ticks < 1000) {
        Tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 100);
    EXPECT_EQ(a.kills, 1);
    EXPECT_EQ(b.loads, 1);
    EXPECT_EQ(b.starts, 1);
    // b fades in and is told when it is fully visible.
    EXPECT_TRUE(game.GameFade.Active);
    EXPECT_FALSE(game.GameFade.Out);
    EXPECT_EQ(TicksUntilFadeEnds(), 100);
    EXPECT_EQ(b.fadeIns, 1);
    EXPECT_FLOAT_EQ(game.GameFade.Ratio, 1.0f);
}

TEST_F(ScreenTest, StopKillKeepsTheOldScreenAndStopInitOnlyMakesItCurrent) {
    a.StopKill = 1;
    a.leave = true;
    Tick();
    TicksUntilFadeEnds();
    EXPECT_EQ(a.kills, 0);
    TicksUntilFadeEnds();
    a.StopInit = 1;
    b.leave = true;
    Tick();
    TicksUntilFadeEnds();
    EXPECT_EQ(Game().CurrentTScreen, &a);
    EXPECT_EQ(b.kills, 1);
    EXPECT_EQ(a.loads, 1);  // not loaded again
    EXPECT_EQ(a.starts, 1);
    a.ResetStops();
    EXPECT_EQ(a.StopKill + a.StopInit, 0);
}

TEST_F(ScreenTest, FadeLastsOneHundredTicksAtAnyFrameRateAndInSlowMotion) {
    auto& game = Game();
    for (uint32_t frameMs : {1u, 7u, 16u, 33u, 50u}) {
        game.FixedRateLogic.Init();
        game.MainLogicLoop();
        a.ticks = 0;
        game.GameFade.Init(DefaultFadeTime, 0, nullptr, 1, 0);
        uint32_t elapsed = 0;
        while (game.GameFade.Active && elapsed < 10000) {
            clock.now += frameMs;
            elapsed += frameMs;
            game.MainLogicLoop();
        }
        // Up to one frame's ticks run on after the tick that ends the fade.
        EXPECT_GE(a.ticks, 99.99f) << frameMs << " ms frames";
        EXPECT_LE(a.ticks, 100.0f + std::max(1.0f, static_cast<float>(frameMs) / 5.0f)) << frameMs;
    }
    game.SlowMotionOn();
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
    EXPECT_EQ(game.GameFade.Length, 100);
}

TEST_F(ScreenTest, AKeyDuringAFadeInShowsTheScreenAtOnce) {
    auto& fade = Game().GameFade;
    fade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    for (int i = 0; i < 30; ++i) Tick();
    EXPECT_NEAR(fade.Ratio, 0.3f, 1e-4);
    Press('A');
    Tick();
    EXPECT_FALSE(fade.Active);
    EXPECT_FLOAT_EQ(fade.Ratio, 1.0f);
    EXPECT_EQ(fade.FadeInAborted, 1);
    EXPECT_EQ(fade.AbortKey, 'A');
    EXPECT_FLOAT_EQ(fade.FadeCounterBeforeAbort, 30.0f);
    EXPECT_EQ(fade.GetDone(), 1);
    EXPECT_EQ(fade.GetDone(), 0);  // once per finished fade
    // The key went into the skip, not to the screen.
    EXPECT_EQ(KeyHit('A'), 0);
}

TEST_F(ScreenTest, AClickDuringAFadeOutCompletesItAndTheSwitchFollows) {
    a.leave = true;
    Tick();
    for (int i = 0; i < 10; ++i) Tick();
    plat::PostEvent({plat::EventKind::MouseDown, 1, 10, 10});
    Tick();
    // The fade-out ended at the click and b took over in the same tick.
    EXPECT_EQ(Game().CurrentTScreen, &b);
    EXPECT_EQ(a.kills, 1);
    EXPECT_FALSE(Game().GameFade.Out);
}

TEST_F(ScreenTest, EscapeDuringAFadeFinishesItInsteadOfStartingAnother) {
    a.leave = true;
    Tick();
    for (int i = 0; i < 10; ++i) Tick();
    Press(plat::KEY_ESCAPE);
    Tick();
    EXPECT_EQ(Game().CurrentTScreen, &b);  // not the exit screen
    EXPECT_EQ(Game().InstantExit, 0);
    // Escape while b fades in shows b at once.
    ASSERT_TRUE(Game().GameFade.Active);
    Press(plat::KEY_ESCAPE);
    Tick();
    EXPECT_FALSE(Game().GameFade.Active);
    EXPECT_FLOAT_EQ(Game().GameFade.Ratio, 1.0f);
    EXPECT_EQ(Game().CurrentTScreen, &b);
    // With nothing fading, Escape leaves for the exit screen.
    Press(plat::KEY_ESCAPE);
    Tick();  // starts the fade and runs its first tick
    EXPECT_EQ(Game().DestinationTScreen, Game().ExitScreen.get());
    EXPECT_EQ(TicksUntilFadeEnds(), 99);
    EXPECT_EQ(Tick(), -1);
}

TEST_F(ScreenTest, WithFadesOffScreensSwitchOnTheNextTick) {
    Game().Fade = 0;
    a.leave = true;
    Tick();  // the fade-out finishes inside Init
    EXPECT_FALSE(Game().GameFade.Active);
    EXPECT_EQ(Game().CurrentTScreen, &a);
    Tick();
    EXPECT_EQ(Game().CurrentTScreen, &b);
    EXPECT_FALSE(Game().GameFade.Active);  // b's fade-in finished at once too
    EXPECT_EQ(b.fadeIns, 1);
    // A second Init while a fade runs is refused.
    Game().Fade = 1;
    EXPECT_EQ(Game().GameFade.Init(500, 1, nullptr, 0, 0), 1);
    EXPECT_EQ(Game().GameFade.Init(500, 0, nullptr, 0, 0), 0);
    EXPECT_TRUE(Game().GameFade.Out);
}

TEST_F(ScreenTest, CrossFadeClimbsToTheSecondImage) {
    auto fade = TCrossFade::Create(nullptr, nullptr, 2000);
    EXPECT_FLOAT_EQ(fade->Value(), 0.0f);
    for (int i = 0; i < 200; ++i) fade->Manage();
    EXPECT_NEAR(fade->Value(), 0.5f, 1e-4);
    EXPECT_FALSE(fade->Finished());
    for (int i = 0; i < 201; ++i) fade->Manage();
    EXPECT_TRUE(fade->Finished());
    EXPECT_FLOAT_EQ(fade->Value(), 1.0f);
}

// ---- loading bar and loading screen -------------------------------------------------

plat::PixmapPtr Solid(int w, int h, int r, int g, int b) {
    auto pixmap = plat::CreatePixmap(w, h);
    pixmap->Clear(plat::ARGB(255, r, g, b));
    return pixmap;
}

class LoadingTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        folder = std::filesystem::path(VC_TEST_BINARY_DIR) / "test-home" / "loading-images";
        std::filesystem::create_directories(folder);
        const std::string dir = folder.string() + "/";
        plat::SavePixmapPNG(*Solid(300, 20, 255, 0, 0), dir + "loadingbar.png");
        plat::SavePixmapPNG(*Solid(300, 20, 0, 0, 255), dir + "loadingbarempty.png");
        plat::SavePixmapPNG(*Solid(300, 20, 0, 255, 0), dir + "loadingbarfinal.png");
        plat::SavePixmapPNG(*Solid(100, 30, 255, 255, 255), dir + "loading.png");
        Game().ImagePath = dir;
    }
    std::filesystem::path folder;
};

TEST_F(LoadingTest, TwentyTwoStepsFillTheBarExactly) {
    TLoadingBar bar;
    bar.Init(plat::CreateImage(300, 20), nullptr, nullptr);
    bar.SetSteps(22);
    EXPECT_NEAR(bar.StepSize, 13.6363636f, 1e-4);
    for (int i = 0; i < 21; ++i) bar.Progress();
    EXPECT_FALSE(bar.Finished);
    EXPECT_NEAR(bar.Position, 21 * 13.6363636f, 1e-3);
    bar.Progress();
    EXPECT_TRUE(bar.Finished);
    EXPECT_FLOAT_EQ(bar.Position, 300.0f);
    bar.Progress();  // more steps than planned never run past the end
    EXPECT_FLOAT_EQ(bar.Position, 300.0f);
    EXPECT_EQ(bar.CurrentStep, 22);
}

TEST_F(LoadingTest, TheScreenDrawsTheFilledPartAndTheFinalImageThenFadesToItsDestination) {
    plat::ResetDrawingState();
    ASSERT_TRUE(plat::OpenGraphics(800, 600, 0, 0));
    PNLoadingScreen loading;
    loading.SpecialLoad("", "loadingbar.png", "loading.png");
    loading.LoadingBar->Centre(ScreenHeight - 175);
    loading.LoadingBar->Mode = 1;
    loading.SetSteps(22);
    EXPECT_EQ(loading.LoadingBar->x, 250);
    EXPECT_EQ(loading.LoadingBar->y, 425);
    EXPECT_TRUE(loading.LoadingBar->EmptyImage);
    EXPECT_TRUE(loading.LoadingBar->FinalImage);

    auto pixel = [](int x, int y) { return plat::GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); };
    for (int i = 0; i < 11; ++i) loading.Progress();
    loading.Draw();
    EXPECT_EQ(plat::PixR(pixel(250 + 100, 430)), 255);  // filled
    EXPECT_EQ(plat::PixB(pixel(250 + 200, 430)), 255);  // still empty
    EXPECT_EQ(plat::PixR(pixel(400, 300)), 255);         // the loading picture, centred
    for (int i = 0; i < 11; ++i) loading.MoveBar();
    EXPECT_TRUE(loading.Finished);
    loading.Draw();
    EXPECT_EQ(plat::PixG(pixel(250 + 299, 430)), 255);  // the final bar
    EXPECT_EQ(plat::PixR(pixel(250 + 299, 430)), 0);

    loading.Destination = &b;
    Game().CurrentTScreen = &loading;
    Tick();
    EXPECT_TRUE(Game().GameFade.Active);
    EXPECT_TRUE(Game().GameFade.AllowAnim);
    TicksUntilFadeEnds();
    EXPECT_EQ(Game().CurrentTScreen, &b);
    EXPECT_FALSE(loading.LoadingBar);  // killed on the way out
    plat::CloseGraphics();
}

// Loading shows its progress at once but never more often than the display
// refreshes; the steps themselves are never lost.
TEST_F(LoadingTest, BarStepsNeitherWaitForTheDisplayNorOutrunIt) {
    ASSERT_TRUE(plat::OpenGraphics(800, 600, 0, 0));
    PNLoadingScreen loading;
    loading.SpecialLoad("", "loadingbar.png", "loading.png");
    loading.LoadingBar->Mode = 1;
    loading.SetSteps(22);
    loading.Draw();
    plat::FlipNow();
    const uint64_t shown = plat::PresentedFrames();
    const uint32_t start = clock.now;
    for (int i = 0; i < 10; ++i) loading.MoveBar();
    EXPECT_EQ(clock.now, start);  // nothing slept
    EXPECT_EQ(plat::PresentedFrames(), shown);
    clock.now += 17;  // a refresh at 60 Hz later
    loading.MoveBar();
    EXPECT_EQ(plat::PresentedFrames(), shown + 1);
    EXPECT_EQ(loading.LoadingBar->CurrentStep, 11);
    for (int i = 0; i < 11; ++i) loading.MoveBar();
    EXPECT_TRUE(loading.Finished);
    plat::CloseGraphics();
}

// ---- the screen's own menu -----------------------------------------------------------

TEST_F(LoadingTest, BaseScreenManagesDrawsAndDropsItsMenu) {
    const std::string dir = folder.string() + "/";
    plat::SavePixmapPNG(*Solid(100, 40, 200, 200, 0), dir + "go.png");
    Game().MenuPath = dir;
    TScreen screen;
    screen.Menu = TMenu::Create("", "", 0, 100, 10);
    auto button = screen.Menu->AddQuick("go");
    screen.PreStart();
    EXPECT_EQ(Game().CurrentTScreen, &screen);
    plat::PostEvent({plat::EventKind::MouseDown, 1, static_cast<int>(button->x) + 5, 105});
    Tick();
    EXPECT_EQ(screen.Menu->Clicked("GO"), 1);
    screen.Kill();
    EXPECT_FALSE(screen.Menu);
    Game().CurrentTScreen = &a;
}

}  // namespace
