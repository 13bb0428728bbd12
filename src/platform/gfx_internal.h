#pragma once
// Private pieces shared by the graphics sources: the open window and
// renderer, the drawing state, and the insides of images and image fonts.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace plat {

// A texture made for one renderer generation. Textures of an earlier
// generation died with their renderer and are never touched again.
class TTextureSlot {
public:
    TTextureSlot() = default;
    ~TTextureSlot();
    TTextureSlot(const TTextureSlot&) = delete;
    TTextureSlot& operator=(const TTextureSlot&) = delete;

    // The texture for the current renderer, made or refreshed from the pixels
    // when needed; null when no graphics are open.
    SDL_Texture* Get(const uint32_t* pixels, int width, int height, bool filtered);
    // A texture to draw into, made afresh (its picture blank); null on failure.
    SDL_Texture* MakeTarget(int width, int height);
    // The texture when it belongs to the current renderer, else null.
    SDL_Texture* Live() const;
    bool Dirty() const { return dirty_; }
    void MarkDirty() { dirty_ = true; }
    // Carries out the drawing recorded so far first, unless told that none
    // of it uses the texture.
    void Release(bool flush = true);

private:
    SDL_Texture* texture_ = nullptr;
    int generation_ = -1;
    bool dirty_ = false;
};

struct TImage::Impl {
    int width = 0;
    int height = 0;
    int flags = 0;
    float handleX = 0;
    float handleY = 0;
    std::vector<std::vector<uint32_t>> frames;  // 0xAARRGGBB, width * height each
    std::vector<std::unique_ptr<TTextureSlot>> textures;
    bool drawTarget = false;  // frames hold no pixels: the texture is the picture
    // Decodes the frames again from the file's bytes. Set while the image is
    // as loaded: its pixels are then let go once every frame has its
    // texture, and made again only when something reads them or the
    // textures must be made anew (graphics reopened).
    std::function<bool(Impl&)> reload;
    // The frame (count of flips) in which the image was last drawn.
    uint64_t drawnInFrame = 0;
    // A large picture as loaded: its texture goes when another large texture
    // is made in a frame that does not draw it (another screen is shown), and
    // is decoded again from the file's bytes when next drawn.
    bool large = false;
    // Per frame of a large picture, the rows in bands with each band cut to
    // where its pixels are not wholly transparent: blending draws only those
    // (empty: draw the whole frame). Found when the texture is made.
    std::vector<std::vector<SDL_Rect>> shownParts;

    ~Impl();

    SDL_Texture* Texture(int frame);
    // Pixels of a frame (made again when let go), or null where the image
    // keeps none.
    std::vector<uint32_t>* FramePixels(int frame);
    // Before the pixels change: the image is no longer as loaded.
    void WillWrite() { reload = nullptr; }
    // Drops the textures and pixels of an image as loaded (made again when
    // next drawn).
    void LetGoOfTextures();

private:
    bool HasPixels() const { return !frames.empty() && !frames[0].empty(); }
    void LetGoOfPixels();
};

// The live objects of a kind that take themselves on and off the list.
// Objects held by other long-lived objects may outlive the list at exit:
// once it is gone, taking one off does nothing.
template <typename T>
class TLiveList {
public:
    static void Add(T* item) { Items().push_back(item); }
    static void Remove(T* item) {
        if (Gone()) return;
        auto& items = Items();
        items.erase(std::remove(items.begin(), items.end(), item), items.end());
    }
    static std::vector<T*>& Items() {
        static TList list;
        return list.items;
    }

private:
    struct TList {
        std::vector<T*> items;
        ~TList() { Gone() = true; }
    };
    static bool& Gone() {
        static bool gone = false;
        return gone;
    }
};

// Pictures of at least this many pixels count as large.
constexpr int LARGE_PICTURE_PIXELS = LOGICAL_WIDTH * LOGICAL_HEIGHT / 4;
// Lets go of the textures of large pictures and fonts not drawn in the frame
// being drawn, but for the picture given (before a large texture is made).
void LetGoOfIdleLargeTextures(const TImage::Impl* keep);
// Lets go of the textures of large pictures and of fonts not drawn since the
// given frame (the still picture stays), but for the picture given.
void LetGoOfLargeTexturesUndrawnSince(uint64_t frame, const TImage::Impl* keep = nullptr);

struct TGlyph {
    int atlasX = 0, atlasY = 0, width = 0, height = 0;
    int left = 0, top = 0;  // offset of the bitmap from the pen position and baseline
    float advance = 0;
};

struct TImageFont::Impl {
    int size = 0;
    int style = 0;
    int height = 0;
    int ascent = 0;
    std::array<TGlyph, 256> glyphs{};
    int atlasWidth = 0;
    int atlasHeight = 0;
    // The glyphs' coverage, a byte a pixel: the texture (white, alpha =
    // coverage) is made from it, and made again when the graphics reopen
    // or after it was let go.
    std::vector<uint8_t> coverage;
    TTextureSlot texture;
    // The frame (count of flips) in which the font was last drawn.
    uint64_t drawnInFrame = 0;

    Impl();
    ~Impl();
    SDL_Texture* Texture();
};

// Calls visit(glyph, x, y) for each glyph of the line with pixels, at its
// place from the line's origin: where DrawText draws it.
template <typename Visit>
void ForEachPlacedGlyph(const TImageFont::Impl& font, const std::string& text, Visit visit) {
    float pen = 0;
    for (unsigned char c : text) {
        const TGlyph& g = font.glyphs[c];
        if (g.width > 0 && g.height > 0) visit(g, int(std::floor(pen)) + g.left, font.ascent - g.top);
        pen += g.advance;
    }
}

// Lets go of the textures of fonts not drawn since the given frame.
void LetGoOfFontTexturesUndrawnSince(uint64_t frame);

// ---- the open graphics ---------------------------------------------------------
struct TGraphicsState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    int generation = 0;
    uint64_t frame = 0;        // flips so far: the number of the frame being drawn
    int vsync = -2;            // what the renderer was last told
    double lastFlipMs = -1;    // for pacing flips to the display rate
};
TGraphicsState& Gfx();
// The renderer, or null when no graphics are open.
inline SDL_Renderer* Renderer() { return Gfx().renderer; }
bool EnsureVideo();

// ---- drawing state ------------------------------------------------------------
struct TDrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    int blend = MASKBLEND;
    float rotation = 0;
    float scaleX = 1, scaleY = 1;
    int viewX = 0, viewY = 0, viewW = LOGICAL_WIDTH, viewH = LOGICAL_HEIGHT;
    int clsR = 0, clsG = 0, clsB = 0;
    ImageFontPtr font;
};
TDrawState& DrawState();
// Pushes the viewport to the renderer (after opening).
void ApplyViewport();

// ---- the frame's drawing ---------------------------------------------------------
// Drawing is recorded as commands and carried out at the flip, or sooner when
// something needs the picture (a grab, a texture made or changed, another draw
// target). A frame whose commands equal those of the frame on the screen,
// with no texture changed since, is neither drawn nor shown again; a frame
// that begins as the frames before it began starts from a picture of that
// beginning (gfx_frame.cpp).
struct TDrawCommand {
    enum Kind : int { CLEAR, CLIP, COPY, COPY_EX, FILL_RECT, LINE, POINT, GEOMETRY };
    explicit TDrawCommand(Kind what);

    SDL_Texture* texture;
    double angle;
    SDL_Rect src;    // the part of the texture; the clip rectangle (w < 0: none)
    SDL_FRect dst;   // where it goes; a line from (x, y) to (w, h); a point at (x, y)
    SDL_FPoint centre;
    Kind kind;
    int flip;
    SDL_BlendMode blend;
    Uint8 r, g, b, a;
    int first, count, firstIndex, indexCount;  // geometry: its vertices and indices
};
// No padding: frames are compared byte for byte.
static_assert(sizeof(TDrawCommand) == 88);

void RecordCommand(const TDrawCommand& command);
void RecordGeometry(TDrawCommand command, const std::vector<SDL_Vertex>& vertices, const std::vector<int>& indices);
// Carries out what is recorded so far.
void FlushDrawing();
// A texture is made or changes, the draw target changes, or the window needs
// drawing: what was recorded is carried out first, and the frame is shown.
void ContentChanged();
// At the flip: carries out the frame and answers true when it must be shown.
bool FinishFrame();
// Forgets the frames (the renderer was made or destroyed).
void ResetFrames();
// Lets go of the picture that frames which begin alike start from (made
// again when they go on doing so): before a large texture is made.
void LetGoOfStillPicture();
// Whether the renderer is SDL's software one: it draws into the window's own
// pixels, which stay between frames, and its textures keep their pixels.
bool SoftwareRenderer(SDL_Renderer* renderer);
// Whether the renderer draws the logical picture one to one into the window.
bool DrawsOneToOne(SDL_Renderer* renderer);
// Adds a copy's light (an unscaled copy of a streaming texture in the adding
// blend) straight onto the window's pixels, as SDL's software renderer would
// add it, only faster. False, with nothing drawn, where SDL must draw it.
bool AddOntoWindow(SDL_Renderer* renderer, const TDrawCommand& c);

// ---- helpers -------------------------------------------------------------------
// Pixels of an SDL surface as 0xAARRGGBB.
PixmapPtr PixmapFromSurface(SDL_Surface* surface);
ImageFontPtr DefaultFont();

}  // namespace plat
