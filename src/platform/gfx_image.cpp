// Images: frames of pixels kept in memory, textures made lazily for the
// renderer of the moment.
#include <algorithm>
#include <cstring>

#include "platform/gfx_internal.h"
#include "platform/stream.h"

namespace plat {

namespace {

// The frame's rows in bands, each cut to the columns where some pixel is not
// wholly transparent; none where that leaves most of the picture or the
// picture is small: drawing it whole costs as little.
std::vector<SDL_Rect> ShownParts(const std::vector<uint32_t>& pixels, int width, int height) {
    constexpr int BAND = 8, SMALLEST = 64 * 1024;
    std::vector<SDL_Rect> parts;
    if (width * height < SMALLEST || pixels.size() < size_t(width) * size_t(height)) return parts;
    int area = 0;
    for (int top = 0; top < height; top += BAND) {
        const int rows = std::min(BAND, height - top);
        int left = width, right = -1;
        for (int y = top; y < top + rows; ++y) {
            const uint32_t* row = pixels.data() + size_t(y) * size_t(width);
            for (int x = 0; x < left; ++x)
                if (row[x] >> 24) left = x;
            for (int x = width - 1; x > right; --x)
                if (row[x] >> 24) right = x;
        }
        if (right < left) continue;
        parts.push_back({left, top, right - left + 1, rows});
        area += (right - left + 1) * rows;
    }
    if (area > width * height * 9 / 10) parts.clear();
    return parts;
}

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
void ApplyMask(std::vector<uint32_t>& pixels, int flags, const TLoadSettings& s) {
    if (!(flags & MASKEDIMAGE) || (s.maskR == 0 && s.maskG == 0 && s.maskB == 0)) return;
    const uint32_t mask = ARGB(0, s.maskR, s.maskG, s.maskB);
    for (uint32_t& p : pixels)
        if ((p & 0xffffffu) == mask) p = 0;
}

ImagePtr NewImage(int width, int height, int frames, int flags, bool withPixels = true) {
    auto impl = std::make_unique<TImage::Impl>();
    impl->width = width;
    impl->height = height;
    impl->flags = flags;
    impl->frames.resize(size_t(frames));
    if (withPixels)
        for (auto& pixels : impl->frames) pixels.assign(size_t(width) * size_t(height), 0);
    for (int i = 0; i < frames; ++i) impl->textures.push_back(std::make_unique<TTextureSlot>());
    if (Settings().autoMidHandle) {
        impl->handleX = width / 2.0f;
        impl->handleY = height / 2.0f;
    }
    return std::make_shared<TImage>(std::move(impl));
}

using TLargePictures = TLiveList<TImage::Impl>;

}  // namespace

void LetGoOfLargeTexturesUndrawnSince(uint64_t frame, const TImage::Impl* keep) {
    for (TImage::Impl* picture : TLargePictures::Items())
        if (picture != keep && picture->drawnInFrame < frame) picture->LetGoOfTextures();
    LetGoOfFontTexturesUndrawnSince(frame);
}

void LetGoOfIdleLargeTextures(const TImage::Impl* keep) {
    LetGoOfStillPicture();
    LetGoOfLargeTexturesUndrawnSince(Gfx().frame, keep);
}

// ---- texture slots -------------------------------------------------------------

TTextureSlot::~TTextureSlot() { Release(); }

void TTextureSlot::Release(bool flush) {
    // A texture of an earlier generation went with its renderer.
    if (texture_ && Renderer() && generation_ == Gfx().generation) {
        if (flush) FlushDrawing();  // drawing recorded with it goes first
        SDL_DestroyTexture(texture_);
    }
    texture_ = nullptr;
    generation_ = -1;
}

SDL_Texture* TTextureSlot::Get(const uint32_t* pixels, int width, int height, bool filtered) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer || width <= 0 || height <= 0) return nullptr;
    if (texture_ && generation_ != Gfx().generation) texture_ = nullptr;
    if (!texture_ || dirty_) ContentChanged();
    if (!texture_) {
        // The software renderer keeps a texture's pixels in memory either
        // way; streaming lets them be read, to add light by our own hand.
        const int access = SoftwareRenderer(renderer) ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
        texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, access, width, height);
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

SDL_Texture* TTextureSlot::MakeTarget(int width, int height) {
    Release();
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return nullptr;
    ContentChanged();
    texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!texture_) return nullptr;
    generation_ = Gfx().generation;
    // Scaled to a larger window as smoothly as the pictures it is made of.
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
    dirty_ = false;
    return texture_;
}

SDL_Texture* TTextureSlot::Live() const {
    return texture_ && Renderer() && generation_ == Gfx().generation ? texture_ : nullptr;
}

SDL_Texture* TImage::Impl::Texture(int frame) {
    if (frame < 0 || frame >= int(frames.size())) return nullptr;
    TTextureSlot& slot = *textures[size_t(frame)];
    drawnInFrame = Gfx().frame;
    if (drawTarget) return slot.Live();
    if (SDL_Texture* live = slot.Live(); live && !slot.Dirty()) return live;
    if (large && reload) LetGoOfIdleLargeTextures(this);
    if (!FramePixels(frame)) return nullptr;
    SDL_Texture* texture = slot.Get(frames[size_t(frame)].data(), width, height, flags & FILTEREDIMAGE);
    if (shownParts.size() != frames.size()) shownParts.resize(frames.size());
    shownParts[size_t(frame)] = ShownParts(frames[size_t(frame)], width, height);
    LetGoOfPixels();
    return texture;
}

std::vector<uint32_t>* TImage::Impl::FramePixels(int frame) {
    if (drawTarget || frame < 0 || frame >= int(frames.size())) return nullptr;
    if (!HasPixels() && !(reload && reload(*this))) return nullptr;
    return &frames[size_t(frame)];
}

void TImage::Impl::LetGoOfPixels() {
    if (!reload || !HasPixels()) return;
    for (const auto& slot : textures)
        if (!slot->Live() || slot->Dirty()) return;
    for (auto& pixels : frames) std::vector<uint32_t>().swap(pixels);
}

void TImage::Impl::LetGoOfTextures() {
    if (!reload) return;  // changed since loading: the pixels are the only copy
    bool any = false;
    // Not drawn in the frame being recorded: no drawing recorded uses them.
    for (const auto& slot : textures) {
        any = any || slot->Live();
        slot->Release(false);
    }
    if (any) LetGoOfPixels();
}

TImage::Impl::~Impl() {
    if (large) TLargePictures::Remove(this);
}

TImage::TImage(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TImage::~TImage() = default;

// ---- loading -------------------------------------------------------------------

namespace {

// The image's frames cut from a strip, left to right, top to bottom, from
// the first cell on; false when the strip is too small.
bool CutFrames(const TPixmap& strip, int firstCell, TImage::Impl& impl, const TLoadSettings& mask) {
    const int cellWidth = impl.width, cellHeight = impl.height;
    const int across = strip.Width() / cellWidth;
    const int count = int(impl.frames.size());
    if (across <= 0 || firstCell + count > across * (strip.Height() / cellHeight)) return false;
    for (int i = 0; i < count; ++i) {
        const int cell = firstCell + i;
        const int x0 = (cell % across) * cellWidth;
        const int y0 = (cell / across) * cellHeight;
        auto& pixels = impl.frames[size_t(i)];
        pixels.resize(size_t(cellWidth) * size_t(cellHeight));
        for (int y = 0; y < cellHeight; ++y)
            std::memcpy(&pixels[size_t(y) * size_t(cellWidth)],
                        strip.Pixels() + size_t(y0 + y) * size_t(strip.Width()) + size_t(x0),
                        size_t(cellWidth) * 4);
        ApplyMask(pixels, impl.flags, mask);
    }
    return true;
}

// As CutFrames, but a strip that is the one frame is taken whole, not copied.
bool TakeFrames(TPixmap& strip, int firstCell, TImage::Impl& impl, const TLoadSettings& mask) {
    if (impl.frames.size() != 1 || firstCell != 0 || strip.Width() != impl.width || strip.Height() != impl.height)
        return CutFrames(strip, firstCell, impl, mask);
    impl.frames[0] = strip.TakePixels();
    ApplyMask(impl.frames[0], impl.flags, mask);
    return true;
}

// An image decoded from a file's bytes, which it keeps to decode again.
ImagePtr FromBytes(std::vector<uint8_t> bytes, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags) {
    PixmapPtr strip = LoadPixmapFromMemory(bytes);
    if (!strip) return nullptr;
    if (cellWidth == 0) {
        cellWidth = strip->Width();
        cellHeight = strip->Height();
    }
    if (cellWidth <= 0 || cellHeight <= 0) return nullptr;
    const int across = strip->Width() / cellWidth, down = strip->Height() / cellHeight;
    if (across <= 0 || firstCell < 0 || cellCount <= 0 || firstCell + cellCount > across * down) return nullptr;
    // The pixels are decoded again when first needed: only the size is taken now.
    ImagePtr image = NewImage(cellWidth, cellHeight, cellCount, ResolveFlags(flags), false);
    image->impl().reload = [source = std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), firstCell,
                            mask = Settings()](TImage::Impl& impl) {
        PixmapPtr again = LoadPixmapFromMemory(*source);
        return again && TakeFrames(*again, firstCell, impl, mask);
    };
    if (cellCount == 1 && cellWidth * cellHeight >= LARGE_PICTURE_PIXELS) {
        image->impl().large = true;
        TLargePictures::Add(&image->impl());
    }
    return image;
}

}  // namespace

ImagePtr LoadAnimImageFromPixmap(const TPixmap& strip, int cellWidth, int cellHeight, int firstCell,
                                 int cellCount, int flags) {
    if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
    const int across = strip.Width() / cellWidth;
    const int down = strip.Height() / cellHeight;
    if (across <= 0 || firstCell + cellCount > across * down) return nullptr;
    flags = ResolveFlags(flags);
    ImagePtr image = NewImage(cellWidth, cellHeight, cellCount, flags);
    CutFrames(strip, firstCell, image->impl(), Settings());
    return image;
}

ImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags) {
    if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return nullptr;
    return LoadAnimImageFromPixmap(pixmap, pixmap.Width(), pixmap.Height(), 0, 1, flags);
}

ImagePtr LoadImageFromMemory(const std::vector<uint8_t>& bytes, int flags) {
    return FromBytes(bytes, 0, 0, 0, 1, flags);
}


ImagePtr LoadImage(const std::string& url, int flags) {
    std::vector<uint8_t> bytes;
    return LoadBytes(url, bytes) ? FromBytes(std::move(bytes), 0, 0, 0, 1, flags) : nullptr;
}

ImagePtr LoadAnimImage(const std::string& url, int cellWidth, int cellHeight, int firstCell, int cellCount,
                       int flags) {
    if (cellWidth <= 0 || cellHeight <= 0) return nullptr;
    std::vector<uint8_t> bytes;
    return LoadBytes(url, bytes) ? FromBytes(std::move(bytes), cellWidth, cellHeight, firstCell, cellCount, flags)
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

int ImageWidth(const TImage& image) { return image.impl().width; }
int ImageHeight(const TImage& image) { return image.impl().height; }
int ImageFrames(const TImage& image) { return int(image.impl().frames.size()); }
bool ImageHasTexture(const TImage& image, int frame) {
    const auto& impl = image.impl();
    return frame >= 0 && frame < int(impl.textures.size()) && impl.textures[size_t(frame)]->Live();
}
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
    const std::vector<uint32_t>* source = image.impl().FramePixels(frame);
    if (!source) return nullptr;
    auto pixmap = CreatePixmap(image.impl().width, image.impl().height);
    std::copy(source->begin(), source->end(), pixmap->Pixels());
    return pixmap;
}

void UnlockImage(TImage& image, int frame, const TPixmap& pixels) {
    if (!image.impl().FramePixels(frame)) return;
    auto& impl = image.impl();
    impl.WillWrite();
    auto& dest = impl.frames[size_t(frame)];
    const int w = std::min(impl.width, pixels.Width());
    const int h = std::min(impl.height, pixels.Height());
    for (int y = 0; y < h; ++y)
        std::memcpy(&dest[size_t(y) * size_t(impl.width)], pixels.Pixels() + size_t(y) * size_t(pixels.Width()),
                    size_t(w) * 4);
    impl.textures[size_t(frame)]->MarkDirty();
}

ImagePtr CreateDrawTarget(int width, int height) {
    if (width <= 0 || height <= 0 || !Renderer()) return nullptr;
    if (width * height >= LARGE_PICTURE_PIXELS) LetGoOfIdleLargeTextures(nullptr);
    auto impl = std::make_unique<TImage::Impl>();
    impl->width = width;
    impl->height = height;
    impl->drawTarget = true;
    impl->frames.resize(1);
    impl->textures.push_back(std::make_unique<TTextureSlot>());
    if (!impl->textures[0]->MakeTarget(width, height)) return nullptr;
    return std::make_shared<TImage>(std::move(impl));
}

bool SetDrawTarget(TImage* target) {
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return false;
    SDL_Texture* texture = nullptr;
    if (target) {
        texture = target->impl().drawTarget ? target->impl().Texture(0) : nullptr;
        if (!texture) return false;
    }
    ContentChanged();
    if (SDL_SetRenderTarget(renderer, texture) != 0) return false;
    ApplyViewport();
    return true;
}

void Precache(TImage& image) {
    for (int i = 0; i < ImageFrames(image); ++i) image.impl().Texture(i);
}

}  // namespace plat
