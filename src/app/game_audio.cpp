// Audio of the application object: the music state machine with its fades,
// the music rotation, sound effects, speech, the escape sound, the effect
// channel pool and the choice of sound driver.
#include <algorithm>
#include <cmath>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "resources/error.h"
#include "resources/resource_globals.h"

namespace {

int ClampVolume(int volume) { return std::clamp(volume, 0, 100); }

float VolumeFactor(int volume) { return static_cast<float>(volume) / 100.0f; }

bool Playing(const plat::ChannelPtr& channel) { return channel && plat::ChannelPlaying(*channel); }

void SetVolume(const plat::ChannelPtr& channel, float volume) {
    if (channel) plat::SetChannelVolume(*channel, volume);
}

// The key a bank stores a file under: no folder, no extension, upper case.
std::string BankName(const std::string& file) {
    std::string name = file.substr(file.find_last_of("/\\") + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// Counts a fade counter down by one update, never below 0.
bool CountDown(float& counter) {
    if (counter <= 0) return false;
    counter = std::max(0.0f, counter - Delta);
    return true;
}

}  // namespace

// ---- music -------------------------------------------------------------------------

int TGameAudio::MusicLoad(const std::string& file, int looped) {
    if (game_.Music) {
        MusicStop();
        // The game's tracks are held whole in the music bank (not looped).
        const std::string name = BankName(file);
        if (!looped && MusicBank().Has(name)) {
            MusicSample = MusicBank().Find(name)->sound;
        } else {
            const std::string path = game_.MusicPath + file;
            MusicSample = plat::LoadSound(path, plat::SOUND_STREAM | (looped ? plat::SOUND_LOOP : 0));
            if (!MusicSample) ErrorMessage("Error loading sample " + path, true);
        }
    }
    MusicLooped = looped;
    MusicRestart = 1;
    MusicFileName = file;
    return 1;
}

int TGameAudio::MusicSet(plat::SoundPtr sound, const std::string& name, int looped) {
    if (game_.Music) {
        MusicStop();
        MusicSample = std::move(sound);
    }
    MusicLooped = looped;
    MusicRestart = 1;
    MusicFileName = name;
    return 1;
}

int TGameAudio::MusicStop() {
    if (game_.Music && Playing(MusicChannel)) {
        plat::StopChannel(*MusicChannel);
        MusicChannel = plat::AllocChannel();
    }
    MusicRestart = 1;
    return 1;
}

int TGameAudio::MusicPlay(int fadeIn) {
    if (!game_.Music) {
        MusicRestart = 1;
    } else if (MusicChannel && MusicSample) {
        MusicFadeInCounter = fadeIn ? std::max(0.0f, std::trunc(game_.CalcAnimLength(MusicFadeIn - 1.0f))) : 0.0f;
        plat::CueSound(MusicSample, MusicChannel);
        MusicFadeInApply();
        plat::ResumeChannel(*MusicChannel);
        MusicRestart = 0;
        MusicStopped = 0;
    }
    MusicName = MusicFileName;
    return 1;
}

int TGameAudio::MusicNone() {
    MusicFileName = "none";
    MusicName = "none";
    MusicRestart = 1;
    return 1;
}

float TGameAudio::MusicFadeInCalc() const {
    const float length = game_.CalcAnimLength(MusicFadeIn);
    if (length <= 0) return 1.0f;
    return (length - MusicFadeInCounter) / length;
}

float TGameAudio::MusicFadeOutCalc() const {
    const float length = game_.CalcAnimLength(MusicFadeOut);
    if (length <= 0) return 1.0f;
    return (length - MusicFadeOutCounter) / length;
}

int TGameAudio::MusicFadeInApply() {
    const float f = MusicFadeIn > 0 ? MusicFadeInCalc() : 1.0f;
    SetVolume(MusicChannel, f * VolumeFactor(game_.MusicVolume));
    return 1;
}

int TGameAudio::MusicFadeOutApply() {
    const float f = MusicFadeOut > 0 ? MusicFadeOutCalc() : 1.0f;
    SetVolume(MusicChannel, VolumeFactor(game_.MusicVolume) * (1.0f - f));
    return 1;
}

int TGameAudio::MusicFadeInManage() {
    if (!CountDown(MusicFadeInCounter)) return 0;
    return MusicFadeInApply();
}

int TGameAudio::MusicFadeOutManage() {
    if (!CountDown(MusicFadeOutCounter)) return 0;
    return MusicFadeOutApply();
}

int TGameAudio::MusicSetVolume(int volume, int save) {
    game_.MusicVolume = ClampVolume(volume);
    SetVolume(MusicChannel, VolumeFactor(game_.MusicVolume));
    if (save == 1) {
        game_.IniUpdate(1);
        game_.FixedRateLogic.Init();
    }
    return 1;
}

int TGameAudio::MusicChangeVolume(int step) { return MusicSetVolume(ClampVolume(game_.MusicVolume + step), 1); }

int TGameAudio::ToggleMusic() {
    if (game_.Paused) return 0;
    if (game_.Music)
        MusicOff();
    else
        MusicOn();
    game_.IniUpdate(1);
    game_.FixedRateLogic.Init();
    return 1;
}

int TGameAudio::MusicOff() {
    if (MusicRestart == 1) return 0;  // set up but not started: nothing to pause
    game_.Music = 0;
    if (MusicChannel) plat::PauseChannel(*MusicChannel);
    if (SpecialChannel) plat::PauseChannel(*SpecialChannel);
    return 1;
}

int TGameAudio::MusicOn() {
    if (game_.Music == 1) return 0;
    game_.Music = 1;
    if (MusicRestart == 1 || !MusicChannel) {
        // After MusicNone there is no track to load or play.
        if (MusicFileName == "none") return 1;
        if (!MusicChannel) MusicChannel = plat::AllocChannel();
        MusicLoad(MusicFileName, MusicLooped);
        if (MusicName != "none") MusicPlay(1);
    } else {
        if (MusicLooped || !MusicStopped) plat::ResumeChannel(*MusicChannel);
        if (SpecialChannel) plat::ResumeChannel(*SpecialChannel);
    }
    return 1;
}

// ---- music rotation ---------------------------------------------------------------------

int TGameAudio::MusicRotationStart() {
    MusicRotationEnabled = 1;
    return MusicRotationPlayNext();
}

int TGameAudio::MusicRotationPlayNext() {
    const std::string file = "music" + std::to_string(MusicTrackNumber) + ".ogg";
    const std::string name = BankName(file);
    if (!MusicBank().Has(name)) return 0;
    MusicStop();
    if (!MusicChannel) MusicChannel = plat::AllocChannel();
    MusicSample = MusicBank().Find(name)->sound;
    MusicLooped = 0;
    MusicRestart = 1;
    MusicFileName = file;
    MusicPlay(1);
    MusicTrackNumber = MusicTrackNumber == 1 ? 2 : 1;
    return 1;
}

void TGameAudio::MusicRotationStep() {
    if (!MusicRotationEnabled || !game_.Music) return;
    // A paused track still counts as playing; only an ended one moves on.
    if (Playing(MusicChannel)) return;
    MusicRotationPlayNext();
}

// ---- sound effects -----------------------------------------------------------------------

int TGame::GameSoundPlay(plat::ChannelPtr& channel, TGameSound& sound, float pan) {
    return GameSoundPlayAt(channel, sound, sound.volume, pan);
}

int TGame::GameSoundPlayAt(plat::ChannelPtr& channel, TGameSound& sound, float volume, float pan) {
    if (!Sound) return 0;
    if (Playing(channel)) plat::SetChannelVolume(*channel, 0.1f);
    if (!channel || !sound.sound) return 0;
    plat::CueSound(sound.sound, channel);
    float v = VolumeFactor(SoundVolume) * volume;
    // Effects fade with the picture.
    if (GameFade.Active) v *= GameFade.Ratio;
    plat::SetChannelVolume(*channel, v);
    plat::SetChannelPan(*channel, pan);
    // The music bank stores pitch 0, meaning the sound's own rate.
    plat::SetChannelRate(*channel, sound.pitch > 0 ? sound.pitch : 1.0f);
    plat::ResumeChannel(*channel);
    return 1;
}

int TGame::SoundSetVolume(int volume, int save) {
    SoundVolume = ClampVolume(volume);
    if (save == 1) {
        IniUpdate(1);
        FixedRateLogic.Init();
    }
    return 1;
}

int TGame::SoundChangeVolume(int step) { return SoundSetVolume(ClampVolume(SoundVolume + step), 1); }

// ---- speech -----------------------------------------------------------------------------

int TGameAudio::SpeechPlay(TGameSound& sound, int interrupt) {
    if (!game_.Speech || !SpeechChannel || !sound.sound) return 0;
    if (!interrupt && Playing(SpeechChannel)) return 0;
    plat::CueSound(sound.sound, SpeechChannel);
    plat::SetChannelVolume(*SpeechChannel, VolumeFactor(game_.SpeechVolume));
    plat::ResumeChannel(*SpeechChannel);
    SpeechStopped = 0;
    return 1;
}

int TGameAudio::SpeechSetVolume(int volume, int save) {
    game_.SpeechVolume = ClampVolume(volume);
    SetVolume(SpeechChannel, VolumeFactor(game_.SpeechVolume));
    if (save == 1) {
        game_.IniUpdate(1);
        game_.FixedRateLogic.Init();
    }
    return 1;
}

int TGameAudio::SpeechOff() {
    game_.Speech = 0;
    if (SpeechChannel) plat::PauseChannel(*SpeechChannel);
    return 1;
}

int TGameAudio::SpeechOn() {
    if (game_.Speech) return 0;
    game_.Speech = 1;
    if (SpeechChannel && !SpeechStopped) plat::ResumeChannel(*SpeechChannel);
    return 1;
}

// ---- channels and driver -------------------------------------------------------------------

int TGameAudio::SetEscapeSound(const std::string& name) {
    EscapeSound = TGameSound::Create(game_.SoundPath + name + ".wav", 0);
    return 1;
}

int TGameAudio::EscapeSoundPlay() {
    if (!EscapeSound) return 0;
    if (!EscapeChannel) EscapeChannel = plat::AllocChannel();
    return EscapeSound->PlayInChannel(EscapeChannel, 0.0f);
}

int TGame::ChannelsCreate(int count) {
    Channels = TChannelArray::Create(count);
    Channels->MaxVol = static_cast<float>(count);
    // The third value handed on by TGameSound::PlayInChannel is the pan.
    SetGameSoundPlayer([](plat::ChannelPtr& channel, TGameSound& sound, float pan) {
        return Game().GameSoundPlay(channel, sound, pan);
    });
    return 1;
}

int TGame::ChannelsKill() {
    if (!Channels) return 0;
    Channels->Kill();
    Channels.reset();
    return 1;
}

int TGame::ChangeSoundDriver(const std::string& name, int mark) {
    if (name.rfind("OpenAL", 0) == 0) plat::EnableOpenALAudio();
    if (plat::SetAudioDriver(name)) {
        SoundDriver = name;
    } else {
        // Unknown name or no device: make sure nothing is left open and run silent.
        plat::SetAudioDriver("None");
        SoundDriver = "None";
    }
    IniUpdate(mark);
    FixedRateLogic.Init();
    return 1;
}
