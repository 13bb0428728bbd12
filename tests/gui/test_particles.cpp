// Sprite particles: fades, delay, phases, spin, shrink, bounds, life, the
// list's sweeping and cap, and the burst count following the particle setting.
#include <gtest/gtest.h>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "gui/particles.h"
#include "platform/clock.h"

namespace {

class ParticlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        Delta = 1.0f;
        plat::SeedRnd(11);
    }
    // A particle with no fade, life, spin or scale speed at (x, y).
    ParticlePtr Plain(float x = 400, float y = 300, float fadeMs = 0, float lifeMs = 0) {
        return list.AddNew(x, y, nullptr, 0, 0, 0, fadeMs, 0, 0, 0, 1, 0, lifeMs, 0);
    }
    int UpdatesUntilGone(const ParticlePtr& p, int limit = 10000) {
        for (int i = 1; i <= limit; ++i) {
            list.Manage();
            if (!p->active) return i;
        }
        return -1;
    }

    TParticleList list;
};

}  // namespace

TEST_F(ParticlesTest, FadeOfOneSecondTakes200UpdatesThenTheParticleLeavesItsList) {
    auto p = Plain(400, 300, 1000);
    ASSERT_FLOAT_EQ(p->FadeCounter, 200);
    list.Manage();
    p->Draw();
    EXPECT_NEAR(p->Alpha, 199.0f / 200.0f, 1e-6);
    EXPECT_EQ(UpdatesUntilGone(p), 199);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(p->Particles, nullptr);
}

TEST_F(ParticlesTest, LifeCountsDownInUpdatesAndWithDelta) {
    auto p = Plain(400, 300, 0, 100);  // 20 updates
    EXPECT_EQ(UpdatesUntilGone(p), 20);
    auto q = Plain(400, 300, 0, 100);
    Delta = 0.5f;
    EXPECT_EQ(UpdatesUntilGone(q), 40);
}

TEST_F(ParticlesTest, RotationWrapsBothWays) {
    auto left = list.AddNew(400, 300, nullptr, 0, 0, 0, 0, 0, -1, 3, 1, 0, 0, 0);
    left->Rotation = 1;
    auto right = list.AddNew(400, 300, nullptr, 0, 0, 0, 0, 0, 1, 3, 1, 0, 0, 0);
    right->Rotation = 359;
    list.Manage();
    EXPECT_FLOAT_EQ(left->Rotation, 358);
    EXPECT_FLOAT_EQ(right->Rotation, 2);
}

TEST_F(ParticlesTest, ShrinkingToNothingKills) {
    auto p = list.AddNew(400, 300, nullptr, 0, 0, 0, 0, 0, 0, 0, 1, -0.1f, 0, 0);
    const int updates = UpdatesUntilGone(p);
    EXPECT_GE(updates, 10);
    EXPECT_LE(updates, 11);
}

TEST_F(ParticlesTest, LeavingTheScreenKillsUnlessNoOutOfBounds) {
    auto leaving = list.AddNew(790, 300, nullptr, 5, 0, 0, 1000, 0, 0, 0, 1, 0, 0, 0);
    auto kept = list.AddNew(790, 300, nullptr, 5, 0, 0, 1000, 0, 0, 0, 1, 0, 0, 0);
    kept->NoOutOfBounds = 1;
    for (int i = 0; i < 10; ++i) list.Manage();
    EXPECT_FALSE(leaving->active);
    EXPECT_TRUE(kept->active);
    EXPECT_GT(kept->x, 800);
    // It goes on until its fade ends.
    EXPECT_EQ(UpdatesUntilGone(kept), 190);
}

TEST_F(ParticlesTest, GravityOnlyPullsDown) {
    auto p = list.AddNew(400, 300, nullptr, 0, -1, 0.5f, 0, 0, 0, 0, 1, 0, 0, 0);
    list.Manage();
    EXPECT_FLOAT_EQ(p->y, 299);
    EXPECT_FLOAT_EQ(p->dy, -0.5f);
}

TEST_F(ParticlesTest, KillsDuringTheWalkAreSweptAfterwards) {
    auto a = Plain();
    auto b = Plain();
    auto c = Plain();
    auto attached = Plain();
    b->AttachedParticle = attached;
    // a's user movement kills b (and so the particle attached to it) mid-walk.
    a->UserMove = [&](TParticle&) { b->Kill(); };
    int userKills = 0;
    b->UserKill = [&](TParticle&) { ++userKills; };
    list.Manage();
    EXPECT_EQ(userKills, 1);
    EXPECT_FALSE(attached->active);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Items()[0], a);
    EXPECT_EQ(list.Items()[1], c);
    b->Kill();  // a second kill does nothing
    EXPECT_EQ(userKills, 1);
}

TEST_F(ParticlesTest, ListHasACap) {
    list.Cap = 5;
    for (int i = 0; i < 5; ++i) ASSERT_NE(Plain(), nullptr);
    EXPECT_EQ(Plain(), nullptr);
    list.Items()[0]->Kill();
    EXPECT_NE(Plain(), nullptr);
}

TEST_F(ParticlesTest, BurstCountFollowsTheParticleSetting) {
    Game().Particles = 50;
    EXPECT_EQ(AddParticles(list, 100, 100, nullptr, 20), 10);
    EXPECT_EQ(list.Count(), 10u);
    Game().Particles = 0;
    EXPECT_EQ(AddParticles(list, 100, 100, nullptr, 20), 0);
    Game().Particles = 100;
    EXPECT_EQ(AddParticles(list, 100, 100, nullptr, 7), 7);
    for (const auto& p : list.Items()) {
        EXPECT_GE(p->dx, -1.5f);
        EXPECT_LE(p->dx, 1.5f);
        EXPECT_LE(p->dy, 0.0f);
        EXPECT_GE(p->ScaleX, 0.3f);
        EXPECT_LE(p->ScaleX, 1.0f);
        EXPECT_TRUE(p->DoRotate == 1 || p->DoRotate == -1);
        EXPECT_FLOAT_EQ(p->FadeLength, 200);
        ASSERT_NE(p->Color, nullptr);
        EXPECT_GE(p->Color->R, 100);
    }
}
