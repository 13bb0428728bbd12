#include <gtest/gtest.h>

#include "resources/animation.h"
#include "resources/fixed_rate_logic.h"
#include "app/game.h"

namespace {

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        Delta = 1.0f;
    }
};

int UpdatesUntilEnd(TAnimation& a, int limit = 10000) {
    for (int i = 1; i <= limit; ++i)
        if (a.Manage()) return i;
    return -1;
}

}  // namespace

TEST_F(AnimationTest, OneSecondIs200Updates) {
    TAnimation down(1000);
    EXPECT_FLOAT_EQ(down.Length[0], 200.0f);
    EXPECT_EQ(down.Active, 0);
    EXPECT_EQ(down.Manage(), 0);  // not started
    down.Start();
    EXPECT_FLOAT_EQ(down.GetRatio(), 1.0f);
    EXPECT_EQ(UpdatesUntilEnd(down), 200);
    EXPECT_EQ(down.Active, 0);
    EXPECT_EQ(down.Finished, 1);

    TAnimation up(1000, 0, 1);
    up.Start();
    EXPECT_FLOAT_EQ(up.GetRatio(), 0.0f);
    EXPECT_EQ(UpdatesUntilEnd(up), 201);  // ends once the counter exceeds the length
}

TEST_F(AnimationTest, TwoPhasesEndOneAfterTheOther) {
    TAnimation a(500);
    EXPECT_EQ(a.AddPhase(250), 1);
    a.Start();
    EXPECT_EQ(UpdatesUntilEnd(a), 100);
    EXPECT_EQ(a.CurrentPhase, 1);
    EXPECT_FLOAT_EQ(a.Counter, 50.0f);
    EXPECT_EQ(a.Active, 1);
    EXPECT_EQ(a.Finished, 0);
    EXPECT_EQ(UpdatesUntilEnd(a), 50);
    EXPECT_EQ(a.Active, 0);
    EXPECT_EQ(a.Finished, 1);
}

TEST_F(AnimationTest, CyclingNeverFinishesAndStopRestarts) {
    TAnimation a(50, 0, 0, 1);
    a.AddPhase(25);
    a.Start();
    for (int i = 0; i < 1000; ++i) a.Manage();
    EXPECT_EQ(a.Finished, 0);
    EXPECT_EQ(a.Active, 1);
    a.Stop();
    EXPECT_EQ(a.CurrentPhase, 0);
    EXPECT_FLOAT_EQ(a.Counter, 10.0f);
    EXPECT_EQ(a.Finished, 0);
}

TEST_F(AnimationTest, LeaveActiveParksAtTheEnd) {
    TAnimation a(50, 1, 1);
    a.Start();
    EXPECT_EQ(UpdatesUntilEnd(a), 11);
    EXPECT_EQ(a.Active, 1);
    EXPECT_EQ(a.Finished, 1);
    EXPECT_FLOAT_EQ(a.GetRatio(), 1.0f);
    EXPECT_EQ(a.Manage(), 1);  // ends again on every further update
    EXPECT_FLOAT_EQ(a.GetRatio(), 1.0f);
}

TEST_F(AnimationTest, StartKeepsRemainingTimeOfACountDown) {
    TAnimation a(100);
    a.Start();
    for (int i = 0; i < 5; ++i) a.Manage();
    a.Start();
    EXPECT_FLOAT_EQ(a.Counter, 15.0f);
    a.Reset();
    EXPECT_FLOAT_EQ(a.Counter, 20.0f);
}

TEST_F(AnimationTest, AnimFrameCoversEveryFrameAndNeverOvershoots) {
    TAnimation a(1000);
    a.Start();
    EXPECT_EQ(a.GetAnimFrame(8), 0);
    int last = 0;
    while (a.Active) {
        const int frame = a.GetAnimFrame(8);
        EXPECT_GE(frame, last);
        EXPECT_LE(frame, 7);
        last = frame;
        a.Manage();
    }
    EXPECT_EQ(last, 7);

    TAnimation up(1000, 0, 1);
    up.Start();
    for (int i = 0; i < 200; ++i) up.Manage();
    EXPECT_EQ(up.GetAnimFrame(8), 7);  // counter at the length exactly
}

TEST_F(AnimationTest, ZeroLengthsGiveZeroNotDivisionByZero) {
    TAnimation a(2);  // under one update: length 0.4, truncated to 0
    a.Start();
    EXPECT_EQ(a.GetAnimFrame(8), 0);
    TAnimation none;
    EXPECT_FLOAT_EQ(none.GetRatio(), 0.0f);
    EXPECT_FLOAT_EQ(none.GetRatioInvSine180(), 1.0f);
}

TEST_F(AnimationTest, PhasesBeyondTheTableAreRefused) {
    TAnimation a(10);
    for (int i = 1; i < TAnimation::MAX_PHASES; ++i) EXPECT_EQ(a.AddPhase(10), 1);
    EXPECT_EQ(a.TotalPhases, TAnimation::MAX_PHASES);
    EXPECT_EQ(a.AddPhase(10), 0);
    EXPECT_EQ(a.TotalPhases, TAnimation::MAX_PHASES);
    EXPECT_EQ(a.SetTotalPhases(TAnimation::MAX_PHASES + 1), 0);
    EXPECT_EQ(a.SetTotalPhases(0), 0);
    EXPECT_EQ(a.SetTotalPhases(3), 1);
}

TEST_F(AnimationTest, EasedRatios) {
    TAnimation a(100);
    a.Start();
    for (int i = 0; i < 10; ++i) a.Manage();  // half way
    EXPECT_FLOAT_EQ(a.GetRatio(), 0.5f);
    EXPECT_FLOAT_EQ(a.GetRatioInv(), 0.5f);
    EXPECT_NEAR(a.GetRatioSine(), 0.70710677f, 1e-6);
    EXPECT_FLOAT_EQ(a.GetRatioSine180(), a.GetRatioSine());
    EXPECT_NEAR(a.GetRatioInvSine180(), 0.5f, 1e-6);
    a.Reset();
    EXPECT_NEAR(a.GetRatioInvSine180(), 0.0f, 1e-6);
}

TEST_F(AnimationTest, SlowMotionStretchesLengthAndDeltaScalesUpdates) {
    Game().CurrentSpeed = 0.5f;
    TAnimation a(1000);
    EXPECT_FLOAT_EQ(a.Length[0], 400.0f);
    Game().CurrentSpeed = 1.0f;
    a.Init(1000);
    a.Start();
    Delta = 0.5f;
    EXPECT_EQ(UpdatesUntilEnd(a), 400);
}

TEST_F(AnimationTest, SineCounterWrapsOncePerUpdate) {
    TSineCounter s;
    s.Init(0, 360, 7);
    s.SetCounter(358);
    s.Manage();
    EXPECT_FLOAT_EQ(s.Counter, 5.0f);
    EXPECT_NEAR(s.ratio, 0.0871557f, 1e-6);
    s.Init(0, 360, -10);
    s.Manage();
    EXPECT_FLOAT_EQ(s.Counter, 350.0f);
    s.Init(0, 360, 800);  // more than one turn per update: only one wrap
    s.Manage();
    EXPECT_FLOAT_EQ(s.Counter, 440.0f);
}
