// Sliding text lines: where a line is before, during and after its legs.
#include <gtest/gtest.h>

#include <cmath>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "effects/slide_line.h"

namespace {

class SlideLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        Delta = 1.0f;
    }
    static void Updates(TSlideLine& line, int count) {
        for (int i = 0; i < count; ++i) line.Manage();
    }
};

}  // namespace

TEST_F(SlideLineTest, OneLegIsLinearInTimeAndRestsAtItsEnd) {
    TSlideLine line;
    line.InitLine("x", -200, 100, 300, 100, 1000);
    // Never started: drawn where it will end.
    EXPECT_FLOAT_EQ(line.GetX(), 300);
    EXPECT_FLOAT_EQ(line.GetY(), 100);

    line.Start();
    EXPECT_FLOAT_EQ(line.GetX(), -200);
    Updates(line, 100);
    EXPECT_FLOAT_EQ(line.GetX(), 50);
    Updates(line, 99);
    EXPECT_LT(line.GetX(), 300);
    EXPECT_EQ(line.Active, 1);
    Updates(line, 1);
    EXPECT_FLOAT_EQ(line.GetX(), 300);
    EXPECT_EQ(line.Active, 0);
    Updates(line, 50);
    EXPECT_FLOAT_EQ(line.GetX(), 300);
    EXPECT_FLOAT_EQ(line.GetY(), 100);
}

TEST_F(SlideLineTest, EachLegStartsAtItsOwnStartPoint) {
    TSlideLine line;
    line.InitLine("", 0, 0, 100, 0, 100);
    ASSERT_EQ(line.AddPhaseSpecial(500, 50, 600, 150, 100), 1);
    line.Start();
    Updates(line, 19);
    EXPECT_FLOAT_EQ(line.GetX(), 95);
    Updates(line, 1);
    EXPECT_FLOAT_EQ(line.GetX(), 500);
    EXPECT_FLOAT_EQ(line.GetY(), 50);
    Updates(line, 10);
    EXPECT_FLOAT_EQ(line.GetX(), 550);
    EXPECT_FLOAT_EQ(line.GetY(), 100);

    // Started again half way through the second leg: back on the first.
    line.Start();
    EXPECT_EQ(line.CurrentPhase, 0);
    EXPECT_FLOAT_EQ(line.GetY(), 0);
}

// The high-score table's journey: a wait of no length for the first entry,
// the flight in from the right, and a rest where the line came to.
TEST_F(SlideLineTest, ALegOfNoLengthCountsAsTravelled) {
    TSlideLine line;
    line.InitLine("", -570, 190, -570, 190, 0);
    line.AddPhaseSpecial(800, 190, 150, 190, 600);
    line.AddPhaseSpecial(150, 190, 150, 190, 500);
    line.Start();
    EXPECT_TRUE(std::isfinite(line.GetX()));
    EXPECT_FLOAT_EQ(line.GetX(), -570);
    EXPECT_EQ(line.Manage(), 1);
    EXPECT_FLOAT_EQ(line.GetX(), 800);
    Updates(line, 120);
    EXPECT_EQ(line.CurrentPhase, 2);
    EXPECT_FLOAT_EQ(line.GetX(), 150);
    Updates(line, 100);
    EXPECT_EQ(line.Active, 0);
    EXPECT_FLOAT_EQ(line.GetX(), 150);
}

TEST_F(SlideLineTest, AtMostFiftyLegs) {
    TSlideLine line;
    line.InitLine("", 0, 0, 1, 1, 10);
    for (int leg = 1; leg < TAnimation::MAX_PHASES; ++leg)
        ASSERT_EQ(line.AddPhaseSpecial(0, 0, static_cast<float>(leg), 1, 10), 1) << leg;
    EXPECT_EQ(line.AddPhaseSpecial(0, 0, 999, 999, 10), 0);
    EXPECT_EQ(line.TotalPhases, TAnimation::MAX_PHASES);
    EXPECT_FLOAT_EQ(line.GetX(), TAnimation::MAX_PHASES - 1);
    line.Start();
    Updates(line, 2 * TAnimation::MAX_PHASES);
    EXPECT_EQ(line.Active, 0);
    EXPECT_FLOAT_EQ(line.GetX(), TAnimation::MAX_PHASES - 1);
}
