#include "app/game.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/settings_table.h"
#include "resources/input_tables.h"
#include "app/write_failure.h"
#include "gui/dialog.h"
#include "gui/focus_ring.h"
#include "platform/gamepad.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

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
    TFocusRing::ForgetPlaces();
    plat::NoteKeyboardUsed();
    for (const auto& reset : GlobalsResets()) reset();
    Game();
}

TGame::TGame() : ExitScreen(std::make_unique<TExitScreen>()) {
    ApplyDefaultSettings(*this);
    SetGameMouse(&Mouse);
    InputFlushHook() = [this] { Mouse.TakePress(); };
}

TGame::~TGame() {
    if (&GameMouse() == &Mouse) SetGameMouse(nullptr);
    InputFlushHook() = nullptr;
}

// ---- timing ------------------------------------------------------------------

int TGame::FastOn() {
    Fast = true;
    LastFlipSync = FlipSyncMode;
    FlipSyncMode = 0;
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::FastOff() {
    if (!Fast) return 0;
    Fast = false;
    FlipSyncMode = LastFlipSync;
    FixedRateLogic.Init();
    FixedRateLogic.HistoryClear();
    return 1;
}

int TGame::SlowMotionOn() {
    constexpr float kSlowMotionSpeed = 0.25f;
    SlowMotion = true;
    CurrentSpeed = kSlowMotionSpeed;
    FixedRateLogic.Framerate = static_cast<float>(FixedRateLogic.FramerateDefault) * kSlowMotionSpeed;
    FixedRateLogic.CalcMS();
    FixedRateLogic.Init();
    return 1;
}

int TGame::SlowMotionOff() {
    SlowMotion = false;
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

int TGame::SetWindowCoords() {
    const plat::Rect r = plat::WindowOuterRect();
    WindowX = r.x;
    WindowY = r.y;
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
    Audio.PausedMusicState = Music != 0;
    Audio.PausedSpeechState = Speech != 0;
    if (Music) Audio.MusicOff();
    if (Speech) Audio.SpeechOff();
    return 1;
}

int TGame::UnPause() {
    if (Audio.PausedMusicState) Audio.MusicOn();
    if (Audio.PausedSpeechState) Audio.SpeechOn();
    FixedRateLogic.Init();
    return 1;
}

int TGame::GameTerminated() {
    if (!TerminatedEvent) return 1;
    TerminatedEvent = false;
    InstantExit = true;
    if (CurrentTScreen && CurrentTScreen->name == "game" && SaveCurrentProfile) SaveCurrentProfile();
    if (KeepProgressFunction) KeepProgressFunction();
    return -1;
}

int TGame::CheckWindow() {
    if (GameTerminated() == -1) return -1;
    if (SuspendedEvent && !Suspended) {
        if (!Paused) Pause();
        Suspended = true;
    } else if (!SuspendedEvent && Suspended) {
        if (!Paused) {
            if (Audio.PausedMusicState) Audio.MusicOn();
            if (Audio.PausedSpeechState) Audio.SpeechOn();
        }
        FixedRateLogic.Init();
        Suspended = false;
        FlushInput();
    }
    if (!Suspended && !Paused) {
        if (Music && !Audio.MusicLooped && Audio.MusicChannel && !plat::ChannelPlaying(*Audio.MusicChannel)) Audio.MusicStopped = true;
        if (Speech && Audio.SpeechChannel && !plat::ChannelPlaying(*Audio.SpeechChannel)) Audio.SpeechStopped = true;
        Audio.MusicFadeInManage();
        Audio.MusicFadeOutManage();
    }
    if (Suspended) plat::Delay(1);
    return 1;
}

// ---- keys -----------------------------------------------------------------------

void TGame::StartEscapeFade() {
    Audio.EscapeSoundPlay();
    int time = CurrentTScreen ? CurrentTScreen->SetEscDestination() : 0;
    if (time == 0) time = DefaultFadeTime;
    if (Audio.FadeMusic) {
        GameFade.Init(time, 1, Audio.MusicChannel, 0, 0);
    } else {
        GameFade.Init(time, 1, nullptr, 0, 0);
        Audio.FadeMusic = true;
    }
}

void TGame::ReadPauseKey() {
    const bool toggle = KeyHit('P') || (Paused && Mouse.h1 > 0);
    if (!toggle) return;
    Paused = !Paused;
    if (Paused) Pause(); else UnPause();
    FlushInput();
}

void TGame::ReadEscapeKey() {
    if (!KeyHit(plat::KEY_ESCAPE)) return;
    if (GameFade.Active) {
        if (!GameFade.Out) {
            GameFade.FadeInAborted = 1;
            GameFade.FadeCounterBeforeAbort = GameFade.Counter;
            GameFade.SettleCounter = static_cast<float>(GameFade.Length) - GameFade.Counter;
        }
        GameFade.Finish();
    } else if (Paused) {
        Paused = false;
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
        InstantExit = true;
    }
    if (KeyHit('F')) ToggleFullScreen();
    if (KeyHit('M')) { if (Music) Audio.MusicOff(); else Audio.MusicOn(); }
    if (KeyHit('S')) Sound = Sound ? 0 : 1;
    if (Debug) {
        if (KeyHit('T')) { if (Fast) FastOff(); else { SlowMotionOff(); FastOn(); } }
        if (KeyHit('L')) { if (SlowMotion) SlowMotionOff(); else { FastOff(); SlowMotionOn(); } }
        if (KeyHit('I')) FlipSyncMode = FlipSyncMode == 1 ? -1 : (FlipSyncMode == -1 ? 0 : 1);
        if (KeyHit('N')) NoTiming = !NoTiming;
    }
    if (KeyHit('V')) ToggleVSync();
    // The other back end, which here means opening the graphics afresh.
    if (KeyHit('G')) SetDriver(Driver != legacy::DRIVER_DIRECTX7 ? legacy::DRIVER_DIRECTX7 : legacy::DRIVER_OPENGL);
}

int TGame::ReadKeys() {
    if (CheckWindow() == -1) {
        // Paused or in the background nothing fades: the game ends at once.
        if (Paused || Suspended) return -1;
        InstantExit = false;
        // A screen still fading in fades out from where it got to.
        GameFade.TurnOut(DefaultFadeTime, Audio.MusicChannel);
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
    if (!IgnoreDebugKey && KeyHit('D')) Debug = !Debug;
    if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
    return 1;
}

// ---- events ---------------------------------------------------------------------

int TGame::DoPeekEvent() {
    plat::PumpEvents();
    StartEventBatch();
    plat::Event e;
    while (plat::TakeEvent(e)) {
        switch (e.kind) {
            case plat::EventKind::AppSuspend: SuspendedEvent = true; break;
            case plat::EventKind::AppResume: SuspendedEvent = false; break;
            case plat::EventKind::AppTerminate: TerminatedEvent = true; break;
            case plat::EventKind::KeyDown:
                RecordKeyDown(e.data);
                Mouse.KeyPressed(e.data);
                break;
            case plat::EventKind::KeyUp: RecordKeyUp(e.data); break;
            case plat::EventKind::KeyChar: RecordChar(e.data); break;
            case plat::EventKind::MouseDown:
                Mouse.x = e.x;
                Mouse.y = e.y;
                Mouse.ButtonDown(e.data);
                break;
            case plat::EventKind::MouseUp: Mouse.ButtonUp(e.data); break;
            case plat::EventKind::MouseMove: Mouse.MovedTo(e.x, e.y); break;
            case plat::EventKind::MouseWheel: Mouse.z += e.data; break;
            case plat::EventKind::None: break;
        }
    }
    if (Suspended && SuspendedEvent && plat::GraphicsOpen() && plat::WindowHasFocus()) SuspendedEvent = false;
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
    // A moved window stalls the loop: its time is not owed as ticks.
    if (!Fast && plat::GraphicsOpen()) {
        const plat::Rect outer = plat::WindowOuterRect();
        if (outer.x != WindowX || outer.y != WindowY) {
            FixedRateLogic.Init();
            SetWindowCoords();
        }
    }
    FixedRateLogic.Calc(Fast, VSync == 1);
    // Without timing every frame runs three ticks, however long it took.
    if (NoTiming) FixedRateLogic.NumTicks = 3;
    return RunLogicTicks() == -1 ? -1 : 1;
}

int TPellorineGame::LogicWrapper() {
    Mouse.ClearMouseHit();
    Mouse.Manage();
    DoPeekEvent();
    ReadKeys();
    if (InstantExit) return -1;
    if (plat::MilliSecs() - StartTime > 5000 && (Paused || Suspended)) return 0;
    GameFade.Manage();
    if (!GameFade.Active || GameFade.AllowAnim) {
        ScreenChange();
        PNMouseObject().UpdateMouseClicks();
        if (ManageNotice()) return 1;
        if (CurrentTScreen) CurrentTScreen->Logic();
    }
    return 1;
}

bool TGame::ManageNotice() {
    if (!Notice && !GameFade.Active && CurrentTScreen && CurrentTScreen->TakesNotices()) {
        if (const std::string text = TakeWriteFailureNotice(); !text.empty()) {
            Notice = CreateMessageDialog(text);
            // Escape answers the notice, not the screen behind it.
            noticeKeptEscape = IgnoreEscapeKey;
            IgnoreEscapeKey = true;
        }
    }
    if (!Notice) return false;
    if (Notice->Manage() != 0) {
        Notice->Kill();
        Notice.reset();
        IgnoreEscapeKey = noticeKeptEscape;
        FlushInput();
    }
    return true;
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
    if (DestinationTScreen == ExitScreen.get()) {
        InstantExit = true;
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
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(0.5f);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
    plat::DrawImage(*SpritePausedImage, ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    if (DrawPausedWords) DrawPausedWords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
}

int TGame::ScreenDraw() {
    if (CurrentTScreen) CurrentTScreen->Draw();
    if (Notice) Notice->Draw();
    if (!GameFade.Active) ShowPaused();
    GameFade.Draw();
    if (GameFade.Active) ShowPaused();
    Mouse.Draw();
    return PostDraw();
}

int TGame::PostDraw() {
    plat::Flip(FlipSyncMode);
    return 1;
}

int TGame::RunFrame() {
    if (MainLogicLoop() == -1) {
        if (KeepProgressFunction) KeepProgressFunction();
        return -1;
    }
    if (plat::MayRestFrame())
        plat::RestFrame(FlipSyncMode);
    else
        ScreenDraw();
    Audio.MusicRotationStep();
    plat::UpdateAudio();
    return 1;
}

int TGame::Kill() {
    if (Audio.MusicChannel) plat::StopChannel(*Audio.MusicChannel);
    if (Audio.SpeechChannel) plat::StopChannel(*Audio.SpeechChannel);
    if (Audio.EscapeChannel) plat::StopChannel(*Audio.EscapeChannel);
    Audio.MusicChannel.reset();
    Audio.SpeechChannel.reset();
    Audio.EscapeChannel.reset();
    ChannelsKill();
    return 1;
}
