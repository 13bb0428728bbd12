#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "gui/sprite.h"

namespace {

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        Delta = 1.0f;
    }
    void TearDown() override { ResetGlobals(); }

    // A mid-handled 40 x 20 image of four frames, with no pixels behind it.
    static GameImagePtr Strip(int frames = 4, int midHandle = 1) {
        auto img = TGameImage::CreateFromImage(plat::CreateImage(40, 20, frames), "STRIP", midHandle);
        return img;
    }
    // Frames seen on each of n updates.
    static std::vector<int> Frames(TSprite& s, int n) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i) {
            s.ManageAnim();
            out.push_back(s.frame);
        }
        return out;
    }
};

TEST_F(SpriteTest, SingleFrameSpriteIgnoresAnimationAndDrawsImageFrame) {
    TSprite s;
    s.ImageFrame = 2;
    s.AnimCounter = 0;
    EXPECT_EQ(s.ManageAnim(), 0);
    EXPECT_EQ(s.AnimCounter, 0.0f);
    // Zero frames and lengths under one update are usable and never divide by zero.
    s.SetupAnim(0, 0, 1);
    EXPECT_EQ(s.FramesTotal, 1);
    EXPECT_GE(s.AnimLength, 1);
    EXPECT_EQ(s.GetAnimFrame(), 0);
    s.SetupAnim(3, 2, 1);
    EXPECT_GE(s.AnimLength, 1);
    for (int i = 0; i < 5; ++i) s.ManageAnim();
    EXPECT_GE(s.frame, 0);
    EXPECT_LT(s.frame, 3);
    s.AnimLength = 0;
    EXPECT_EQ(s.GetAnimFrame(), 0);
}

TEST_F(SpriteTest, StripFramesFollowTheCounterInBothCounterModes) {
    // 4 frames over 100 ms = 20 updates: each frame shows for 5 updates.
    for (int dir : {0, 1}) {
        TSprite s;
        s.SetImage(Strip());
        s.SetupAnim(4, 100, dir, 0, 0, 0, 1);
        EXPECT_EQ(s.AnimLength, 20);
        EXPECT_FLOAT_EQ(s.FrameLength, 5.0f);
        const auto seen = Frames(s, 20);
        EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 0}))
            << "dir " << dir;
    }
    // Reverse play runs last -> 0.
    TSprite r;
    r.SetupAnim(4, 100, 1, 1, 0, 0, 1);
    EXPECT_EQ(Frames(r, 6), (std::vector<int>{3, 3, 3, 3, 3, 2}));
}

TEST_F(SpriteTest, NonLoopingAnimationHoldsOnLastFrameAndReportsEveryUpdate) {
    TSprite s;
    int calls = 0;
    s.AnimStoppedFunction = [&](TSprite&) { ++calls; };
    s.SetupAnim(4, 100, 1, 0, 0, 0, 0);
    for (int i = 0; i < 19; ++i) s.ManageAnim();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(s.ManageAnim(), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(s.frame, 3);
    s.ManageAnim();
    s.ManageAnim();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(s.frame, 3);
    s.StopAnim();
    s.ManageAnim();
    EXPECT_EQ(calls, 3);
}

TEST_F(SpriteTest, LoopCountPlaysThePassesThenHolds) {
    TSprite s;
    int calls = 0;
    s.AnimStoppedFunction = [&](TSprite&) { ++calls; };
    s.SetupAnim(4, 100, 1, 0, 0, 0, 1);
    s.LoopCount = 3;
    for (int i = 0; i < 40; ++i) s.ManageAnim();
    EXPECT_EQ(calls, 2);  // two wraps
    EXPECT_EQ(s.Loop, 1);
    for (int i = 0; i < 20; ++i) s.ManageAnim();
    EXPECT_EQ(calls, 2);  // the third end stops without a call
    EXPECT_EQ(s.Loop, 0);
    EXPECT_EQ(s.frame, 3);
    s.ManageAnim();
    s.ManageAnim();
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(s.frame, 3);
}

TEST_F(SpriteTest, PingPongRunsUpAndDownThroughEveryFrame) {
    for (int dir : {0, 1}) {
        TSprite s;
        int calls = 0;
        s.AnimStoppedFunction = [&](TSprite&) { ++calls; };
        s.SetupAnim(3, 75, dir, 0, 0, 1, 1);  // 15 updates, 5 per frame
        std::vector<int> runs;
        for (int f : Frames(s, 60)) {
            ASSERT_GE(f, 0);
            ASSERT_LE(f, 2);
            if (runs.empty() || runs.back() != f) runs.push_back(f);
        }
        ASSERT_GE(runs.size(), 9u);
        runs.resize(9);
        EXPECT_EQ(runs, (std::vector<int>{0, 1, 2, 1, 0, 1, 2, 1, 0})) << "dir " << dir;
        EXPECT_EQ(calls, 0);
    }
}

TEST_F(SpriteTest, GlowFadesAndPulses) {
    TSprite s;
    s.SetGlow(2, 1.0f, 0.3f);
    for (int i = 0; i < 3; ++i) s.ManageGlow();
    EXPECT_NEAR(s.Glow, 0.1f, 1e-5);
    s.ManageGlow();
    EXPECT_EQ(s.Glow, 0.0f);
    s.ManageGlow();
    EXPECT_EQ(s.Glow, 0.0f);

    // Pulse between 0.2 and 0.6: |sine| of the counter, 90 degrees = the top.
    s.SetGlow(3, 0, 10.0f, 0.2f, 0.6f);
    EXPECT_FLOAT_EQ(s.GlowRange, 0.4f);
    std::vector<float> glow;
    for (int i = 0; i < 36; ++i) {
        s.ManageGlow();
        glow.push_back(s.Glow);
    }
    EXPECT_NEAR(glow[2], 0.2f + 0.4f * std::sin(30 * M_PI / 180), 1e-4);
    EXPECT_NEAR(glow[8], 0.6f, 1e-4);   // 90
    EXPECT_NEAR(glow[17], 0.2f, 1e-4);  // 180
    EXPECT_NEAR(glow[26], 0.6f, 1e-4);  // 270: the absolute value keeps it up
    for (float g : glow) {
        EXPECT_GE(g, 0.2f - 1e-5);
        EXPECT_LE(g, 0.6f + 1e-5);
    }
}

TEST_F(SpriteTest, RotationScaleAndMovementPerUpdate) {
    TSprite s;
    s.SetupRotation(1.0f, 0, 1);
    s.Rotation = 359.5f;
    s.ManageRotation();
    EXPECT_NEAR(s.Rotation, 0.5f, 1e-4);

    TSprite timed;
    timed.SetupRotation(2.0f, 50, 0);  // 10 updates
    for (int i = 0; i < 15; ++i) timed.ManageRotation();
    EXPECT_FLOAT_EQ(timed.Rotation, 20.0f);

    TSprite scaled;
    scaled.SetupScale(0.1f, 0.05f, 25);  // 5 updates
    for (int i = 0; i < 8; ++i) scaled.ManageScale();
    EXPECT_NEAR(scaled.ScaleX, 1.5f, 1e-5);
    EXPECT_NEAR(scaled.ScaleY, 1.25f, 1e-5);
    scaled.SetScaleXY(2, 0);
    EXPECT_EQ(scaled.ScaleY, 2.0f);

    // Gravity counts from the next update; half a tick moves half as far.
    TSprite m;
    m.dy = 1;
    m.ygravity = 0.5f;
    m.Move();
    EXPECT_FLOAT_EQ(m.y, 1.0f);
    Delta = 0.5f;
    m.Move();
    EXPECT_FLOAT_EQ(m.y, 1.75f);
    Delta = 1.0f;

    TSprite f;
    f.speed = 2;
    f.Rotation = 90;
    f.MoveForward();
    EXPECT_NEAR(f.x, 2.0f, 1e-5);
    EXPECT_NEAR(f.y, 0.0f, 1e-5);
}

TEST_F(SpriteTest, BoundsCheckAndOffScreenTest) {
    TSprite s;
    s.SetImage(Strip());
    s.xspeed = 50;
    s.x = 30;
    s.y = 300;
    s.MoveLeft();
    EXPECT_EQ(s.x, 20.0f);  // clamped to the half width
    s.SetPosition(-20, 300);
    EXPECT_EQ(s.OutOfBounds(), 0);  // exactly -w2 is inside
    s.x = -20.5f;
    EXPECT_EQ(s.OutOfBounds(), 1);
    s.SetPosition(400, 610);
    EXPECT_EQ(s.OutOfBounds(), 0);
    s.y = 610.5f;
    EXPECT_EQ(s.OutOfBounds(), 1);

    TSprite corner;
    corner.SetImage(Strip(1, 0));
    corner.SetPosition(-40, 0);
    EXPECT_EQ(corner.OutOfBounds(), 0);
    corner.x = 800.5f;
    EXPECT_EQ(corner.OutOfBounds(), 1);
}

TEST_F(SpriteTest, KillReleasesTheAttachedSpriteAndMovingCarriesIt) {
    auto inner = std::make_shared<TSprite>();
    auto grand = std::make_shared<TSprite>();
    inner->AttachedSprite = grand;
    TSprite s;
    s.AttachedSprite = inner;
    s.dx = 2;
    s.dy = -1;
    s.MoveAttachedSprite();
    EXPECT_EQ(inner->x, 2.0f);
    EXPECT_EQ(inner->y, -1.0f);
    s.Kill();
    EXPECT_EQ(s.AttachedSprite, nullptr);
    EXPECT_EQ(inner->AttachedSprite, nullptr);

    TSprite keep;
    keep.AttachedSprite = inner;
    inner->AttachedSprite = grand;
    keep.KillAttachedSprite = 0;
    keep.Kill();
    EXPECT_EQ(inner->AttachedSprite, grand);
}

TEST_F(SpriteTest, NamesAreUpperCased) {
    TSprite s;
    s.SetName("ok-Button\xe9");
    EXPECT_EQ(s.name, "OK-BUTTON\xe9");
}

TEST_F(SpriteTest, GlowDrawKeepsTheOwnersAlternativeImage) {
    TSprite s;
    s.SetImage(Strip());
    auto other = Strip();
    s.AlternativeImage = other;
    s.SetGlow(1, 0.5f);
    s.Draw();
    EXPECT_EQ(s.AlternativeImage, other);
    s.DrawLight(1.0f, 1, 1, 1, Strip());
    EXPECT_EQ(s.AlternativeImage, other);
}

}  // namespace
