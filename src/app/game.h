#pragma once
// The application object: window and graphics mode, settings switches,
// audio switches, the current screen, the logic clock and the main loop.
#include <functional>
#include <memory>
#include <string>

#include "app/anim_timing.h"
#include "app/ini_file.h"
#include "app/screen.h"
#include "app/view_state.h"
#include "gui/mouse_pointer.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/legacy_settings.h"
#include "resources/channels.h"
#include "resources/game_paths.h"
#include "resources/sound_settings.h"


class TProfile;

extern int StartupStage;
extern int FlipSyncMode;
extern uint32_t StartTime;

// The paths, sound settings, game time and view state live in small bases of
// their own, so the floors below reach them without this header. The fields
// marked "setting" (and those of the bases the settings file holds) get their
// defaults from the settings table (app/settings_table.cpp) when the game is
// made.
class TGame : public TGamePaths, public TSoundSettings, public TAnimTiming, public TViewState {
public:
    TGame();
    ~TGame() override;

    TIniFile Ini;

    // ---- display -------------------------------------------------------
    int FullScreen;  // setting
    int ForceWindowedMode = 0;
    int Hertz = 60;
    int Depth = 0;
    int DesktopRefreshRate = 0;
    int GameRefreshRate = 0;
    int Fast = 0;
    int LastFlipSync = 0;
    int SlowMotion = 0;
    float SlowMotionSpeed = 0.25f;
    int WindowHandle = 0;
    int WindowX = 0, WindowY = 0;
    int ClientX = 0, ClientY = 0;

    // ---- screens -------------------------------------------------------
    TScreen* CurrentTScreen = nullptr;
    TScreen* DestinationTScreen = nullptr;
    TScreen* LastTScreen = nullptr;

    int LagFix = 0;
    int VSync;  // setting
    int FadeOnExit = 1;
    int NoTiming = 0;
    int NoTimingTicks = 1;
    int Driver;  // setting
    int FadeMouse = 0;
    int DesktopWidth = 0, DesktopHeight = 0;
    int FullScreenProcess, FullScreenThread;  // settings
    int WindowedProcess, WindowedThread;      // settings
    int DataInAppBundle = 0;
    int UseCorrectPath = 1;
    std::string SubPath = "BrassfernGames/My Game/";

    // ---- audio switches and state -------------------------------------
    plat::ChannelPtr MusicChannel;
    std::string MusicFileName = "none";
    std::string MusicName = "none";
    int MusicLooped = 1;
    int MusicRestart = 1;
    int MusicStopped = 0;
    int FadeMusic = 1;
    plat::ChannelPtr SpeechChannel;
    int SpeechStopped = 0;
    plat::ChannelPtr EscapeChannel;
    std::string SoundDriver;  // setting
    int MusicRotationEnabled = 0;
    int MusicTrackNumber = 1;  // the rotation's next track: "music" + number + ".ogg"
    plat::SoundPtr MusicSample;
    float MusicFadeIn = 50.0f;  // ms
    float MusicFadeInCounter = 0;
    float MusicFadeOut = 1000.0f;  // ms
    float MusicFadeOutCounter = 0;
    plat::ChannelPtr SpecialChannel;  // paused and resumed with the music
    GameSoundPtr EscapeSound;

    // ---- pause, fades, misc ------------------------------------------
    plat::ImagePtr SpritePausedImage;
    // Writes the words on the paused plate, whose middle is given.
    std::function<void(float, float)> DrawPausedWords;
    int FirstTime = 1;
    int InstantExit = 0;
    int Fade;  // setting
    int NoFade = 0;
    int NoDraw = 0;
    int PortalSplash, PortalSplash2, IntroShow;  // settings
    int Paused = 0;
    int DimWhenPaused = 1;
    int PauseOnLossOfFocus = 0;
    int PausedMusicState = 1, PausedSpeechState = 1;
    int Suspended = 0;
    int MaxLevels = 10;
    int TerminatedEvent = 0;
    std::function<int()> TerminatedUserFunction;
    int SuspendedEvent = 0;
    std::string OSVersion;
    std::function<int()> PausedUserFunction, UserSuspendFunction, UserResumeFunction;
    int Debug = 0;
    TDebugVar LogicTime{"Logic   "}, DrawTime{"Draw    "}, CodeTime{"Code    "};
    TFPSCounter FPS{"FPS     "};
    int GraphicPlacement = 0, gpX = 0, gpY = 0;
    std::unique_ptr<TScreen> ExitScreen;
    TMousePointer Mouse;
    // The player playing now (none until one is chosen) and the name kept
    // in the settings.
    std::shared_ptr<TProfile> CurrentProfile;
    std::string ProfileName;  // setting
    int Region, SubRegion;    // settings
    // Saves the current player's profile (set by the profile code).
    std::function<void()> SaveCurrentProfile;
    // Keeps what the player would lose if the game ended now (the puzzle in
    // play); called on a close request and when the main loop ends. Not
    // called when the run ends in a crash: what memory holds then is not
    // trusted.
    std::function<void()> KeepProgressFunction;

    // ---- start-up, settings and paths -------------------------------------
    int Init(int soundDriverChoice);
    int IniFill();
    int IniExtract();
    static int MakeGoodExit();
    int CheckGoodExit();
    std::string MarkerPath(const std::string& file) const;
    int SetDefaultPaths();
    int SetSubPath(const std::string& path);
    int SetSubPathWrapper(const std::string& path);
    int ApplySubPath();
    int SetImagePath(const std::string& path);
    int SetSoundPath(const std::string& path);
    int SetMusicPath(const std::string& path);
    int SetSpeechPath(const std::string& path);
    int SetMenuPath(const std::string& path);
    int SetProfilePath(const std::string& path);
    int SetTextPath(const std::string& path);
    int SetLevelsPath(const std::string& path);

    // ---- display toggles and modes -------------------------------------
    int ToggleFullScreen();
    int ToggleVSync();
    int SetDriver(int driver);
    // Opens a graphics mode; tests replace it to simulate failures.
    std::function<bool(int width, int height, int depth, int hertz)> OpenGraphicsFunction;
    int GraphicsCreate();
    int SetPriority();
    int SetWindowCoords();
    int SetClientCoords();
    int RestoreMouseCoords();

    // ---- window state, keys and pause -------------------------------------
    int CheckWindow();
    int GameTerminated();
    int ReadKeys();
    int Pause();
    int UnPause();
    void ShowPaused();
    int FastOn();
    int FastOff();
    int SlowMotionOn();
    int SlowMotionOff();
    int SetFlipSync();
    int IniUpdate(int markChanged);

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

    // ---- sound effects ----------------------------------------------------
    // At the sound's own volume.
    int GameSoundPlay(plat::ChannelPtr& channel, TGameSound& sound, float pan);
    // At the given volume factor in place of the sound's own.
    int GameSoundPlayAt(plat::ChannelPtr& channel, TGameSound& sound, float volume, float pan) override;
    int SoundSetVolume(int volume, int save);
    int SoundChangeVolume(int step);

    // ---- speech -------------------------------------------------------------
    int SpeechPlay(TGameSound& sound, int interrupt);
    int SpeechSetVolume(int volume, int save);
    int SpeechOn();
    int SpeechOff();

    // ---- channels and driver ------------------------------------------------
    // SoundPath + name + ".wav".
    int SetEscapeSound(const std::string& name);
    int EscapeSoundPlay();
    // Also makes TGameSound::PlayInChannel play through GameSoundPlay.
    int ChannelsCreate(int count);
    int ChannelsKill();
    // Every name but "None" opens the default device; when that fails the
    // game runs silent with the driver "None".
    int ChangeSoundDriver(const std::string& name, int mark);

    // ---- the loop ---------------------------------------------------------
    int MainLogicLoop();
    virtual int LogicWrapper();
    int DoPeekEvent();
    int ScreenDraw();
    int PostDraw();
    int ScreenChange();
    // One pass of the main loop: logic ticks, then a frame. -1 when the program
    // should end, once the player's progress is kept.
    int RunFrame();

    int Kill();

protected:
    int RunLogicTicks();
    int ChooseBackEnd();
    void MeasureDesktop();
    int OpenFullScreen();
    int OpenWindow();
    void StartEscapeFade();
    void ReadPauseKey();
    void ReadEscapeKey();
    void ReadFrameworkKeys();
};

class TPellorineGame : public TGame {
public:
    int LogicWrapper() override;
    int CheckCommandQForMac() { return 0; }
};

class PNMouse;

// The settings file's name without ".ini".
std::string IniFileNameFor(const TGame& game);

// The running game's global objects, built afresh by ResetGlobals.
TPellorineGame& Game();
bool HasGame();
PNMouse& PNMouseObject();
// The config file "config" with its one key "FirstRun".
TIniFile& ConfigIni();
void ConfigFill();
void ConfigRead();
void ConfigSave();
void ResetGlobals();
// Floors above register the reset of their own globals, which ResetGlobals
// runs before it builds the application object afresh.
bool AddGlobalsReset(std::function<void()> reset);
