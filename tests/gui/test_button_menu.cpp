// Buttons and menus driven by synthetic mouse and key events through the
// game's event intake: hover, click by name, disabled buttons, the OK button,
// repeats, sounds and the layout operations.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/menu.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "resources/resource_globals.h"

namespace {

void SaveSolid(const std::string& file, int w, int h) {
    auto pixmap = plat::CreatePixmap(w, h);
    pixmap->Clear(plat::ARGB(255, 200, 100, 50));
    ASSERT_TRUE(plat::SavePixmapPNG(*pixmap, file));
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        plat::ClearEvents();
        const auto folder = std::filesystem::path(VC_TEST_BINARY_DIR) / "test-home" / "menu-images";
        std::filesystem::create_directories(folder);
        const std::string dir = folder.string() + "/";
        for (const char* name : {"a", "aMO", "b", "bMO", "c", "cMO", "check", "checkMO",
                                 "checkOn", "checkOnMO"})
            SaveSolid(dir + name + ".png", 100, 120);
        SaveSolid(dir + "tall.png", 50, 200);  // no hover image: falls back to the normal one
        Game().MenuPath = dir;
        Game().ImagePath = dir;
        // The sounds come from the bank; plays are recorded.
        for (const char* name : {"buttonmo", "buttonclick"}) {
            auto sound = std::make_shared<TGameSound>();
            sound->name = UpperAscii(name);
            SoundBank().Map[sound->name] = sound;
        }
        SetGameSoundPlayer([this](plat::ChannelPtr&, TGameSound& sound, float) {
            played.push_back(sound.name);
            return 1;
        });
        menu = TMenu::Create("buttonmo", "buttonclick", 0, 100, 10);
    }
    void TearDown() override {
        SetGameSoundPlayer(nullptr);
        plat::ClearEvents();
        ResetGlobals();
    }
    // One update: the events reach the tables, then the menu runs.
    void Update() {
        Delta = 1.0f;
        Game().Mouse.ClearMouseHit();
        Game().DoPeekEvent();
        menu->Manage();
    }
    void MoveTo(const TButton& b) {
        plat::PostEvent({plat::EventKind::MouseMove, 0, static_cast<int>(b.x) + 10, static_cast<int>(b.y) + 10});
    }
    void ClickOn(const TButton& b) {
        const int x = static_cast<int>(b.x) + 10, y = static_cast<int>(b.y) + 10;
        plat::PostEvent({plat::EventKind::MouseDown, 1, x, y});
        plat::PostEvent({plat::EventKind::MouseUp, 1, x, y});
    }
    std::vector<std::string> played;
    MenuPtr menu;
};

TEST_F(MenuTest, StackedButtonsAreCentredAndSpaced) {
    auto a = menu->AddQuick("a");
    auto b = menu->AddQuick("b");
    auto c = menu->AddQuick("c");
    EXPECT_EQ(a->y, 100);
    EXPECT_EQ(b->y, 230);
    EXPECT_EQ(c->y, 360);
    EXPECT_EQ(menu->h, 380);
    EXPECT_EQ(a->x, 350);
    EXPECT_EQ(a->name, "A");
    menu->MakeRow(10);
    EXPECT_EQ(a->x, 240);
    EXPECT_EQ(b->x, 350);
    EXPECT_EQ(c->x, 460);
    EXPECT_EQ(a->y, (600 - 120) / 2);
    menu->SetY(50);
    EXPECT_EQ(c->y, 50);
}

TEST_F(MenuTest, HoverAndClickAreReportedByNameInAnyCase) {
    auto a = menu->AddQuick("a", "Alpha");
    auto b = menu->AddQuick("b");
    MoveTo(*a);
    Update();
    EXPECT_EQ(a->MouseOver, 1);
    EXPECT_EQ(played, (std::vector<std::string>{"BUTTONMO"}));
    Update();
    EXPECT_EQ(played.size(), 1u);  // once on entering, not again while staying
    ClickOn(*b);
    Update();
    EXPECT_EQ(a->MouseOver, 0);
    EXPECT_EQ(menu->Clicked("b"), 1);
    EXPECT_EQ(menu->Clicked("B"), 0);  // consumed
    EXPECT_EQ(menu->Clicked("nothing"), 0);
    EXPECT_EQ(played, (std::vector<std::string>{"BUTTONMO", "BUTTONMO", "BUTTONCLICK"}));
    Update();
    EXPECT_EQ(b->Clicked, 0);  // a click lasts one update
    // While the screen fades, the menu ignores the mouse.
    Game().GameFade.Init(500, 0, nullptr, 0, 0);
    ClickOn(*a);
    Update();
    EXPECT_EQ(menu->Clicked("alpha"), 0);
}

TEST_F(MenuTest, DisabledButtonsIgnoreClicksUnlessClickDisabledIsSet) {
    auto a = menu->AddQuick("a");
    a->Disabled = 1;
    ClickOn(*a);
    Update();
    EXPECT_EQ(menu->Clicked("a"), 1);  // ClickDisabled defaults to 1
    a->ClickDisabled = 0;
    Update();
    ClickOn(*a);
    Update();
    EXPECT_EQ(menu->Clicked("a"), 0);
}

TEST_F(MenuTest, TheOKButtonAnswersEnterAndSpace) {
    auto a = menu->AddQuick("a");
    a->OKButton = 1;
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_ENTER, 0, 0});
    Update();
    EXPECT_EQ(menu->Clicked("a"), 1);
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
    Update();
    EXPECT_EQ(menu->Clicked("a"), 1);
    a->OKButtonUseSpace = 0;
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_SPACE, 0, 0});
    Update();
    EXPECT_EQ(menu->Clicked("a"), 0);
    a->OKButton = 0;
    plat::PostEvent({plat::EventKind::KeyDown, plat::KEY_ENTER, 0, 0});
    Update();
    EXPECT_EQ(menu->Clicked("a"), 0);
}

TEST_F(MenuTest, HoverGrowthAndMissingHoverImage) {
    auto tall = menu->AddQuick("tall");
    EXPECT_EQ(tall->ImageMouseOver, tall->image);
    tall->SetupScaleOnMO(1.2f, 0.05f, 0.1f);
    MoveTo(*tall);
    for (int i = 0; i < 10; ++i) Update();
    EXPECT_FLOAT_EQ(tall->ScaleOnMO, 1.2f);
    plat::PostEvent({plat::EventKind::MouseMove, 0, 0, 0});
    Update();
    Update();
    EXPECT_FLOAT_EQ(tall->ScaleOnMO, 1.0f);
}

TEST_F(MenuTest, CheckBoxesAndRadioButtonsSwapImagesAndKeepNames) {
    auto box = AddCheckBox(*menu, 0, "fullscreen");
    EXPECT_EQ(box->name, "FULLSCREEN");
    const auto offImage = box->image;
    SetCheckBox(*menu, *box, 1);
    EXPECT_NE(box->image, offImage);
    EXPECT_EQ(box->name, "FULLSCREEN");
    EXPECT_EQ(box->SoundClick, menu->SoundClick);

    auto radios = TMenu::Create("", "", 0, 0, 0);
    AddRadioButton(*radios, "check", "check", 0);
    EXPECT_EQ(radios->Buttons[0]->name, "CHECK");
    SetRadioButtons(*radios, "CHECK", 1);
    EXPECT_TRUE(radios->FindButton("check"));
}

}  // namespace
