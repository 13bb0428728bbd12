// Light added onto the window by our own hand. SDL's software renderer adds
// a picture one pixel at a time, with a multiply and a division per channel;
// the title's glowing logo, added afresh every frame, spent most of the
// title's time there. Here four pixels go at a time through the same integer
// steps SDL takes, so the window shows exactly what SDL would have drawn.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/gfx_internal.h"

namespace plat {

namespace {

// The command's colour and alpha, by which the picture's are multiplied.
struct TTint {
    uint32_t r, g, b, a;
};

uint32_t Scaled(uint32_t value, uint32_t by) { return value * by / 255; }

// A picture's pixel added to a screen's: its colour tinted, then weighed by
// its tinted alpha, each step rounded down; the screen's alpha stays.
uint32_t AddPixel(uint32_t picture, uint32_t screen, const TTint& tint) {
    const uint32_t alpha = Scaled(picture >> 24, tint.a);
    const auto channel = [&](int shift, uint32_t tintBy) {
        const uint32_t added = Scaled(Scaled((picture >> shift) & 0xFF, tintBy), alpha);
        return std::min<uint32_t>(255, ((screen >> shift) & 0xFF) + added) << shift;
    };
    return (screen & 0xFF000000u) | channel(16, tint.r) | channel(8, tint.g) | channel(0, tint.b);
}

#if defined(__SSE2__)
// Each 16-bit lane divided by 255 and rounded down, for lanes up to 255 * 255.
__m128i DivideBy255(__m128i x) {
    const __m128i one = _mm_set1_epi16(1);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
}

// Two pixels, a channel to a lane, tinted and weighed by their tinted alpha
// (the alpha lanes come out as junk).
__m128i Weighed(__m128i pixels, __m128i tint) {
    const __m128i tinted = DivideBy255(_mm_mullo_epi16(pixels, tint));
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(tinted, 0xFF), 0xFF);
    return DivideBy255(_mm_mullo_epi16(tinted, alpha));
}
#endif

void AddRow(const uint32_t* picture, uint32_t* screen, int count, const TTint& tint) {
    int i = 0;
#if defined(__SSE2__)
    const auto lane = [](uint32_t v) { return short(v); };
    const __m128i tint16 = _mm_set_epi16(lane(tint.a), lane(tint.r), lane(tint.g), lane(tint.b), lane(tint.a),
                                         lane(tint.r), lane(tint.g), lane(tint.b));
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(picture + i));
        const __m128i added =
            _mm_packus_epi16(Weighed(_mm_unpacklo_epi8(p, zero), tint16), Weighed(_mm_unpackhi_epi8(p, zero), tint16));
        auto* at = reinterpret_cast<__m128i*>(screen + i);
        _mm_storeu_si128(at, _mm_adds_epu8(_mm_loadu_si128(at), _mm_and_si128(added, colourOnly)));
    }
#endif
    for (; i < count; ++i) screen[i] = AddPixel(picture[i], screen[i], tint);
}

// Whether the window's pixels are 32 bits as 0x??RRGGBB.
bool ScreenPixelsLikeOurs(const SDL_Surface* window) {
    const SDL_PixelFormat* f = window->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u && f->Bmask == 0x000000FFu;
}

// Where on the window the command draws: its place cut to the window, the
// renderer's viewport and its clip. Empty when nowhere.
SDL_Rect DrawnPart(SDL_Renderer* renderer, const SDL_Surface* window, const SDL_Rect& to) {
    SDL_Rect shown{0, 0, 0, 0};
    const SDL_Rect whole{0, 0, window->w, window->h};
    if (!SDL_IntersectRect(&to, &whole, &shown)) return {0, 0, 0, 0};
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    if (!SDL_IntersectRect(&shown, &view, &shown)) return {0, 0, 0, 0};
    if (SDL_RenderIsClipEnabled(renderer)) {
        SDL_Rect clip;
        SDL_RenderGetClipRect(renderer, &clip);
        if (!SDL_IntersectRect(&shown, &clip, &shown)) return {0, 0, 0, 0};
    }
    return shown;
}

void AddArea(const uint8_t* picture, int picturePitch, SDL_Surface* window, const SDL_Rect& shown, const TTint& tint) {
    auto* screen = static_cast<uint8_t*>(window->pixels) + shown.y * window->pitch + shown.x * 4;
    for (int row = 0; row < shown.h; ++row)
        AddRow(reinterpret_cast<const uint32_t*>(picture + row * picturePitch),
               reinterpret_cast<uint32_t*>(screen + row * window->pitch), shown.w, tint);
}

uint64_t& AddedCount() {
    static uint64_t count = 0;
    return count;
}

}  // namespace

bool AddOntoWindow(SDL_Renderer* renderer, const TDrawCommand& c) {
    if (c.kind != TDrawCommand::COPY || c.blend != SDL_BLENDMODE_ADD) return false;
    if (c.dst.w != float(c.src.w) || c.dst.h != float(c.src.h) || c.dst.x != std::floor(c.dst.x) ||
        c.dst.y != std::floor(c.dst.y))
        return false;
    // Only a streaming texture's pixels can be read, and only the software
    // renderer's textures keep them where the game can read them.
    int access = 0, width = 0, height = 0;
    if (SDL_QueryTexture(c.texture, nullptr, &access, &width, &height) != 0 || access != SDL_TEXTUREACCESS_STREAMING)
        return false;
    if (c.src.x < 0 || c.src.y < 0 || c.src.x + c.src.w > width || c.src.y + c.src.h > height) return false;
    if (!SoftwareRenderer(renderer) || !DrawsOneToOne(renderer)) return false;
    SDL_Surface* window = SDL_GetWindowSurface(Gfx().window);
    if (!window || !ScreenPixelsLikeOurs(window)) return false;
    const SDL_Rect to{int(c.dst.x), int(c.dst.y), c.src.w, c.src.h};
    const SDL_Rect shown = DrawnPart(renderer, window, to);
    if (shown.w <= 0 || shown.h <= 0) return true;
    const SDL_Rect from{c.src.x + shown.x - to.x, c.src.y + shown.y - to.y, shown.w, shown.h};
    // What SDL holds back to draw goes on first.
    SDL_RenderFlush(renderer);
    void* picture = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(c.texture, &from, &picture, &pitch) != 0) return false;
    const bool locked = SDL_MUSTLOCK(window);
    if (locked && SDL_LockSurface(window) != 0) {
        SDL_UnlockTexture(c.texture);
        return false;
    }
    AddArea(static_cast<const uint8_t*>(picture), pitch, window, shown, TTint{c.r, c.g, c.b, c.a});
    if (locked) SDL_UnlockSurface(window);
    SDL_UnlockTexture(c.texture);
    ++AddedCount();
    return true;
}

uint64_t LightsAddedByHand() { return AddedCount(); }

}  // namespace plat
