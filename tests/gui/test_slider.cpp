// The volume slider under synthetic pointer positions.
#include <gtest/gtest.h>

#include "app/game.h"
#include "gui/slider.h"

namespace {

GameImagePtr Solid(int w, int h) {
    auto pixmap = plat::CreatePixmap(w, h);
    pixmap->Clear(plat::ARGB(255, 255, 255, 255));
    return TGameImage::CreateFromImage(plat::LoadImageFromPixmap(*pixmap), "S", 0);
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }
    int At(TSlider& slider, int px, int py, int down) {
        auto& mouse = Game().Mouse;
        mouse.x = px;
        mouse.y = py;
        mouse.b1 = down;
        mouse.CalcButtonTotals();
        return slider.Manage();
    }
};

TEST_F(SliderTest, ValueFollowsAHeldPointer) {
    auto slider = TSlider::CreateFromImages(Solid(200, 20), Solid(10, 20), 100, 300, 10, "volume");
    EXPECT_EQ(slider->Value, 50);
    EXPECT_EQ(slider->DotX, 195);
    EXPECT_EQ(slider->DotY, 300);
    EXPECT_EQ(At(*slider, 110, 310, 1), 1);
    EXPECT_EQ(slider->Value, 0);
    EXPECT_EQ(slider->DotX, 105);
    At(*slider, 290, 310, 1);
    EXPECT_EQ(slider->Value, 100);
    At(*slider, 200, 310, 1);
    EXPECT_EQ(slider->Value, 50);
    At(*slider, 95, 296, 1);  // within the hover margins, left of the dead zone
    EXPECT_EQ(slider->Value, 0);
    // Over but no button: no change; off the slider: not over.
    EXPECT_EQ(At(*slider, 250, 310, 0), 0);
    EXPECT_EQ(slider->MouseOver, 1);
    EXPECT_EQ(slider->Value, 0);
    EXPECT_EQ(At(*slider, 250, 340, 1), 0);
    EXPECT_EQ(slider->MouseOver, 0);
    // A tap that went down and up between two updates moves the dot too.
    auto& mouse = Game().Mouse;
    mouse.x = 155;
    mouse.y = 310;
    mouse.ButtonDown(1);
    mouse.ButtonUp(1);
    EXPECT_EQ(slider->Manage(), 1);
    EXPECT_EQ(slider->Value, 25);
    slider->SetValue(140);
    EXPECT_EQ(slider->Value, 100);
    slider->SetValue(-5);
    EXPECT_EQ(slider->Value, 0);
}

TEST_F(SliderTest, TrackNoWiderThanItsBorders) {
    auto slider = TSlider::CreateFromImages(Solid(20, 20), Solid(10, 20), 100, 300, 10, "tiny");
    At(*slider, 105, 310, 1);
    EXPECT_EQ(slider->Value, 0);
    At(*slider, 110, 310, 1);
    EXPECT_EQ(slider->Value, 0);
    At(*slider, 111, 310, 1);
    EXPECT_EQ(slider->Value, 100);
    slider->active = 0;
    EXPECT_EQ(At(*slider, 105, 310, 1), 0);
    EXPECT_EQ(slider->Value, 100);
}

}  // namespace
