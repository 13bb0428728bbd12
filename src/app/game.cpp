#include "app/game.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/input_tables.h"
#include "app/settings_table.h"
#include "app/write_failure.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

int StartupStage = 0;
int FlipSyncMode = 1;
uint32_t StartTime = 0;

namespace {
std::unique_ptr<TPellorineGame> gameObject;
std::unique_ptr<PNMouse> pnMouse;
std::unique_ptr<TIniFile> configIni;
}  // namespace

TIniFile& ConfigIni() {
    if (!configIni) configIni = std::make_unique<TIniFile>();
    return *configIni;
}

TPellorineGame& Game() {
    if (!gameObject) gameObject = std::make_unique<TPellorineGame>();
    return *gameObject;
}

bool HasGame() { return gameObject != nullptr; }

PNMouse& PNMouseObject() {
    if (!pnMouse) pnMouse = std::make_unique<PNMouse>();
    return *pnMouse;
}

std::vector<std::function<void()>>& GlobalsResets() {
    static std::vector<std::function<void()>> resets;
    return resets;
}

bool AddGlobalsReset(std::function<void()> reset) {
    GlobalsResets().push_back(std::move(reset));
    return true;
}

void ResetGlobals() {
    gameObject.reset();
    pnMouse.reset();
    configIni.reset();
    StartupStage = 0;
    FlipSyncMode = 1;
    StartTime = 0;
    Delta = 1.0f;
    PolledInput = 0;
    ErrorOnScreen = 1;
    ResetErrorLog();
    ResetWriteFailures();
    FlushKeys();
    ResetResourceGlobals();
    for (const auto& reset : GlobalsResets()) reset();
    Game();
}

TGame::TGame() : ExitScreen(std::make_unique<TExitScreen>()) {
    ApplyDefaultSettings(*this);
    SetGameMouse(&Mouse);
}

TGame::~TGame() {
    if (&GameMouse() == &Mouse) SetGameMouse(nullptr);
}

// ---- timing ------------------------------------------------------------------

int TGame::FastOn() {
    Fast = 1;
    LastFlipSync = FlipSyncMode;
    FlipSyncMode = 0;
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::FastOff() {
    if (Fast != 1) return 0;
    Fast = 0;
    FlipSyncMode = LastFlipSync;
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::SlowMotionOn() {
    SlowMotion = 1;
    CurrentSpeed = SlowMotionSpeed;
    FixedRateLogic.Framerate = static_cast<float>(FixedRateLogic.FramerateDefault) * SlowMotionSpeed;
    FixedRateLogic.CalcMS();
    FixedRateLogic.Init();
    return 1;
}

int TGame::SlowMotionOff() {
    SlowMotion = 0;
    CurrentSpeed = 1.0f;
    FixedRateLogic.Framerate = static_cast<float>(FixedRateLogic.FramerateDefault);
    FixedRateLogic.CalcMS();
    FixedRateLogic.Init();
    return 1;
}

int TGame::SetFlipSync() {
    FlipSyncMode = VSync ? 1 : 0;
    return 1;
}

// ---- display ------------------------------------------------------------------

int TGame::SetPriority() {
    if (FullScreen) {
        plat::SetProcessPriority(FullScreenProcess);
        plat::SetThreadPriority(FullScreenThread);
    } else {
        plat::SetProcessPriority(WindowedProcess);
        plat::SetThreadPriority(WindowedThread);
    }
    return 1;
}

int TGame::SetWindowCoords() {
    const plat::Rect r = plat::WindowOuterRect();
    WindowX = r.x;
    WindowY = r.y;
    return 1;
}

int TGame::SetClientCoords() {
    const plat::Rect r = plat::WindowClientRect();
    ClientX = r.x;
    ClientY = r.y;
    return 1;
}

int TGame::RestoreMouseCoords() {
    if (FullScreen) {
        Mouse.x = std::clamp(Mouse.x, 0, ScreenWidth - 1);
        Mouse.y = std::clamp(Mouse.y, 0, ScreenHeight - 1);
    }
    plat::MoveMouse(Mouse.x, Mouse.y);
    return 1;
}

int TGame::ToggleFullScreen() {
    if (FullScreen) {
        FullScreen = 0;
    } else {
        if (ForceWindowedMode) return 0;
        FullScreen = 1;
        plat::HideMouse();
    }
    Mouse.ClearButtons();
    GraphicsCreate();
    RestoreMouseCoords();
    IniUpdate(1);
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::ToggleVSync() {
    VSync = VSync ? 0 : 1;
    IniUpdate(1);
    SetFlipSync();
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::SetDriver(int driver) {
    const int wanted = driver != legacy::DRIVER_DIRECTX7 ? legacy::DRIVER_OPENGL : legacy::DRIVER_DIRECTX7;
    if (Driver == wanted) return 0;
    Driver = wanted;
    plat::CloseGraphics();
    GraphicsCreate();
    plat::MoveMouse(Mouse.x, Mouse.y);
    IniUpdate(1);
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    FlushInput();
    return 1;
}

// ---- pause and window state -------------------------------------------------

int TGame::Pause() {
    PausedMusicState = Music;
    PausedSpeechState = Speech;
    if (Music) MusicOff();
    if (Speech) SpeechOff();
    if (PausedUserFunction) PausedUserFunction();
    plat::SetProcessPriority(plat::PRIORITY_NORMAL);
    plat::SetThreadPriority(0);
    return 1;
}

int TGame::UnPause() {
    if (PausedMusicState) MusicOn();
    if (PausedSpeechState) SpeechOn();
    SetPriority();
    FixedRateLogic.Init();
    return 1;
}

int TGame::GameTerminated() {
    if (!TerminatedEvent) return 1;
    TerminatedEvent = 0;
    if (TerminatedUserFunction && TerminatedUserFunction() != 0) return 1;
    InstantExit = 1;
    if (CurrentTScreen && CurrentTScreen->name == "game" && SaveCurrentProfile) SaveCurrentProfile();
    if (KeepProgressFunction) KeepProgressFunction();
    return -1;
}

int TGame::CheckWindow() {
    if (GameTerminated() == -1) return -1;
    if (SuspendedEvent && !Suspended) {
        if (PauseOnLossOfFocus && !Paused) {
            Paused = 1;
            Pause();
        }
        if (!Paused) Pause();
        Suspended = 1;
        if (UserSuspendFunction) UserSuspendFunction();
    } else if (!SuspendedEvent && Suspended) {
        if (!Paused) {
            if (PausedMusicState) MusicOn();
            if (PausedSpeechState) SpeechOn();
            SetPriority();
        }
        FixedRateLogic.Init();
        Suspended = 0;
        if (UserResumeFunction) UserResumeFunction();
        FlushInput();
    }
    if (!Suspended && !Paused) {
        if (Music && !MusicLooped && MusicChannel && !plat::ChannelPlaying(*MusicChannel)) MusicStopped = 1;
        if (Speech && SpeechChannel && !plat::ChannelPlaying(*SpeechChannel)) SpeechStopped = 1;
        MusicFadeInManage();
        MusicFadeOutManage();
    }
    if (Suspended) plat::Delay(1);
    return 1;
}

// ---- keys -----------------------------------------------------------------------

void TGame::StartEscapeFade() {
    EscapeSoundPlay();
    int time = CurrentTScreen ? CurrentTScreen->SetEscDestination() : 0;
    if (time == 0) time = DefaultFadeTime;
    if (FadeMusic) {
        GameFade.Init(time, 1, MusicChannel, 0, 0);
    } else {
        GameFade.Init(time, 1, nullptr, 0, 0);
        FadeMusic = 1;
    }
}

void TGame::ReadPauseKey() {
    if (IgnorePauseKey) return;
    const bool toggle = KeyHit('P') || (Paused && Mouse.h1 > 0);
    if (!toggle) return;
    Paused = Paused ? 0 : 1;
    if (Paused) Pause(); else UnPause();
    FlushInput();
}

void TGame::ReadEscapeKey() {
    if (!KeyHit(plat::KEY_ESCAPE)) return;
    if (GameFade.Active) {
        if (!GameFade.Out) {
            GameFade.FadeInAborted = 1;
            GameFade.FadeCounterBeforeAbort = GameFade.Counter;
        }
        GameFade.Finish();
    } else if (Paused) {
        Paused = 0;
        UnPause();
        FlushInput();
    } else if (IgnoreEscapeKey) {
        UnreadKeyHit(plat::KEY_ESCAPE);
    } else {
        StartEscapeFade();
    }
}

void TGame::ReadFrameworkKeys() {
    if (IgnoreFrameworkKeys) return;
    if (KeyHit(plat::KEY_MINUS)) {
        SoundVolume = std::max(0, SoundVolume - 10);
        MusicVolume = std::max(0, MusicVolume - 10);
        SpeechVolume = std::max(0, SpeechVolume - 10);
    }
    if (KeyHit(plat::KEY_EQUALS)) {
        SoundVolume = std::min(100, SoundVolume + 10);
        MusicVolume = std::min(100, MusicVolume + 10);
        SpeechVolume = std::min(100, SpeechVolume + 10);
    }
    const bool ctrl = KeyDown(plat::KEY_LCONTROL) || KeyDown(plat::KEY_RCONTROL);
    if (ctrl && KeyHit('X')) {
        if (CurrentTScreen && CurrentTScreen->name == "game" && SaveCurrentProfile) SaveCurrentProfile();
        InstantExit = 1;
    }
    if (KeyHit('F')) ToggleFullScreen();
    if (KeyHit('M')) { if (Music) MusicOff(); else MusicOn(); }
    if (KeyHit('S')) Sound = Sound ? 0 : 1;
    if (Debug) {
        if (KeyHit('T')) { if (Fast) FastOff(); else { SlowMotionOff(); FastOn(); } }
        if (KeyHit('L')) { if (SlowMotion) SlowMotionOff(); else { FastOff(); SlowMotionOn(); } }
        if (KeyHit('I')) FlipSyncMode = FlipSyncMode == 1 ? -1 : (FlipSyncMode == -1 ? 0 : 1);
        if (KeyHit('N')) NoTiming = NoTiming ? 0 : 1;
    }
    if (KeyHit('V')) ToggleVSync();
    // The other back end, which here means opening the graphics afresh.
    if (KeyHit('G')) SetDriver(Driver != legacy::DRIVER_DIRECTX7 ? legacy::DRIVER_DIRECTX7 : legacy::DRIVER_OPENGL);
}

int TGame::ReadKeys() {
    if (CheckWindow() == -1) {
        // Paused or in the background nothing fades: the game ends at once.
        if (FadeOnExit == 0 || Paused || Suspended) return -1;
        InstantExit = 0;
        // A screen still fading in fades out from where it got to.
        GameFade.TurnOut(DefaultFadeTime, MusicChannel);
        DestinationTScreen = ExitScreen.get();
    }
    if (BlockKeys) return 0;
    ReadPauseKey();
    ReadEscapeKey();
    const bool alt = KeyDown(plat::KEY_LALT) || KeyDown(plat::KEY_RALT);
    if (alt && KeyHit(plat::KEY_ENTER)) {
        ToggleFullScreen();
        FlushKeys();
    }
    ReadFrameworkKeys();
    if (!IgnoreDebugKey && KeyHit('D')) {
        Debug = Debug ? 0 : 1;
        if (Debug) LogicTime.Start();
    }
    if (GraphicPlacement) {
        if (KeyHit(plat::KEY_LEFT)) gpX -= 1;
        if (KeyHit(plat::KEY_RIGHT)) gpX += 1;
        if (KeyHit(plat::KEY_UP)) gpY -= 1;
        if (KeyHit(plat::KEY_DOWN)) gpY += 1;
    }
    if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
    return 1;
}

// ---- events ---------------------------------------------------------------------

int TGame::DoPeekEvent() {
    plat::PumpEvents();
    plat::Event e;
    while (plat::TakeEvent(e)) {
        switch (e.kind) {
            case plat::EventKind::AppSuspend: SuspendedEvent = 1; break;
            case plat::EventKind::AppResume: SuspendedEvent = 0; break;
            case plat::EventKind::AppTerminate: TerminatedEvent = 1; break;
            case plat::EventKind::KeyDown: RecordKeyDown(e.data); break;
            case plat::EventKind::KeyUp: RecordKeyUp(e.data); break;
            case plat::EventKind::KeyChar: RecordChar(e.data); break;
            case plat::EventKind::MouseDown:
                Mouse.x = e.x;
                Mouse.y = e.y;
                Mouse.ButtonDown(e.data);
                break;
            case plat::EventKind::MouseUp: Mouse.ButtonUp(e.data); break;
            case plat::EventKind::MouseMove:
                Mouse.x = e.x;
                Mouse.y = e.y;
                break;
            case plat::EventKind::MouseWheel: Mouse.z += e.data; break;
            case plat::EventKind::None: break;
        }
    }
    if (Suspended == 1 && SuspendedEvent == 1 && plat::GraphicsOpen() && plat::WindowHasFocus()) SuspendedEvent = 0;
    return 1;
}

// ---- the loop ---------------------------------------------------------------------

int TGame::RunLogicTicks() {
    const double ticks = FixedRateLogic.NumTicks;
    const int whole = static_cast<int>(std::floor(ticks));
    for (int i = 0; i < whole; ++i) {
        FixedRateLogic.SetDelta(1.0f);
        if (LogicWrapper() == -1) return -1;
    }
    const double fraction = std::fmod(ticks, 1.0);
    if (fraction > 0) {
        FixedRateLogic.SetDelta(static_cast<float>(fraction));
        if (LogicWrapper() == -1) return -1;
    }
    return 1;
}

int TGame::MainLogicLoop() {
    FixedRateLogic.Calc();
    if (NoTiming) FixedRateLogic.NumTicks = NoTimingTicks;
    LogicTime.Start();
    if (RunLogicTicks() == -1) return -1;
    LogicTime.Calc();
    return 1;
}

int TGame::LogicWrapper() {
    DoPeekEvent();
    ReadKeys();
    if (InstantExit) return -1;
    if (Paused || Suspended) return 0;
    GameFade.Manage();
    if (!GameFade.Active || GameFade.AllowAnim) {
        ScreenChange();
        if (CurrentTScreen) CurrentTScreen->Logic();
    }
    return 1;
}

int TPellorineGame::LogicWrapper() {
    Mouse.ClearMouseHit();
    Mouse.Manage();
    DoPeekEvent();
    ReadKeys();
    CheckCommandQForMac();
    if (InstantExit) return -1;
    if (plat::MilliSecs() - StartTime > 5000 && (Paused || Suspended)) return 0;
    GameFade.Manage();
    if (!GameFade.Active || GameFade.AllowAnim) {
        ScreenChange();
        PNMouseObject().UpdateMouseClicks();
        if (CurrentTScreen) CurrentTScreen->Logic();
    }
    return 1;
}

int TGame::ScreenChange() {
    if (GameFade.Active || !GameFade.Out || !GameFade.GetDone()) return 0;
    if (CurrentTScreen && !CurrentTScreen->StopKill) CurrentTScreen->Kill();
    if (!DestinationTScreen) {
        ErrorMessage("Screen '" + (CurrentTScreen ? CurrentTScreen->name : std::string()) +
                         "' does not have a destination screen set!",
                     true);
        return 0;
    }
    LastTScreen = CurrentTScreen;
    if (DestinationTScreen == ExitScreen.get()) {
        InstantExit = 1;
        CurrentTScreen = ExitScreen.get();
    } else {
        DestinationTScreen->PreStart();
    }
    FlushInput();
    return 1;
}

void TGame::ShowPaused() {
    if (!(Paused || Suspended) || !SpritePausedImage) return;
    plat::SetBlend(plat::ALPHABLEND);
    if (DimWhenPaused) {
        plat::SetColor(0, 0, 0);
        plat::SetAlpha(0.5f);
        plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
    }
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
    plat::DrawImage(*SpritePausedImage, ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    if (DrawPausedWords) DrawPausedWords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
}

int TGame::ScreenDraw() {
    DrawTime.Start();
    if (NoDraw) {
        NoDraw = 0;
        return 0;
    }
    if (CurrentTScreen) CurrentTScreen->Draw();
    if (!GameFade.Active) ShowPaused();
    if (FadeMouse) Mouse.Draw();
    GameFade.Draw();
    if (GameFade.Active) ShowPaused();
    if (!FadeMouse) Mouse.Draw();
    DrawTime.Calc();
    return PostDraw();
}

int TGame::PostDraw() {
    FPS.Frame();
    plat::Flip(FlipSyncMode);
    return 1;
}

int TGame::RunFrame() {
    if (MainLogicLoop() == -1) {
        if (KeepProgressFunction) KeepProgressFunction();
        return -1;
    }
    ScreenDraw();
    MusicRotationStep();
    plat::UpdateAudio();
    return 1;
}

int TGame::Kill() {
    if (MusicChannel) plat::StopChannel(*MusicChannel);
    if (SpeechChannel) plat::StopChannel(*SpeechChannel);
    if (EscapeChannel) plat::StopChannel(*EscapeChannel);
    MusicChannel.reset();
    SpeechChannel.reset();
    EscapeChannel.reset();
    ChannelsKill();
    return 1;
}
