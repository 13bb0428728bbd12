// The pointer and the click tracker fed through the main loop's tick with
// synthetic mouse events: hits consumed once, double clicks, drags, Ctrl +
// left as right, and the sparkle trail.
#include "gui_test_util.h"

#include <functional>
#include <utility>
#include <vector>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/clock.h"
#include "platform/input.h"

namespace {

using plat::EventKind;

class MouseTest : public TickTest {
protected:
    // One tick, ms after the previous one.
    void Tick(uint32_t ms = 5) {
        clock.now += ms;
        Game().LogicWrapper();
    }
    void Press(int x, int y, int button = 1) { plat::PostEvent({EventKind::MouseDown, button, x, y}); }
    void Release(int x, int y, int button = 1) { plat::PostEvent({EventKind::MouseUp, button, x, y}); }
    void MoveTo(int x, int y) { plat::PostEvent({EventKind::MouseMove, 0, x, y}); }
    // Time passing in ticks of 5 ms.
    void Wait(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 5) Tick();
    }
    // A full click after waiting msBefore: press, one tick held, release, one
    // tick; answers whether the press was a double click.
    int ClickGivesDoubleClick(int x, int y, uint32_t msBefore) {
        Wait(msBefore);
        Press(x, y);
        Tick();
        const int dc = PNMouseObject().DoubleClick();
        Release(x, y);
        Tick();
        return dc;
    }
};

TEST_F(MouseTest, AHitIsTakenByTheFirstReaderOnly) {
    int first = -1, second = -1;
    screen.logic = [&] {
        first = Game().Mouse.GetMh(1);
        second = Game().Mouse.GetMh(1);
    };
    Press(10, 10);
    Tick();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(Game().Mouse.GetMb(), 1);
    Tick();
    EXPECT_EQ(first, 0) << "a hit lasts one update";
    Release(10, 10);
    Tick();
    EXPECT_EQ(Game().Mouse.GetMb(), 0);
}

TEST_F(MouseTest, DoubleClickNeedsTimeAndPlace) {
    EXPECT_EQ(ClickGivesDoubleClick(100, 100, 5), 0);
    EXPECT_EQ(ClickGivesDoubleClick(110, 115, 300), 1) << "300 ms apart, within 20 pixels";
    EXPECT_EQ(ClickGivesDoubleClick(110, 115, 100), 1) << "each press opens the window again";
    EXPECT_EQ(ClickGivesDoubleClick(110, 115, 600), 0) << "600 ms apart";
    EXPECT_EQ(ClickGivesDoubleClick(150, 115, 100), 0) << "40 pixels apart";
    EXPECT_EQ(ClickGivesDoubleClick(150, 115, 100), 1);
    // One update that comes two seconds late (a stalled frame) does not close the window.
    Tick(2000);
    EXPECT_EQ(ClickGivesDoubleClick(150, 115, 0), 1);
}

TEST_F(MouseTest, AClickShorterThanAnUpdateStillCounts) {
    const auto quickClick = [this](int x, int y) {
        Press(x, y);
        Release(x, y);
        Tick();
        return std::pair{PNMouseObject().LeftClick(), PNMouseObject().DoubleClick()};
    };
    EXPECT_EQ(quickClick(50, 50), std::pair(1, 0));
    Wait(100);
    EXPECT_EQ(PNMouseObject().LeftClick(), 0);
    EXPECT_EQ(quickClick(50, 50), std::pair(1, 1));
}

TEST_F(MouseTest, DragThreshold) {
    auto& pn = PNMouseObject();
    pn.DraggingPixels = 4;
    int dragging = 0;
    screen.logic = [&] { dragging = pn.Drag(); };
    Press(200, 200);
    Tick();
    EXPECT_EQ(dragging, 0);
    MoveTo(202, 201);  // 3 pixels
    Tick();
    EXPECT_EQ(dragging, 0);
    MoveTo(203, 202);  // 5 pixels
    Tick();
    EXPECT_EQ(dragging, 1);
    MoveTo(200, 200);
    Tick();
    EXPECT_EQ(dragging, 1) << "a drag lasts until the button is released";
    Release(200, 200);
    Tick();
    EXPECT_EQ(dragging, 0);
    EXPECT_EQ(pn.DragStartX, -1);
}

TEST_F(MouseTest, CtrlLeftCountsAsRight) {
    auto& pn = PNMouseObject();
    int dragging = 0;
    screen.logic = [&] { dragging = pn.Drag(); };
    plat::PostEvent({EventKind::KeyDown, plat::KEY_LCONTROL, 0, 0});
    Press(50, 50);
    Tick();
    MoveTo(80, 80);
    Tick();
    EXPECT_EQ(pn.MBR, 2);
    EXPECT_EQ(pn.LeftClick(), 0);
    EXPECT_EQ(dragging, 0);
    plat::PostEvent({EventKind::KeyUp, plat::KEY_LCONTROL, 0, 0});
    Tick();
    EXPECT_EQ(pn.MBR, 0);
    EXPECT_EQ(pn.LeftClick(), 1) << "the left button is still down";
    Release(80, 80);
    Press(80, 80, 2);
    Tick();
    EXPECT_EQ(pn.MBR, 1);
}

TEST_F(MouseTest, EveryPressIsSeenOnceHoweverShort) {
    auto& pn = PNMouseObject();
    std::vector<int> left, right;
    screen.logic = [&] {
        left.push_back(pn.LeftClick());
        right.push_back(pn.MBR);
    };
    // A tap: press and release arrive within one update.
    Press(10, 10);
    Release(10, 10);
    Tick();
    Tick();
    EXPECT_EQ(left, (std::vector<int>{1, 0}));
    // Held, then released and pressed again within one update: a new press.
    left.clear();
    Press(10, 10);
    Tick();
    Tick();
    Release(10, 10);
    Press(12, 12);
    Tick();
    EXPECT_EQ(left, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(pn.DragStartX, -1) << "the new press starts its own drag";
    Release(12, 12);
    Tick();
    // A right tap, and a Ctrl tap of the left button, are right presses.
    right.clear();
    Press(20, 20, 2);
    Release(20, 20, 2);
    Tick();
    plat::PostEvent({EventKind::KeyDown, plat::KEY_LCONTROL, 0, 0});
    Press(20, 20);
    Release(20, 20);
    Tick();
    EXPECT_EQ(right, (std::vector<int>{1, 1}));
}

TEST_F(MouseTest, APressTakenByAWidgetOrAFlushIsNoLongerHeld) {
    auto& pn = PNMouseObject();
    bool widgetTakes = true;
    int left = -1, dragging = -1;
    screen.logic = [&] {
        if (widgetTakes) Game().Mouse.GetMh(1);
        left = pn.LeftClick();
        dragging = pn.Drag();
    };
    Press(10, 10);
    Tick();
    EXPECT_EQ(left, 0) << "the widget that took the click keeps it";
    widgetTakes = false;
    MoveTo(60, 60);
    Tick();
    EXPECT_EQ(left, 0) << "still held, still taken";
    EXPECT_EQ(dragging, 0);
    Release(60, 60);
    Press(60, 60);
    Tick();
    Tick();
    EXPECT_EQ(left, 2) << "a new press counts again";
    // What every screen switch, menu, dialog and pause does.
    FlushInput();
    Tick();
    EXPECT_EQ(left, 0);
    EXPECT_EQ(Game().Mouse.GetMb(), 1) << "widgets that only look still see the button down";
}

TEST_F(MouseTest, SparkleTrailIsCappedAndFades) {
    auto& mouse = Game().Mouse;
    auto pixmap = plat::CreatePixmap(4, 4);
    pixmap->Clear(plat::ARGB(255, 255, 255, 255));
    mouse.SetSparkleTrail(TGameImage::CreateFromImage(plat::LoadImageFromPixmap(*pixmap), "SPARKLE"));
    // Standing still emits nothing.
    for (int i = 0; i < 20; ++i) Tick();
    EXPECT_EQ(mouse.ParticleList->Count(), 0u);
    // Moving emits; long-lived sparkles never grow the list past its cap.
    mouse.SparkleLength = 1000;
    mouse.ParticleList->Cap = 50;
    for (int i = 0; i < 3000; ++i) {
        MoveTo(100 + i % 500, 300);
        Game().DoPeekEvent();
        mouse.Manage();
        ASSERT_LE(mouse.ParticleList->Count(), 50u);
    }
    EXPECT_GE(mouse.ParticleList->Count(), 40u) << "the cap was reached, a few fell off the screen";
    mouse.ParticleList->Clear();
    mouse.SparkleLength = 15;
    for (int i = 0; i < 100; ++i) {
        MoveTo(300 + i, 300);
        Tick();
    }
    EXPECT_GT(mouse.ParticleList->Count(), 0u);
    // Still again: the sparkles fade out (SparkleLength 15 x 20 ms = 60 updates) and go.
    for (int i = 0; i < 80; ++i) Tick();
    EXPECT_EQ(mouse.ParticleList->Count(), 0u);
    for (int i = 0; i < 10; ++i) {
        MoveTo(200 + 5 * i, 200);
        Tick();
    }
    EXPECT_GT(mouse.ParticleList->Count(), 0u);
    mouse.Off();
    EXPECT_EQ(mouse.ParticleList->Count(), 0u);
}

}  // namespace

namespace {

// A player resizes the window: the game is letterboxed inside it, and the
// pointer still reports logical 800 x 600 pixels.
TEST_F(MouseTest, PointerIsInLogicalPixelsInAResizedLetterboxedWindow) {
    ASSERT_TRUE(plat::OpenGraphics(800, 600, 0, 0));
    // 1000 x 600: the picture is 800 x 600 in the middle, with 100-pixel bars.
    plat::SetWindowSize(1000, 600);
    plat::PostWindowMouse(EventKind::MouseMove, 0, 500, 300);
    Tick();
    EXPECT_EQ(Game().Mouse.x, 400);
    EXPECT_EQ(Game().Mouse.y, 300);
    plat::PostWindowMouse(EventKind::MouseMove, 0, 100, 0);
    Tick();
    EXPECT_EQ(Game().Mouse.x, 0);
    EXPECT_EQ(Game().Mouse.y, 0);

    // 1600 x 1400: scaled by 2, with bars above and below (100 pixels each).
    plat::SetWindowSize(1600, 1400);
    plat::PostWindowMouse(EventKind::MouseDown, 1, 1598, 1298);
    Tick();
    EXPECT_EQ(Game().Mouse.x, 799);
    EXPECT_EQ(Game().Mouse.y, 599);
    EXPECT_EQ(Game().Mouse.b1, 1);
    plat::PostWindowMouse(EventKind::MouseUp, 1, 800, 700);
    Tick();
    EXPECT_EQ(Game().Mouse.b1, 0);
    plat::CloseGraphics();
}

}  // namespace
