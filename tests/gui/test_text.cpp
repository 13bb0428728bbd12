// Text layout: line splitting, word wrap, widths in the game's font sizes,
// label scaling, aligned drawing and the shadow pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "gui/font.h"
#include "gui/label.h"
#include "gui/text.h"
#include "gui/text_image.h"
#include "platform/graphics.h"

namespace {

const std::string FONT_FILE = std::string(VC_TEST_SOURCE_DIR) + "/assets/fonts/Carlito-Regular.ttf";
using Lines = std::vector<std::string>;

plat::ImageFontPtr Font(int size) {
    auto font = plat::LoadImageFont(FONT_FILE, size);
    EXPECT_TRUE(font) << FONT_FILE;
    return font;
}

TEST(SplitLines, CutsAtLineFeedsAndDropsTheCarriageReturnBeforeThem) {
    EXPECT_EQ(SplitLines("a\r\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\n\nb"), (Lines{"a", "", "b"}));
    // A carriage return not followed by a line feed is text.
    EXPECT_EQ(SplitLines("a\rb\r"), (Lines{"a\rb\r"}));
    EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
}

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        font = TFont::Create(Font(20), TColor::Create(255, 255, 255), nullptr);
        ASSERT_TRUE(font->ImageFont);
    }
    int Width(const std::string& text) const { return font->TextWidth(text); }
    std::shared_ptr<TFont> font;
};

TEST_F(FontTest, WrapsGreedilyAtTheWidthIncludingTheSpace) {
    const Lines words{"alpha beta gamma"};
    const float twoWords = static_cast<float>(Width("alpha beta"));
    EXPECT_EQ(WrapLines(words, twoWords, font.get(), 1.0f), (Lines{"alpha beta", "gamma"}));
    EXPECT_EQ(WrapLines(words, twoWords - 1, font.get(), 1.0f), (Lines{"alpha", "beta", "gamma"}));
    EXPECT_EQ(WrapLines(words, 10000, font.get(), 1.0f), (Lines{"alpha beta gamma"}));
    // At scale 2 the same text needs twice the room.
    EXPECT_EQ(WrapLines(words, twoWords, font.get(), 2.0f), (Lines{"alpha", "beta", "gamma"}));
    EXPECT_EQ(WrapLines(words, twoWords * 2, font.get(), 2.0f), (Lines{"alpha beta", "gamma"}));
}

TEST_F(FontTest, WrapKeepsEveryWordAndEmptyLines) {
    // Runs of spaces must not lose the words after them.
    EXPECT_EQ(WrapLines({"one  two   three "}, 10000, font.get(), 1.0f), (Lines{"one two three"}));
    EXPECT_EQ(WrapLines({" lead"}, 10000, font.get(), 1.0f), (Lines{"lead"}));
    EXPECT_EQ(WrapLines({"", "x", "   "}, 100, font.get(), 1.0f), (Lines{"", "x", ""}));
    // A word wider than the limit keeps a line to itself, whole.
    EXPECT_EQ(WrapLines({"a extraordinarily b"}, 30, font.get(), 1.0f), (Lines{"a", "extraordinarily", "b"}));
}

TEST_F(FontTest, WidthsGrowWithEachGameFontSize) {
    int lastWidth = 0, lastHeight = 0;
    for (int size : {12, 14, 16, 18, 20, 25, 34}) {
        auto label = TLabel::CreateSpecial("Vellichorns 0123", 0, 0);
        label->Init(Font(size), TColor::Create(255, 255, 255), nullptr);
        const float width = label->CalcWidth();
        EXPECT_EQ(width, static_cast<float>(plat::FontTextWidth(*label->ImageFont, label->Text))) << size;
        EXPECT_GT(width, static_cast<float>(lastWidth)) << size;
        EXPECT_GE(label->CalcHeight(), static_cast<float>(lastHeight)) << size;
        EXPECT_GE(label->CalcHeight(), static_cast<float>(size)) << size;
        lastWidth = static_cast<int>(width);
        lastHeight = static_cast<int>(label->CalcHeight());
    }
}

TEST_F(FontTest, LabelScaleAndAutoScale) {
    auto label = TLabel::CreateSpecial("Some caption text", 0, 0);
    label->Init(font->ImageFont, TColor::Create(255, 255, 255), nullptr);
    const float w = label->CalcWidth();
    ASSERT_GT(w, 0);
    label->Scale = 0.5f;
    EXPECT_FLOAT_EQ(label->CalcWidth(), w / 2);
    EXPECT_FLOAT_EQ(label->W, w);

    label->Scale = 1.0f;
    label->AutoScale(w * 0.8f);
    EXPECT_NEAR(label->Scale, 0.8f, 1e-5);
    label->Scale = 1.0f;
    label->AutoScale(w * 1.5f);
    EXPECT_FLOAT_EQ(label->Scale, 1.0f);
}

TEST_F(FontTest, PreCalcWordWrapSetsLinesAndBlockHeight) {
    auto label = TLabel::CreateSpecial("alpha beta gamma\r\ndelta", 0, 0, ALIGN_LEFT, Width("alpha beta"));
    label->Init(font->ImageFont, TColor::Create(255, 255, 255), nullptr);
    label->PreCalcWordWrap();
    EXPECT_EQ(label->TextArray, (Lines{"alpha beta", "gamma", "delta"}));
    EXPECT_EQ(label->TotalLines, 3);
    EXPECT_EQ(label->LineGap, plat::FontHeight(*font->ImageFont));
    EXPECT_FLOAT_EQ(label->CalcHeight(), 3.0f * static_cast<float>(label->LineGap));
}

// ---- drawing ------------------------------------------------------------------

// The ink of what was drawn: the bounding box of pixels that differ from black.
struct Ink {
    int left = 100000, right = -1, top = 100000, bottom = -1;
    bool Any() const { return right >= 0; }
};

Ink FindInk(int r, int g, int b, int tolerance = 40) {
    auto screen = plat::GrabPixmap(0, 0, 800, 600);
    Ink ink;
    for (int y = 0; y < screen->Height(); ++y)
        for (int x = 0; x < screen->Width(); ++x) {
            const auto p = screen->ReadPixel(x, y);
            if (std::abs(plat::PixR(p) - r) > tolerance || std::abs(plat::PixG(p) - g) > tolerance ||
                std::abs(plat::PixB(p) - b) > tolerance)
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

class TextDrawTest : public FontTest {
protected:
    void SetUp() override {
        FontTest::SetUp();
        plat::ResetDrawingState();
        plat::SetClsColor(128, 128, 128);
        ASSERT_TRUE(plat::OpenGraphics(800, 600, 0, 0));
        plat::Cls();
        plat::SetImageFont(font->ImageFont);
        plat::SetBlend(plat::ALPHABLEND);
        SetTextShadow(1, 1, 0.5f);
        TextAlpha = 1.0f;
    }
    void TearDown() override {
        plat::ResetDrawingState();
        plat::SetClsColor(0, 0, 0);
        plat::CloseGraphics();
        SetTextShadow(1, 1, 0.5f);
        TextAlpha = 1.0f;
    }
};

TEST_F(TextDrawTest, AlignmentPlacesTheTextAboutX) {
    const std::string text = "HHHH";
    const int width = Width(text);
    plat::SetColor(255, 0, 0);
    DrawTextAligned(text, 400, 100, false, ALIGN_RIGHT, true);
    Ink right = FindInk(255, 0, 0);
    ASSERT_TRUE(right.Any());
    EXPECT_LE(right.right, 400);
    EXPECT_GE(right.left, 400 - width - 1);

    plat::Cls();
    DrawTextAligned(text, 400, 100, false, ALIGN_CENTRE, true);
    Ink centred = FindInk(255, 0, 0);
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 400.0, 2.0);

    // Scaled twice: still centred on x, twice as wide, and its line box
    // (height h) centred on the same row, so it starts h / 2 higher.
    plat::Cls();
    plat::SetScale(2, 2);
    DrawTextAligned(text, 400, 100, false, ALIGN_CENTRE, true);
    plat::SetScale(1, 1);
    Ink scaled = FindInk(255, 0, 0);
    EXPECT_NEAR((scaled.left + scaled.right) / 2.0, 400.0, 2.0);
    EXPECT_NEAR(scaled.right - scaled.left, 2 * (centred.right - centred.left), 4);
    const int h = plat::FontHeight(*font->ImageFont);
    EXPECT_NEAR(scaled.top - (100 - h / 2.0), 2 * (centred.top - 100), 2.0);

    // Unknown alignments draw nothing.
    plat::Cls();
    DrawTextAligned(text, 400, 100, false, 3, true);
    EXPECT_FALSE(FindInk(255, 0, 0).Any());
}

TEST_F(TextDrawTest, ShadowPassDrawsBlackAtTheOffsetAndKeepsTheColour) {
    SetTextShadow(6, 5, 1.0f);
    plat::SetColor(255, 0, 0);
    DrawTextWithShadow(300, 200, "HHHH");
    Ink red = FindInk(255, 0, 0);
    Ink black = FindInk(0, 0, 0, 30);
    ASSERT_TRUE(red.Any());
    ASSERT_TRUE(black.Any());
    EXPECT_EQ(black.right - red.right, 6);
    EXPECT_EQ(black.bottom - red.bottom, 5);
    int r = 0, g = 0, b = 0;
    plat::GetColor(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(plat::GetBlend(), plat::ALPHABLEND);

    // A faint shadow (alpha 0.5 of TextAlpha 0.5) leaves no pure black.
    plat::Cls();
    SetTextShadow(6, 5, 0.5f);
    TextAlpha = 0.5f;
    DrawTextWithShadow(300, 200, "HHHH");
    EXPECT_FALSE(FindInk(0, 0, 0, 30).Any());
}

// A line drawn as one picture looks as the line drawn glyph by glyph (each
// channel within 2): with and without a shadow (also one up and left), in
// colour, faint, in every alignment, and made again as text and looks change.
TEST_F(TextDrawTest, ALineDrawnAsOnePictureLooksAsDrawnGlyphByGlyph) {
    struct Case {
        const char* text;
        bool shadow;
        int shadowX, shadowY, alignment, r;
        float alpha;
    };
    TTextImage picture;
    for (const Case& c : {Case{"Stars: 17 of 24, Wj", true, 1, 1, ALIGN_LEFT, 255, 1.0f}, Case{"Wj", true, -2, -1, ALIGN_CENTRE, 90, 1.0f},
                          Case{"Wj", false, 1, 1, ALIGN_RIGHT, 90, 1.0f}, Case{"Page 1", true, 2, 3, ALIGN_LEFT, 255, 0.6f}}) {
        SetTextShadow(static_cast<float>(c.shadowX), static_cast<float>(c.shadowY), 0.5f);
        TextAlpha = c.alpha;
        plat::SetColor(c.r, 200, 40);
        plat::Cls();
        DrawTextAligned(c.text, 400.4f, 100, c.shadow, c.alignment, true);
        const auto glyphs = plat::GrabPixmap(0, 60, 800, 80);
        plat::Cls();
        picture.Draw(c.text, 400.4f, 100, c.shadow, c.alignment);
        const auto once = plat::GrabPixmap(0, 60, 800, 80);
        int most = 0;
        for (int i = 0; i < 800 * 80; ++i)
            for (const int shift : {0, 8, 16})
                most = std::max(most, std::abs(int(glyphs->Pixels()[i] >> shift & 255) - int(once->Pixels()[i] >> shift & 255)));
        EXPECT_LE(most, 2) << c.text;
    }
}

TEST_F(TextDrawTest, LabelDrawsCentredAndLeavesTheTextAlphaAsItWas) {
    auto label = TLabel::CreateSpecial("Caption", 400, 300, ALIGN_CENTRE);
    label->Init(font->ImageFont, TColor::Create(0, 0, 255, 0.5f), TShadow::Create(2, 2, 0.5f));
    label->CentreVertically = 1;
    EXPECT_EQ(label->Draw(0, 0, true), 1);
    EXPECT_FLOAT_EQ(TextAlpha, 1.0f);
    int r = 0, g = 0, b = 0;
    plat::GetColor(r, g, b);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(r, 255);  // the colour is restored to white
    Ink blue = FindInk(64, 64, 192, 30);
    ASSERT_TRUE(blue.Any());
    EXPECT_NEAR((blue.left + blue.right) / 2.0, 400.0, 3.0);
    EXPECT_NEAR((blue.top + blue.bottom) / 2.0, 300.0, label->H / 2);

    label->Visible = 0;
    EXPECT_EQ(label->Draw(0, 0, true), 0);
}

TEST_F(TextDrawTest, LinesAre25PixelsApartAndCanEndAtY) {
    plat::SetColor(255, 0, 0);
    DrawTextLines("I", -1, 100, font->ImageFont, false, false, true, ALIGN_LEFT);
    const Ink one = FindInk(255, 0, 0);
    plat::Cls();
    DrawTextLines("I\nI\r\nI\n", -1, 100, font->ImageFont, false, false, true, ALIGN_LEFT);
    const Ink down = FindInk(255, 0, 0);
    plat::Cls();
    DrawTextLines("I\nI\nI", -1, 150, font->ImageFont, false, true, true, ALIGN_LEFT);
    const Ink up = FindInk(255, 0, 0);
    ASSERT_TRUE(one.Any());
    EXPECT_EQ(down.top, one.top);
    EXPECT_EQ(down.bottom - one.bottom, 50);
    EXPECT_EQ(up.top, down.top);  // three lines ending at 150 start at 100
    EXPECT_NEAR((down.left + down.right) / 2.0, 400.0, 2.0);
}

}  // namespace
