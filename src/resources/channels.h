#pragma once
// The pool of sound-effect channels. Effects are handed the next free channel
// in turn, and the pool evens out the volumes so that many sounds at once do
// not clip.
#include <memory>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "resources/banks.h"

class TGameChannel {
public:
    plat::ChannelPtr Channel;
    std::string name;
    int Reserved = 0;          // never handed out by GetChannel
    int PlayWhenFinished = 1;  // only handed out when not playing
    float OriginalVolume = 1.0f;

    // With a freshly allocated platform channel.
    static std::shared_ptr<TGameChannel> Create();
    bool Playing() const;
    // Stops the channel and drops it.
    void Kill();
};
using GameChannelPtr = std::shared_ptr<TGameChannel>;

class TChannelArray {
public:
    std::vector<GameChannelPtr> List;
    float MaxVol = 1.5f;
    GameChannelPtr Current;

    static std::unique_ptr<TChannelArray> Create(int count);

    // The next usable channel after Current (round-robin, Current itself is
    // tried last); null when every channel is reserved or busy.
    GameChannelPtr GetChannel();
    // Plays the sound on gameChannel, or on GetChannel() when that is null
    // (nothing is played when no channel is free). The bank's entry keeps
    // its own volume. Answers the pool channel used.
    GameChannelPtr PlayGameSound(TGameSound& sound, GameChannelPtr gameChannel = nullptr, float volume = 1.0f,
                                 float pan = 0.0f);
    // Factor MaxVol / (playing + extra), at most 1, applied to every channel.
    float BalanceVolumes(int extra);
    void SetVolume(float factor);
    int CountPlaying() const;
    // 1-based; null past either end.
    GameChannelPtr ChannelByIndex(int index) const;
    void Manage() { BalanceVolumes(0); }
    // Stops, drops and removes every channel.
    void Kill();
    // Stops the channel and replaces it by a fresh one at the end of the
    // pool, which becomes Current.
    void StopGameChannel(const GameChannelPtr& gameChannel);
    int Count() const { return static_cast<int>(List.size()); }
};
