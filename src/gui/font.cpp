#include "gui/font.h"

#include "gui/text.h"
#include "resources/resource_globals.h"

std::shared_ptr<TFont> TFont::Create(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow,
                                     int fixedWidth, ColorPtr inverseColor, const std::string& name) {
    auto font = std::make_shared<TFont>();
    font->Init(std::move(imageFont), std::move(color), std::move(shadow), fixedWidth, std::move(inverseColor),
               name);
    return font;
}

void TFont::Init(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, int fixedWidth,
                 ColorPtr inverseColor, const std::string& name) {
    ImageFont = std::move(imageFont);
    Color = std::move(color);
    Shadow = std::move(shadow);
    FixedWidth = fixedWidth;
    InverseColor = std::move(inverseColor);
    Name = name;
    CalcHeight();
}

void TFont::Apply() const { ApplyCustomColor(Color); }

void TFont::ApplyCustomColor(const ColorPtr& color) const {
    if (color) color->Apply();
    if (Shadow) {
        Shadow->ApplyToText();
        if (color) TextAlpha = color->Alpha;
    }
    Select();
}

void TFont::ApplyInverse() const {
    if (InverseColor) InverseColor->Apply();
    Select();
}

void TFont::ApplyScale(float s) { plat::SetScale(s, s); }

void TFont::RestoreScale() { plat::SetScale(1.0f, 1.0f); }

void TFont::Select() const { plat::SetImageFont(ImageFont); }

int TFont::TextWidth(const std::string& text) const {
    if (ImageFont) return plat::FontTextWidth(*ImageFont, text);
    const auto current = plat::GetImageFont();
    plat::SetImageFont(nullptr);
    const int width = plat::TextWidth(text);
    plat::SetImageFont(current);
    return width;
}

float TFont::CalcHeight() {
    if (ImageFont) {
        H = static_cast<float>(plat::FontHeight(*ImageFont));
    } else {
        const auto current = plat::GetImageFont();
        plat::SetImageFont(nullptr);
        H = static_cast<float>(plat::TextHeight("X"));
        plat::SetImageFont(current);
    }
    return H;
}

void TFont::Kill() {
    ImageFont.reset();
    Color.reset();
    InverseColor.reset();
    Shadow.reset();
}

plat::ImageFontPtr DefaultFont() { return GameFont(14); }
plat::ImageFontPtr FirstFont() { return GameFont(16); }
plat::ImageFontPtr SecondFont() { return GameFont(18); }
plat::ImageFontPtr DialogFont() { return GameFont(20); }
