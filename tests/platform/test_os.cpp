#include <gtest/gtest.h>

#include <regex>

#include "platform/clock.h"

namespace {

TEST(Clock, DateAndTimeFormats) {
    EXPECT_TRUE(std::regex_match(plat::CurrentDate(), std::regex(R"(\d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4})")))
        << plat::CurrentDate();
    EXPECT_TRUE(std::regex_match(plat::CurrentTime(), std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)")))
        << plat::CurrentTime();
}

TEST(Clock, ManualClockReplacesTheSystemClock) {
    plat::TManualClock manual;
    manual.now = 4000000000u;
    plat::SetClock(&manual);
    plat::Delay(500000000);  // wraps around 32 bits
    EXPECT_EQ(plat::MilliSecs(), 205032704u);
    plat::SetClock(nullptr);
    const uint32_t a = plat::MilliSecs();
    plat::Delay(20);
    EXPECT_GE(plat::MilliSecs() - a, 20u);
}

TEST(Random, SeededRangesAndRepeatability) {
    plat::SeedRnd(42);
    std::vector<int> first;
    for (int i = 0; i < 20; ++i) first.push_back(plat::Rand(1, 6));
    plat::SeedRnd(42);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plat::Rand(1, 6), first[static_cast<size_t>(i)]);

    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const int r = plat::Rand(5, -2);  // either order
        ASSERT_GE(r, -2);
        ASSERT_LE(r, 5);
        sawLow |= r == -2;
        sawHigh |= r == 5;
        const double d = plat::Rnd(1.0, 2.0);
        ASSERT_GE(d, 1.0);
        ASSERT_LT(d, 2.0);
        const float f = plat::RndF(0.0f, 1.0f);
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(plat::Rand(3, 3), 3);
    EXPECT_EQ(plat::Rnd(2.5, 2.5), 2.5);
}

TEST(Maths, DegreeFunctions) {
    EXPECT_NEAR(plat::SinD(90), 1.0, 1e-12);
    EXPECT_NEAR(plat::CosD(180), -1.0, 1e-12);
    EXPECT_NEAR(plat::ATan2D(1, 1), 45.0, 1e-12);
}

}  // namespace
