#pragma once
// Music, speech and the escape sound of the running game: the music state
// machine with its fades, the music rotation between the title's tracks, the
// speech channel, and the channel paused and resumed with the music. The
// switches and volumes are the game's sound settings.
#include <string>

#include "platform/audio.h"
#include "resources/banks.h"

class TGame;

class TGameAudio {
public:
    explicit TGameAudio(TGame& game) : game_(game) {}
    TGameAudio(const TGameAudio&) = delete;
    TGameAudio& operator=(const TGameAudio&) = delete;

    plat::ChannelPtr MusicChannel;
    std::string MusicFileName = "none";
    std::string MusicName = "none";
    bool MusicLooped = true;
    // Set up but not (re)started: MusicOn loads and plays it afresh.
    bool MusicRestart = true;
    bool MusicStopped = false;
    // The music follows the screen fade.
    bool FadeMusic = true;
    plat::ChannelPtr SpeechChannel;
    bool SpeechStopped = false;
    plat::ChannelPtr EscapeChannel;
    bool MusicRotationEnabled = false;
    int MusicTrackNumber = 1;  // the rotation's next track: "music" + number + ".ogg"
    plat::SoundPtr MusicSample;
    float MusicFadeIn = 50.0f;  // ms
    float MusicFadeInCounter = 0;
    float MusicFadeOut = 1000.0f;  // ms
    float MusicFadeOutCounter = 0;
    plat::ChannelPtr SpecialChannel;  // paused and resumed with the music
    GameSoundPtr EscapeSound;
    // Whether music and speech were on when the game paused.
    bool PausedMusicState = true, PausedSpeechState = true;

    // ---- music ----------------------------------------------------------
    // Loads MusicPath + file (fatal when it cannot be loaded); a track of the
    // music bank is taken from there instead of being read again.
    int MusicLoad(const std::string& file, int looped);
    int MusicSet(plat::SoundPtr sound, const std::string& name, int looped);
    int MusicStop();
    int MusicPlay(int fadeIn);
    int MusicNone();
    float MusicFadeInCalc() const;
    float MusicFadeOutCalc() const;
    int MusicFadeInApply();
    int MusicFadeOutApply();
    int MusicFadeInManage();
    int MusicFadeOutManage();
    int MusicSetVolume(int volume, int save);
    int MusicChangeVolume(int step);
    int ToggleMusic();
    int MusicOn();
    int MusicOff();

    // ---- music rotation ("music1.ogg", "music2.ogg" from the music bank) --
    // Enables the rotation and starts the next track now (title screen).
    int MusicRotationStart();
    // Stops the music and starts track MusicTrackNumber, not looped; then
    // advances the number 1 -> 2 -> 1. 0 when the track is not in the bank.
    int MusicRotationPlayNext();
    // Once per frame: the next track when the current one has ended.
    void MusicRotationStep();

    // ---- speech -------------------------------------------------------------
    int SpeechPlay(TGameSound& sound, int interrupt);
    int SpeechSetVolume(int volume, int save);
    int SpeechOn();
    int SpeechOff();

    // ---- the escape sound ----------------------------------------------------
    // SoundPath + name + ".wav".
    int SetEscapeSound(const std::string& name);
    int EscapeSoundPlay();

private:
    TGame& game_;
};
