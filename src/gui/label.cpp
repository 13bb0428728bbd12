#include "gui/label.h"

#include <cmath>

#include "gui/text.h"

namespace {
constexpr float CAPITALS_DROP = 0.1f;  // of the line's height
}  // namespace

std::shared_ptr<TLabel> TLabel::CreateSpecial(const std::string& text, float x, float y, int alignment,
                                              int wordWrap) {
    auto label = std::make_shared<TLabel>();
    label->Text = text;
    label->X = x;
    label->Y = y;
    label->Alignment = alignment;
    label->WordWrap = wordWrap;
    label->ImageFont = DefaultFont();
    label->Color = TColor::Create(255, 255, 255, 1.0f);
    label->CalcHeight();
    return label;
}

void TLabel::AutoScale(float maxWidth) {
    CalcWidth();
    if (W > maxWidth && W > 0) Scale = maxWidth / W;
}

void TLabel::CalcSize() {
    CalcWidth();
    CalcHeight();
}

float TLabel::CalcWidth() {
    W = static_cast<float>(TextWidth(Text));
    return W * Scale;
}

float TLabel::CalcHeight() {
    if (WordWrap <= 0) return TFont::CalcHeight() * Scale;
    return H * Scale;
}

int TLabel::Draw(float x, float y, bool useColour) {
    if (!Visible) return 0;
    float sx = 1.0f, sy = 1.0f;
    plat::GetScale(sx, sy);
    if (Scale != 1.0f) plat::SetScale(sx * Scale, sy * Scale);
    Select();
    if (useColour && Color) Color->Apply();
    if (WordWrap > 0) {
        float lineY = std::round(y + Y);
        for (const auto& line : TextArray) {
            DrawTextLine(line, x + X, lineY, useColour);
            lineY = std::round(lineY + static_cast<float>(LineGap) * Scale);
        }
    } else if (CentreVertically) {
        // A line in a look is centred by its capitals, as the art centred its
        // captions, which puts it a little lower than the line's middle.
        const float drop = Look ? H * CAPITALS_DROP : 0.0f;
        DrawTextLine(Text, x + X, y + Y - H / 2.0f + drop, useColour);
    } else {
        DrawTextLine(Text, x + X, y + Y, useColour);
    }
    TColor::Restore();
    if (Scale != 1.0f) plat::SetScale(sx, sy);
    return 1;
}

void TLabel::DrawTextLine(const std::string& text, float x, float y, bool useColour) {
    if (Look) {
        AlignedTextOrigin(text, x, y, Alignment, RoundCoords != 0);
        DrawTextInLook(text, x, y, *Look);
        return;
    }
    if (!Shadow) {
        DrawTextAligned(text, x, y, false, Alignment, RoundCoords != 0);
        return;
    }
    // The label's alpha applies to this line only: the next text drawn keeps
    // the opacity it had.
    const float savedAlpha = TextAlpha;
    Shadow->ApplyToText();
    if (useColour && Color) TextAlpha = Color->Alpha;
    DrawTextAligned(text, x, y, true, Alignment, RoundCoords != 0);
    TextAlpha = savedAlpha;
}

void TLabel::PreCalcWordWrap() {
    Select();
    TextArray = WrapLines(SplitLines(Text), static_cast<float>(WordWrap), this, Scale);
    TotalLines = static_cast<int>(TextArray.size());
    LineGap = static_cast<int>(TFont::CalcHeight());
    H = static_cast<float>(TotalLines * LineGap);
}
