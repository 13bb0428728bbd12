// Opening the window or full-screen mode, with the fall-backs from one back
// end to the other and from full screen to a window.
#include <utility>

#include "app/game.h"
#include "resources/input_tables.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/os.h"
#include "resources/error.h"
#include "resources/error_state.h"

namespace {

// The rate a mode is asked for; the display keeps its own where it differs.
constexpr int kRefreshRate = 60;

bool OpenMode(TGame& game, int width, int height, int depth, int hertz) {
    if (game.OpenGraphicsFunction) return game.OpenGraphicsFunction(width, height, depth, hertz);
    return plat::OpenGraphics(width, height, depth, hertz);
}

// The program's icon lies in its data folder; without it the window keeps
// the desktop's default.
void GiveWindowProgramIcon(const TGame& game) {
    if (auto icon = plat::LoadPixmap(game.DataPrefix + "data/icon.png")) plat::SetWindowIcon(std::move(icon));
}

}  // namespace

// OpenGL is the only back end here. A settings file that still asks for
// DirectX 7 is switched to OpenGL and saved.
int TGame::ChooseBackEnd() {
    if (Driver == legacy::DRIVER_DIRECTX7) {
        StartupStage = 103;
        if (plat::GLDriverAvailable()) {
            StartupStage = 104;
            Driver = legacy::DRIVER_OPENGL;
            StartupStage = 105;
            IniUpdate(1);
            return 1;
        }
    } else {
        StartupStage = 106;
        if (plat::GLDriverAvailable()) {
            StartupStage = 107;
            return 1;
        }
    }
    StartupStage = 111;
    throw TGameError("No DirectX or OpenGL 3D Drivers Found!");
}

int TGame::OpenFullScreen() {
    StartupStage = 114;
    // Without a list of modes each depth is tried on the desktop's current mode.
    const bool listed = plat::CountGraphicsModes() > 0;
    for (int depth : {32, 24, 16}) {
        StartupStage = 115;
        if (listed && !plat::GraphicsModeExists(ScreenWidth, ScreenHeight, depth, 0)) continue;
        if (OpenMode(*this, ScreenWidth, ScreenHeight, depth, kRefreshRate)) return 1;
    }
    StartupStage = 116;
    ForceWindowedMode = true;
    FullScreen = 0;
    return 0;
}

int TGame::OpenWindow() {
    StartupStage = 118;
    if (!OpenMode(*this, ScreenWidth, ScreenHeight, 0, kRefreshRate)) {
        StartupStage = 28;
        throw TGameError("Cannot create Windowed Mode at " + std::to_string(ScreenWidth) + "x" +
                         std::to_string(ScreenHeight) + " " + std::to_string(kRefreshRate) + "Hz");
    }
    StartupStage = 130;
    plat::CentreWindow();
    StartupStage = 131;
    SetWindowCoords();
    StartupStage = 132;
    return 1;
}

int TGame::GraphicsCreate() {
    StartupStage = 100;
    // A window of the game's size needs no list of modes: without one the
    // desktop's current mode serves. Only a window that cannot open stops the game.
    if (plat::CountGraphicsModes() < 1)
        WriteErrorLog("The display gave no list of graphics modes (could not count graphics modes); the desktop's "
                      "current mode is used.");
    ChooseBackEnd();
    if (FullScreen) OpenFullScreen();
    if (!FullScreen) OpenWindow();
    StartupStage = 134;
    PolledInput = 0;
    plat::EnablePolledInput(false);
    plat::ClearEvents();
    StartupStage = 135;
    StartupStage = 138;
    GiveWindowProgramIcon(*this);
    StartupStage = 139;
    return 1;
}
