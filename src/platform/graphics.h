#pragma once
// The window and 2D drawing in the logical 800 x 600 space. The "OpenGL"
// back end is SDL's 2D renderer (accelerated where available, software
// otherwise), and the only one.
// Images keep their pixels in memory and make textures lazily, so they may be
// loaded before a window opens and survive a mode switch.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class TStream;

constexpr int LOGICAL_WIDTH = 800;
constexpr int LOGICAL_HEIGHT = 600;

// ---- blend modes -------------------------------------------------------
enum BlendMode { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

// ---- image flags -------------------------------------------------------
enum ImageFlags {
    FILTEREDIMAGE = 1,
    MIPMAPPEDIMAGE = 2,
    MASKEDIMAGE = 4,
    DYNAMICIMAGE = 8,
    DEFAULT_FLAGS = -1,  // the current default flags
};

// ---- pixmaps: RGBA pictures in memory -----------------------------------
// Pixels are 0xAARRGGBB.
class TPixmap {
public:
    TPixmap(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t ReadPixel(int x, int y) const;         // 0 outside
    void WritePixel(int x, int y, uint32_t argb);   // ignored outside
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    void Clear(uint32_t argb);
    // The pixels, handed over: the pixmap is left empty (0 x 0).
    std::vector<uint32_t> TakePixels();

private:
    int width_, height_;
    std::vector<uint32_t> pixels_;
};
using PixmapPtr = std::shared_ptr<TPixmap>;

inline uint32_t ARGB(int a, int r, int g, int b) {
    return (uint32_t(a & 255) << 24) | (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}
inline int PixA(uint32_t p) { return (p >> 24) & 255; }
inline int PixR(uint32_t p) { return (p >> 16) & 255; }
inline int PixG(uint32_t p) { return (p >> 8) & 255; }
inline int PixB(uint32_t p) { return p & 255; }

PixmapPtr CreatePixmap(int width, int height);
PixmapPtr LoadPixmap(const std::string& url);        // PNG, JPEG, BMP, TGA; null on failure
PixmapPtr LoadPixmapFromMemory(const std::vector<uint8_t>& bytes);
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression = 6);

// ---- images -------------------------------------------------------------
class TImage;
using ImagePtr = std::shared_ptr<TImage>;

// Frames of equal size, a handle, flags. Opaque: use the functions below.
class TImage {
public:
    struct Impl;
    explicit TImage(std::unique_ptr<Impl> impl);
    ~TImage();
    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

ImagePtr LoadImage(const std::string& url, int flags = DEFAULT_FLAGS);
ImagePtr LoadImageFromMemory(const std::vector<uint8_t>& bytes, int flags = DEFAULT_FLAGS);
ImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags = DEFAULT_FLAGS);
// Cells cut left to right, top to bottom.
ImagePtr LoadAnimImage(const std::string& url, int cellWidth, int cellHeight, int firstCell, int cellCount,
                       int flags = DEFAULT_FLAGS);
ImagePtr LoadAnimImageFromPixmap(const TPixmap& strip, int cellWidth, int cellHeight, int firstCell,
                                 int cellCount, int flags = DEFAULT_FLAGS);
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = DEFAULT_FLAGS);

void SetMaskColor(int r, int g, int b);
void AutoMidHandle(bool on);

int ImageWidth(const TImage& image);
int ImageHeight(const TImage& image);
int ImageFrames(const TImage& image);
void SetImageHandle(TImage& image, float x, float y);
void MidHandleImage(TImage& image);
float ImageHandleX(const TImage& image);
float ImageHandleY(const TImage& image);
// Whether the frame has its texture for the open graphics.
bool ImageHasTexture(const TImage& image, int frame = 0);

// Pixel access to a frame: Lock copies the frame out, Unlock writes it back.
PixmapPtr LockImage(TImage& image, int frame = 0);
void UnlockImage(TImage& image, int frame, const TPixmap& pixels);

// Makes the textures now rather than at the first draw.
void Precache(TImage& image);

// An image of one frame that is drawn into rather than loaded, for pictures
// composed once and drawn often. It keeps no pixels in memory: its picture
// lives in the renderer and is lost when the graphics reopen (a new
// GraphicsGeneration), when it must be drawn again. Null without graphics.
ImagePtr CreateDrawTarget(int width, int height);
// Sends drawing into a draw target's picture, or back to the screen with
// null. False when the image is not a live draw target.
bool SetDrawTarget(TImage* target);

// ---- image fonts --------------------------------------------------------
class TImageFont;
using ImageFontPtr = std::shared_ptr<TImageFont>;

class TImageFont {
public:
    struct Impl;
    explicit TImageFont(std::unique_ptr<Impl> impl);
    ~TImageFont();
    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

enum FontStyle { BOLDFONT = 1, ITALICFONT = 2, SMOOTHFONT = 4 };

// TrueType from a file or bytes at a pixel size; null on failure.
// Text is 8-bit: each byte is the Latin-1 character of that code.
ImageFontPtr LoadImageFont(const std::string& url, int size, int style = SMOOTHFONT);
// The bytes are read while the font is made, and not kept.
ImageFontPtr LoadImageFontFromMemory(const std::vector<uint8_t>& bytes, int size, int style = SMOOTHFONT);
int FontHeight(const TImageFont& font);
int FontTextWidth(const TImageFont& font, const std::string& text);
// The line's glyphs as DrawText places them from (0, 0): white pixels whose
// alpha is the glyphs' coverage, in a pixmap that starts at (left, top) from
// that origin. Null for a line with nothing to draw.
PixmapPtr TextCoverage(const TImageFont& font, const std::string& text, int& left, int& top);

// ---- graphics modes and the window ---------------------------------------
struct GraphicsMode {
    int width = 0, height = 0, depth = 0, hertz = 0;
};

int CountGraphicsModes();
// hertz 0 matches any refresh rate.
bool GraphicsModeExists(int width, int height, int depth, int hertz);
// Tests stand in for the display's list of modes (null: the display's own).
using GraphicsModesHook = std::vector<GraphicsMode> (*)();
void SetGraphicsModesHook(GraphicsModesHook hook);

bool GLDriverAvailable();

void SetWindowTitle(const std::string& title);
// The picture the desktop shows for the window (title bar, task bar, switcher);
// kept for every window opened later. Null gives later windows none.
void SetWindowIcon(PixmapPtr icon);
// depth 0 = a (resizable) window, otherwise full screen on the desktop.
// Closes any open graphics first. False on failure.
bool OpenGraphics(int width, int height, int depth, int hertz, int flags = 0);
void CloseGraphics();
bool GraphicsOpen();
// 1 = wait for vertical blank, 0 = no wait, -1 = the display's own rate.
// Also pumps window events into the event queue.
void Flip(int syncMode);
// Flips pace themselves to the display rate (sleeping when the driver does
// not wait for the vertical blank) unless this is on, and then only sync
// mode 0 returns at once (fast mode).
void SetUnthrottledFlip(bool on);
// Shows the frame at once, without waiting for the vertical blank or pacing:
// for progress frames, which are not animation. FrameDue tells whether the
// display has refreshed since the last flip, so that such frames come no
// faster than it shows them.
void FlipNow();
bool FrameDue();
// While flips have shown nothing new for a second and the game has taken no
// input since the last, every other frame need not be drawn, and three in
// four once they have shown nothing new for three seconds: RestFrame then
// paces it and takes in events as Flip does. A change with no input behind it
// shows at most three frames later; input brings back every frame at once.
bool MayRestFrame();
void RestFrame(int syncMode);
// Flips that reached the screen since the program began, and when the first
// did (steady-clock seconds, 0 before it): for measuring.
uint64_t PresentedFrames();
// Of those, the frames drawn again only where they changed.
uint64_t FramesDrawnInPart();
// Light added onto the window by the game's own code rather than SDL's.
uint64_t LightsAddedByHand();
double FirstPresentSeconds();
void Cls();
// True when the window shows bars beside the game's picture (its shape is not
// the game's): only a clear reaches them.
bool LetterboxShown();
// Incremented each time graphics open; images rebuild textures when it changes.
int GraphicsGeneration();

void HideMouse();
void ShowMouse();
void MoveMouse(int x, int y);  // logical coordinates

// The window in desktop coordinates.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};
Rect WindowOuterRect();
Rect WindowClientRect();
void CentreWindow();
// Resizes the window as a player dragging its border would (letterboxing follows).
void SetWindowSize(int width, int height);
bool WindowHasFocus();
int DesktopWidth();
int DesktopHeight();
int DesktopRefreshRate();  // 0 when unknown
int DisplayRefreshRate();  // of the open graphics; 0 when unknown

// ---- drawing state ----------------------------------------------------------
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetViewport(int x, int y, int width, int height);
void SetClsColor(int r, int g, int b);
// Restores every drawing setting to its default (white, alpha 1, mask blend,
// no rotation, scale 1, full viewport, default font).
void ResetDrawingState();

// ---- drawing ----------------------------------------------------------------
void DrawImage(TImage& image, float x, float y, int frame = 0);
void DrawImageRect(TImage& image, float x, float y, float width, float height, int frame = 0);
// Part of a frame (source rectangle sx, sy, sw, sh) into a rectangle.
void DrawSubImageRect(TImage& image, float x, float y, float width, float height, float sx, float sy,
                      float sw, float sh, int frame = 0);
void DrawRect(float x, float y, float width, float height);
void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel = true);
void Plot(float x, float y);
void DrawText(const std::string& text, float x, float y);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
void SetImageFont(ImageFontPtr font);  // null = the built-in default font
ImageFontPtr GetImageFont();

// Copies a screen area (of the frame being drawn, before Flip) into a new pixmap.
PixmapPtr GrabPixmap(int x, int y, int width, int height);

}  // namespace plat
