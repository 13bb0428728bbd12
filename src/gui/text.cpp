#include "gui/text.h"

#include <algorithm>
#include <cmath>

#include "resources/view_state.h"
#include "gui/font.h"

float TextAlpha = 1.0f;

namespace {

float RoundCoord(float v) { return std::floor(v + 0.5f); }

void DrawPlainOrShadowed(const std::string& text, float x, float y, bool shadow) {
    if (shadow) {
        DrawTextWithShadow(x, y, text);
    } else {
        plat::DrawText(text, x, y);
    }
}

// How far a vertically scaled line moves up so that it stays centred on its row.
float ScaledLift(const std::string& text, float scaleY) {
    if (scaleY == 1.0f) return 0.0f;
    const float height = static_cast<float>(plat::TextHeight(text));
    return (height * scaleY - height) / 2.0f;
}

int WidthIn(const TFont* font, const std::string& text) {
    if (font) return font->TextWidth(text);
    return plat::TextWidth(text);
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : line) {
        if (c == ' ') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The line drawn at offsets round (x, y) on a ring of the radius: a stroke
// of that width round the letters, at the current colour and alpha.
void DrawRing(const std::string& text, float x, float y, float radius) {
    constexpr int STEPS = 12;
    constexpr float TURN = 6.2831853f;
    for (int i = 0; i < STEPS; ++i) {
        const float a = TURN * static_cast<float>(i) / STEPS;
        plat::DrawText(text, x + radius * std::cos(a), y + radius * std::sin(a));
    }
}

void SetRGB(const TTextLook::TRGB& c) { plat::SetColor(c.r, c.g, c.b); }

TTextLook::TRGB MixRGB(const TTextLook::TRGB& a, const TTextLook::TRGB& b, float t) {
    const auto mix = [t](int p, int q) { return static_cast<int>(std::lround(static_cast<float>(p) + (q - p) * t)); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

// The ring's passes overlap; each pass's alpha is chosen so that where about
// four of them cover a pixel it reaches the wanted opacity.
float PassAlpha(float wanted) { return 1.0f - std::pow(1.0f - std::clamp(wanted, 0.0f, 0.999f), 0.25f); }

// The gradient fill: the line drawn in horizontal bands, each clipped to its
// rows and coloured for where it lies between the top of the capitals and
// the baseline.
void DrawGradientFill(const std::string& text, float x, float y, const TTextLook& look) {
    constexpr int BANDS = 10;
    float sx = 1.0f, sy = 1.0f;
    plat::GetScale(sx, sy);
    const float height = static_cast<float>(plat::TextHeight(text)) * sy;
    const float top = y + height * 0.3f, bottom = y + height * 0.9f;
    for (int band = -1; band <= BANDS; ++band) {
        const float y0 = band < 0 ? y - height : top + (bottom - top) * static_cast<float>(band) / BANDS;
        const float y1 = band == BANDS ? y + 2 * height : top + (bottom - top) * static_cast<float>(band + 1) / BANDS;
        const float t = std::clamp((static_cast<float>(band) + 0.5f) / BANDS, 0.0f, 1.0f);
        SetRGB(t < 0.45f ? MixRGB(look.fillTop, look.fillMiddle, t / 0.45f)
                         : MixRGB(look.fillMiddle, look.fillBottom, (t - 0.45f) / 0.55f));
        const int clipTop = static_cast<int>(std::floor(y0));
        plat::SetViewport(0, clipTop, ScreenWidth, static_cast<int>(std::ceil(y1)) - clipTop);
        plat::DrawText(text, x, y);
    }
    plat::SetViewport(0, 0, ScreenWidth, ScreenHeight);
}

}  // namespace

TTextLook CaptionLook() { return {}; }

TTextLook TitleLook(float size) {
    TTextLook look;
    look.outline = {58, 34, 12};
    look.outlineWidth = size * 0.05f;
    look.outlineAlpha = 1.0f;
    look.shadow = {11, 8, 20};
    look.shadowX = size * 0.03f;
    look.shadowY = size * 0.05f;
    look.shadowAlpha = 0.55f;
    look.gradient = true;
    look.fillTop = {255, 242, 209};
    look.fillMiddle = {255, 231, 160};
    look.fillBottom = {201, 138, 44};
    look.glow = {255, 236, 179};
    look.glowWidth = size * 0.08f;
    look.glowAlpha = 0.35f;
    return look;
}

TTextLook FillOnly(const TTextLook& look, float share) {
    const auto scaled = [share](const TTextLook::TRGB& c) {
        const auto part = [share](int v) { return static_cast<int>(std::lround(static_cast<float>(v) * share)); };
        return TTextLook::TRGB{part(c.r), part(c.g), part(c.b)};
    };
    TTextLook fill = look;
    fill.outlineAlpha = fill.shadowAlpha = fill.glowWidth = 0;
    fill.fillTop = scaled(look.fillTop);
    fill.fillMiddle = scaled(look.fillMiddle);
    fill.fillBottom = scaled(look.fillBottom);
    return fill;
}

void DrawTextInLook(const std::string& text, float x, float y, const TTextLook& look) {
    int r = 255, g = 255, b = 255;
    plat::GetColor(r, g, b);
    const float alpha = plat::GetAlpha();
    const int blend = plat::GetBlend();
    plat::SetBlend(plat::ALPHABLEND);
    if (look.glowWidth > 0) {
        SetRGB(look.glow);
        for (const float share : {1.0f, 0.66f, 0.33f}) {
            plat::SetAlpha(alpha * PassAlpha(look.glowAlpha) * 0.5f);
            DrawRing(text, x, y, look.glowWidth * share);
        }
    }
    if (look.shadowAlpha > 0) {
        SetRGB(look.shadow);
        plat::SetAlpha(alpha * PassAlpha(look.shadowAlpha));
        DrawRing(text, x + look.shadowX, y + look.shadowY, look.outlineWidth * 0.5f);
    }
    if (look.outlineAlpha > 0) {
        SetRGB(look.outline);
        plat::SetAlpha(alpha * PassAlpha(look.outlineAlpha));
        DrawRing(text, x, y, look.outlineWidth);
    }
    plat::SetAlpha(alpha);
    plat::SetBlend(blend == plat::LIGHTBLEND ? blend : plat::ALPHABLEND);
    if (look.gradient) {
        DrawGradientFill(text, x, y, look);
    } else {
        plat::SetColor(r, g, b);
        plat::DrawText(text, x, y);
    }
    plat::SetColor(r, g, b);
    plat::SetBlend(blend);
}

void SetTextShadow(float x, float y, float alpha) {
    TextShadowX = x;
    TextShadowY = y;
    TextShadowAlpha = alpha;
}

void DrawTextWithShadow(float x, float y, const std::string& text, bool centred) {
    if (centred) x -= static_cast<float>(plat::TextWidth(text)) / 2.0f;
    const int blend = plat::GetBlend();
    int r = 255, g = 255, b = 255;
    plat::GetColor(r, g, b);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(TextShadowAlpha * TextAlpha);
    plat::DrawText(text, x + TextShadowX, y + TextShadowY);
    plat::SetColor(r, g, b);
    plat::SetAlpha(TextAlpha);
    plat::DrawText(text, x, y);
    plat::SetBlend(blend);
}

void AlignedTextOrigin(const std::string& text, float& x, float& y, int alignment, bool round) {
    if (alignment == ALIGN_CENTRE) {
        float sx = 1.0f, sy = 1.0f;
        plat::GetScale(sx, sy);
        float width = static_cast<float>(plat::TextWidth(text));
        if (sx != 1.0f) width *= sx;
        y -= ScaledLift(text, sy);
        x -= width / 2.0f;
    }
    if (round) {
        x = RoundCoord(x);
        y = RoundCoord(y);
    }
    if (alignment == ALIGN_RIGHT) x -= static_cast<float>(plat::TextWidth(text));
}

void DrawTextAligned(const std::string& text, float x, float y, bool shadow, int alignment, bool round) {
    if (alignment < ALIGN_LEFT || alignment > ALIGN_RIGHT) return;
    AlignedTextOrigin(text, x, y, alignment, round);
    DrawPlainOrShadowed(text, x, y, shadow);
}

void DrawTextCentredX(const std::string& text, float y, bool shadow, bool round) {
    float sx = 1.0f, sy = 1.0f;
    plat::GetScale(sx, sy);
    float x = (static_cast<float>(ScreenWidth) - static_cast<float>(plat::TextWidth(text)) * sx) / 2.0f;
    y -= ScaledLift(text, sy);
    if (round) {
        x = RoundCoord(x);
        y = RoundCoord(y);
    }
    DrawPlainOrShadowed(text, x, y, shadow);
}

void DrawTextLines(const std::string& text, float x, float y, const plat::ImageFontPtr& font, bool white,
                   bool fromBottom, bool round, int alignment) {
    if (text.empty()) return;
    if (white) plat::SetColor(255, 255, 255);
    plat::SetImageFont(font);
    const auto lines = SplitLines(text);
    constexpr float lineGap = 25.0f;
    float lineY = fromBottom ? std::round(y - static_cast<float>(lines.size() - 1) * lineGap) : std::round(y);
    for (const auto& line : lines) {
        if (x == -1.0f) {
            DrawTextCentredX(line, lineY, true, round);
        } else {
            DrawTextAligned(line, x, lineY, true, alignment, round);
        }
        lineY += lineGap;
    }
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        auto stop = end;
        if (stop > start && end < text.size() && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float maxWidth, const TFont* font,
                                   float scale) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        const auto words = Words(line);
        if (words.empty()) {
            out.emplace_back();
            continue;
        }
        std::string current = words.front();
        for (std::size_t i = 1; i < words.size(); ++i) {
            std::string candidate = current + " " + words[i];
            if (static_cast<float>(WidthIn(font, candidate)) * scale <= maxWidth) {
                current = std::move(candidate);
            } else {
                out.push_back(std::move(current));
                current = words[i];
            }
        }
        out.push_back(std::move(current));
    }
    return out;
}

std::string FitToWidth(const std::string& text, float maxWidth, const TFont* font) {
    if (static_cast<float>(WidthIn(font, text)) <= maxWidth) return text;
    std::string cut = text;
    while (!cut.empty()) {
        // One whole character off the end: its continuation bytes, then its first byte.
        while (!cut.empty()) {
            const auto byte = static_cast<unsigned char>(cut.back());
            cut.pop_back();
            if ((byte & 0xC0) != 0x80) break;
        }
        if (static_cast<float>(WidthIn(font, cut + "...")) <= maxWidth) break;
    }
    return cut + "...";
}
