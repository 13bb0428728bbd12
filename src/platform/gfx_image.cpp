// Images: frames of pixels kept in memory, textures made lazily for the
// renderer of the moment.
#include <algorithm>
#include <cstring>

#include "platform/gfx_internal.h"
#include "platform/stream.h"

namespace plat {

namespace {

struct TLoadSettings {
    int maskR = 0, maskG = 0, maskB = 0;
    bool autoMidHandle = false;
    int defaultFlags = FILTEREDIMAGE | MASKEDIMAGE;
};

TLoadSettings& Settings() {
    static TLoadSettings settings;
    return settings;
}

int ResolveFlags(int flags) { return flags == DEFAULT_FLAGS ? Settings().defaultFlags : flags; }

// Pixels of the mask colour become fully transparent in masked images.
void ApplyMask(std::vector<uint32_t>& pixels, int flags) {
    const TLoadSettings& s = Settings();
    if (!(flags & MASKEDIMAGE) || (s.maskR == 0 && s.maskG == 0 && s.maskB == 0)) return;
    const uint32_t mask = ARGB(0, s.maskR, s.maskG, s.maskB);
    for (uint32_t& p : pixels)
        if ((p & 0xffffffu) == mask) p = 0;
}

ImagePtr NewImage(int width, int height, int frames, int flags) {
    auto impl = std::make_unique<TImage::Impl>();
    impl->width = width;
    impl->height = height;
    impl->flags = flags;
    impl->frames.assign(size_t(frames), std::vector<uint32_t>(size_t(width) * size_t(height), 0));
    for (int i = 0; i < frames; ++i) impl->textures.push_back(std::make_unique<TTextureSlot>());
    if (Settings().autoMidHandle) {
        impl->handleX = width / 2.0f;
        impl->handleY = height / 2.0f;
    }
    return std::make_shared<TImage>(std::move(impl));
}

bool ValidFrame(const TImage& image, int frame) {
    return frame >= 0 && frame < int(image.impl().frames.size());
}

}  // namespace

// ---- texture slots -------------------------------------------------------------

TTextureSlot::~TTextureSlot() { Release(); }

void TTextureSlot::Release() {
    // A texture of an earlier generation went with its renderer.
    if (texture_ && Renderer() && generation_ == Gfx().generation) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    generation_ = -1;
}

SDL_Texture* TTextureSlot::Get(const uint32_t* pixels, int width, int height, bool filtered) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer || width <= 0 || height <= 0) return nullptr;
    if (texture_ && generation_ != Gfx().generation) texture_ = nullptr;
    if (!texture_) {
        texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
        if (!texture_) return nullptr;
        generation_ = Gfx().generation;
        SDL_SetTextureScaleMode(texture_, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        dirty_ = true;
    }
    if (dirty_) {
        SDL_UpdateTexture(texture_, nullptr, pixels, width * 4);
        dirty_ = false;
    }
    return texture_;
}

SDL_Texture* TImage::Impl::Texture(int frame) {
    if (frame < 0 || frame >= int(frames.size())) return nullptr;
    return textures[size_t(frame)]->Get(frames[size_t(frame)].data(), width, height, flags & FILTEREDIMAGE);
}

TImage::TImage(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TImage::~TImage() = default;

// ---- loading -------------------------------------------------------------------

ImagePtr LoadAnimImageFromPixmap(const TPixmap& strip, int cellWidth, int cellHeight, int firstCell,
                                 int cellCount, int flags) {
    if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
    const int across = strip.Width() / cellWidth;
    const int down = strip.Height() / cellHeight;
    if (across <= 0 || firstCell + cellCount > across * down) return nullptr;
    flags = ResolveFlags(flags);
    ImagePtr image = NewImage(cellWidth, cellHeight, cellCount, flags);
    for (int i = 0; i < cellCount; ++i) {
        const int cell = firstCell + i;
        const int x0 = (cell % across) * cellWidth;
        const int y0 = (cell / across) * cellHeight;
        auto& pixels = image->impl().frames[size_t(i)];
        for (int y = 0; y < cellHeight; ++y)
            std::memcpy(&pixels[size_t(y) * size_t(cellWidth)],
                        strip.Pixels() + size_t(y0 + y) * size_t(strip.Width()) + size_t(x0),
                        size_t(cellWidth) * 4);
        ApplyMask(pixels, flags);
    }
    return image;
}

ImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags) {
    if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return nullptr;
    return LoadAnimImageFromPixmap(pixmap, pixmap.Width(), pixmap.Height(), 0, 1, flags);
}

ImagePtr LoadImageFromMemory(const std::vector<uint8_t>& bytes, int flags) {
    PixmapPtr pixmap = LoadPixmapFromMemory(bytes);
    return pixmap ? LoadImageFromPixmap(*pixmap, flags) : nullptr;
}

ImagePtr LoadImage(TStream& stream, int flags) {
    PixmapPtr pixmap = LoadPixmap(stream);
    return pixmap ? LoadImageFromPixmap(*pixmap, flags) : nullptr;
}

ImagePtr LoadImage(const std::string& url, int flags) {
    PixmapPtr pixmap = LoadPixmap(url);
    return pixmap ? LoadImageFromPixmap(*pixmap, flags) : nullptr;
}

ImagePtr LoadAnimImage(const std::string& url, int cellWidth, int cellHeight, int firstCell, int cellCount,
                       int flags) {
    PixmapPtr pixmap = LoadPixmap(url);
    return pixmap ? LoadAnimImageFromPixmap(*pixmap, cellWidth, cellHeight, firstCell, cellCount, flags)
                  : nullptr;
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
    return NewImage(width, height, frames, ResolveFlags(flags));
}

// ---- settings and queries ------------------------------------------------------

void SetMaskColor(int r, int g, int b) {
    Settings().maskR = std::clamp(r, 0, 255);
    Settings().maskG = std::clamp(g, 0, 255);
    Settings().maskB = std::clamp(b, 0, 255);
}
void AutoMidHandle(bool on) { Settings().autoMidHandle = on; }
bool AutoMidHandleOn() { return Settings().autoMidHandle; }
void SetDefaultImageFlags(int flags) { Settings().defaultFlags = flags == DEFAULT_FLAGS ? 0 : flags; }

int ImageWidth(const TImage& image) { return image.impl().width; }
int ImageHeight(const TImage& image) { return image.impl().height; }
int ImageFrames(const TImage& image) { return int(image.impl().frames.size()); }
int ImageFlagsOf(const TImage& image) { return image.impl().flags; }
float ImageHandleX(const TImage& image) { return image.impl().handleX; }
float ImageHandleY(const TImage& image) { return image.impl().handleY; }

void SetImageHandle(TImage& image, float x, float y) {
    image.impl().handleX = x;
    image.impl().handleY = y;
}

void MidHandleImage(TImage& image) {
    SetImageHandle(image, image.impl().width / 2.0f, image.impl().height / 2.0f);
}

PixmapPtr LockImage(TImage& image, int frame) {
    if (!ValidFrame(image, frame)) return nullptr;
    const auto& impl = image.impl();
    auto pixmap = CreatePixmap(impl.width, impl.height);
    std::copy(impl.frames[size_t(frame)].begin(), impl.frames[size_t(frame)].end(), pixmap->Pixels());
    return pixmap;
}

void UnlockImage(TImage& image, int frame, const TPixmap& pixels) {
    if (!ValidFrame(image, frame)) return;
    auto& impl = image.impl();
    auto& dest = impl.frames[size_t(frame)];
    const int w = std::min(impl.width, pixels.Width());
    const int h = std::min(impl.height, pixels.Height());
    for (int y = 0; y < h; ++y)
        std::memcpy(&dest[size_t(y) * size_t(impl.width)], pixels.Pixels() + size_t(y) * size_t(pixels.Width()),
                    size_t(w) * 4);
    impl.textures[size_t(frame)]->MarkDirty();
}

void Precache(TImage& image) {
    for (int i = 0; i < ImageFrames(image); ++i) image.impl().Texture(i);
}

}  // namespace plat
