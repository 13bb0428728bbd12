#pragma once
// Sound effects on OpenAL Soft sources and streamed music. Without any audio
// device every call still works and plays nothing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class TStream;

class TSound {
public:
    struct Impl;
    explicit TSound(std::unique_ptr<Impl> impl);
    ~TSound();
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};
using SoundPtr = std::shared_ptr<TSound>;

class TChannel {
public:
    struct Impl;
    explicit TChannel(std::unique_ptr<Impl> impl);
    ~TChannel();
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};
using ChannelPtr = std::shared_ptr<TChannel>;

// SOUND_STREAM keeps the file's compressed bytes and decodes them while the
// sound plays, a little ahead (for music: a few hundred kilobytes instead of
// tens of megabytes of samples).
enum SoundFlags { SOUND_LOOP = 1, SOUND_STREAM = 2 };

// Driver names kept in the settings; every name but "None" opens OpenAL Soft's
// default device here.
void EnableOpenALAudio();
std::vector<std::string> AudioDrivers();
bool SetAudioDriver(const std::string& name);  // false if it cannot be opened
std::string CurrentAudioDriver();              // "None" when silent
bool AudioAvailable();
void ShutdownAudio();

// Opens OpenAL's loopback device (no hardware) for tests; RenderAudio mixes
// frames of interleaved 16-bit stereo at the given rate.
bool OpenLoopbackAudio(int sampleRate);
std::vector<int16_t> RenderAudio(int frames);

// WAV or Ogg Vorbis; null on failure.
SoundPtr LoadSound(const std::string& url, int flags = 0);
SoundPtr LoadSound(TStream& stream, int flags = 0);
SoundPtr LoadSoundFromMemory(const std::vector<uint8_t>& bytes, int flags = 0);
float SoundLength(const TSound& sound);  // seconds

ChannelPtr AllocChannel();
ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel = nullptr);
void StopChannel(TChannel& channel);
void PauseChannel(TChannel& channel);
void ResumeChannel(TChannel& channel);
void SetChannelVolume(TChannel& channel, float volume);  // 0..1
void SetChannelPan(TChannel& channel, float pan);        // -1..1
void SetChannelRate(TChannel& channel, float rate);      // 1 = normal
// A cued or paused channel that still holds a sound counts as playing (it is
// not free); a stopped channel or one whose sound ended does not. Without a
// device a channel keeps time by the clock and answers the same way.
bool ChannelPlaying(TChannel& channel);
bool ChannelPaused(TChannel& channel);

// Streamed music (Ogg Vorbis or WAV) decoded while it plays; stopping the
// channel releases the stream. Null when the file cannot be opened.
ChannelPtr OpenMusicStream(const std::string& url, bool loop, bool startPaused);
// Feeds every streaming channel; called once per frame by the main loop.
void UpdateAudio();

}  // namespace plat
