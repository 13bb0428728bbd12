// Pixmaps: decoding through SDL2_image and saving PNG files.
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "platform/gfx_internal.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace plat {

TPixmap::TPixmap(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)), pixels_(size_t(width_) * size_t(height_), 0) {}

uint32_t TPixmap::ReadPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

void TPixmap::WritePixel(int x, int y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[size_t(y) * size_t(width_) + size_t(x)] = argb;
}

void TPixmap::Clear(uint32_t argb) { std::fill(pixels_.begin(), pixels_.end(), argb); }

std::vector<uint32_t> TPixmap::TakePixels() {
    width_ = height_ = 0;
    return std::move(pixels_);
}

PixmapPtr CreatePixmap(int width, int height) { return std::make_shared<TPixmap>(width, height); }

PixmapPtr PixmapFromSurface(SDL_Surface* surface) {
    if (!surface) return nullptr;
    // Straight into the pixmap where no palette or colour key needs SDL's
    // conversion of whole surfaces: a large picture is not held twice.
    if (!SDL_ISPIXELFORMAT_INDEXED(surface->format->format) && !SDL_HasColorKey(surface)) {
        auto pixmap = CreatePixmap(surface->w, surface->h);
        SDL_LockSurface(surface);
        const int converted = SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                                                surface->pitch, SDL_PIXELFORMAT_ARGB8888, pixmap->Pixels(),
                                                surface->w * 4);
        SDL_UnlockSurface(surface);
        if (converted == 0) return pixmap;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) return nullptr;
    auto pixmap = CreatePixmap(argb->w, argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(argb->pixels) + size_t(y) * size_t(argb->pitch);
        std::memcpy(pixmap->Pixels() + size_t(y) * size_t(argb->w), row, size_t(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return pixmap;
}

PixmapPtr LoadPixmapFromMemory(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    SDL_Surface* surface = IMG_Load_RW(rw, 0);
    if (!surface) {
        // TGA files carry no signature, so they are only tried by name.
        SDL_RWseek(rw, 0, RW_SEEK_SET);
        surface = IMG_LoadTyped_RW(rw, 0, "TGA");
    }
    SDL_RWclose(rw);
    if (!surface) return nullptr;
    PixmapPtr pixmap = PixmapFromSurface(surface);
    SDL_FreeSurface(surface);
    return pixmap;
}


PixmapPtr LoadPixmap(const std::string& url) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(url, bytes)) return nullptr;
    return LoadPixmapFromMemory(bytes);
}

namespace {

// An SDL write stream that appends to a byte vector.
size_t VectorWrite(SDL_RWops* rw, const void* data, size_t size, size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size * count);
    return count;
}
Sint64 VectorSize(SDL_RWops* rw) { return Sint64(static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1)->size()); }
Sint64 VectorSeek(SDL_RWops* rw, Sint64 offset, int whence) {
    // Only "where are we" is answered; PNG writing never seeks back.
    if (offset == 0 && whence != RW_SEEK_SET) return VectorSize(rw);
    return -1;
}
size_t VectorRead(SDL_RWops*, void*, size_t, size_t) { return 0; }
int VectorClose(SDL_RWops* rw) {
    SDL_FreeRW(rw);
    return 0;
}

}  // namespace

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int /*compression*/) {
    if (pixmap.Width() <= 0 || pixmap.Height() <= 0) return false;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixmap.Pixels()), pixmap.Width(), pixmap.Height(), 32, pixmap.Width() * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return false;
    std::vector<uint8_t> png;
    SDL_RWops* rw = SDL_AllocRW();
    bool ok = false;
    if (rw) {
        rw->hidden.unknown.data1 = &png;
        rw->size = VectorSize;
        rw->seek = VectorSeek;
        rw->read = VectorRead;
        rw->write = VectorWrite;
        rw->close = VectorClose;
        ok = IMG_SavePNG_RW(surface, rw, 1) == 0;
    }
    SDL_FreeSurface(surface);
    return ok && !png.empty() && WriteFileAtomic(path, png);
}

}  // namespace plat
