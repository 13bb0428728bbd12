#include "gui/text_image.h"

#include <algorithm>
#include <cmath>

#include "gui/sprite.h"
#include "gui/text.h"

namespace {

bool Whole(float v) { return v == std::floor(v); }

// Whether the line can be drawn as one picture: unscaled, unrotated, with a
// shadow on whole pixels and blended as a picture is.
bool Composable(bool shadow) {
    float sx = 1, sy = 1;
    plat::GetScale(sx, sy);
    if (sx != 1 || sy != 1 || plat::GetRotation() != 0) return false;
    if (shadow) return Whole(TextShadowX) && Whole(TextShadowY);
    return plat::GetBlend() == plat::ALPHABLEND;
}

// The line's coverage coloured, with its shadow (black, at the shadow's
// offset) under it: each pixel the two passes of drawing it laid over one
// another, so that blending the picture gives what the two passes give.
plat::PixmapPtr ComposeLine(const plat::TPixmap& cover, int r, int g, int b, float alpha, int shadowX, int shadowY,
                            float shadowAlpha, int& left, int& top) {
    const int shiftX = std::min(0, shadowX), shiftY = std::min(0, shadowY);
    auto line = plat::CreatePixmap(cover.Width() + std::abs(shadowX), cover.Height() + std::abs(shadowY));
    for (int y = 0; y < line->Height(); ++y)
        for (int x = 0; x < line->Width(); ++x) {
            const float text = float(plat::PixA(cover.ReadPixel(x + shiftX, y + shiftY))) / 255 * alpha;
            const float shade =
                float(plat::PixA(cover.ReadPixel(x + shiftX - shadowX, y + shiftY - shadowY))) / 255 * shadowAlpha;
            const float both = text + shade * (1 - text);
            if (both <= 0) {
                line->WritePixel(x, y, 0);
                continue;
            }
            const float share = text / both;
            line->WritePixel(x, y, plat::ARGB(int(std::lround(both * 255)), int(std::lround(float(r) * share)),
                                              int(std::lround(float(g) * share)), int(std::lround(float(b) * share))));
        }
    left += shiftX;
    top += shiftY;
    return line;
}

}  // namespace

TTextImage::TKey TTextImage::KeyNow(bool shadow) {
    TKey key;
    key.font = plat::GetImageFont().get();
    plat::GetColor(key.r, key.g, key.b);
    key.shadow = shadow;
    if (shadow) {
        key.alpha = TextAlpha;
        key.shadowX = TextShadowX;
        key.shadowY = TextShadowY;
        key.shadowAlpha = TextShadowAlpha * TextAlpha;
    } else {
        key.alpha = plat::GetAlpha();
    }
    return key;
}

bool TTextImage::Prepare(const std::string& text, bool shadow) {
    if (!Composable(shadow)) return false;
    const TKey key = KeyNow(shadow);
    // The same address may be a new font once the old one is gone.
    if (!made_ || !(key == key_) || text != text_ || font_.expired()) Make(key, text);
    return true;
}

void TTextImage::Make(const TKey& key, const std::string& text) {
    key_ = key;
    text_ = text;
    const plat::ImageFontPtr font = plat::GetImageFont();
    font_ = font;
    made_ = true;
    image_.reset();
    left_ = top_ = 0;
    const auto cover = font ? plat::TextCoverage(*font, text_, left_, top_) : nullptr;
    if (!cover) return;
    const auto line = ComposeLine(*cover, key_.r, key_.g, key_.b, key_.alpha, int(key_.shadowX), int(key_.shadowY),
                                  key_.shadowAlpha, left_, top_);
    image_ = plat::LoadImageFromPixmap(*line, plat::MASKEDIMAGE);
    if (image_) plat::SetImageHandle(*image_, 0, 0);
}

void TTextImage::Draw(const std::string& text, float x, float y, bool shadow, int alignment) {
    if (!Prepare(text, shadow)) {
        DrawTextAligned(text, x, y, shadow, alignment, true);
        return;
    }
    if (!image_) return;
    AlignedTextOrigin(text, x, y, alignment, true);
    int r = 255, g = 255, b = 255;
    plat::GetColor(r, g, b);
    const float alpha = plat::GetAlpha();
    const int blend = plat::GetBlend();
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1);
    plat::SetBlend(plat::ALPHABLEND);
    plat::DrawImage(*image_, x + float(left_), y + float(top_));
    plat::SetColor(r, g, b);
    plat::SetAlpha(alpha);
    plat::SetBlend(blend);
}
