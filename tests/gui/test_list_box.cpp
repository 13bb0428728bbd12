// List boxes and scroll bars driven by synthetic mouse, wheel and key events
// through the main loop's tick.
#include "gui_test_util.h"

#include <cmath>
#include <functional>
#include <string>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/list_box.h"
#include "resources/resource_globals.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"

namespace {

using plat::EventKind;

const char* const FONT_FILE = VC_TEST_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf";

GameImagePtr SolidImage(int w, int h) {
    auto pixmap = plat::CreatePixmap(w, h);
    pixmap->Clear(plat::ARGB(255, 200, 200, 200));
    return TGameImage::CreateFromImage(plat::LoadImageFromPixmap(*pixmap), "SOLID", 0);
}

class ListBoxTest : public TickTest {
protected:
    void SetUp() override {
        TickTest::SetUp();
        font = plat::LoadImageFont(FONT_FILE, 20);
        ASSERT_TRUE(font);
    }
    // A box of eight rows at (100, 100), 200 wide, showing count lines.
    ListBoxPtr MakeList(int count) {
        auto list = TListBox::Create(5, 0, 1, 400);
        list->SetCoords(100, 100, 200, 1000);
        list->SetupFont(font, TColor::Create(255, 255, 255), nullptr);
        list->SetCoords(100, 100, 200, static_cast<float>(8 * list->LineHeight + 3));
        list->CalcLineHeight();
        list->Limit = list->DisplayLines;
        for (int i = 0; i < count; ++i) list->Strings.push_back("line " + std::to_string(i));
        screen.logic = [list] { list->Manage(); };
        return list;
    }
    void Tick(uint32_t ms = 5) {
        clock.now += ms;
        Game().LogicWrapper();
    }
    void ClickAt(int x, int y) {
        plat::PostEvent({EventKind::MouseMove, 0, x, y});
        plat::PostEvent({EventKind::MouseDown, 1, x, y});
        Tick();
        plat::PostEvent({EventKind::MouseUp, 1, x, y});
        Tick();
    }
    int RowY(const TListBox& list, int row) const {
        return static_cast<int>(list.Box->Y) + row * list.LineHeight + list.LineHeight / 2;
    }
    void HoldKey(int key, uint32_t ms) {
        plat::PostEvent({EventKind::KeyDown, key, 0, 0});
        for (uint32_t t = 0; t < ms; t += 5) Tick();
        plat::PostEvent({EventKind::KeyUp, key, 0, 0});
        Tick();
    }
    plat::ImageFontPtr font;
};

TEST_F(ListBoxTest, ClicksSelectOnlyRowsThatExist) {
    for (const int count : {0, 1, 7, 8, 50}) {
        SCOPED_TRACE("rows: " + std::to_string(count));
        auto list = MakeList(count);
        ASSERT_EQ(list->DisplayLines, 8);
        EXPECT_EQ(list->GetTempLimit(), std::min(count, 8));
        for (int row = 0; row < 8; ++row) {
            list->ClearIndex();
            ClickAt(150, RowY(*list, row));
            EXPECT_EQ(list->Index, row < count ? row : -1) << "row " << row;
            EXPECT_EQ(list->Value, row < count ? "line " + std::to_string(row) : "");
        }
        // Below the box, and exactly on a row boundary: nothing.
        list->ClearIndex();
        ClickAt(150, static_cast<int>(list->Box->Y) + 8 * list->LineHeight + 2);
        ClickAt(150, static_cast<int>(list->Box->Y) + list->LineHeight);
        EXPECT_EQ(list->Index, -1);
        list->Kill();
    }
}

TEST_F(ListBoxTest, AClickOutsideTheBoxIsLeftForOtherWidgets) {
    auto list = MakeList(5);
    int hitsLeft = -1;
    screen.logic = [&] {
        list->Manage();
        hitsLeft = Game().Mouse.GetMh(1);
    };
    ClickAt(500, 500);
    EXPECT_EQ(hitsLeft, 0);  // the tick after the press
    plat::PostEvent({EventKind::MouseDown, 1, 500, 500});
    Tick();
    EXPECT_EQ(hitsLeft, 1);
    plat::PostEvent({EventKind::MouseDown, 1, 150, RowY(*list, 1)});
    Tick();
    EXPECT_EQ(hitsLeft, 0) << "a click in the box is the list's";
    EXPECT_EQ(list->Index, 1);
}

TEST_F(ListBoxTest, KeysAndWheelScrollToBothEnds) {
    auto list = MakeList(50);
    HoldKey(plat::KEY_UP, 50);
    EXPECT_EQ(list->Index, -1) << "Up without a selection does nothing";
    HoldKey(plat::KEY_DOWN, 5);
    EXPECT_EQ(list->Index, 0) << "Down from no selection selects the first line";
    HoldKey(plat::KEY_DOWN, 10000);
    EXPECT_EQ(list->Index, 49);
    EXPECT_EQ(list->TopIndex, 42);
    EXPECT_EQ(list->GetTempLimit(), 50);
    HoldKey(plat::KEY_UP, 10000);
    EXPECT_EQ(list->Index, 0);
    EXPECT_EQ(list->TopIndex, 0);

    // The wheel over the box scrolls without moving the selection.
    plat::PostEvent({EventKind::MouseMove, 0, 150, 150});
    for (int i = 0; i < 60; ++i) {
        plat::PostEvent({EventKind::MouseWheel, -1, 150, 150});
        Tick();
    }
    EXPECT_EQ(list->TopIndex, 42);
    EXPECT_EQ(list->Index, 0);
    ClickAt(150, RowY(*list, 7));
    EXPECT_EQ(list->Index, 49);
    plat::PostEvent({EventKind::MouseWheel, 100, 150, 150});
    Tick();
    EXPECT_EQ(list->TopIndex, 0);
    // Not over the box: no scrolling.
    plat::PostEvent({EventKind::MouseMove, 0, 600, 150});
    plat::PostEvent({EventKind::MouseWheel, -3, 600, 150});
    Tick();
    EXPECT_EQ(list->TopIndex, 0);
}

TEST_F(ListBoxTest, SelectionScrollsIntoViewAndTopIndexStaysInRange) {
    auto list = MakeList(20);
    list->Limit = 5;
    list->SetIndex(12);
    EXPECT_EQ(list->TopIndex, 8);
    list->SetIndex(3);
    EXPECT_EQ(list->TopIndex, 3);
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex, 15);
    list->SetTopIndex(-4);
    EXPECT_EQ(list->TopIndex, 0);
    list->SetIndex(20);
    EXPECT_EQ(list->Index, -1) << "past the end selects nothing";
    EXPECT_EQ(list->Value, "");

    auto shortList = MakeList(3);
    shortList->SetTopIndex(2);
    EXPECT_EQ(shortList->TopIndex, 0) << "a list shorter than its window starts at the top";
}

TEST_F(ListBoxTest, DoubleClickOnTheSelectedLine) {
    auto list = MakeList(30);
    list->SetTopIndex(10);
    ClickAt(150, RowY(*list, 2));
    EXPECT_EQ(list->Index, 12);
    EXPECT_EQ(list->GetDoubleClicked(), -1);
    ClickAt(150, RowY(*list, 2));
    EXPECT_EQ(list->GetDoubleClicked(), 12);
    EXPECT_EQ(list->GetDoubleClicked(), -1) << "answered once";
    // Too slow: the 400 ms window has shut.
    for (int i = 0; i < 100; ++i) Tick();
    ClickAt(150, RowY(*list, 2));
    EXPECT_EQ(list->GetDoubleClicked(), -1);
}

TEST_F(ListBoxTest, ScrollBarDragsToBothEndsAndDrivesTheList) {
    auto list = MakeList(50);
    auto bar = TScrollBar::Create(SolidImage(16, 20), 200, 50 - list->Limit, 310, 100);
    list->ScrollBar = bar;
    // Grab the slider and pull it far past the bottom, then past the top.
    plat::PostEvent({EventKind::MouseDown, 1, 318, 105});
    Tick();
    EXPECT_EQ(bar->SliderSelected, 1);
    plat::PostEvent({EventKind::MouseMove, 0, 318, 900});
    Tick();
    EXPECT_EQ(bar->SliderPosition, 180);
    EXPECT_EQ(bar->Value, 42);
    EXPECT_EQ(list->TopIndex, 42);
    plat::PostEvent({EventKind::MouseMove, 0, 318, -300});
    Tick();
    EXPECT_EQ(bar->SliderPosition, 0);
    EXPECT_EQ(bar->Value, 0);
    plat::PostEvent({EventKind::MouseMove, 0, 318, 195});  // grabbed 5 down: slider at 90, half way
    Tick();
    EXPECT_EQ(bar->Value, 21);
    plat::PostEvent({EventKind::MouseUp, 1, 318, 195});
    Tick();
    EXPECT_EQ(bar->SliderSelected, 0);
    // Selecting with the keys moves the slider along.
    list->SetIndex(49);
    EXPECT_EQ(bar->SliderPosition, 180);
}

TEST(ScrollBar, DegenerateTracksNeverDivideByZero) {
    ResetGlobals();
    auto none = TScrollBar::Create(SolidImage(16, 20), 200, 0, 0, 0);
    none->SliderSetPosition(5);
    none->ValueCalc();
    EXPECT_EQ(none->SliderPosition, 0);
    EXPECT_EQ(none->Value, 0);
    auto negative = TScrollBar::Create(SolidImage(16, 20), 200, -3, 0, 0);
    EXPECT_EQ(negative->ValueMax, 0);
    // A track no longer than the slider: it cannot move, the value stays 0.
    auto tight = TScrollBar::Create(SolidImage(16, 40), 30, 10, 0, 0);
    tight->SliderSetPosition(10);
    tight->SliderPosition = 7;
    tight->ValueCalc();
    EXPECT_EQ(tight->Travel(), 0);
    EXPECT_EQ(tight->Value, 0);
    EXPECT_TRUE(std::isfinite(tight->ValuePrecise));
    ResetGlobals();
}

TEST_F(ListBoxTest, WindowMovedByItsOwnerShowsTheRowsItHas) {
    auto box = PNListBox::Create(5, 0, 1, 500);
    box->SetupFont(font, TColor::Create(255, 255, 255), nullptr);
    box->SetCoords(100, 100, 200, static_cast<float>(8 * box->LineHeight));
    box->Limit = 8;
    for (int i = 0; i < 5; ++i) box->Strings.push_back("player " + std::to_string(i));
    screen.logic = [box] { box->Manage(); };
    EXPECT_EQ(box->GetTempLimit(), 5);
    const auto rowY = [&](int row) { return 100 + row * box->LineHeight + box->LineHeight / 2; };
    ClickAt(150, rowY(6));
    EXPECT_EQ(box->Index, -1) << "an empty row selects nothing";
    ClickAt(150, rowY(3));
    EXPECT_EQ(box->Index, 3);
    EXPECT_EQ(box->Value, "player 3");
    ClickAt(150, rowY(3));
    EXPECT_EQ(box->DoubleClicked, 3);
    box->TopIndex = 2;
    box->Limit = 3;
    ClickAt(150, rowY(2));
    EXPECT_EQ(box->Index, 4);
    ClickAt(150, rowY(3));
    EXPECT_EQ(box->Index, 4) << "the row below the window's last line is empty";
}

}  // namespace

namespace {

class ScrollArrowTest : public ListBoxTest {
protected:
    void MakeArrowImages() {
        const auto folder = std::string(VC_TEST_BINARY_DIR) + "/test-home/arrow-images/";
        plat::CreateDir(folder, true);
        auto pixmap = plat::CreatePixmap(16, 16);
        pixmap->Clear(plat::ARGB(255, 90, 90, 200));
        for (const char* name : {"up", "upMO", "up_disabled", "down", "downMO", "down_disabled"}) {
            ASSERT_TRUE(plat::SavePixmapPNG(*pixmap, folder + name + ".png"));
        }
        Game().MenuPath = folder;
        for (const char* sound : {"BUTTONMO", "BUTTONCLICK"}) {
            auto s = std::make_shared<TGameSound>();
            s->name = sound;
            SoundBank().Map[sound] = s;
        }
    }
};

TEST_F(ScrollArrowTest, ArrowsStepAndRepeatAndDisableAtTheEnds) {
    MakeArrowImages();
    auto bar = TScrollBar::Create(SolidImage(16, 20), 100, 5, 400, 100);
    bar->SetArrows("up", "down", 50);
    screen.logic = [bar] { bar->Manage(); };
    auto up = bar->ArrowButton("up");
    auto down = bar->ArrowButton("down");
    ASSERT_TRUE(up && down);
    EXPECT_EQ(up->y, 100 - up->h);
    EXPECT_EQ(down->y, 200);
    EXPECT_EQ(up->Disabled, 1);
    EXPECT_EQ(down->Disabled, 0);
    ClickAt(static_cast<int>(down->x) + 8, static_cast<int>(down->y) + 8);
    EXPECT_EQ(bar->Value, 1);
    EXPECT_EQ(up->Disabled, 0);
    EXPECT_EQ(bar->SliderPosition, 16);
    // Held: repeats after 400 ms, every 100 ms, and stops at the end.
    plat::PostEvent({EventKind::MouseDown, 1, static_cast<int>(down->x) + 8, static_cast<int>(down->y) + 8});
    for (int t = 0; t < 200; ++t) Tick();
    plat::PostEvent({EventKind::MouseUp, 1, static_cast<int>(down->x) + 8, static_cast<int>(down->y) + 8});
    Tick();
    EXPECT_EQ(bar->Value, 5);
    EXPECT_EQ(bar->SliderPosition, 80);
    EXPECT_EQ(down->Disabled, 1);
    ClickAt(static_cast<int>(up->x) + 8, static_cast<int>(up->y) + 8);
    EXPECT_EQ(bar->Value, 4);
    EXPECT_EQ(down->Disabled, 0);
}

}  // namespace
