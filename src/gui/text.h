#pragma once
// Text drawing helpers over the platform's image fonts: a drop-shadow pass,
// aligned and centred lines, multi-line blocks, line splitting and wrapping.
// They draw with the current image font and drawing scale; the shadow offset
// and opacity come from TextShadowX/Y/Alpha (gui/sprite.h).
#include <string>
#include <vector>

#include "gui/sprite.h"
#include "platform/graphics.h"

class TFont;

// Opacity of the text itself; the shadow pass uses TextShadowAlpha x TextAlpha.
extern float TextAlpha;

enum TextAlignment { ALIGN_LEFT = 0, ALIGN_CENTRE = 1, ALIGN_RIGHT = 2 };

void SetTextShadow(float x, float y, float alpha);
// The shadow in black at (x + TextShadowX, y + TextShadowY), then the text at
// (x, y) in the current colour. centred: x is the middle of the text.
void DrawTextWithShadow(float x, float y, const std::string& text, bool centred = false);
// alignment 0 left of x, 1 centred on x (scale-aware), 2 right of x.
void DrawTextAligned(const std::string& text, float x, float y, bool shadow, int alignment, bool round);
// Centred across the screen at y.
void DrawTextCentredX(const std::string& text, float y, bool shadow, bool round);
// A block of lines 25 pixels apart in the given font; x = -1 centres each
// line on the screen. fromBottom: the last line sits at y.
void DrawTextLines(const std::string& text, float x, float y, const plat::ImageFontPtr& font, bool white,
                   bool fromBottom, bool round, int alignment);

// How a caption or a title is set: the letters' drop shadow, an outline
// round them, their fill (the current drawing colour, or a gradient down
// the line) and a soft glow: the look the art of the buttons and plates was
// drawn for, set in the game's font at run time.
struct TTextLook {
    struct TRGB {
        int r = 255, g = 255, b = 255;
    };
    TRGB outline{14, 22, 38};
    float outlineWidth = 1.6f, outlineAlpha = 0.85f;
    TRGB shadow{10, 15, 27};
    float shadowX = 1.2f, shadowY = 1.8f, shadowAlpha = 0.45f;
    // With gradient set the fill runs from fillTop through fillMiddle to
    // fillBottom down the letters; else it is the current drawing colour.
    bool gradient = false;
    TRGB fillTop, fillMiddle, fillBottom;
    TRGB glow;
    float glowWidth = 0, glowAlpha = 0;
};
// Cream letters outlined in ink: the captions of buttons and panels.
TTextLook CaptionLook();
// Gold letters with a brown outline, a dark shadow and a glow: headings.
TTextLook TitleLook(float size);
// Only the look's gradient fill, its colours scaled by share: drawn with the
// light blend over the letters, it brightens them in their own colours.
TTextLook FillOnly(const TTextLook& look, float share);
// The line in the current image font, colour and alpha, its top-left at
// (x, y) as plat::DrawText places it, in the look.
void DrawTextInLook(const std::string& text, float x, float y, const TTextLook& look);
// Where DrawTextAligned puts the line's top-left (alignment as there).
void AlignedTextOrigin(const std::string& text, float& x, float& y, int alignment, bool round);

// Cuts at LF (a CR right before an LF goes with it); "" gives no lines and a
// final LF adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);
// Word wrap at maxWidth pixels (text width x scale) in the font's image font,
// or the current image font when font is null. Empty lines stay; runs of
// spaces do not drop words; a word wider than maxWidth keeps a line to itself.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float maxWidth, const TFont* font,
                                   float scale);
// The text, or as much of it as fits in maxWidth pixels with "..." behind it
// (cut at a character's start), in the font's image font or the current one
// when font is null.
std::string FitToWidth(const std::string& text, float maxWidth, const TFont* font);
