#include <gtest/gtest.h>

#include "resources/channels.h"
#include "test_channels_util.h"

using namespace audiotest;

namespace {

class ChannelsTest : public AudioTest {
protected:
    GameSoundPtr longSound;

    void SetUp() override {
        AudioTest::SetUp();
        longSound = GameTone("LONG", 2.0);
        Game().ChannelsCreate(4);
    }
    TChannelArray& Pool() { return *Game().Channels; }
    int IndexOf(const GameChannelPtr& c) {
        for (int i = 1; i <= Pool().Count(); ++i)
            if (Pool().ChannelByIndex(i) == c) return i;
        return 0;
    }
};

TEST_F(ChannelsTest, ChannelsAreHandedOutRoundRobinSkippingBusyAndReservedOnes) {
    // The channel handed out last is tried last: 2, 3, 4, 1, 2, ...
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) order.push_back(IndexOf(Pool().GetChannel()));
    EXPECT_EQ(order, (std::vector<int>{2, 3, 4, 1, 2}));

    // Playing channels are skipped; a reserved one is never handed out.
    ASSERT_EQ(IndexOf(Pool().PlayGameSound(*longSound)), 3);
    ASSERT_EQ(IndexOf(Pool().PlayGameSound(*longSound)), 4);
    Pool().ChannelByIndex(1)->Reserved = 1;
    EXPECT_EQ(IndexOf(Pool().GetChannel()), 2);
    EXPECT_EQ(IndexOf(Pool().GetChannel()), 2);

    // A channel that need not finish is taken even while it plays.
    Pool().ChannelByIndex(3)->PlayWhenFinished = 0;
    EXPECT_EQ(IndexOf(Pool().GetChannel()), 3);
}

TEST_F(ChannelsTest, EffectIsSkippedWhenEveryChannelIsBusyOrReserved) {
    Pool().ChannelByIndex(1)->Reserved = 1;
    for (int i = 0; i < 3; ++i) ASSERT_NE(Pool().PlayGameSound(*longSound), nullptr);
    EXPECT_EQ(Pool().CountPlaying(), 3);
    EXPECT_EQ(Pool().GetChannel(), nullptr);
    EXPECT_EQ(Pool().PlayGameSound(*longSound), nullptr);
    EXPECT_EQ(Pool().CountPlaying(), 3);

    // Once a sound ends its channel is free again.
    Pool().ChannelByIndex(1)->Reserved = 0;
    auto shortSound = GameTone("SHORT", 0.05);
    Game().Channels->Kill();
    Game().ChannelsCreate(1);
    ASSERT_NE(Pool().PlayGameSound(*shortSound), nullptr);
    EXPECT_EQ(Pool().GetChannel(), nullptr);
    Advance(0.2);
    EXPECT_NE(Pool().GetChannel(), nullptr);
}

TEST_F(ChannelsTest, BalanceWithSixteenChannelsNeverLowersVolumes) {
    Game().ChannelsCreate(16);
    EXPECT_FLOAT_EQ(Pool().MaxVol, 16.0f);
    for (int i = 0; i < 16; ++i) {
        ASSERT_NE(Pool().PlayGameSound(*longSound), nullptr);
        EXPECT_FLOAT_EQ(Pool().BalanceVolumes(0), 1.0f);
    }
    EXPECT_EQ(Pool().CountPlaying(), 16);
    EXPECT_FLOAT_EQ(Pool().BalanceVolumes(1), 16.0f / 17.0f);
}

TEST_F(ChannelsTest, DefaultMaxVolHalvesThreeSoundsAndLeavesTheBankEntryAlone) {
    auto pool = TChannelArray::Create(4);
    EXPECT_FLOAT_EQ(pool->MaxVol, 1.5f);
    longSound->volume = 0.8f;
    for (int i = 0; i < 3; ++i) pool->PlayGameSound(*longSound, nullptr, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(pool->BalanceVolumes(0), 0.5f);
    EXPECT_FLOAT_EQ(longSound->volume, 0.8f);
    pool->Kill();
}

TEST_F(ChannelsTest, PlayedEffectIsHeardScaledBySoundVolumeAndScreenFade) {
    auto pool = TChannelArray::Create(4);
    pool->MaxVol = 4;
    pool->PlayGameSound(*longSound);
    const double full = Listen();
    ASSERT_GT(full, 1000.0);

    pool->Kill();
    Advance(0.05);  // let the stopped sound die away
    pool = TChannelArray::Create(4);
    pool->MaxVol = 4;
    Game().SoundVolume = 50;
    pool->PlayGameSound(*longSound);
    EXPECT_NEAR(Listen() / full, 0.5, 0.06);

    // While the screen fades, effects fade with it.
    pool->Kill();
    Advance(0.05);  // let the stopped sound die away
    pool = TChannelArray::Create(4);
    pool->MaxVol = 4;
    Game().SoundVolume = 100;
    Game().GameFade.Active = 1;
    Game().GameFade.Ratio = 0.25f;
    pool->PlayGameSound(*longSound);
    EXPECT_NEAR(Listen() / full, 0.25, 0.05);
    Game().GameFade.Active = 0;

    // Sound switched off: nothing is played.
    pool->Kill();
    Advance(0.05);  // let the stopped sound die away
    pool = TChannelArray::Create(4);
    Game().Sound = 0;
    pool->PlayGameSound(*longSound);
    EXPECT_EQ(pool->CountPlaying(), 0);
    EXPECT_LT(Listen(), 1.0);
    pool->Kill();
}

TEST_F(ChannelsTest, StopGameChannelReplacesTheChannelAtTheEnd) {
    GameChannelPtr first = Pool().PlayGameSound(*longSound);
    ASSERT_TRUE(first->Playing());
    Pool().StopGameChannel(first);
    EXPECT_FALSE(first->Playing());
    EXPECT_EQ(Pool().Count(), 4);
    EXPECT_EQ(IndexOf(first), 0);
    EXPECT_EQ(Pool().Current, Pool().ChannelByIndex(4));
    EXPECT_EQ(Pool().ChannelByIndex(0), nullptr);
    EXPECT_EQ(Pool().ChannelByIndex(5), nullptr);

    // A channel from outside the pool is stopped without growing the pool.
    auto outside = TGameChannel::Create();
    outside->Channel = plat::CueSound(longSound->sound, outside->Channel);
    plat::ResumeChannel(*outside->Channel);
    Pool().StopGameChannel(outside);
    EXPECT_FALSE(outside->Playing());
    EXPECT_EQ(Pool().Count(), 4);
}

TEST_F(ChannelsTest, ScreenFadeOutStopsItsPoolChannel) {
    GameChannelPtr effect = Pool().PlayGameSound(*longSound);
    auto& fade = Game().GameFade;
    fade.Init(100, 1, nullptr, 0, 0);
    fade.Channel2 = effect;
    for (int i = 0; i < 10; ++i) fade.Manage();
    EXPECT_TRUE(effect->Playing());
    while (fade.Active) fade.Manage();
    EXPECT_FALSE(effect->Playing());
    EXPECT_EQ(IndexOf(effect), 0);
    EXPECT_EQ(Pool().Count(), 4);
}

}  // namespace
