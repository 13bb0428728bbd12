// The window, the renderer, graphics modes and paced page flips.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/clock.h"
#include "platform/gfx_internal.h"
#include "platform/input.h"

namespace plat {

namespace {

struct TWindowSettings {
    std::string title = "Vellichorns";
    bool unthrottled = false;
    int refreshRate = 0;        // of the open graphics, 0 when unknown
    bool haveLastFlip = false;
    uint32_t lastFlip = 0;
    double sleepCarry = 0;      // fractions of a millisecond not yet slept
    PixmapPtr icon;             // given to every window that opens
    uint64_t presented = 0;
    double firstPresent = 0;
    int unchangedFlips = 0;     // in a row, that showed nothing new
    int rests = 0;              // frames in a row not drawn
    uint64_t eventsAtFlip = 0;  // taken by the game when the last frame was drawn
};

// Flips in a row that showed nothing new (a second) after which every other
// frame may rest, and after which (two seconds more) three frames in four.
constexpr int REST_AFTER = 60;
constexpr int LONG_REST_AFTER = 120;

int RestsAllowed(int unchangedFlips) {
    if (unchangedFlips >= LONG_REST_AFTER) return 3;
    return unchangedFlips >= REST_AFTER ? 1 : 0;
}

TWindowSettings& Window() {
    static TWindowSettings settings;
    return settings;
}

bool DummyVideo() {
    const char* name = SDL_GetCurrentVideoDriver();
    return name && SDL_strcasecmp(name, "dummy") == 0;
}

int DepthOf(Uint32 format) {
    const int bits = SDL_BITSPERPIXEL(format);
    return bits >= 24 ? 32 : bits;
}

GraphicsModesHook modesHook = nullptr;

std::vector<GraphicsMode> ListModes() {
    if (modesHook) return modesHook();
    std::vector<GraphicsMode> modes;
    if (!EnsureVideo()) return modes;
    auto add = [&modes](int w, int h, int depth, int hz) {
        for (const auto& m : modes)
            if (m.width == w && m.height == h && m.depth == depth && m.hertz == hz) return;
        modes.push_back({w, h, depth, hz});
    };
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0) add(mode.w, mode.h, DepthOf(mode.format), mode.refresh_rate);
    }
    // The game draws 800 x 600 and is scaled to whatever the desktop has, so
    // its own size is always available at both depths.
    const int hz = DesktopRefreshRate();
    add(LOGICAL_WIDTH, LOGICAL_HEIGHT, 32, hz);
    add(LOGICAL_WIDTH, LOGICAL_HEIGHT, 16, hz);
    return modes;
}

void ApplyIcon(SDL_Window* window) {
    const PixmapPtr& icon = Window().icon;
    if (!window || !icon) return;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(icon->Pixels(), icon->Width(), icon->Height(), 32, icon->Width() * 4, 0x00FF0000u,
                                 0x0000FF00u, 0x000000FFu, 0xFF000000u);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

SDL_Renderer* MakeRenderer(SDL_Window* window) {
    SDL_Renderer* renderer = nullptr;
    if (!DummyVideo()) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, 0);
    return renderer;
}

// Milliseconds between two refreshes of the display (60 Hz when unknown).
double FrameInterval(const TWindowSettings& w) { return 1000.0 / (w.refreshRate > 0 ? w.refreshRate : 60); }

// Sleeps away what is left of the display's refresh interval, so a flip that
// does not wait for the vertical blank still gives the display rate.
void PaceFlip(int syncMode) {
    TWindowSettings& w = Window();
    const uint32_t now = MilliSecs();
    if (syncMode == 0 && w.unthrottled) {
        w.lastFlip = now;
        w.haveLastFlip = true;
        return;
    }
    const double interval = FrameInterval(w);
    if (w.haveLastFlip) {
        const double elapsed = double(uint32_t(now - w.lastFlip));
        if (elapsed < interval) {
            const double wait = interval - elapsed + w.sleepCarry;
            const int ms = int(std::floor(wait));
            w.sleepCarry = wait - ms;
            if (ms > 0) Delay(ms);
        } else {
            w.sleepCarry = 0;
        }
    }
    w.lastFlip = MilliSecs();
    w.haveLastFlip = true;
}

void CountPresent() {
    TWindowSettings& w = Window();
    if (w.presented++ == 0)
        w.firstPresent = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TGraphicsState& Gfx() {
    static TGraphicsState state;
    return state;
}

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

void SetGraphicsModesHook(GraphicsModesHook hook) { modesHook = hook; }

int CountGraphicsModes() { return int(ListModes().size()); }

bool GraphicsModeExists(int width, int height, int depth, int hertz) {
    for (const auto& m : ListModes())
        if (m.width == width && m.height == height && m.depth == depth && (hertz == 0 || m.hertz == hertz))
            return true;
    return false;
}

bool GLDriverAvailable() { return true; }

void SetWindowTitle(const std::string& title) {
    Window().title = title;
    if (Gfx().window) SDL_SetWindowTitle(Gfx().window, title.c_str());
}

void SetWindowIcon(PixmapPtr icon) {
    Window().icon = std::move(icon);
    ApplyIcon(Gfx().window);
}

bool OpenGraphics(int width, int height, int depth, int /*hertz*/, int /*flags*/) {
    CloseGraphics();
    if (width <= 0 || height <= 0 || !EnsureVideo()) return false;
    TGraphicsState& g = Gfx();
    Uint32 windowFlags = SDL_WINDOW_RESIZABLE;
    if (depth != 0) windowFlags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    g.window = SDL_CreateWindow(Window().title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                height, windowFlags);
    if (!g.window) return false;
    ApplyIcon(g.window);
    g.renderer = MakeRenderer(g.window);
    if (!g.renderer) {
        SDL_DestroyWindow(g.window);
        g.window = nullptr;
        return false;
    }
    ++g.generation;
    g.vsync = -2;
    ResetFrames();
    SDL_RenderSetLogicalSize(g.renderer, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    SDL_SetRenderDrawColor(g.renderer, 0, 0, 0, 255);
    SDL_RenderClear(g.renderer);
    ApplyViewport();
    Window().refreshRate = DisplayRefreshRate();
    Window().haveLastFlip = false;
    return true;
}

void CloseGraphics() {
    TGraphicsState& g = Gfx();
    ResetFrames();
    if (g.renderer) SDL_DestroyRenderer(g.renderer);
    if (g.window) SDL_DestroyWindow(g.window);
    g.renderer = nullptr;
    g.window = nullptr;
}

bool GraphicsOpen() { return Gfx().renderer != nullptr; }
int GraphicsGeneration() { return Gfx().generation; }

void SetUnthrottledFlip(bool on) { Window().unthrottled = on; }
uint64_t PresentedFrames() { return Window().presented; }
double FirstPresentSeconds() { return Window().firstPresent; }

namespace {

void Present(int syncMode) {
    TGraphicsState& g = Gfx();
    ++g.frame;
    const int vsync = syncMode == 1 ? 1 : 0;
    if (vsync != g.vsync) {
        SDL_RenderSetVSync(g.renderer, vsync);
        g.vsync = vsync;
    }
    // A frame the same as the one on the screen is not shown again.
    const bool shown = FinishFrame();
    if (shown) {
        SDL_RenderPresent(g.renderer);
        CountPresent();
    }
    TWindowSettings& w = Window();
    w.unchangedFlips = shown ? 0 : w.unchangedFlips + 1;
    w.rests = 0;
    w.eventsAtFlip = EventsTaken();
}

}  // namespace

void Flip(int syncMode) {
    if (Gfx().renderer) {
        Present(syncMode);
        PaceFlip(syncMode);
    }
    PumpEvents();
}

bool MayRestFrame() {
    const TWindowSettings& w = Window();
    return Gfx().renderer && !w.unthrottled && w.rests < RestsAllowed(w.unchangedFlips) &&
           EventsTaken() == w.eventsAtFlip;
}

void RestFrame(int syncMode) {
    if (Gfx().renderer) PaceFlip(syncMode);
    ++Window().rests;
    PumpEvents();
}

bool FrameDue() {
    const TWindowSettings& w = Window();
    if (!w.haveLastFlip) return true;
    return double(uint32_t(MilliSecs() - w.lastFlip)) >= FrameInterval(w);
}

void FlipNow() {
    if (Gfx().renderer) {
        Present(0);
        TWindowSettings& w = Window();
        w.lastFlip = MilliSecs();
        w.haveLastFlip = true;
    }
    PumpEvents();
}

void Cls() {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    const TDrawState& s = DrawState();
    TDrawCommand c(TDrawCommand::CLEAR);
    c.r = Uint8(s.clsR);
    c.g = Uint8(s.clsG);
    c.b = Uint8(s.clsB);
    RecordCommand(c);
}

bool LetterboxShown() {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return false;
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    return view.x > 0 || view.y > 0;
}

void HideMouse() {
    if (EnsureVideo()) SDL_ShowCursor(SDL_DISABLE);
}

void ShowMouse() {
    if (EnsureVideo()) SDL_ShowCursor(SDL_ENABLE);
}

void MoveMouse(int x, int y) {
    TGraphicsState& g = Gfx();
    if (!g.window || !g.renderer) return;
    int wx = x, wy = y;
    SDL_RenderLogicalToWindow(g.renderer, float(x), float(y), &wx, &wy);
    SDL_WarpMouseInWindow(g.window, wx, wy);
}

Rect WindowClientRect() {
    Rect r;
    if (SDL_Window* w = Gfx().window) {
        SDL_GetWindowPosition(w, &r.x, &r.y);
        SDL_GetWindowSize(w, &r.width, &r.height);
    }
    return r;
}

Rect WindowOuterRect() {
    Rect r = WindowClientRect();
    if (SDL_Window* w = Gfx().window) {
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(w, &top, &left, &bottom, &right) == 0) {
            r.x -= left;
            r.y -= top;
            r.width += left + right;
            r.height += top + bottom;
        }
    }
    return r;
}

void CentreWindow() {
    SDL_Window* w = Gfx().window;
    if (!w) return;
    const Rect outer = WindowOuterRect();
    const Rect client = WindowClientRect();
    const int left = DesktopWidth() / 2 - outer.width / 2;
    const int top = DesktopHeight() / 2 - outer.height / 2;
    SDL_SetWindowPosition(w, left + (client.x - outer.x), top + (client.y - outer.y));
}

void SetWindowSize(int width, int height) {
    SDL_Window* w = Gfx().window;
    if (!w) return;
    SDL_SetWindowSize(w, width, height);
    // Let the renderer see the new size before anything is drawn or pointed at.
    SDL_PumpEvents();
}

bool WindowHasFocus() {
    SDL_Window* w = Gfx().window;
    return w && (SDL_GetWindowFlags(w) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

int DesktopWidth() {
    SDL_DisplayMode mode;
    return EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 0;
}

int DesktopHeight() {
    SDL_DisplayMode mode;
    return EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 0;
}

int DesktopRefreshRate() {
    SDL_DisplayMode mode;
    return EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.refresh_rate : 0;
}

int DisplayRefreshRate() {
    SDL_Window* w = Gfx().window;
    if (!w) return 0;
    const int index = std::max(0, SDL_GetWindowDisplayIndex(w));
    SDL_DisplayMode mode;
    return SDL_GetCurrentDisplayMode(index, &mode) == 0 ? mode.refresh_rate : 0;
}

}  // namespace plat
