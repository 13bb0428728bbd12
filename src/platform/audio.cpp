#include "platform/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/audio_internal.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/legacy_settings.h"
#include "platform/stream.h"

namespace plat {

using audio::TDecoder;
using audio::TPcm;

// ---- device state ----

namespace {

struct TAudioState {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    bool openalEnabled = false;
    std::string driver = "None";
    // Bumped whenever a device goes away: sources and buffers made for an
    // older device are forgotten and made again on demand.
    uint64_t generation = 1;
    std::vector<std::weak_ptr<TChannel>> streams;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
};

// Never destroyed: sounds and channels held by global objects may still ask
// about the device while the program exits.
TAudioState& State() {
    static TAudioState* const state = new TAudioState;
    return *state;
}

bool Live() { return State().context != nullptr; }

constexpr size_t kStreamBuffers = 4;
constexpr size_t kStreamChunkFrames = 8192;

ALenum AlFormat(int channels) { return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16; }

}  // namespace

// ---- sounds ----

// Reads bytes shared with a streamed sound, which may play on many channels.
class TSharedBytesStream : public TStream {
public:
    explicit TSharedBytesStream(std::shared_ptr<const std::vector<uint8_t>> bytes) : bytes_(std::move(bytes)) {}
    size_t Read(void* buffer, size_t count) override {
        const size_t n = std::min(count, bytes_->size() - pos_);
        std::copy_n(bytes_->data() + pos_, n, static_cast<uint8_t*>(buffer));
        pos_ += n;
        if (n < count) failed_ = true;
        return n;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Pos() const override { return static_cast<int64_t>(pos_); }
    bool Seek(int64_t position) override {
        if (position < 0 || position > Size()) return false;
        pos_ = static_cast<size_t>(position);
        return true;
    }
    int64_t Size() const override { return static_cast<int64_t>(bytes_->size()); }

private:
    std::shared_ptr<const std::vector<uint8_t>> bytes_;
    size_t pos_ = 0;
};

struct TSound::Impl {
    TPcm pcm;
    // A streamed sound, decoded while it plays: from its file (or archive
    // entry), opened again for each play, or from bytes it was given.
    bool stream = false;
    // The file (or archive entry) of a stream, or of a sound loaded whole,
    // which then keeps no samples: they are decoded from the file into the
    // OpenAL buffer on its first play (and again for a new device).
    std::string url;
    std::shared_ptr<const std::vector<uint8_t>> encoded;
    double encodedSeconds = 0;
    bool loop = false;
    ALuint buffer = 0;
    uint64_t generation = 0;

    // The OpenAL buffer for the current device, made on first use.
    ALuint Buffer() {
        if (!Live()) return 0;
        if (buffer && generation == State().generation) return buffer;
        if (url.empty()) return Upload(pcm);
        TPcm fromFile;
        auto decoder = OpenEncoded();
        if (!decoder || !audio::DecodeAll(*decoder, fromFile)) fromFile = {};
        return Upload(fromFile);
    }

    // A new OpenAL buffer for the current device holding the samples.
    ALuint Upload(const TPcm& samples) {
        buffer = 0;
        generation = State().generation;
        alGetError();
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) return buffer = 0;
        alBufferData(buffer, AlFormat(samples.channels), samples.samples.data(),
                     static_cast<ALsizei>(samples.samples.size() * sizeof(int16_t)), samples.rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            buffer = 0;
        }
        return buffer;
    }

    bool Streamed() const { return stream; }

    std::unique_ptr<TDecoder> OpenEncoded() const {
        if (encoded) return audio::OpenDecoder(std::make_unique<TSharedBytesStream>(encoded));
        StreamPtr stream = url.empty() ? nullptr : ReadFile(url);
        return stream ? audio::OpenDecoder(std::move(stream)) : nullptr;
    }

    // Checks the stream and takes its length; false when it cannot be played.
    bool MeasureStream() {
        auto decoder = OpenEncoded();
        if (!decoder || decoder->Rate() <= 0) return false;
        const int64_t frames = decoder->TotalFrames();
        encodedSeconds = frames < 0 ? 0 : static_cast<double>(frames) / decoder->Rate();
        return true;
    }

    double Seconds() const {
        if (Streamed() || !url.empty()) return encodedSeconds;
        if (pcm.channels <= 0 || pcm.rate <= 0) return 0;
        return static_cast<double>(pcm.samples.size() / static_cast<size_t>(pcm.channels)) / pcm.rate;
    }
};

TSound::TSound(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TSound::~TSound() {
    if (impl_ && impl_->buffer && impl_->generation == State().generation && Live())
        alDeleteBuffers(1, &impl_->buffer);
}

// ---- channels ----

struct TChannel::Impl {
    ALuint source = 0;
    uint64_t generation = 0;
    SoundPtr sound;
    float volume = 1.0f;
    float pan = 0.0f;
    float rate = 1.0f;
    bool paused = false;  // cued or paused by the caller

    // Music fed from a decoder.
    std::unique_ptr<TDecoder> decoder;
    std::vector<ALuint> streamBuffers;
    std::vector<int16_t> chunk;
    bool streamLoop = false;
    bool streamEnded = false;

    // Without a device a channel still keeps time, so "playing" answers as
    // it would with sound: until the sound's length has passed.
    bool silentActive = false;
    bool silentLoop = false;
    double silentLength = 0;  // seconds, < 0 = unknown (plays until stopped)
    uint32_t silentStart = 0;
    uint32_t silentPausedAt = 0;

    ~Impl() { Release(); }

    bool SourceValid() const { return source && generation == State().generation && Live(); }

    ALuint Source() {
        if (!Live()) return 0;
        if (SourceValid()) return source;
        source = 0;
        streamBuffers.clear();
        generation = State().generation;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return source = 0;
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        ApplySettings();
        return source;
    }

    void ApplySettings() {
        if (!SourceValid()) return;
        alSourcef(source, AL_GAIN, volume);
        alSourcef(source, AL_PITCH, rate);
        // Pan places the source on a half circle in front of the listener.
        const float side = std::sqrt(std::max(0.0f, 1.0f - pan * pan));
        alSource3f(source, AL_POSITION, pan, 0.0f, -side);
    }

    ALint SourceState() const {
        if (!SourceValid()) return AL_INITIAL;
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        return state;
    }

    void Release() {
        StopSource();
        if (SourceValid()) alDeleteSources(1, &source);
        source = 0;
    }

    // Stops the voice and lets go of the sound and any music stream.
    void StopSource() {
        if (SourceValid()) {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
            if (!streamBuffers.empty())
                alDeleteBuffers(static_cast<ALsizei>(streamBuffers.size()), streamBuffers.data());
        }
        streamBuffers.clear();
        decoder.reset();
        sound.reset();
        paused = false;
        streamEnded = false;
        silentActive = false;
    }

    uint32_t SilentElapsed() const { return (paused ? silentPausedAt : MilliSecs()) - silentStart; }

    void StartSilent(double seconds, bool loop) {
        silentActive = true;
        silentLoop = loop;
        silentLength = seconds;
        silentStart = MilliSecs();
        silentPausedAt = silentStart;
    }

    bool SilentPlaying() const {
        if (!silentActive) return false;
        if (silentLoop || silentLength < 0) return true;
        return SilentElapsed() * static_cast<double>(std::max(rate, 0.001f)) < silentLength * 1000.0;
    }

    // Fills one buffer from the decoder; false when nothing is left.
    bool FillBuffer(ALuint buffer) {
        const size_t channels = static_cast<size_t>(decoder->Channels());
        chunk.resize(kStreamChunkFrames * channels);
        size_t frames = 0;
        while (frames < kStreamChunkFrames && !streamEnded) {
            const size_t got = decoder->Read(chunk.data() + frames * channels, kStreamChunkFrames - frames);
            frames += got;
            if (got == 0) {
                // At the end: loop by rewinding (a file that gives nothing after a rewind ends).
                if (!streamLoop || !decoder->Rewind() || frames == 0) streamEnded = true;
            }
        }
        if (frames == 0) return false;
        alBufferData(buffer, AlFormat(decoder->Channels()), chunk.data(),
                     static_cast<ALsizei>(frames * channels * sizeof(int16_t)), decoder->Rate());
        return true;
    }

    // Plays from the decoder, a few buffers ahead, fed by UpdateAudio;
    // without a device keeps time for the decoder's length.
    void StartStream(std::unique_ptr<TDecoder> from, bool loop, const ChannelPtr& self) {
        streamLoop = loop;
        const int64_t frames = from->TotalFrames();
        decoder = std::move(from);
        if (!Source()) {
            StartSilent(frames < 0 ? -1.0 : static_cast<double>(frames) / decoder->Rate(), loop);
            return;
        }
        alSourcei(source, AL_LOOPING, AL_FALSE);
        streamBuffers.resize(kStreamBuffers);
        alGenBuffers(static_cast<ALsizei>(kStreamBuffers), streamBuffers.data());
        for (ALuint buffer : streamBuffers)
            if (FillBuffer(buffer)) alSourceQueueBuffers(source, 1, &buffer);
        auto& streams = State().streams;
        if (std::none_of(streams.begin(), streams.end(), [&self](const auto& w) { return w.lock() == self; }))
            streams.push_back(self);
    }

    void Feed() {
        if (!decoder || !SourceValid()) return;
        ALint processed = 0;
        alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
        while (processed-- > 0) {
            ALuint buffer = 0;
            alSourceUnqueueBuffers(source, 1, &buffer);
            if (!streamEnded && FillBuffer(buffer)) alSourceQueueBuffers(source, 1, &buffer);
        }
        // A voice that ran dry while data is left (a long frame) starts again.
        ALint queued = 0;
        alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
        if (!paused && queued > 0 && SourceState() == AL_STOPPED) alSourcePlay(source);
    }
};

TChannel::TChannel(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TChannel::~TChannel() = default;

// ---- drivers ----

void EnableOpenALAudio() { State().openalEnabled = true; }

std::vector<std::string> AudioDrivers() {
    std::vector<std::string> names{legacy::SOUND_DRIVER_FREEAUDIO, legacy::SOUND_DRIVER_DIRECTSOUND};
    if (State().openalEnabled) names.push_back(legacy::SOUND_DRIVER_OPENAL);
    names.push_back("None");
    return names;
}

void ShutdownAudio() {
    TAudioState& s = State();
    if (s.context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(s.context);
    }
    if (s.device) alcCloseDevice(s.device);
    s.context = nullptr;
    s.device = nullptr;
    s.loopback = false;
    s.renderSamples = nullptr;
    s.driver = "None";
    s.streams.clear();
    ++s.generation;
}

namespace {

bool StartContext(ALCdevice* device, const ALCint* attributes) {
    TAudioState& s = State();
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return false;
    }
    s.device = device;
    s.context = context;
    alListener3f(AL_POSITION, 0, 0, 0);
    alListenerf(AL_GAIN, 1.0f);
    return true;
}

}  // namespace

bool SetAudioDriver(const std::string& name) {
    const auto names = AudioDrivers();
    if (std::find(names.begin(), names.end(), name) == names.end()) return false;
    ShutdownAudio();
    if (name == "None") return true;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device || !StartContext(device, nullptr)) return false;
    State().driver = name;
    return true;
}

std::string CurrentAudioDriver() { return State().driver; }
bool AudioAvailable() { return Live(); }

bool OpenLoopbackAudio(int sampleRate) {
    ShutdownAudio();
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return false;
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!open || !render) return false;
    ALCdevice* device = open(nullptr);
    if (!device) return false;
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
                                 ALC_FREQUENCY, sampleRate, 0};
    if (!StartContext(device, attributes)) return false;
    State().loopback = true;
    State().renderSamples = render;
    State().driver = "Loopback";
    return true;
}

std::vector<int16_t> RenderAudio(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(std::max(frames, 0)) * 2, 0);
    TAudioState& s = State();
    if (s.loopback && s.renderSamples && frames > 0) s.renderSamples(s.device, out.data(), frames);
    return out;
}

// ---- loading ----

SoundPtr LoadSound(const std::string& url, int flags) {
    // Read from the file while it plays, or decoded from it when first
    // played, rather than kept in memory; the path is made absolute so a
    // later change of folder does not lose it.
    auto impl = std::make_unique<TSound::Impl>();
    impl->url = url;
    std::error_code error;
    if (auto path = std::filesystem::absolute(ResolvePath(url), error); !error)
        impl->url = path.lexically_normal().string();
    impl->loop = (flags & SOUND_LOOP) != 0;
    impl->stream = (flags & SOUND_STREAM) != 0;
    if (impl->stream) return impl->MeasureStream() ? std::make_shared<TSound>(std::move(impl)) : nullptr;
    // Decoded whole once now, so that a file that cannot be played fails here.
    TPcm check;
    auto decoder = impl->OpenEncoded();
    if (!decoder || !audio::DecodeAll(*decoder, check)) return nullptr;
    impl->encodedSeconds = double(check.samples.size() / size_t(check.channels)) / check.rate;
    // With a device open the samples go to it now, so that the first play
    // does not decode the file again.
    if (Live()) impl->Upload(check);
    return std::make_shared<TSound>(std::move(impl));
}

SoundPtr LoadSound(TStream& stream, int flags) { return LoadSoundFromMemory(stream.ReadAll(), flags); }

SoundPtr LoadSoundFromMemory(const std::vector<uint8_t>& bytes, int flags) {
    auto impl = std::make_unique<TSound::Impl>();
    if (flags & SOUND_STREAM) {
        impl->stream = true;
        impl->encoded = std::make_shared<const std::vector<uint8_t>>(bytes);
        if (!impl->MeasureStream()) return nullptr;
    } else {
        auto decoder = audio::OpenDecoder(std::make_unique<TBankStream>(bytes));
        if (!decoder || !audio::DecodeAll(*decoder, impl->pcm)) return nullptr;
    }
    impl->loop = (flags & SOUND_LOOP) != 0;
    return std::make_shared<TSound>(std::move(impl));
}

float SoundLength(const TSound& sound) { return static_cast<float>(const_cast<TSound&>(sound).impl().Seconds()); }

// ---- playing ----

ChannelPtr AllocChannel() { return std::make_shared<TChannel>(std::make_unique<TChannel::Impl>()); }

namespace {

// Puts the sound on the channel, stopped at its start; the caller starts it.
ChannelPtr Prepare(const SoundPtr& sound, ChannelPtr channel) {
    if (!channel) channel = AllocChannel();
    TChannel::Impl& c = channel->impl();
    c.StopSource();
    if (!sound) return channel;
    c.sound = sound;
    if (sound->impl().Streamed()) {
        if (auto decoder = sound->impl().OpenEncoded()) c.StartStream(std::move(decoder), sound->impl().loop, channel);
        return channel;
    }
    const ALuint source = c.Source();
    const ALuint buffer = sound->impl().Buffer();
    if (source && buffer) {
        alSourceRewind(source);  // back to "initial": started by the resume
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        alSourcei(source, AL_LOOPING, sound->impl().loop ? AL_TRUE : AL_FALSE);
        c.ApplySettings();
    } else {
        c.StartSilent(sound->impl().Seconds(), sound->impl().loop);
    }
    return channel;
}

}  // namespace

ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel) {
    channel = Prepare(sound, std::move(channel));
    if (sound) {
        channel->impl().paused = true;
        channel->impl().silentPausedAt = channel->impl().silentStart;
    }
    return channel;
}

void StopChannel(TChannel& channel) { channel.impl().StopSource(); }

void PauseChannel(TChannel& channel) {
    TChannel::Impl& c = channel.impl();
    if (c.paused || !ChannelPlaying(channel)) return;
    c.paused = true;
    c.silentPausedAt = MilliSecs();
    if (c.SourceValid()) alSourcePause(c.source);
}

void ResumeChannel(TChannel& channel) {
    TChannel::Impl& c = channel.impl();
    if (!c.paused && c.SourceState() != AL_INITIAL) return;
    if (!c.sound && !c.decoder && !c.silentActive) return;
    if (c.paused) c.silentStart += MilliSecs() - c.silentPausedAt;
    c.paused = false;
    if (c.SourceValid()) alSourcePlay(c.source);
}

void SetChannelVolume(TChannel& channel, float volume) {
    channel.impl().volume = std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : 0.0f;
    channel.impl().ApplySettings();
}

void SetChannelPan(TChannel& channel, float pan) {
    channel.impl().pan = std::isfinite(pan) ? std::clamp(pan, -1.0f, 1.0f) : 0.0f;
    channel.impl().ApplySettings();
}

void SetChannelRate(TChannel& channel, float rate) {
    channel.impl().rate = std::isfinite(rate) ? std::clamp(rate, 0.01f, 100.0f) : 1.0f;
    channel.impl().ApplySettings();
}

bool ChannelPlaying(TChannel& channel) {
    TChannel::Impl& c = channel.impl();
    if (c.SourceValid()) {
        const ALint state = c.SourceState();
        if (state == AL_PLAYING) return true;
        if (c.paused) return c.sound != nullptr || c.decoder != nullptr;
        // A stream that ran dry before UpdateAudio refilled it is still playing.
        return c.decoder && !c.streamEnded;
    }
    return c.SilentPlaying();
}

bool ChannelPaused(TChannel& channel) { return channel.impl().paused && ChannelPlaying(channel); }

// ---- music streams ----

ChannelPtr OpenMusicStream(const std::string& url, bool loop, bool startPaused) {
    auto decoder = audio::OpenDecoder(ReadFile(url));
    if (!decoder) return nullptr;
    ChannelPtr channel = AllocChannel();
    TChannel::Impl& c = channel->impl();
    c.StartStream(std::move(decoder), loop, channel);
    c.paused = true;
    c.silentPausedAt = c.silentStart;
    if (!startPaused) ResumeChannel(*channel);
    return channel;
}

void UpdateAudio() {
    auto& streams = State().streams;
    std::erase_if(streams, [](const std::weak_ptr<TChannel>& weak) {
        const ChannelPtr channel = weak.lock();
        if (!channel || !channel->impl().decoder) return true;
        channel->impl().Feed();
        return false;
    });
}

}  // namespace plat
