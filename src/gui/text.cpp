#include "gui/text.h"

#include <cmath>

#include "app/view_state.h"
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

}  // namespace

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

void DrawTextAligned(const std::string& text, float x, float y, bool shadow, int alignment, bool round) {
    if (alignment < ALIGN_LEFT || alignment > ALIGN_RIGHT) return;
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
