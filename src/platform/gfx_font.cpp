// Image fonts: the 256 Latin-1 characters of a TrueType font rendered by
// FreeType at one pixel size into a single atlas.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "platform/files.h"
#include "platform/gfx_internal.h"
#include "platform/stream.h"

namespace plat {

namespace {

constexpr int ATLAS_WIDTH = 512;

FT_Library FreeType() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

struct TGlyphBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;
};

// Copies the rendered bitmap of the glyph slot as 0..255 coverage.
TGlyphBitmap CopyBitmap(const FT_Bitmap& bitmap) {
    TGlyphBitmap out;
    out.width = int(bitmap.width);
    out.height = int(bitmap.rows);
    out.coverage.resize(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) {
            uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                value = bitmap.num_grays == 256 ? row[x] : uint8_t(row[x] * 255 / std::max(1, bitmap.num_grays - 1));
            out.coverage[size_t(y) * size_t(out.width) + size_t(x)] = value;
        }
    }
    return out;
}

// Shelf-packs the glyph bitmaps into the font's atlas (white, alpha = coverage).
void BuildAtlas(TImageFont::Impl& font, const std::array<TGlyphBitmap, 256>& bitmaps) {
    int width = ATLAS_WIDTH;
    for (const auto& b : bitmaps) width = std::max(width, b.width + 2);
    int x = 1, y = 1, shelf = 0;
    for (int c = 0; c < 256; ++c) {
        const auto& b = bitmaps[size_t(c)];
        if (b.width == 0 || b.height == 0) continue;
        if (x + b.width + 1 > width) {
            x = 1;
            y += shelf + 1;
            shelf = 0;
        }
        font.glyphs[size_t(c)].atlasX = x;
        font.glyphs[size_t(c)].atlasY = y;
        x += b.width + 1;
        shelf = std::max(shelf, b.height);
    }
    font.atlasWidth = width;
    font.atlasHeight = std::max(1, y + shelf + 1);
    font.coverage.assign(size_t(font.atlasWidth) * size_t(font.atlasHeight), 0);
    for (int c = 0; c < 256; ++c) {
        const auto& b = bitmaps[size_t(c)];
        const TGlyph& g = font.glyphs[size_t(c)];
        if (b.width == 0) continue;
        for (int py = 0; py < b.height; ++py)
            std::memcpy(&font.coverage[size_t(g.atlasY + py) * size_t(font.atlasWidth) + size_t(g.atlasX)],
                        &b.coverage[size_t(py) * size_t(b.width)], size_t(b.width));
    }
}

ImageFontPtr RenderFace(FT_Face face, int size, int style) {
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(size)) != 0) return nullptr;
    if (style & ITALICFONT) {
        FT_Matrix shear{0x10000, 0x0366a, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    auto impl = std::make_unique<TImageFont::Impl>();
    impl->size = size;
    impl->style = style;
    impl->ascent = int(face->size->metrics.ascender >> 6);
    impl->height = int(face->size->metrics.height >> 6);
    if (impl->height <= 0) impl->height = size;

    const bool smooth = (style & SMOOTHFONT) != 0;
    std::array<TGlyphBitmap, 256> bitmaps;
    for (int c = 32; c < 256; ++c) {
        if (c >= 127 && c < 160) continue;  // control characters
        const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(c));
        if (index == 0 && c != 32) continue;
        if (FT_Load_Glyph(face, index, smooth ? FT_LOAD_DEFAULT : FT_LOAD_TARGET_MONO) != 0) continue;
        FT_GlyphSlot slot = face->glyph;
        if (style & BOLDFONT) FT_GlyphSlot_Embolden(slot);
        if (FT_Render_Glyph(slot, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) continue;
        TGlyph& g = impl->glyphs[size_t(c)];
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = float(slot->advance.x) / 64.0f;
        bitmaps[size_t(c)] = CopyBitmap(slot->bitmap);
        g.width = bitmaps[size_t(c)].width;
        g.height = bitmaps[size_t(c)].height;
    }
    BuildAtlas(*impl, bitmaps);
    return std::make_shared<TImageFont>(std::move(impl));
}

// Hollow boxes for every printable character: the last resort when no
// TrueType font can be found for the default font.
ImageFontPtr BoxFont() {
    auto impl = std::make_unique<TImageFont::Impl>();
    impl->size = 12;
    impl->height = 12;
    impl->ascent = 10;
    std::array<TGlyphBitmap, 256> bitmaps;
    for (int c = 33; c < 256; ++c) {
        if (c >= 127 && c < 160) continue;
        TGlyphBitmap& b = bitmaps[size_t(c)];
        b.width = 6;
        b.height = 8;
        b.coverage.assign(48, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 6; ++x)
                if (x == 0 || y == 0 || x == 5 || y == 7) b.coverage[size_t(y * 6 + x)] = 255;
        impl->glyphs[size_t(c)] = {0, 0, 6, 8, 1, 9, 8.0f};
    }
    impl->glyphs[32].advance = 8.0f;
    BuildAtlas(*impl, bitmaps);
    return std::make_shared<TImageFont>(std::move(impl));
}

}  // namespace

TImageFont::Impl::Impl() { TLiveList<Impl>::Add(this); }

TImageFont::Impl::~Impl() { TLiveList<Impl>::Remove(this); }

void LetGoOfFontTexturesUndrawnSince(uint64_t frame) {
    // Not drawn in the frame being recorded: no drawing recorded uses them.
    for (TImageFont::Impl* font : TLiveList<TImageFont::Impl>::Items())
        if (font->drawnInFrame < frame) font->texture.Release(false);
}

SDL_Texture* TImageFont::Impl::Texture() {
    drawnInFrame = Gfx().frame;
    if (SDL_Texture* live = texture.Live(); live && !texture.Dirty()) return live;
    if (!Renderer()) return nullptr;
    std::vector<uint32_t> pixels(coverage.size());
    std::transform(coverage.begin(), coverage.end(), pixels.begin(),
                   [](uint8_t alpha) { return (uint32_t(alpha) << 24) | 0xffffffu; });
    return texture.Get(pixels.data(), atlasWidth, atlasHeight, true);
}

TImageFont::TImageFont(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TImageFont::~TImageFont() = default;

ImageFontPtr LoadImageFontFromMemory(const std::vector<uint8_t>& bytes, int size, int style) {
    if (bytes.empty() || size <= 0 || !FreeType()) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(FreeType(), bytes.data(), FT_Long(bytes.size()), 0, &face) != 0) return nullptr;
    ImageFontPtr font = RenderFace(face, size, style);
    FT_Done_Face(face);
    return font;
}

ImageFontPtr LoadImageFont(const std::string& url, int size, int style) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(url, bytes)) return nullptr;
    return LoadImageFontFromMemory(bytes, size, style);
}

int FontHeight(const TImageFont& font) { return font.impl().height; }

int FontTextWidth(const TImageFont& font, const std::string& text) {
    float width = 0;
    for (unsigned char c : text) width += font.impl().glyphs[c].advance;
    return int(width);
}

PixmapPtr TextCoverage(const TImageFont& font, const std::string& text, int& left, int& top) {
    const auto& impl = font.impl();
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    ForEachPlacedGlyph(impl, text, [&](const TGlyph& g, int x, int y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + g.width);
        y1 = std::max(y1, y + g.height);
    });
    if (x0 >= x1) return nullptr;
    auto pixmap = CreatePixmap(x1 - x0, y1 - y0);
    pixmap->Clear(0);
    // Glyphs that overlap lie over one another, as drawing them one by one does.
    ForEachPlacedGlyph(impl, text, [&](const TGlyph& g, int x, int y) {
        for (int py = 0; py < g.height; ++py)
            for (int px = 0; px < g.width; ++px) {
                const int cover = impl.coverage[size_t(g.atlasY + py) * size_t(impl.atlasWidth) + size_t(g.atlasX + px)];
                if (cover == 0) continue;
                const int under = PixA(pixmap->ReadPixel(x - x0 + px, y - y0 + py));
                pixmap->WritePixel(x - x0 + px, y - y0 + py, ARGB(cover + under * (255 - cover) / 255, 255, 255, 255));
            }
    });
    left = x0;
    top = y0;
    return pixmap;
}

namespace {

ImageFontPtr& DefaultFontSlot() {
    static ImageFontPtr font;
    return font;
}

}  // namespace

ImageFontPtr DefaultFont() {
    ImageFontPtr& font = DefaultFontSlot();
    if (font) return font;
    static const char* const candidates[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf",
        "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
        "/usr/share/fonts/truetype/freefont/FreeSans.ttf",
    };
    for (const char* path : candidates) {
        if (FileType(path) != FILETYPE_FILE) continue;
        font = LoadImageFont(path, 12, SMOOTHFONT);
        if (font) return font;
    }
    font = BoxFont();
    return font;
}

}  // namespace plat
