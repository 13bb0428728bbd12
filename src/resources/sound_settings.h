#pragma once
// The sound switches and volumes (0..100) the player set, the channel pool,
// and how a bank sound is played; the application object provides them.
#include <memory>

#include "platform/audio.h"
#include "resources/registered.h"

class TGameSound;
class TChannelArray;

class TSoundSettings : public TRegistered<TSoundSettings> {
public:
    TSoundSettings();
    virtual ~TSoundSettings();

    int Sound = 1, Music = 1, Speech = 1;
    int SoundVolume = 100, MusicVolume = 100, SpeechVolume = 100;
    // The pool of effect channels; none until start-up creates it.
    std::unique_ptr<TChannelArray> Channels;

    // Plays sound at the given volume factor in place of its own. Without the
    // application object nothing is heard.
    virtual int GameSoundPlayAt(plat::ChannelPtr& /*channel*/, TGameSound& /*sound*/, float /*volume*/,
                                float /*pan*/) {
        return 0;
    }
};

inline TSoundSettings& SoundSettings() { return TSoundSettings::Current(); }
