#pragma once
// The application object: window and graphics mode, settings switches,
// audio switches, the current screen, the logic clock and the main loop.
#include <functional>
#include <memory>
#include <string>

#include "resources/anim_timing.h"
#include "app/game_audio.h"
#include "app/ini_file.h"
#include "app/screen.h"
#include "resources/view_state.h"
#include "gui/mouse_pointer.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/legacy_settings.h"
#include "resources/channels.h"
#include "resources/error_state.h"
#include "resources/game_paths.h"
#include "resources/sound_settings.h"


class TProfile;
class TDialogOK;

extern int FlipSyncMode;
extern uint32_t StartTime;

// The paths, sound settings, game time and view state live in small bases of
// their own, so the floors below reach them without this header.
class TGame : public TGamePaths, public TSoundSettings, public TAnimTiming, public TViewState {
public:
    TGame();
    ~TGame() override;

    TIniFile Ini;

    // ---- settings (kept in the settings file; their defaults and ranges
    // are rows of the settings table, app/settings_table.cpp) ---------------
    int FullScreen;
    int VSync;
    int Driver;
    int Fade;
    // The driver the settings name.
    std::string SoundDriver;
    // The name of the player kept in the settings.
    std::string ProfileName;

    // ---- display ---------------------------------------------------------------
    // Full screen failed once this run: only a window is tried again.
    bool ForceWindowedMode = false;
    // Full screen or windowed asked for on the command line, for this run
    // only (-1: none). While it holds, the settings file keeps the player's
    // own choice, StoredFullScreen, until the player changes it on the
    // options screen.
    int RunFullScreen = -1;
    int StoredFullScreen = -1;
    // Applies RunFullScreen after the settings were read.
    void ApplyRunDisplay();
    // The developer's speed switches (the debug keys): one tick a frame, or
    // a quarter of the speed.
    bool Debug = false;
    bool Fast = false;
    bool SlowMotion = false;
    bool NoTiming = false;
    int LastFlipSync = 0;
    // Where the window stood at the last frame: a moved window stalls the loop.
    int WindowX = 0, WindowY = 0;
    // Opens a graphics mode; tests replace it to simulate failures.
    std::function<bool(int width, int height, int depth, int hertz)> OpenGraphicsFunction;

    // ---- screens ---------------------------------------------------------------
    TScreen* CurrentTScreen = nullptr;
    TScreen* DestinationTScreen = nullptr;
    // The one fade between screens.
    TGameFade GameFade;
    // The next fade is skipped (the screen appears at once).
    bool NoFade = false;
    std::unique_ptr<TScreen> ExitScreen;
    TMousePointer Mouse;

    // ---- audio ------------------------------------------------------------------
    // Music, speech and the escape sound.
    TGameAudio Audio{*this};

    // ---- pause, window state and exit ------------------------------------------
    bool Paused = false;
    bool Suspended = false;
    bool InstantExit = false;
    bool TerminatedEvent = false;
    bool SuspendedEvent = false;
    plat::ImagePtr SpritePausedImage;
    // Writes the words on the paused plate, whose middle is given.
    std::function<void(float, float)> DrawPausedWords;

    // ---- the player and the shared data folder ------------------------------------
    // The shared data folder holds what the game writes (tests may keep it
    // beside the program instead).
    bool UseCorrectPath = true;
    std::string SubPath = "BrassfernGames/My Game/";
    // The player playing now (none until one is chosen).
    std::shared_ptr<TProfile> CurrentProfile;
    // Saves the current player's profile (set by the profile code).
    std::function<void()> SaveCurrentProfile;
    // Keeps what the player would lose if the game ended now (the puzzle in
    // play); called on a close request and when the main loop ends. Not
    // called when the run ends in a crash: what memory holds then is not
    // trusted.
    std::function<void()> KeepProgressFunction;

    // ---- start-up, settings and paths -------------------------------------
    int Init(int soundDriverChoice);
    // Init in two halves: the settings (all a window needs), then the sound.
    void InitSettings();
    void InitAudio();
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
    int SetMenuPath(const std::string& path);
    int SetProfilePath(const std::string& path);
    int SetTextPath(const std::string& path);

    // ---- display toggles and modes -------------------------------------
    int ToggleFullScreen();
    int ToggleVSync();
    int SetDriver(int driver);
    int GraphicsCreate();
    int SetWindowCoords();
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

    // ---- sound effects ----------------------------------------------------
    // At the sound's own volume.
    int GameSoundPlay(plat::ChannelPtr& channel, TGameSound& sound, float pan);
    // At the given volume factor in place of the sound's own.
    int GameSoundPlayAt(plat::ChannelPtr& channel, TGameSound& sound, float volume, float pan) override;
    int SoundSetVolume(int volume, int save);
    int SoundChangeVolume(int step);

    // ---- channels and driver ------------------------------------------------
    // Also makes TGameSound::PlayInChannel play through GameSoundPlay.
    int ChannelsCreate(int count);
    int ChannelsKill();
    // Every name but "None" opens the default device; when that fails the
    // game runs silent with the driver "None".
    int ChangeSoundDriver(const std::string& name, int mark);

    // ---- the loop ---------------------------------------------------------
    int MainLogicLoop();
    // One logic tick: events, global keys, the fade, the screen.
    virtual int LogicWrapper() = 0;
    int DoPeekEvent();
    int ScreenDraw();
    int PostDraw();
    int ScreenChange();
    // A notice for the player that no screen asked for (a file that could
    // not be written): shown in the game's dialog over the current screen,
    // once it has faded in, and the screen waits while it is up.
    std::shared_ptr<TDialogOK> Notice;
    bool ManageNotice();
    // One pass of the main loop: logic ticks, then a frame. -1 when the program
    // should end, once the player's progress is kept.
    int RunFrame();

    int Kill();

    bool ScreenFading() const override { return GameFade.Active != 0; }

protected:
    bool noticeKeptEscape = false;
    int RunLogicTicks();
    int ChooseBackEnd();
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
