#pragma once
// A line (or a word-wrapped block) of text in a font, at a position relative
// to the point it is drawn at, left, centred or right aligned, with its own
// scale. Buttons, dialogs and list boxes draw their captions with labels.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/font.h"
#include "gui/text.h"

class TLabel : public TFont {
public:
    int CentreVertically = 0;
    int LineGap = 0;
    float Scale = 1.0f;
    float X = 0, Y = 0;
    int RoundCoords = 1;
    int Visible = 1;
    float W = 0;
    int Alignment = 0;  // 0 left, 1 centred, 2 right of X
    std::string Text;
    std::vector<std::string> TextArray;
    int TotalLines = 0;
    int WordWrap = 0;  // wrap width in pixels; 0 or less: one line
    // Set: the lines are drawn in this look (outline, shadow, glow) instead
    // of with the font's plain shadow.
    std::optional<TTextLook> Look;

    // White, alpha 1, in the game's default font (when loaded).
    static std::shared_ptr<TLabel> CreateSpecial(const std::string& text, float x, float y, int alignment = 0,
                                                 int wordWrap = 0);

    // Shrinks Scale so that the text is at most maxWidth wide.
    void AutoScale(float maxWidth);
    void CalcSize();
    // W = the unscaled text width; answers W x Scale.
    float CalcWidth();
    // One line's height, or the wrapped block's, times Scale.
    float CalcHeight() override;
    // 0 when not Visible. useColour: in Color with its alpha, else the
    // current drawing colour.
    int Draw(float x, float y, bool useColour = true);
    void DrawTextLine(const std::string& text, float x, float y, bool useColour);
    // Wraps Text at WordWrap into TextArray; LineGap = the font height.
    void PreCalcWordWrap();
};
using LabelPtr = std::shared_ptr<TLabel>;
