#include "screens/help_screen.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "gui/table_text.h"
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
}  // namespace

THelpScreen& HelpScreen() {
    static THelpScreen screen;
    return screen;
}

void THelpScreen::Load() {
    LoadPanel("Header How to Play");
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

// The switch names the other page; the heading names this one.
void THelpScreen::ShowPage(bool keys) {
    ShowingKeys = keys;
    if (auto header = std::dynamic_pointer_cast<THeader>(Header)) header->Key = keys ? "Header Keys" : "Header How to Play";
    auto button = Menu ? Menu->FindButton("page") : nullptr;
    if (!button) return;
    button->SetupTableCaption(keys ? "helprules" : "helpkeys");
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
        DrawPictureCaptions();
        DrawTextLines(GameText().FindString("Help Message Lumen Spire"), TEXT_X, LAST_LINE_Y, GameFont(TEXT_SIZE),
                      true, true, true, ALIGN_LEFT);
    }
    SetTextShadow(1, 1, 0.5f);
    if (Header) Header->Draw();
    if (Menu) Menu->Draw(0, 0);
    Focus.Draw();
}

// The words under the little board of the picture, as the art left room for them.
void THelpScreen::DrawPictureCaptions() {
    constexpr float CENTRE_X = 175, ROOM = 184;
    TTextLook look = CaptionLook();
    DrawTableText("Help Picture Swap", 20, {CENTRE_X, 375, ROOM}, look, TEXT_GOLD);
    look.outlineWidth = 1.4f;
    DrawTableText("Help Picture Marble", 17, {CENTRE_X, 400, ROOM}, look, TEXT_CREAM);
}

void THelpScreen::Kill() {
    TPanelScreen::Kill();
    picture_.reset();
}
