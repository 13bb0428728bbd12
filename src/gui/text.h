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
