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
};

TEST_F(SpriteTest, SingleFrameSpriteIgnoresAnimationAndDrawsImageFrame) {
    TSprite s;
    s.ImageFrame = 2;
    s.AnimCounter = 0;
    EXPECT_EQ(s.ManageAnim(), 0);
    EXPECT_EQ(s.AnimCounter, 0.0f);
    s.AnimLength = 0;
    EXPECT_EQ(s.GetAnimFrame(), 0);
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

TEST_F(SpriteTest, MovementPerUpdate) {
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

TEST_F(SpriteTest, KillReleasesTheAttachedSprite) {
    auto inner = std::make_shared<TSprite>();
    auto grand = std::make_shared<TSprite>();
    inner->AttachedSprite = grand;
    TSprite s;
    s.AttachedSprite = inner;
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
