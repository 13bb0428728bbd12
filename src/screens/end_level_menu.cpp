#include "screens/end_level_menu.h"

#include <algorithm>

#include "app/game.h"
#include "gui/table_text.h"
#include "platform/graphics.h"
#include "resources/resource_globals.h"

namespace {

constexpr const char* PANEL = "endlevelback";
constexpr const char* BUTTONS[] = {"nextpuzzle", "restartpuzzle", "backtomenu"};

}  // namespace

void LoadEndLevelPanel() {
    if (!ImageBank().Has(PANEL)) ImageBank().Load(PANEL, "", -1, 1);
}

PNEndLevelMenu::PNEndLevelMenu() : X(ScreenWidth / 2), Y(ScreenHeight / 2) {}

void PNEndLevelMenu::Init(int x, int y) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const char* name : BUTTONS) Menu->AddQuick(name, name);
    orgX = x;
    orgY = y;
    PositionMenu();
    Focus.Clear();
    Focus.AddMenu(*Menu);
    LoadEndLevelPanel();
    Show = 1;
}

void PNEndLevelMenu::PositionMenu() {
    if (!Menu) return;
    if (orgX < 0) {
        Menu->Centre();
    } else {
        Menu->SetX(static_cast<float>(orgX));
        Menu->SetY(static_cast<float>(orgY));
    }
}

void PNEndLevelMenu::Logic(int allowNext, int allowRestart, int allowBack) {
    Selected = NONE;
    if (!Show || !Menu) return;
    Focus.Manage();
    Menu->Manage();
    if (allowNext && Menu->Clicked("nextpuzzle")) Selected = NEXT;
    if (allowRestart && Menu->Clicked("restartpuzzle")) Selected = RESTART;
    if (allowBack && Menu->Clicked("backtomenu")) Selected = BACK;
}

void PNEndLevelMenu::Draw(int allowNext, int allowRestart, int allowBack) {
    if (!Show || !Menu) return;
    if (auto panel = ImageBank().FindOrNull(PANEL); panel && panel->image) {
        plat::DrawImage(*panel->image, static_cast<float>(X), static_cast<float>(Y));
        // In the band above the buttons.
        TTextLook look = CaptionLook();
        look.outlineWidth = 2;
        DrawTableText("Puzzle Complete", 36, {static_cast<float>(X), static_cast<float>(Y) - 103, 340}, look, TEXT_GOLD);
    }
    const int allowed[] = {allowNext, allowRestart, allowBack};
    for (int i = 0; i < 3; ++i) {
        if (allowed[i]) continue;
        auto& buttons = Menu->Buttons;
        const auto button = Menu->FindButton(BUTTONS[i]);
        if (!button) continue;
        buttons.erase(std::remove(buttons.begin(), buttons.end(), button), buttons.end());
        PositionMenu();
    }
    Menu->Draw(0, 0);
    Focus.Draw();
}
