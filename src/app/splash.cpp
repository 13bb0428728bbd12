#include "app/splash.h"

#include <algorithm>

#include "app/game.h"
#include "resources/input_tables.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "resources/error.h"

namespace {

// A close request that arrived during the splash; it is handed on to the
// main loop afterwards instead of being lost.
bool closeRequested = false;

// Any key or mouse button pressed since the last look (polled tables), or a
// close request.
bool SkipRequested() {
    plat::PumpEvents();
    plat::Event event;
    while (plat::TakeEvent(event)) {
        if (event.kind == plat::EventKind::AppTerminate) closeRequested = true;
    }
    if (closeRequested) return true;
    for (int key = 1; key < KEY_TABLE_SIZE; ++key) {
        if (plat::PolledKeyHit(key)) return true;
    }
    for (int button = 1; button <= 3; ++button) {
        if (plat::PolledMouseHit(button)) return true;
    }
    return false;
}

float Now() { return static_cast<float>(plat::MilliSecs()); }

}  // namespace

// ---- TFade ------------------------------------------------------------------------

void TFade::Init(float length, plat::ImagePtr image, plat::ChannelPtr channel) {
    Length = length;
    Image = std::move(image);
    Channel = std::move(channel);
    Reset();
    CentreImage();
}

void TFade::Reset() {
    StartTime = Now();
    LastTime = StartTime;
    Elapsed = 0;
}

void TFade::CentreImage() {
    X = ScreenWidth / 2;
    Y = ScreenHeight / 2;
}

int TFade::RunUntil(float length) {
    Reset();
    while (true) {
        const float now = Now();
        Elapsed = now - StartTime;
        MoveBackground(now, now - LastTime);
        LastTime = now;
        if (Out == -1) {
            Ratio = 1.0f;
        } else {
            const float r = length > 0 ? std::clamp(Elapsed / length, 0.0f, 1.0f) : 1.0f;
            Ratio = Out ? 1.0f - r : r;
        }
        Draw();
        plat::Flip(1);
        if (SkipRequested()) return -1;
        if (Elapsed > length) return 0;
    }
}

int TFade::FadeDo(int out) {
    Out = out;
    return RunUntil(Length);
}

int TFade::WaitForTime(float ms) {
    Out = -1;
    return RunUntil(ms);
}

void TFade::MoveBackground(float, float elapsed) {
    if (!Background) return;
    const float seconds = elapsed / 1000.0f;
    BackgroundX += BackgroundXSpeed * seconds;
    BackgroundY += BackgroundYSpeed * seconds;
    BackgroundZoom += BackgroundZoomSpeed * seconds;
    if (BackgroundFadeTime > 0) BackgroundAlpha = std::min(1.0f, BackgroundAlpha + elapsed / BackgroundFadeTime);
}

void TFade::Draw() {
    plat::Cls();
    plat::SetBlend(plat::ALPHABLEND);
    if (Background) {
        plat::SetAlpha(BackgroundAlpha * Ratio);
        plat::SetScale(BackgroundZoom, BackgroundZoom);
        plat::DrawImage(*Background, BackgroundX, BackgroundY);
        plat::SetScale(1.0f, 1.0f);
    }
    if (Image) {
        plat::SetAlpha(Ratio);
        plat::DrawImage(*Image, static_cast<float>(X), static_cast<float>(Y));
    }
    plat::SetAlpha(1.0f);
    if (Channel) plat::SetChannelVolume(*Channel, Ratio * static_cast<float>(Game().SoundVolume) / 100.0f);
}

// ---- TSplashScreen --------------------------------------------------------------------

void TSplashScreen::Init(const std::string& imageUrl, const std::string& soundUrl, int sound, int fadeSound) {
    Image = plat::LoadImage(imageUrl);
    if (!Image) {
        ErrorMessage("Error loading bitmap " + imageUrl, true);
        return;
    }
    plat::MidHandleImage(*Image);
    Sound = sound;
    FadeSound = fadeSound;
    if (Sound) {
        Sample = plat::LoadSound(soundUrl, fadeSound ? plat::SOUND_LOOP : 0);
        if (!Sample) ErrorMessage("Error loading sample " + soundUrl, true);
    }
    OriginalPolledInputState = PolledInput;
    PolledInput = 1;
    plat::EnablePolledInput(true);
    SampleRate = 0.9f;
}

void TSplashScreen::InitTimes(float in, float full, float out) {
    TimeIn = in;
    TimeFull = full;
    TimeOut = out;
}

int TSplashScreen::DoSplash() {
    if (Sound && Sample) {
        Channel = plat::CueSound(Sample);
        if (Channel) {
            plat::SetChannelRate(*Channel, SampleRate);
            if (FadeSound) plat::SetChannelVolume(*Channel, 0.0f);
            plat::ResumeChannel(*Channel);
        }
    }
    fade.Init(TimeIn, Image, FadeSound ? Channel : nullptr);
    fade.Background = background;
    fade.BackgroundXSpeed = BackgroundXSpeed;
    fade.BackgroundYSpeed = BackgroundYSpeed;
    fade.BackgroundZoomSpeed = BackgroundZoomSpeed;
    fade.BackgroundFadeTime = BackgroundFadeTime;
    int result = fade.FadeDo(0);
    if (result == 0) result = fade.WaitForTime(TimeFull);
    if (result == 0) {
        fade.Length = TimeOut;
        result = fade.FadeDo(1);
    }
    CleanUp();
    return result;
}

void TSplashScreen::CleanUp() {
    if (closeRequested) {
        closeRequested = false;
        plat::PostEvent({plat::EventKind::AppTerminate, 0, 0, 0});
    }
    if (Channel) plat::StopChannel(*Channel);
    Channel.reset();
    FlushInput();
    PolledInput = OriginalPolledInputState;
    plat::EnablePolledInput(OriginalPolledInputState != 0);
    FlushInput();
}

int ShowStartupSplash() {
    auto& game = Game();
    TSplashScreen splash;
    splash.Init(game.DataPrefix + "data/graphics/pellorinelogo.png", game.DataPrefix + "data/sound/splash.wav",
                game.Sound, 1);
    splash.InitTimes(1250, 1500, 1250);
    return splash.DoSplash();
}
