// The drawing state and everything that draws: images, primitives, text,
// grabbing the screen, and the collision layers.
#include <algorithm>
#include <cmath>

#include "platform/gfx_internal.h"

namespace plat {

namespace {

constexpr float PI = 3.14159265358979f;

SDL_BlendMode SdlBlend(int mode) {
    switch (mode) {
        case SOLIDBLEND: return SDL_BLENDMODE_NONE;
        case LIGHTBLEND: return SDL_BLENDMODE_ADD;
        // Multiplies the colour; fully transparent pixels leave the screen alone.
        case SHADEBLEND: return SDL_BLENDMODE_MUL;
        default: return SDL_BLENDMODE_BLEND;  // alpha, and masked images whose mask is alpha 0
    }
}

Uint8 AlphaByte(float alpha) { return Uint8(std::lround(std::clamp(alpha, 0.0f, 1.0f) * 255.0f)); }

struct TPoint {
    float x, y;
};

// Rotation and scale of the drawing state, applied to offsets from an anchor.
struct TTransform {
    float ax, ay, bx, by;  // x' = ax*x + bx*y, y' = ay*x + by*y
    bool plain;            // no rotation, positive scale

    static TTransform Current() {
        const TDrawState& s = DrawState();
        // Nearly everything is drawn unturned: no need for the trigonometry.
        if (s.rotation == 0.0f) return {s.scaleX, 0.0f, 0.0f, s.scaleY, s.scaleX > 0 && s.scaleY > 0};
        float turn = std::fmod(s.rotation, 360.0f);
        const float rad = turn * PI / 180.0f;
        const float c = std::cos(rad), n = std::sin(rad);
        return {c * s.scaleX, n * s.scaleX, -n * s.scaleY, c * s.scaleY,
                turn == 0.0f && s.scaleX > 0 && s.scaleY > 0};
    }
    TPoint Apply(float x, float y, float anchorX, float anchorY) const {
        return {anchorX + ax * x + bx * y, anchorY + ay * x + by * y};
    }
};

// A command in the colour, alpha and blend mode of the drawing state.
TDrawCommand Painted(TDrawCommand::Kind kind) {
    const TDrawState& s = DrawState();
    TDrawCommand c(kind);
    c.r = Uint8(s.r);
    c.g = Uint8(s.g);
    c.b = Uint8(s.b);
    c.a = AlphaByte(s.alpha);
    c.blend = SdlBlend(s.blend);
    return c;
}

// Draws the source rectangle of a texture onto the local rectangle
// (lx, ly, w, h), which is given relative to the anchor and then rotated and
// scaled about it.
void DrawQuad(SDL_Texture* texture, const SDL_Rect& src, float lx, float ly, float w, float h, float anchorX,
              float anchorY) {
    const TDrawState& s = DrawState();
    const TTransform t = TTransform::Current();
    TDrawCommand c = Painted(t.plain ? TDrawCommand::COPY : TDrawCommand::COPY_EX);
    c.texture = texture;
    c.src = src;
    if (t.plain) {
        c.dst = {anchorX + s.scaleX * lx, anchorY + s.scaleY * ly, s.scaleX * w, s.scaleY * h};
        RecordCommand(c);
        return;
    }
    // A negative scale mirrors: the rectangle then starts at its far edge.
    int flip = SDL_FLIP_NONE;
    SDL_FRect dst{anchorX + s.scaleX * lx, anchorY + s.scaleY * ly, std::fabs(s.scaleX) * w,
                  std::fabs(s.scaleY) * h};
    if (s.scaleX < 0) {
        dst.x = anchorX + s.scaleX * (lx + w);
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if (s.scaleY < 0) {
        dst.y = anchorY + s.scaleY * (ly + h);
        flip |= SDL_FLIP_VERTICAL;
    }
    c.dst = dst;
    c.centre = {anchorX - dst.x, anchorY - dst.y};
    c.angle = double(s.rotation);
    c.flip = flip;
    RecordCommand(c);
}

// A filled polygon given as a fan around its first point.
void FillFan(const std::vector<TPoint>& points) {
    if (points.size() < 3) return;
    const TDrawState& s = DrawState();
    const SDL_Color colour{Uint8(s.r), Uint8(s.g), Uint8(s.b), AlphaByte(s.alpha)};
    std::vector<SDL_Vertex> vertices;
    vertices.reserve(points.size());
    for (const auto& p : points) vertices.push_back({{p.x, p.y}, colour, {0, 0}});
    std::vector<int> indices;
    indices.reserve((points.size() - 2) * 3);
    for (int i = 1; i + 1 < int(points.size()); ++i) {
        indices.push_back(0);
        indices.push_back(i);
        indices.push_back(i + 1);
    }
    RecordGeometry(Painted(TDrawCommand::GEOMETRY), vertices, indices);
}

// Whether the source goes onto whole pixels of the screen unturned and
// unscaled, blended or added: where its pixels are wholly transparent
// nothing changes (SDL's multiplying blend changes the screen even there).
bool DrawsOneToOne(const SDL_Rect& src, float left, float top, float width, float height) {
    const TDrawState& s = DrawState();
    const SDL_BlendMode blend = SdlBlend(s.blend);
    if (s.rotation != 0 || s.scaleX != 1 || s.scaleY != 1 || (blend != SDL_BLENDMODE_BLEND && blend != SDL_BLENDMODE_ADD))
        return false;
    if (width != float(src.w) || height != float(src.h) || left != std::floor(left) || top != std::floor(top))
        return false;
    float scaleX = 0, scaleY = 0;
    SDL_RenderGetScale(Renderer(), &scaleX, &scaleY);
    return scaleX == 1 && scaleY == 1;
}

// Only the parts of the source that show, each where it falls.
void DrawShownParts(SDL_Texture* texture, const std::vector<SDL_Rect>& parts, const SDL_Rect& src, float left,
                    float top) {
    TDrawCommand c = Painted(TDrawCommand::COPY);
    c.texture = texture;
    for (const SDL_Rect& part : parts) {
        if (!SDL_IntersectRect(&part, &src, &c.src)) continue;
        c.dst = {left + float(c.src.x - src.x), top + float(c.src.y - src.y), float(c.src.w), float(c.src.h)};
        RecordCommand(c);
    }
}

}  // namespace

TDrawState& DrawState() {
    static TDrawState state;
    return state;
}

void ApplyViewport() {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    const TDrawState& s = DrawState();
    TDrawCommand c(TDrawCommand::CLIP);
    c.src = {0, 0, -1, -1};
    if (s.viewX > 0 || s.viewY > 0 || s.viewX + s.viewW < LOGICAL_WIDTH || s.viewY + s.viewH < LOGICAL_HEIGHT)
        c.src = {s.viewX, s.viewY, std::max(0, s.viewW), std::max(0, s.viewH)};
    RecordCommand(c);
}

// ---- drawing state --------------------------------------------------------------

void SetColor(int r, int g, int b) {
    TDrawState& s = DrawState();
    s.r = std::clamp(r, 0, 255);
    s.g = std::clamp(g, 0, 255);
    s.b = std::clamp(b, 0, 255);
}

void GetColor(int& r, int& g, int& b) {
    const TDrawState& s = DrawState();
    r = s.r;
    g = s.g;
    b = s.b;
}

void SetAlpha(float alpha) { DrawState().alpha = std::clamp(alpha, 0.0f, 1.0f); }
float GetAlpha() { return DrawState().alpha; }
void SetBlend(int mode) { DrawState().blend = mode; }
int GetBlend() { return DrawState().blend; }
void SetRotation(float degrees) { DrawState().rotation = degrees; }
float GetRotation() { return DrawState().rotation; }

void SetScale(float sx, float sy) {
    DrawState().scaleX = sx;
    DrawState().scaleY = sy;
}

void GetScale(float& sx, float& sy) {
    sx = DrawState().scaleX;
    sy = DrawState().scaleY;
}

void SetViewport(int x, int y, int width, int height) {
    TDrawState& s = DrawState();
    s.viewX = x;
    s.viewY = y;
    s.viewW = width;
    s.viewH = height;
    ApplyViewport();
}

void SetClsColor(int r, int g, int b) {
    TDrawState& s = DrawState();
    s.clsR = std::clamp(r, 0, 255);
    s.clsG = std::clamp(g, 0, 255);
    s.clsB = std::clamp(b, 0, 255);
}

void ResetDrawingState() {
    TDrawState& s = DrawState();
    const int clsR = s.clsR, clsG = s.clsG, clsB = s.clsB;
    s = TDrawState{};
    s.clsR = clsR;
    s.clsG = clsG;
    s.clsB = clsB;
    ApplyViewport();
}

void SetImageFont(ImageFontPtr font) { DrawState().font = std::move(font); }
ImageFontPtr GetImageFont() { return DrawState().font; }

// ---- images ---------------------------------------------------------------------

void DrawSubImageRect(TImage& image, float x, float y, float width, float height, float sx, float sy, float sw,
                      float sh, int frame) {
    if (!Renderer() || sw <= 0 || sh <= 0) return;
    SDL_Texture* texture = image.impl().Texture(frame);
    if (!texture) return;
    const auto& impl = image.impl();
    const SDL_Rect src{int(sx), int(sy), int(sw), int(sh)};
    const float left = x - impl.handleX * width / sw, top = y - impl.handleY * height / sh;
    if (DrawsOneToOne(src, left, top, width, height) && frame < int(impl.shownParts.size()) &&
        !impl.shownParts[size_t(frame)].empty()) {
        DrawShownParts(texture, impl.shownParts[size_t(frame)], src, left, top);
        return;
    }
    DrawQuad(texture, src, -impl.handleX * width / sw, -impl.handleY * height / sh, width, height, x, y);
}

void DrawImageRect(TImage& image, float x, float y, float width, float height, int frame) {
    const auto& impl = image.impl();
    DrawSubImageRect(image, x, y, width, height, 0, 0, float(impl.width), float(impl.height), frame);
}

void DrawImage(TImage& image, float x, float y, int frame) {
    const auto& impl = image.impl();
    DrawImageRect(image, x, y, float(impl.width), float(impl.height), frame);
}

// ---- primitives -----------------------------------------------------------------

void DrawRect(float x, float y, float width, float height) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    const TDrawState& s = DrawState();
    const TTransform t = TTransform::Current();
    if (t.plain) {
        TDrawCommand c = Painted(TDrawCommand::FILL_RECT);
        c.dst = {x, y, s.scaleX * width, s.scaleY * height};
        RecordCommand(c);
        return;
    }
    FillFan({t.Apply(0, 0, x, y), t.Apply(width, 0, x, y), t.Apply(width, height, x, y), t.Apply(0, height, x, y)});
}

void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    const TTransform t = TTransform::Current();
    const TPoint a = t.Apply(0, 0, x1, y1);
    TPoint b = t.Apply(x2 - x1, y2 - y1, x1, y1);
    if (!drawLastPixel) {
        // Stop one pixel short along the longer axis.
        const float dx = b.x - a.x, dy = b.y - a.y;
        const float steps = std::max(std::fabs(dx), std::fabs(dy));
        if (steps < 1) return;
        b = {b.x - dx / steps, b.y - dy / steps};
    }
    TDrawCommand c = Painted(TDrawCommand::LINE);
    c.dst = {a.x, a.y, b.x, b.y};
    RecordCommand(c);
}

void Plot(float x, float y) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    TDrawCommand c = Painted(TDrawCommand::POINT);
    c.dst = {x, y, 0, 0};
    RecordCommand(c);
}

// ---- text -----------------------------------------------------------------------

namespace {

TImageFont* CurrentFont() {
    const ImageFontPtr& font = DrawState().font;
    if (font) return font.get();
    const ImageFontPtr& fallback = DefaultFont();
    return fallback.get();
}

}  // namespace

void DrawText(const std::string& text, float x, float y) {
    TImageFont* font = CurrentFont();
    if (!Renderer() || !font) return;
    auto& impl = font->impl();
    SDL_Texture* texture = impl.Texture();
    if (!texture) return;
    ForEachPlacedGlyph(impl, text, [&](const TGlyph& g, int left, int top) {
        const SDL_Rect src{g.atlasX, g.atlasY, g.width, g.height};
        DrawQuad(texture, src, float(left), float(top), float(g.width), float(g.height), x, y);
    });
}

int TextWidth(const std::string& text) {
    TImageFont* font = CurrentFont();
    return font ? FontTextWidth(*font, text) : 0;
}

int TextHeight(const std::string& /*text*/) {
    TImageFont* font = CurrentFont();
    return font ? FontHeight(*font) : 0;
}

// ---- grabbing -------------------------------------------------------------------

namespace {

// Reads a logical screen area of the frame being drawn. Renderers differ in
// how they read back while a logical size is set (some answer only the
// viewport, unscaled), so the logical size is lifted for the read and the
// output pixels are sampled: each logical pixel takes the output pixel under
// its centre.
PixmapPtr ReadScreen(int x, int y, int width, int height) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer || width <= 0 || height <= 0) return nullptr;
    FlushDrawing();
    auto pixmap = CreatePixmap(width, height);
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(LOGICAL_WIDTH, x + width), y1 = std::min(LOGICAL_HEIGHT, y + height);
    if (x1 <= x0 || y1 <= y0) return pixmap;

    float scaleX = 1, scaleY = 1;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    auto outX = [&](float lx) { return (float(view.x) + lx) * scaleX; };
    auto outY = [&](float ly) { return (float(view.y) + ly) * scaleY; };
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    SDL_Rect area{std::max(0, int(std::floor(outX(float(x0))))), std::max(0, int(std::floor(outY(float(y0))))), 0, 0};
    area.w = std::min(outW, int(std::ceil(outX(float(x1))))) - area.x;
    area.h = std::min(outH, int(std::ceil(outY(float(y1))))) - area.y;
    if (area.w <= 0 || area.h <= 0) return pixmap;

    std::vector<uint32_t> out(size_t(area.w) * size_t(area.h), 0);
    SDL_RenderSetLogicalSize(renderer, 0, 0);
    const int failed = SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_ARGB8888, out.data(), area.w * 4);
    SDL_RenderSetLogicalSize(renderer, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    ApplyViewport();
    if (failed) return pixmap;
    for (int ly = y0; ly < y1; ++ly) {
        const int oy = std::clamp(int(outY(float(ly) + 0.5f)) - area.y, 0, area.h - 1);
        for (int lx = x0; lx < x1; ++lx) {
            const int ox = std::clamp(int(outX(float(lx) + 0.5f)) - area.x, 0, area.w - 1);
            pixmap->WritePixel(lx - x, ly - y, out[size_t(oy) * size_t(area.w) + size_t(ox)] | 0xff000000u);
        }
    }
    return pixmap;
}

}  // namespace

PixmapPtr GrabPixmap(int x, int y, int width, int height) { return ReadScreen(x, y, width, height); }

}  // namespace plat
