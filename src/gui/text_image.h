#pragma once
// A line of text made once into a picture and then drawn as one image, for
// lines that stay the same from frame to frame: drawn glyph by glyph, with
// its shadow, a line costs two draws a character. It looks as
// DrawTextAligned draws it (rounded to whole pixels) in the font, colour,
// alpha and shadow of the moment, and is made again when any of those or the
// text changes. Scaled or rotated drawing, or a shadow off whole pixels,
// goes the glyph-by-glyph way.
#include <memory>
#include <string>

#include "platform/graphics.h"

class TTextImage {
public:
    void Draw(const std::string& text, float x, float y, bool shadow, int alignment);
    // Makes the picture for the present drawing state ahead of its first
    // draw; false when this line is drawn glyph by glyph instead.
    bool Prepare(const std::string& text, bool shadow);

private:
    // How the line is drawn: its text is kept apart, so that checking the
    // key each frame copies no text.
    struct TKey {
        const plat::TImageFont* font = nullptr;
        int r = 0, g = 0, b = 0;
        float alpha = 0, shadowX = 0, shadowY = 0, shadowAlpha = 0;
        bool shadow = false;
        bool operator==(const TKey&) const = default;
    };
    TKey key_;
    std::string text_;
    std::weak_ptr<plat::TImageFont> font_;
    plat::ImagePtr image_;
    int left_ = 0, top_ = 0;
    bool made_ = false;

    static TKey KeyNow(bool shadow);
    void Make(const TKey& key, const std::string& text);
};
