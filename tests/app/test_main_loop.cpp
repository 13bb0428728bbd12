// The fixed-rate logic clock, the tick loop and the framework's key tables.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <unistd.h>
#include <vector>

#include "app/game.h"
#include "resources/input_tables.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "resources/error_state.h"

namespace {

class RecordingScreen : public TScreen {
public:
    std::vector<float> deltas;
    void Logic() override { deltas.push_back(Delta); }
    void Draw() override {}
};

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetClock(&clock);
        clock.now = 100000;
        ResetGlobals();
        Game().CurrentTScreen = &screen;
        Game().FixedRateLogic.Init();
    }
    void TearDown() override {
        ResetGlobals();
        plat::SetClock(nullptr);
    }
    // One frame of the given length; answers the deltas of the ticks it ran.
    std::vector<float> Frame(uint32_t ms) {
        screen.deltas.clear();
        clock.now += ms;
        EXPECT_EQ(Game().MainLogicLoop(), 1);
        return screen.deltas;
    }
    plat::TManualClock clock;
    RecordingScreen screen;
};

TEST_F(MainLoopTest, FirstFramesUseTheMeasuredTime) {
    EXPECT_TRUE(Frame(0).empty());
    const auto d = Frame(12);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_FLOAT_EQ(d[0], 1.0f);
    EXPECT_FLOAT_EQ(d[1], 1.0f);
    EXPECT_NEAR(d[2], 0.4f, 1e-5);
    // A stall is capped at 50 ms: ten ticks, no catch-up spiral.
    EXPECT_EQ(Frame(500).size(), 10u);
}

TEST_F(MainLoopTest, LaterFramesFollowTheAverage) {
    auto& logic = Game().FixedRateLogic;
    for (int i = 0; i < 5; ++i) Frame(20);  // the frames that are not recorded
    for (int i = 0; i < 50; ++i) Frame(20);
    Game().VSync = 0;
    auto d = Frame(12);
    // (49 x 20 + 12) / 50 = 19.84 ms: three full ticks and 0.968.
    ASSERT_EQ(d.size(), 4u);
    EXPECT_NEAR(d[3], 0.968f, 1e-4);
    EXPECT_NEAR(logic.NumTicks, 3.968, 1e-6);
}

TEST_F(MainLoopTest, VSyncFollowsASpeedUpAtOnce) {
    for (int i = 0; i < 55; ++i) Frame(20);
    Game().VSync = 1;
    const auto d = Frame(12);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[2], 0.4f, 1e-5);
}

TEST_F(MainLoopTest, ClockGoingBackwardsReusesThePreviousCount) {
    Frame(15);
    clock.now -= 1000;
    screen.deltas.clear();
    Game().MainLogicLoop();
    EXPECT_EQ(screen.deltas.size(), 3u);
}

TEST_F(MainLoopTest, SlowMotionKeepsFadesInTicks) {
    Game().SlowMotionOn();
    EXPECT_FLOAT_EQ(Game().FixedRateLogic.MS, 20.0f);
    EXPECT_FLOAT_EQ(Game().CalcAnimLength(500), 100.0f);
    Game().SlowMotionOff();
    EXPECT_FLOAT_EQ(Game().CalcAnimLength(500), 100.0f);
    EXPECT_EQ(Game().CalcMilliSecsFromFrames(3), 15);
}

TEST_F(MainLoopTest, PausedLogicStopsOnlyAfterTheFirstFiveSeconds) {
    StartTime = clock.now;
    Game().Paused = 1;
    EXPECT_EQ(Frame(10).size(), 2u);
    clock.now += 6000;
    Game().FixedRateLogic.Init();
    EXPECT_TRUE(Frame(10).empty());
}

TEST_F(MainLoopTest, CloseRequestFadesOutToTheExitScreen) {
    plat::PostEvent({plat::EventKind::AppTerminate, 0, 0, 0});
    Frame(5);
    EXPECT_TRUE(Game().GameFade.Active);
    EXPECT_EQ(Game().DestinationTScreen, Game().ExitScreen.get());
    int result = 1;
    for (int i = 0; i < 30 && result != -1; ++i) {
        clock.now += 20;
        result = Game().MainLogicLoop();
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Game().CurrentTScreen, Game().ExitScreen.get());
}

TEST_F(MainLoopTest, CloseRequestDuringAFadeInOrAPauseStillEndsTheGame) {
    auto& fade = Game().GameFade;
    ASSERT_EQ(fade.Init(DefaultFadeTime, 0, nullptr, 0, 0), 1);
    for (int i = 0; i < 3; ++i) Frame(20);  // 12 of the fade-in's 100 ticks
    const float reached = fade.Ratio;
    ASSERT_GT(reached, 0.0f);
    plat::PostEvent({plat::EventKind::AppTerminate, 0, 0, 0});
    Frame(5);
    ASSERT_TRUE(fade.Active);
    EXPECT_EQ(fade.Out, 1);
    EXPECT_NEAR(fade.Ratio, reached, 0.02f) << "the screen fades out from the brightness it reached";
    EXPECT_EQ(Game().DestinationTScreen, Game().ExitScreen.get());
    int result = 1;
    for (int i = 0; i < 5 && result != -1; ++i) {
        clock.now += 20;
        result = Game().MainLogicLoop();
    }
    EXPECT_EQ(result, -1);

    // Paused, long after the start: nothing fades, the game ends at once.
    ResetGlobals();
    Game().CurrentTScreen = &screen;
    Game().FixedRateLogic.Init();
    StartTime = clock.now - 6000;
    Game().Paused = 1;
    plat::PostEvent({plat::EventKind::AppTerminate, 0, 0, 0});
    clock.now += 5;
    EXPECT_EQ(Game().MainLogicLoop(), -1);
}

TEST_F(MainLoopTest, EscapeDuringAFadeFinishesIt) {
    Game().GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    EXPECT_EQ(Game().GameFade.Length, 100);
    RecordKeyDown(plat::KEY_ESCAPE);
    Game().ReadKeys();
    EXPECT_FALSE(Game().GameFade.Active);
    EXPECT_TRUE(Game().GameFade.FadeInAborted);
    EXPECT_FALSE(Game().DestinationTScreen);
}

TEST_F(MainLoopTest, AltEnterIsRefusedWhenFullScreenFailedBefore) {
    Game().FullScreen = 0;
    Game().ForceWindowedMode = 1;
    EXPECT_EQ(Game().ToggleFullScreen(), 0);
    EXPECT_EQ(Game().FullScreen, 0);
}

TEST(InputTables, KeyHitsCountOncePerQuery) {
    ResetGlobals();
    RecordKeyDown('A');
    RecordKeyDown('A');
    EXPECT_EQ(KeyHit('A'), 1);
    EXPECT_EQ(KeyHit('A'), 0);
    EXPECT_EQ(KeyDown('A'), 1);
    RecordKeyUp('A');
    EXPECT_EQ(KeyDown('A'), 0);
    // Codes outside the table are ignored, never written past its end.
    RecordKeyDown(300);
    RecordKeyDown(-4);
    EXPECT_EQ(KeyHit(300), 0);
}

// A chord that comes whole in one batch (Shift+Tab, Ctrl+Z typed quickly or
// sent by a tool) is read with its modifier held; a modifier tapped alone,
// or let go in a later batch, is let go at once.
TEST(InputTables, AModifierLetGoInTheBatchOfAKeyPressReadsAsHeldUntilTheNextBatch) {
    ResetGlobals();
    for (const auto& [kind, key] : {std::pair{plat::EventKind::KeyDown, plat::KEY_LSHIFT}, {plat::EventKind::KeyDown, plat::KEY_TAB},
                                    {plat::EventKind::KeyUp, plat::KEY_TAB}, {plat::EventKind::KeyUp, plat::KEY_LSHIFT}})
        plat::PostEvent({kind, key, 0, 0});
    Game().DoPeekEvent();
    EXPECT_EQ(KeyHit(plat::KEY_TAB), 1);
    EXPECT_EQ(KeyDown(plat::KEY_LSHIFT), 1);
    Game().DoPeekEvent();
    EXPECT_EQ(KeyDown(plat::KEY_LSHIFT), 0);

    // Tapped alone after a key of the same batch, it is let go at once; held
    // from an earlier batch and let go after a key, it reads as held.
    StartEventBatch();
    RecordKeyDown('X');
    RecordKeyDown(plat::KEY_LCONTROL);
    RecordKeyUp(plat::KEY_LCONTROL);
    EXPECT_EQ(KeyDown(plat::KEY_LCONTROL), 0);
    RecordKeyDown(plat::KEY_LCONTROL);
    StartEventBatch();
    RecordKeyDown('Z');
    RecordKeyUp(plat::KEY_LCONTROL);
    EXPECT_EQ(KeyDown(plat::KEY_LCONTROL), 1);
}

TEST(InputTables, CharacterQueueDropsWhenFull) {
    ResetGlobals();
    for (int i = 0; i < 300; ++i) RecordChar('a' + i % 26);
    int taken = 0;
    while (GetChar() != 0) ++taken;
    EXPECT_EQ(taken, CHAR_QUEUE_SIZE);
    RecordChar('z');
    FlushKeys();
    EXPECT_EQ(GetChar(), 0);
}

TEST(ScreenFade, KeyDuringFadeInShowsTheScreenAndRecordsTheKey) {
    ResetGlobals();
    auto& fade = Game().GameFade;
    fade.Init(500, 0, nullptr, 0, 0);
    fade.Manage();
    RecordKeyDown('Q');
    EXPECT_EQ(fade.Manage(), -1);
    EXPECT_FLOAT_EQ(fade.Ratio, 1.0f);
    EXPECT_EQ(fade.AbortKey, 'Q');
    EXPECT_EQ(fade.GetDone(), 1);
    EXPECT_EQ(fade.GetDone(), 0);
}

TEST(ScreenFade, FadesSwitchedOffFinishAtOnce) {
    ResetGlobals();
    Game().Fade = 0;
    EXPECT_EQ(Game().GameFade.Init(500, 1, nullptr, 0, 0), 1);
    EXPECT_FALSE(Game().GameFade.Active);
    EXPECT_EQ(Game().GameFade.Init(500, 1, nullptr, 0, 0), 1);
}

TEST(ScreenChange, MissingDestinationIsAnError) {
    ResetGlobals();
    ErrorOnScreen = 0;
    const std::string folder = testing::TempDir() + "vc_screen_change_" + std::to_string(getpid()) + "/";
    plat::CreateDir(folder, true);
    ErrorLogFolder = folder;
    TScreen lonely;
    lonely.name = "lonely";
    Game().CurrentTScreen = &lonely;
    Game().Fade = 0;
    Game().GameFade.Init(500, 1, nullptr, 0, 0);
    try {
        Game().ScreenChange();
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Screen 'lonely' does not have a destination screen set!");
    }
    EXPECT_EQ(plat::FileType(folder + "ErrorLog.txt"), plat::FILETYPE_FILE);
    plat::DeleteDir(folder, true);
}

}  // namespace
