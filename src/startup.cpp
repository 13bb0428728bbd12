#include "startup.h"

#include <cstdio>

#include "gui/pad_prompts.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "app/loading_screen.h"
#include "app/splash.h"
#include "app/write_failure.h"
#include "gui/table_text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/os.h"
#include "puzzle/custom_par.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/board_effects.h"
#include "screens/game_screen.h"
#include "screens/puzzle_file_hooks.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

#ifndef VC_INSTALL_DATADIR
#define VC_INSTALL_DATADIR "/usr/local/share/vellichorns"
#endif

namespace {

// The loading bar's steps: 21 groups of resources and the final one.
constexpr int LOADING_STEPS = 22;

bool exitDone = false;

bool HasResources(const std::string& folder) {
    return plat::FileType(plat::ResolvePath(folder + "/data/resources")) == plat::FILETYPE_DIR;
}

void OpenPlayLink() {
    const std::string link = plat::AppDir() + "/play.url";
    if (plat::FileType(link) != plat::FILETYPE_FILE) return;
    if (Game().FullScreen) {
        Game().FullScreen = 0;
        Game().GraphicsCreate();
    }
    plat::OpenURL(link);
}

// The logo splash, drawn with images handled where the splash puts them.
void ShowSplash() {
    plat::AutoMidHandle(false);
    if (Game().Fade) ShowStartupSplash();
    plat::AutoMidHandle(true);
}

// "Paused" on the plate and, below it, how to go on.
void DrawPausedWords(float x, float y) {
    constexpr float ROOM = 380;
    DrawTableText("Paused", 44, {x, y - 18, ROOM}, TitleLook(44), {255, 255, 255});
    DrawFittedText(DeviceText("Paused Continue"), 18, {x, y + 30, ROOM}, CaptionLook(), TEXT_CREAM);
}

// The loading screen with its bar, drawn once before anything loads.
PNLoadingScreen& PrepareLoadingScreen() {
    auto& loading = LoadingScreen();
    loading.SpecialLoad("", "loadingbar.png", "");
    loading.CustomDrawFunction = [] {
        TTextLook look = CaptionLook();
        look.outlineWidth = 2;
        DrawTableText("Loading", 40, {ScreenWidth / 2.0f, ScreenHeight / 2.0f, 380}, look, TEXT_GOLD);
        return 1;
    };
    loading.LoadingBar->Centre(ScreenHeight - 175);
    loading.LoadingBar->Mode = 1;
    loading.SetSteps(LOADING_STEPS);
    loading.Draw();
    plat::FlipNow();
    return loading;
}

// The banks, the pointer and the paused sprite behind the loading screen;
// the mask colour is magenta while they load. The bar takes one step per
// group of resources, and a last one once everything is in, so that it ends
// full.
void LoadResources() {
    auto& game = Game();
    plat::SetMaskColor(255, 0, 255);
    plat::AutoMidHandle(true);
    auto& loading = PrepareLoadingScreen();
    LoadBankResources([&loading] { loading.MoveBar(); }, [&game] { game.Mouse.Load("pointer"); },
                      [&game] {
                          if (auto paused = ImageBank().Find("paused")) game.SpritePausedImage = paused->image;
                          game.DrawPausedWords = DrawPausedWords;
                      });
    while (!loading.Finished) loading.MoveBar();
    game.Mouse.SetSparkleTrail(ImageBank().Find("particle1"));
    game.CurrentTScreen = &loading;
    InstallGameScreenHooks();
    // A new start: the title screen greets the player and starts the music again.
    TitleScreen().NewStart();
    loading.Destination = &ScreenFor(EGameScreen::Title);
    plat::SetMaskColor(0, 0, 0);
}

}  // namespace

std::vector<std::string> DataFolderCandidates() {
    const std::string appDir = plat::AppDir();
    return {appDir, appDir + "/../share/vellichorns", VC_INSTALL_DATADIR};
}

bool FindDataFolder() {
    const auto candidates = DataFolderCandidates();
    for (const auto& folder : candidates) {
        if (HasResources(folder)) return plat::ChangeDir(folder);
    }
    std::string text = "Vellichorns cannot find its data folder (data/resources). It looked in:";
    for (const auto& folder : candidates) text += "\n  " + folder;
    std::fprintf(stderr, "%s\n", text.c_str());
    plat::MessageBox("Vellichorns", text, true);
    return false;
}

namespace {

// The window, black at once as the splash's first frame is, before the sound
// and the archives open: the player sees the game start at once, and the
// window shows no leftovers while the rest loads.
void OpenWindowFirst() {
    Game().GraphicsCreate();
    plat::HideMouse();
    plat::Cls();
    plat::FlipNow();
}

}  // namespace

void StartGame() {
    auto& game = Game();
    game.SetSubPathWrapper("Pellorine Games/Vellichorns");
    game.Ini.FileName = IniFileNameFor(game);
    game.CheckGoodExit();
    game.InitSettings();
    OpenWindowFirst();
    game.InitAudio();
    game.ChannelsCreate(16);
    game.Audio.SetEscapeSound("buttonclick");
    game.IgnoreDebugKey = 1;
    game.IgnoreFrameworkKeys = 1;
    StartTime = plat::MilliSecs();
    if (!LoadParticleImage()) ErrorMessage("Error loading anim bitmap " + game.ImagePath + PARTICLE_STRIP_FILE, true);
    LoadGameTextFile();
    // From here on errors go to system message boxes.
    ErrorOnScreen = 0;
    if (!CheckDataPak()) {
        ErrorMessage(GameText().FindString("Data Pak Error"), false);
        return;
    }
    MountArchives();
    LoadParticleEffects();
    InstallPuzzleFileHooks();
    PointBanksAtFolders();
    PNMouseObject().DraggingPixels = 2;
    ConfigIni().FileName = game.SubPath + "config";
    ConfigFill();
    ConfigRead();
    ShowSplash();
    // The splash shows no text: the fonts are made after it, which brings
    // its first frame forward.
    LoadGameFonts();
    LoadResources();
    FlushInput();
    game.FixedRateLogic.Init();
}

void RunMainLoop() {
    while (Game().RunFrame() != -1) {
    }
}

void GameExit() {
    if (exitDone) return;
    exitDone = true;
    try {
        TGame::MakeGoodExit();
        Game().Kill();
        plat::ShowMouse();
        OpenPlayLink();
        ConfigIni().Set("FirstRun", "0");
        ConfigSave();
    } catch (const std::exception& error) {
        ReportCrash(error);
    }
    plat::CloseGraphics();
    plat::ShutdownAudio();
}

int RunProgram(int runFullScreen) {
    plat::KeepLargeBlocksApart();
    ResetGlobals();
    Game().RunFullScreen = runFullScreen;
    plat::SetWindowTitle("Vellichorns");
    // On a new account the folder for the lock may not be there yet.
    const std::string lockPath = plat::InstanceLockPath("Lumen Spire");
    if (!lockPath.empty()) plat::CreateDir(plat::ExtractDir(lockPath), true);
    plat::TInstanceLock lock(lockPath);
    if (lock.OtherCopyRunning()) return 0;
    // The log's folder is not known yet: the line is written once it is.
    if (!lock.Held()) WriteErrorLog("Could not use the single-instance lock: " + lock.Problem());
    plat::SeedRnd(plat::StartupSeed());
    AllowParHelpers(true);
    if (!FindDataFolder()) return 1;
    try {
        StartGame();
        RunMainLoop();
    } catch (const TFatalError& error) {
        ReportCrash(error);
        plat::ShutdownAudio();
        return 1;
    } catch (const std::exception& error) {
        ReportCrash(error);
        GameExit();
        return 1;
    }
    GameExit();
    return 0;
}
