#include "screens/help_screen.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "gui/text.h"
#include "resources/resource_globals.h"

namespace {
constexpr float BUTTON_DROP = 260;
constexpr float TEXT_X = 285, LAST_LINE_Y = 434;
constexpr int TEXT_SIZE = 25;
// The page of keys and pad buttons has the panel's whole width.
constexpr float KEYS_X = 95;
constexpr int KEYS_TEXT_SIZE = 20;
constexpr int BUTTON_GAP = 24;
constexpr int CAPTION_RED = 255, CAPTION_GREEN = 248, CAPTION_BLUE = 232;
}  // namespace

THelpScreen& HelpScreen() {
    static THelpScreen screen;
    return screen;
}

void THelpScreen::Load() {
    LoadPanel("helpheader");
    Menu->AddNew("platesmall", "platesmallMO", "page");
    Menu->MakeRow(BUTTON_GAP);
    Menu->Centre();
    Menu->SetY(Menu->y + BUTTON_DROP);
    picture_ = ImageBank().Find("helpimage");
}

void THelpScreen::Start() {
    TPanelScreen::Start();
    ShowPage(false);
}

// The switch names the other page.
void THelpScreen::ShowPage(bool keys) {
    ShowingKeys = keys;
    auto button = Menu ? Menu->FindButton("page") : nullptr;
    if (!button) return;
    button->SetupCaption(GameText().FindString(keys ? "Help Rules Button" : "Help Keys Button"), SecondFont(),
                         TColor::Create(CAPTION_RED, CAPTION_GREEN, CAPTION_BLUE, 1.0f), TShadow::Create(1, 1, 0.6f),
                         TColor::Create(255, 255, 255, 1.0f));
}

void THelpScreen::Logic() {
    TPanelScreen::Logic();
    AnimateHeader();
    if (Menu && Menu->Clicked("ok")) LeaveToTitle();
    if (Menu && Menu->Clicked("page")) ShowPage(!ShowingKeys);
}

void THelpScreen::Draw() {
    plat::Cls();
    DrawBackground();
    DrawPanel(300);
    SetTextShadow(2, 2, 0.6f);
    if (ShowingKeys) {
        DrawTextLines(GameText().FindString("Help Keys"), KEYS_X, LAST_LINE_Y, GameFont(KEYS_TEXT_SIZE), true, true,
                      true, ALIGN_LEFT);
    } else {
        DrawImage(picture_, 175, 300);
        DrawTextLines(GameText().FindString("Help Message Lumen Spire"), TEXT_X, LAST_LINE_Y, GameFont(TEXT_SIZE),
                      true, true, true, ALIGN_LEFT);
    }
    SetTextShadow(1, 1, 0.5f);
    if (Header) Header->Draw();
    if (Menu) Menu->Draw(0, 0);
    Focus.Draw();
}

void THelpScreen::Kill() {
    TPanelScreen::Kill();
    picture_.reset();
}
