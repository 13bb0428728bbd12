// Audio switches of the application object. The music state machine,
// fades and rotation build on these.
#include "app/game.h"

int TGame::MusicOn() {
    Music = 1;
    if (MusicChannel) plat::ResumeChannel(*MusicChannel);
    return 1;
}

int TGame::MusicOff() {
    Music = 0;
    if (MusicChannel) plat::PauseChannel(*MusicChannel);
    return 1;
}

int TGame::SpeechOn() {
    Speech = 1;
    return 1;
}

int TGame::SpeechOff() {
    Speech = 0;
    if (SpeechChannel) plat::StopChannel(*SpeechChannel);
    return 1;
}

int TGame::EscapeSoundPlay() { return 0; }
int TGame::MusicFadeInManage() { return 0; }
int TGame::MusicFadeOutManage() { return 0; }
void TGame::MusicRotationStep() {}
int TGame::ChannelsKill() { return 1; }

int TGame::ChangeSoundDriver(const std::string& name, int mark) {
    if (name.rfind("OpenAL", 0) == 0) plat::EnableOpenALAudio();
    SoundDriver = name;
    if (!plat::SetAudioDriver(name)) SoundDriver = "None";
    IniUpdate(mark);
    FixedRateLogic.Init();
    return 1;
}
