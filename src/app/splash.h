#pragma once
// The blocking logo splash shown once at start-up, before the main loop:
// the logo fades in, holds and fades out with its sound following the fade;
// any key or mouse button skips the rest. TFade is the timed fade it runs on.
#include <string>

#include "platform/audio.h"
#include "platform/graphics.h"

class TFade {
public:
    plat::ChannelPtr Channel;
    plat::ImagePtr Image;
    int X = 0, Y = 0;
    float Length = 0;
    float StartTime = 0;
    float Elapsed = 0;
    float Ratio = 0;
    float LastTime = 0;
    plat::ImagePtr Background;
    float BackgroundX = 0, BackgroundY = 0;
    float BackgroundZoom = 1.0f;
    float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0;
    float BackgroundFadeTime = 0;
    float BackgroundAlpha = 0;
    int Out = 0;  // 1 out, 0 in, -1 hold

    void Init(float length, plat::ImagePtr image, plat::ChannelPtr channel);
    void Reset();
    void CentreImage();
    // Runs the fade to its end: 0, or -1 when a key or mouse button skipped it.
    int FadeDo(int out);
    void MoveBackground(float now, float elapsed);
    // Holds the image at full alpha for ms: 0, or -1 when skipped.
    int WaitForTime(float ms);
    void Draw();
    void Full() { Ratio = 1.0f; }

private:
    int RunUntil(float length);
};

class TSplashScreen {
public:
    plat::ImagePtr Image;
    plat::SoundPtr Sample;
    int Sound = 0;
    float SampleRate = 0.9f;
    int FadeSound = 0;
    plat::ChannelPtr Channel;
    TFade fade;
    float TimeIn = 1000.0f, TimeFull = 1000.0f, TimeOut = 1000.0f;
    int OriginalPolledInputState = 0;
    plat::ImagePtr background;
    float BackgroundXSpeed = 20.0f, BackgroundYSpeed = 10.0f;
    float BackgroundZoomSpeed = 0.02f, BackgroundFadeTime = 250.0f;

    // The logo (fatal when missing) and, with sound, the sample (looped with
    // fadeSound); switches polled input on until CleanUp.
    void Init(const std::string& imageUrl, const std::string& soundUrl, int sound, int fadeSound);
    void InitTimes(float in, float full, float out);
    // 0 when shown in full, -1 when the player skipped it.
    int DoSplash();
    void CleanUp();
};

// Start-up's splash: the game's logo and sound, 1250 / 1500 / 1250 ms.
int ShowStartupSplash();
