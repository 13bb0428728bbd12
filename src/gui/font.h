#pragma once
// A font as the widgets use it: an image font with its colour, the colour for
// highlighted text, an optional drop shadow and its line height. The game's
// fonts are "calibri.ttf" at the sizes loaded at start-up; the helpers below
// name the ones with a role.
#include <memory>
#include <string>

#include "gui/sprite.h"
#include "platform/graphics.h"

class TFont {
public:
    virtual ~TFont() = default;

    ColorPtr Color;
    int FixedWidth = 0;  // stored only
    plat::ImageFontPtr ImageFont;
    ColorPtr InverseColor;
    std::string Name;
    ShadowPtr Shadow;
    float H = 0;

    static std::shared_ptr<TFont> Create(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow,
                                         int fixedWidth = 0, ColorPtr inverseColor = nullptr,
                                         const std::string& name = "");
    void Init(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, int fixedWidth = 0,
              ColorPtr inverseColor = nullptr, const std::string& name = "");

    // Colour with its alpha, the shadow for text drawing, and the image font.
    void Apply() const;
    // As Apply with another colour (null: the colour is left as it is).
    void ApplyCustomColor(const ColorPtr& color) const;
    // The inverse colour and the image font; no shadow.
    void ApplyInverse() const;
    static void ApplyScale(float s);
    static void RestoreScale();
    // Selects the image font (the platform's default font when there is none).
    void Select() const;
    // Width of text in this font, unscaled.
    int TextWidth(const std::string& text) const;
    // H = the font's text height; answers H.
    virtual float CalcHeight();
    void Kill();
};
using FontPtr = std::shared_ptr<TFont>;

// The game's fonts by role; null before the fonts are loaded.
plat::ImageFontPtr DefaultFont();  // size 14
plat::ImageFontPtr FirstFont();    // size 16
plat::ImageFontPtr SecondFont();   // size 18
plat::ImageFontPtr DialogFont();   // size 20
