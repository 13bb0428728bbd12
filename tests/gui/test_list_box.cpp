// List boxes driven by synthetic mouse, wheel and key events
// through the main loop's tick.
#include "gui_test_util.h"

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
