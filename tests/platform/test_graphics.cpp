// Drawing through the software renderer, checked pixel by pixel on grabs of
// the frame being drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"

using namespace plat;

namespace {

const char* const CARLITO = VC_TEST_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf";

ImagePtr SolidImage(int w, int h, uint32_t argb, int flags = 0) {
    TPixmap pixmap(w, h);
    pixmap.Clear(argb);
    return LoadImageFromPixmap(pixmap, flags);
}

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDrawingState();
        SetClsColor(0, 0, 0);
        SetMaskColor(0, 0, 0);
        AutoMidHandle(false);
        ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
        Cls();
    }
    void TearDown() override {
        ResetDrawingState();
        SetClsColor(0, 0, 0);
        CloseGraphics();
    }

    static uint32_t Pixel(int x, int y) {
        PixmapPtr p = GrabPixmap(x, y, 1, 1);
        return p ? p->ReadPixel(0, 0) : 0;
    }
    static ::testing::AssertionResult Near(uint32_t pixel, int r, int g, int b, int tolerance = 3) {
        if (std::abs(PixR(pixel) - r) <= tolerance && std::abs(PixG(pixel) - g) <= tolerance &&
            std::abs(PixB(pixel) - b) <= tolerance)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "pixel (" << PixR(pixel) << ", " << PixG(pixel) << ", "
                                             << PixB(pixel) << ") expected (" << r << ", " << g << ", " << b << ")";
    }
    static void ClsTo(int r, int g, int b) {
        SetClsColor(r, g, b);
        Cls();
    }
};

TEST_F(GraphicsTest, BlendModesCombineWithTheScreen) {
    // Solid ignores the image's own alpha.
    ClsTo(0, 0, 255);
    ImagePtr halfRed = SolidImage(20, 20, ARGB(128, 255, 0, 0));
    SetBlend(SOLIDBLEND);
    DrawImage(*halfRed, 10, 10);
    EXPECT_TRUE(Near(Pixel(20, 20), 255, 0, 0));

    ClsTo(0, 0, 255);
    ImagePtr red = SolidImage(20, 20, ARGB(255, 255, 0, 0));
    SetBlend(ALPHABLEND);
    SetAlpha(0.5f);
    DrawImage(*red, 10, 10);
    EXPECT_TRUE(Near(Pixel(20, 20), 128, 0, 127));
    EXPECT_TRUE(Near(Pixel(40, 40), 0, 0, 255));
    SetAlpha(1);

    ClsTo(100, 100, 100);
    ImagePtr light = SolidImage(20, 20, ARGB(255, 50, 60, 70));
    SetBlend(LIGHTBLEND);
    DrawImage(*light, 10, 10);
    EXPECT_TRUE(Near(Pixel(20, 20), 150, 160, 170));

    ClsTo(200, 100, 50);
    ImagePtr grey = SolidImage(20, 20, ARGB(255, 128, 128, 128));
    SetBlend(SHADEBLEND);
    DrawImage(*grey, 10, 10);
    EXPECT_TRUE(Near(Pixel(20, 20), 100, 50, 25));
}

TEST_F(GraphicsTest, ColourAndAlphaTintImagesAndPrimitives) {
    ImagePtr white = SolidImage(10, 10, 0xffffffffu);
    SetBlend(ALPHABLEND);
    SetColor(255, 128, 0);
    DrawImage(*white, 0, 0);
    EXPECT_TRUE(Near(Pixel(5, 5), 255, 128, 0));

    SetColor(0, 255, 0);
    SetAlpha(0.25f);
    DrawRect(100, 100, 10, 10);
    EXPECT_TRUE(Near(Pixel(105, 105), 0, 64, 0));
    EXPECT_TRUE(Near(Pixel(111, 105), 0, 0, 0));
}

TEST_F(GraphicsTest, RotationAndScaleTurnAboutTheHandle) {
    ImagePtr bar = SolidImage(40, 10, 0xffffffffu);
    SetImageHandle(*bar, 0, 5);
    SetRotation(90);
    DrawImage(*bar, 400, 300);
    EXPECT_TRUE(Near(Pixel(400, 330), 255, 255, 255));  // now pointing down
    EXPECT_TRUE(Near(Pixel(430, 300), 0, 0, 0));        // not where it was unrotated

    SetRotation(0);
    SetScale(3, 3);
    ImagePtr square = SolidImage(10, 10, 0xffffffffu);
    MidHandleImage(*square);
    DrawImage(*square, 100, 100);  // 30 x 30 centred on (100, 100)
    EXPECT_TRUE(Near(Pixel(86, 86), 255, 255, 255));
    EXPECT_TRUE(Near(Pixel(113, 113), 255, 255, 255));
    EXPECT_TRUE(Near(Pixel(118, 100), 0, 0, 0));

    SetScale(-1, 1);  // mirrored: extends to the left of the handle
    SetImageHandle(*square, 0, 0);
    DrawImage(*square, 200, 200);
    EXPECT_TRUE(Near(Pixel(195, 205), 255, 255, 255));
    EXPECT_TRUE(Near(Pixel(205, 205), 0, 0, 0));
}

TEST_F(GraphicsTest, ViewportClipsDrawing) {
    SetViewport(200, 200, 50, 50);
    DrawRect(180, 180, 100, 100);
    EXPECT_TRUE(Near(Pixel(220, 220), 255, 255, 255));
    EXPECT_TRUE(Near(Pixel(190, 190), 0, 0, 0));
    EXPECT_TRUE(Near(Pixel(260, 260), 0, 0, 0));
}

TEST_F(GraphicsTest, TextIsMeasuredAndDrawnWithTheImageFont) {
    ImageFontPtr font = LoadImageFont(CARLITO, 20, SMOOTHFONT);
    ASSERT_TRUE(font);
    EXPECT_GE(FontHeight(*font), 20);
    EXPECT_LE(FontHeight(*font), 30);
    SetImageFont(font);
    EXPECT_GT(TextWidth("WW"), TextWidth("ii"));
    EXPECT_NEAR(TextWidth("ab"), TextWidth("a") + TextWidth("b"), 1);
    EXPECT_GT(TextWidth("\xe9"), 0);  // Latin-1 e acute
    EXPECT_EQ(TextHeight("x"), FontHeight(*font));

    SetBlend(ALPHABLEND);
    DrawText("HHHH", 100, 100);
    const int width = TextWidth("HHHH");
    PixmapPtr area = GrabPixmap(90, 90, width + 20, FontHeight(*font) + 20);
    int inside = 0, outside = 0;
    for (int y = 0; y < area->Height(); ++y)
        for (int x = 0; x < area->Width(); ++x) {
            if (PixR(area->ReadPixel(x, y)) < 128) continue;
            const bool inBox = x >= 10 && x < 10 + width + 1 && y >= 10 && y < 10 + FontHeight(*font);
            ++(inBox ? inside : outside);
        }
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);

    // The atlas keeps only coverage: made again for new graphics, it draws
    // the same pixels.
    CloseGraphics();
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    Cls();
    SetImageFont(font);
    SetBlend(ALPHABLEND);
    DrawText("HHHH", 100, 100);
    PixmapPtr again = GrabPixmap(90, 90, width + 20, FontHeight(*font) + 20);
    ASSERT_TRUE(again);
    EXPECT_TRUE(std::equal(area->Pixels(), area->Pixels() + area->Width() * area->Height(), again->Pixels()));

    EXPECT_FALSE(LoadImageFont("/nonexistent/font.ttf", 20));
    SetImageFont(nullptr);
    EXPECT_GT(TextWidth("Default"), 0);
    EXPECT_GT(TextHeight("Default"), 0);
}

TEST_F(GraphicsTest, GrabbingCopiesTheScreenArea) {
    SetColor(255, 0, 0);
    DrawRect(100, 100, 10, 10);
    SetColor(0, 0, 255);
    DrawRect(110, 100, 10, 10);
    PixmapPtr grab = GrabPixmap(100, 100, 20, 10);
    ASSERT_TRUE(grab);
    EXPECT_TRUE(Near(grab->ReadPixel(5, 5), 255, 0, 0));
    EXPECT_TRUE(Near(grab->ReadPixel(15, 5), 0, 0, 255));
    EXPECT_EQ(PixA(grab->ReadPixel(15, 5)), 255);

    PixmapPtr edge = GrabPixmap(-5, -5, 10, 10);  // partly off the screen
    EXPECT_EQ(edge->ReadPixel(0, 0), 0u);
}

TEST_F(GraphicsTest, MaskColourMakesPixelsTransparent) {
    TPixmap pixmap(2, 1);
    pixmap.WritePixel(0, 0, ARGB(255, 255, 0, 255));
    pixmap.WritePixel(1, 0, ARGB(255, 255, 0, 0));
    SetMaskColor(255, 0, 255);
    ImagePtr masked = LoadImageFromPixmap(pixmap);
    ImagePtr unmasked = LoadImageFromPixmap(pixmap, 0);
    SetMaskColor(0, 0, 0);
    ImagePtr blackMask = LoadImageFromPixmap(pixmap);
    EXPECT_EQ(PixA(LockImage(*masked)->ReadPixel(0, 0)), 0);
    EXPECT_EQ(PixA(LockImage(*masked)->ReadPixel(1, 0)), 255);
    EXPECT_EQ(PixA(LockImage(*unmasked)->ReadPixel(0, 0)), 255);
    EXPECT_EQ(PixA(LockImage(*blackMask)->ReadPixel(0, 0)), 255);

    ClsTo(0, 255, 0);
    DrawImage(*masked, 10, 10);
    EXPECT_TRUE(Near(Pixel(10, 10), 0, 255, 0));
    EXPECT_TRUE(Near(Pixel(11, 10), 255, 0, 0));
}

TEST_F(GraphicsTest, ImagesOutliveTheGraphicsTheyWereDrawnWith) {
    CloseGraphics();
    ImagePtr early = SolidImage(10, 10, ARGB(255, 0, 200, 0));
    ASSERT_TRUE(early);
    Precache(*early);  // nothing to make yet; must not fail
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    const int generation = GraphicsGeneration();
    DrawImage(*early, 0, 0);
    EXPECT_TRUE(Near(Pixel(5, 5), 0, 200, 0));

    CloseGraphics();
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    EXPECT_GT(GraphicsGeneration(), generation);
    Precache(*early);
    DrawImage(*early, 20, 20);
    EXPECT_TRUE(Near(Pixel(25, 25), 0, 200, 0));

    // Changed pixels reach the texture.
    PixmapPtr pixels = LockImage(*early);
    pixels->Clear(ARGB(255, 0, 0, 200));
    UnlockImage(*early, 0, *pixels);
    DrawImage(*early, 40, 40);
    EXPECT_TRUE(Near(Pixel(45, 45), 0, 0, 200));
}

TEST_F(GraphicsTest, AnimationStripsAndHandles) {
    TPixmap strip(30, 20);  // 3 x 2 cells of 10 x 10, cell n coloured n * 40
    for (int cell = 0; cell < 6; ++cell)
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                strip.WritePixel((cell % 3) * 10 + x, (cell / 3) * 10 + y, ARGB(255, cell * 40, 0, 0));
    AutoMidHandle(true);
    ImagePtr anim = LoadAnimImageFromPixmap(strip, 10, 10, 1, 4, 0);
    AutoMidHandle(false);
    ASSERT_TRUE(anim);
    EXPECT_EQ(ImageFrames(*anim), 4);
    EXPECT_EQ(ImageWidth(*anim), 10);
    EXPECT_FLOAT_EQ(ImageHandleX(*anim), 5);
    EXPECT_FLOAT_EQ(ImageHandleY(*anim), 5);
    for (int frame = 0; frame < 4; ++frame)
        EXPECT_EQ(PixR(LockImage(*anim, frame)->ReadPixel(3, 3)), (frame + 1) * 40);
    EXPECT_FALSE(LoadAnimImageFromPixmap(strip, 10, 10, 3, 4, 0));  // runs past the strip

    DrawImage(*anim, 100, 100, 3);  // mid-handled: covers 95..104
    EXPECT_TRUE(Near(Pixel(96, 96), 160, 0, 0));
    EXPECT_TRUE(Near(Pixel(106, 100), 0, 0, 0));

    ImagePtr plain = CreateImage(8, 6);
    EXPECT_FLOAT_EQ(ImageHandleX(*plain), 0);
}

TEST_F(GraphicsTest, PixmapsRoundTripThroughPng) {
    const std::string path = std::string(VC_TEST_BINARY_DIR) + "/gfx_roundtrip.png";
    TPixmap pixmap(3, 2);
    pixmap.WritePixel(0, 0, ARGB(255, 10, 20, 30));
    pixmap.WritePixel(2, 1, ARGB(128, 200, 100, 50));
    ASSERT_TRUE(SavePixmapPNG(pixmap, path));
    PixmapPtr back = LoadPixmap(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Width(), 3);
    EXPECT_EQ(back->ReadPixel(0, 0), pixmap.ReadPixel(0, 0));
    EXPECT_EQ(back->ReadPixel(2, 1), pixmap.ReadPixel(2, 1));
    std::filesystem::remove(path);
    EXPECT_FALSE(LoadPixmap(path));
    EXPECT_FALSE(LoadImageFromMemory({1, 2, 3, 4}));
}

TEST_F(GraphicsTest, FlipsArePacedToTheDisplayRateAndRestWhileNothingChanges) {
    TManualClock clock;
    SetClock(&clock);
    for (int i = 0; i < 10; ++i) Flip(1);
    // The first flip has nothing to wait for; nine intervals of about 16.7 ms follow.
    const int hz = DisplayRefreshRate() > 0 ? DisplayRefreshRate() : 60;
    EXPECT_NEAR(double(clock.now), 9 * 1000.0 / hz, 2);
    const uint32_t before = clock.now;
    for (int i = 0; i < 5; ++i) Flip(-1);
    EXPECT_NEAR(double(clock.now - before), 5 * 1000.0 / hz, 2);
    SetUnthrottledFlip(true);
    const uint32_t fast = clock.now;
    for (int i = 0; i < 5; ++i) Flip(0);
    EXPECT_EQ(clock.now, fast);
    SetUnthrottledFlip(false);

    // After a second of flips that show nothing new, every other frame may
    // rest, paced all the same; an event taken or a change ends that.
    for (int i = 0; i < 60; ++i) Flip(0);
    ASSERT_TRUE(MayRestFrame());
    const uint32_t resting = clock.now;
    RestFrame(0);
    EXPECT_NEAR(double(clock.now - resting), 1000.0 / hz, 2);
    EXPECT_FALSE(MayRestFrame());
    Flip(0);
    EXPECT_TRUE(MayRestFrame());
    PostKeyPress(KEY_A);
    Event taken;
    while (TakeEvent(taken)) {
    }
    EXPECT_FALSE(MayRestFrame());
    Flip(0);
    EXPECT_TRUE(MayRestFrame());
    // Still for longer, three frames in four rest.
    for (int i = 0; i < 60; ++i) Flip(0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(MayRestFrame());
        RestFrame(0);
    }
    EXPECT_FALSE(MayRestFrame());
    DrawRect(1, 1, 2, 2);
    Flip(0);
    EXPECT_FALSE(MayRestFrame());
    SetClock(nullptr);
}

TEST(GraphicsModes, TheLogicalSizeIsAlwaysAvailable) {
    EXPECT_GE(CountGraphicsModes(), 1);
    EXPECT_TRUE(GraphicsModeExists(LOGICAL_WIDTH, LOGICAL_HEIGHT, 32, 0));
    EXPECT_FALSE(GraphicsModeExists(LOGICAL_WIDTH, LOGICAL_HEIGHT, 32, 12345));
    EXPECT_TRUE(GLDriverAvailable());
    CloseGraphics();  // nothing open: harmless
    EXPECT_FALSE(GraphicsOpen());
}

}  // namespace

TEST_F(GraphicsTest, LoadedImagesLetGoOfTheirPixelsAndMakeThemAgain) {
    // Two 2 x 2 frames side by side: red with one magenta (masked) pixel, and blue.
    TPixmap strip(4, 2);
    strip.Clear(ARGB(255, 200, 0, 0));
    strip.WritePixel(1, 1, ARGB(255, 255, 0, 255));
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x) strip.WritePixel(x, y, ARGB(255, 0, 0, 200));
    const std::string path = std::string(VC_TEST_BINARY_DIR) + "/gfx_strip.png";
    ASSERT_TRUE(SavePixmapPNG(strip, path));
    SetMaskColor(255, 0, 255);
    ImagePtr image = LoadAnimImage(path, 2, 2, 0, 2);
    SetMaskColor(0, 0, 0);
    ASSERT_TRUE(image);
    std::filesystem::remove(path);  // the bytes were kept: the file is not read again

    ClsTo(0, 255, 0);
    SetBlend(ALPHABLEND);
    DrawImage(*image, 10, 10, 0);
    DrawImage(*image, 20, 20, 1);
    EXPECT_TRUE(Near(Pixel(10, 10), 200, 0, 0));
    EXPECT_TRUE(Near(Pixel(11, 11), 0, 255, 0));
    EXPECT_TRUE(Near(Pixel(21, 21), 0, 0, 200));

    // Read after the textures were made: the pixels as loaded, masked as then.
    PixmapPtr pixels = LockImage(*image, 0);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->ReadPixel(0, 0), ARGB(255, 200, 0, 0));
    EXPECT_EQ(PixA(pixels->ReadPixel(1, 1)), 0);

    // New graphics: the textures are made again.
    CloseGraphics();
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    ClsTo(0, 255, 0);
    DrawImage(*image, 30, 30, 1);
    EXPECT_TRUE(Near(Pixel(31, 31), 0, 0, 200));

    // Written pixels are the image's from then on, through another reopening.
    pixels->Clear(ARGB(255, 0, 0, 0));
    UnlockImage(*image, 0, *pixels);
    DrawImage(*image, 40, 40, 0);
    CloseGraphics();
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    ClsTo(0, 255, 0);
    DrawImage(*image, 40, 40, 0);
    EXPECT_TRUE(Near(Pixel(41, 41), 0, 0, 0));
}

TEST_F(GraphicsTest, DrawTargetsKeepWhatWasDrawnIntoThem) {
    ImagePtr target = CreateDrawTarget(50, 40);
    ASSERT_TRUE(target);
    ASSERT_TRUE(SetDrawTarget(target.get()));
    SetBlend(SOLIDBLEND);
    SetColor(200, 0, 0);
    DrawRect(0, 0, 50, 40);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(0.5f);
    DrawImage(*SolidImage(10, 10, ARGB(255, 0, 0, 200)), 0, 0);
    SetAlpha(1);
    ASSERT_TRUE(SetDrawTarget(nullptr));

    ClsTo(0, 255, 0);
    SetBlend(SOLIDBLEND);
    DrawImage(*target, 100, 100);
    EXPECT_TRUE(Near(Pixel(120, 120), 200, 0, 0));
    EXPECT_TRUE(Near(Pixel(105, 105), 100, 0, 100));
    EXPECT_TRUE(Near(Pixel(99, 99), 0, 255, 0));
    EXPECT_TRUE(Near(Pixel(150, 140), 0, 255, 0));

    // Only draw targets take drawing; their pixels stay with the renderer.
    EXPECT_FALSE(SetDrawTarget(SolidImage(4, 4, ARGB(255, 1, 2, 3)).get()));
    EXPECT_EQ(LockImage(*target), nullptr);

    // Their picture goes with the graphics.
    CloseGraphics();
    ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
    EXPECT_FALSE(SetDrawTarget(target.get()));
    ClsTo(0, 255, 0);
    DrawImage(*target, 100, 100);
    EXPECT_TRUE(Near(Pixel(120, 120), 0, 255, 0));
}

// A large picture no longer drawn gives up its texture when another large
// one is made, and comes back pixel for pixel from the file's bytes.
TEST_F(GraphicsTest, LargePicturesOffTheScreenLetGoOfTheirTextures) {
    auto patterned = [](const std::string& name, int shift) {
        TPixmap pixmap(400, 300);  // a quarter of the screen: large
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) pixmap.WritePixel(x, y, ARGB(255, (x + shift) & 255, y & 255, (x ^ y) & 255));
        const std::string path = std::string(VC_TEST_BINARY_DIR) + "/" + name;
        EXPECT_TRUE(SavePixmapPNG(pixmap, path));
        ImagePtr image = LoadImage(path);
        std::filesystem::remove(path);
        return image;
    };
    ImagePtr title = patterned("gfx_large_a.png", 0);
    ImagePtr board = patterned("gfx_large_b.png", 77);
    ImagePtr small = SolidImage(20, 20, ARGB(255, 9, 9, 9));
    ASSERT_TRUE(title && board && small);
    auto grab = [] { return GrabPixmap(0, 0, 400, 300); };
    auto same = [](const PixmapPtr& a, const PixmapPtr& b) {
        return a && b && std::equal(a->Pixels(), a->Pixels() + 400 * 300, b->Pixels());
    };

    SetBlend(SOLIDBLEND);
    DrawImage(*title, 0, 0);
    DrawImage(*small, 500, 0);
    const PixmapPtr before = grab();
    Flip(0);
    // Both drawn in one frame: both kept.
    DrawImage(*board, 0, 0);
    DrawImage(*title, 0, 0);
    EXPECT_TRUE(ImageHasTexture(*board) && ImageHasTexture(*title));
    Flip(0);
    // Another screen: the title goes; the small picture stays.
    DrawImage(*board, 0, 0);
    Flip(0);
    ImagePtr other = patterned("gfx_large_c.png", 150);
    DrawImage(*other, 0, 0);
    EXPECT_FALSE(ImageHasTexture(*title));
    EXPECT_FALSE(ImageHasTexture(*board));
    EXPECT_TRUE(ImageHasTexture(*small));
    Flip(0);
    DrawImage(*title, 0, 0);
    EXPECT_TRUE(same(grab(), before));

    // A picture written since loading has no other copy: it keeps its texture.
    PixmapPtr pixels = LockImage(*board);
    ASSERT_TRUE(pixels);
    pixels->WritePixel(0, 0, ARGB(255, 1, 2, 3));
    UnlockImage(*board, 0, *pixels);
    DrawImage(*board, 0, 0);
    Flip(0);
    DrawImage(*other, 0, 0);
    EXPECT_TRUE(ImageHasTexture(*board));
    EXPECT_FALSE(ImageHasTexture(*title));
}

// Frames that begin alike for a second start from a kept picture of that
// beginning; with the software renderer, frames that change in small parts
// are drawn again only there, and otherwise only what the frame before drew
// over the kept picture is put back. Either way, what reaches the screen
// must be what drawing each frame whole gives. A large picture the frames
// have not drawn for five seconds gives up its texture to the kept picture.
TEST_F(GraphicsTest, FramesDrawnFromAKeptBeginningOrWhereTheyChangedShowWhatDrawingThemWholeShows) {
    const std::string path = std::string(VC_TEST_BINARY_DIR) + "/gfx_large_kept.png";
    ASSERT_TRUE(SavePixmapPNG(TPixmap(400, 300), path));
    ImagePtr earlier = LoadImage(path), recent = LoadImage(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(earlier && recent);
    TPixmap backPixels(LOGICAL_WIDTH, LOGICAL_HEIGHT);
    for (int y = 0; y < LOGICAL_HEIGHT; ++y)
        for (int x = 0; x < LOGICAL_WIDTH; ++x) backPixels.WritePixel(x, y, ARGB(255, x % 256, y % 256, (x + y) % 256));
    ImagePtr back = LoadImageFromPixmap(backPixels, 0);
    TPixmap piecePixels(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) piecePixels.WritePixel(x, y, ARGB(40 + x * 8, 250 - y * 9, 90, x * 10));
    ImagePtr piece = LoadImageFromPixmap(piecePixels, 0);
    // The same background each time. Small frames light one of the pieces
    // on it and move one inside a viewport, under a turned and a scaled one
    // that stay; large frames change the colour of two thirds of the screen
    // instead. A rectangle, a lit piece and a turned one move on top.
    const auto drawFrame = [&](int step, bool large) {
        Cls();
        SetBlend(SOLIDBLEND);
        DrawImage(*back, 0, 0);
        SetBlend(ALPHABLEND);
        for (int i = 0; i < 100; ++i) {
            SetBlend(!large && i == step * 7 ? LIGHTBLEND : ALPHABLEND);
            DrawImage(*piece, float(10 + (i % 20) * 38), float(10 + (i / 20) * 40));
        }
        SetBlend(ALPHABLEND);
        SetViewport(100, 230, 300, 60);
        DrawImage(*piece, float(large ? 90 : 90 + 31 * step), 240);
        SetViewport(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
        SetRotation(35);
        DrawImage(*piece, 150, 236);
        SetRotation(0);
        SetScale(1.7f, 1.3f);
        DrawImage(*piece, 243, 231);
        SetScale(1, 1);
        SetAlpha(0.7f);
        SetRotation(0);
        if (large) {
            SetColor(255, 80 + 10 * step, 40);
            DrawRect(0, 0, LOGICAL_WIDTH, 400);
        }
        SetColor(255, 80, 40);
        DrawRect(float(50 + 37 * step), float(300 + 11 * step), 40, 30);
        SetColor(90, 90, 90);
        SetAlpha(1);
        SetBlend(LIGHTBLEND);
        DrawImage(*piece, float(600 - 29 * step), float(100 + 17 * step));
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        SetRotation(float(step * 20));
        DrawImage(*piece, 400, float(450 - 9 * step));
        SetRotation(0);
    };
    constexpr int LAST = 79;
    for (const bool large : {false, true}) {
        SetUnthrottledFlip(true);
        DrawImage(*earlier, 0, 0);
        DrawImage(*recent, 0, 0);
        for (int i = 0; i < 300; ++i) Flip(0);
        DrawImage(*recent, 0, 0);
        Flip(0);
        const uint64_t inPart = FramesDrawnInPart();
        for (int step = 0; step <= LAST; ++step) {
            drawFrame(step % 10, large);
            Flip(0);
        }
        SetUnthrottledFlip(false);
        if (large) {
            EXPECT_FALSE(ImageHasTexture(*earlier));
            EXPECT_TRUE(ImageHasTexture(*recent));
        } else {
            EXPECT_GE(FramesDrawnInPart() - inPart, uint64_t(LAST));
        }
        const PixmapPtr kept = GrabPixmap(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
        CloseGraphics();
        ASSERT_TRUE(OpenGraphics(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, 0));
        drawFrame(LAST % 10, large);
        const PixmapPtr whole = GrabPixmap(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
        ASSERT_TRUE(kept && whole);
        int differing = 0;
        for (int y = 0; y < LOGICAL_HEIGHT; ++y)
            for (int x = 0; x < LOGICAL_WIDTH; ++x) differing += kept->ReadPixel(x, y) != whole->ReadPixel(x, y);
        EXPECT_EQ(differing, 0) << (large ? "large" : "small") << " changes";
    }
}

// A large picture with wholly transparent parts is drawn, unscaled, only
// where it shows: over any screen, in every blend, it must leave the pixels
// drawing it whole leaves.
TEST_F(GraphicsTest, LargePicturesDrawnOnlyWhereTheyShowLeaveWhatDrawingThemWholeLeaves) {
    TPixmap backPixels(400, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) backPixels.WritePixel(x, y, ARGB(255, x % 256, (y * 3) % 256, (x + y) % 256));
    ImagePtr back = LoadImageFromPixmap(backPixels, 0);
    // A ring, wider than high, with soft edges: transparent corners and middle.
    TPixmap ringPixels(360, 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 360; ++x) {
            const float dx = (float(x) - 180) / 170, dy = (float(y) - 120) / 100, d = dx * dx + dy * dy;
            const int alpha = d > 1 || d < 0.4f ? 0 : int(255 * std::min(1.0f, (1 - d) * 4));
            ringPixels.WritePixel(x, y, ARGB(alpha, (x * 5) % 256, 200 - y / 2, 90));
        }
    ImagePtr ring = LoadImageFromPixmap(ringPixels, 0);
    const auto grabDrawn = [&](int blend, float turn) {
        SetBlend(SOLIDBLEND);
        DrawImage(*back, 0, 0);
        SetBlend(blend);
        SetColor(200, 150, 255);
        // A turn of a whole circle draws the picture as it is, but whole.
        SetRotation(turn);
        DrawImage(*ring, 21, 33);
        SetRotation(0);
        SetColor(255, 255, 255);
        return GrabPixmap(0, 0, 400, 300);
    };
    for (const int blend : {ALPHABLEND, LIGHTBLEND, SHADEBLEND}) {
        const PixmapPtr parts = grabDrawn(blend, 0), whole = grabDrawn(blend, 360);
        ASSERT_TRUE(parts && whole);
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) differing += parts->ReadPixel(x, y) != whole->ReadPixel(x, y);
        EXPECT_EQ(differing, 0) << "blend " << blend;
    }
}

// Light added unscaled onto the window is added by the game's own code, not
// SDL's: over any screen, with any tint, cut by the window's edges and by a
// viewport, it must leave the pixels SDL leaves (SDL draws into a draw
// target).
TEST_F(GraphicsTest, LightAddedByOwnCodeLeavesWhatSdlLeaves) {
    std::mt19937 random(20261210);
    const auto noise = [&](int w, int h) {
        TPixmap pixels(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.WritePixel(x, y, uint32_t(random()));
        return LoadImageFromPixmap(pixels, 0);
    };
    ImagePtr back = noise(LOGICAL_WIDTH, LOGICAL_HEIGHT);
    // 67 wide: rows that do not end on a whole group of pixels.
    ImagePtr light = noise(67, 45);
    ImagePtr target = CreateDrawTarget(LOGICAL_WIDTH, LOGICAL_HEIGHT);
    ASSERT_TRUE(target);
    struct TCase {
        int r, g, b;
        float alpha;
        float x, y;
        bool inViewport;
    };
    const TCase cases[] = {{255, 255, 255, 1, 100, 100, false}, {200, 150, 255, 0.7f, -20, -9, false},
                           {0, 90, 255, 0.3f, 760, 580, false}, {17, 255, 3, 1, 310, 205, true},
                           {128, 128, 128, 0.5f, 250, 170, true}};
    const auto grabDrawn = [&](const TCase& c, bool bySdl) {
        if (bySdl) {
            ASSERT_TRUE(SetDrawTarget(target.get()));
        }
        SetBlend(SOLIDBLEND);
        DrawImage(*back, 0, 0);
        if (c.inViewport) SetViewport(280, 190, 60, 50);
        SetBlend(LIGHTBLEND);
        // SDL draws the copies off whole pixels: each in its own tint, though
        // the one before it in the same tint was ours.
        SetColor(90, 200, 40);
        DrawImage(*light, c.x + 20.5f, c.y + 9);
        SetColor(c.r, c.g, c.b);
        SetAlpha(c.alpha);
        DrawImage(*light, c.x, c.y);
        DrawImage(*light, c.x - 15.5f, c.y + 11);
        ResetDrawingState();
        if (!bySdl) return;
        ASSERT_TRUE(SetDrawTarget(nullptr));
        SetBlend(SOLIDBLEND);
        DrawImage(*target, 0, 0);
    };
    for (const TCase& c : cases) {
        const uint64_t byHand = LightsAddedByHand();
        grabDrawn(c, false);
        const PixmapPtr ours = GrabPixmap(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
        EXPECT_EQ(LightsAddedByHand(), byHand + 1);
        grabDrawn(c, true);
        const PixmapPtr sdls = GrabPixmap(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
        EXPECT_EQ(LightsAddedByHand(), byHand + 1);
        ASSERT_TRUE(ours && sdls);
        int differing = 0;
        for (int y = 0; y < LOGICAL_HEIGHT; ++y)
            for (int x = 0; x < LOGICAL_WIDTH; ++x) differing += ours->ReadPixel(x, y) != sdls->ReadPixel(x, y);
        EXPECT_EQ(differing, 0) << "tint " << c.r << " " << c.g << " " << c.b << " " << c.alpha << " at " << c.x
                                << ", " << c.y;
    }
}
