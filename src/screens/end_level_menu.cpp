#include "screens/end_level_menu.h"

#include <algorithm>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "gui/table_text.h"
#include "platform/graphics.h"
#include "resources/resource_globals.h"

namespace {

constexpr const char* PANEL = "endlevelback";
constexpr const char* BUTTONS[] = {"nextpuzzle", "restartpuzzle", "backtomenu"};

// The panel's bands, from its top edge (the art draws its rules between them).
constexpr int PANEL_HEIGHT = 460;
constexpr float HEADING_Y = 46, FIRST_ROW_Y = 102, ROW_STEP = 25, STARS_Y = 201, PLACE_Y = 225;
constexpr float BUTTONS_TOP = 262, BUTTONS_HEIGHT = 3 * 34 + 2 * 10;
// The summary's columns, either side of the panel's middle.
constexpr float ROW_HALF_WIDTH = 150, LABEL_ROOM = 190, VALUE_ROOM = 100;
constexpr int ROW_TEXT_SIZE = 22;
// "New best" sits between a row's label and its value, a little smaller.
constexpr float NEW_BEST_X = 10, NEW_BEST_ROOM = 80;
constexpr int NEW_BEST_TEXT_SIZE = 16;
// The buttons wait this long before they take a press: a click meant for the
// last gems must not land on a button that has just appeared under it.
constexpr float SETTLE_MS = 400;

std::string TwoDigits(uint32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string FormatPlayTime(uint32_t ms) {
    const uint32_t seconds = ms / 1000, minutes = seconds / 60, hours = minutes / 60;
    if (hours > 0) return std::to_string(hours) + ":" + TwoDigits(minutes % 60) + ":" + TwoDigits(seconds % 60);
    return std::to_string(minutes) + ":" + TwoDigits(seconds % 60);
}

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
    ShownTicks = 0;
    Show = 1;
}

void PNEndLevelMenu::PositionMenu() {
    if (!Menu) return;
    if (orgX < 0) {
        // Centred in the panel's band for the buttons, however many are left.
        Menu->CentreHoriz();
        const float bandMiddle = static_cast<float>(Y - PANEL_HEIGHT / 2) + BUTTONS_TOP + BUTTONS_HEIGHT / 2;
        Menu->SetY(bandMiddle - static_cast<float>(Menu->CalcHeight()) / 2);
    } else {
        Menu->SetX(static_cast<float>(orgX));
        Menu->SetY(static_cast<float>(orgY));
    }
}

void PNEndLevelMenu::Logic(int allowNext, int allowRestart, int allowBack) {
    Selected = NONE;
    if (!Show || !Menu) return;
    if (!Ready()) {
        ShownTicks += Delta;
        return;
    }
    Focus.Manage();
    Menu->Manage();
    if (allowNext && Menu->Clicked("nextpuzzle")) Selected = NEXT;
    if (allowRestart && Menu->Clicked("restartpuzzle")) Selected = RESTART;
    if (allowBack && Menu->Clicked("backtomenu")) Selected = BACK;
}

bool PNEndLevelMenu::Ready() const { return ShownTicks >= AnimTiming().CalcAnimLength(SETTLE_MS); }

std::vector<std::pair<std::string, std::string>> PNEndLevelMenu::SummaryRows() const {
    return {{"Summary Score", std::to_string(Summary.Score)},
            {"Summary Bonus", std::to_string(Summary.BonusEarned)},
            {"Summary Moves", std::to_string(Summary.MovesMade)},
            {"Summary Time", FormatPlayTime(Summary.ElapsedMs)}};
}

std::vector<bool> PNEndLevelMenu::NewBestRows() const {
    return {Summary.Better.Score, false, Summary.Better.Moves, Summary.Better.Time};
}

std::string PNEndLevelMenu::StarsLine() const {
    const std::string line = GameText().FindString(Summary.Par > 0 ? "Summary Stars Par" : "Summary Stars");
    return FillIn(FillIn(line, "NNN", std::to_string(Summary.Stars)), "MMM", std::to_string(Summary.Par));
}

std::string PNEndLevelMenu::HighscoreLine() const {
    if (Summary.HighscorePlace <= 0) return {};
    return FillIn(GameText().FindString("Summary Place"), "NNN", std::to_string(Summary.HighscorePlace));
}

void PNEndLevelMenu::DrawSummary() const {
    const float top = static_cast<float>(Y - PANEL_HEIGHT / 2), x = static_cast<float>(X);
    const TTextLook look = CaptionLook();
    float y = top + FIRST_ROW_Y;
    const auto rows = SummaryRows();
    const auto newBest = NewBestRows();
    for (size_t row = 0; row < rows.size(); ++row) {
        const auto& [key, value] = rows[row];
        DrawTableText(key, ROW_TEXT_SIZE, {x - ROW_HALF_WIDTH, y, LABEL_ROOM, ALIGN_LEFT}, look, TEXT_CREAM);
        if (newBest[row])
            DrawTableText("Summary New Best", NEW_BEST_TEXT_SIZE, {x + NEW_BEST_X, y, NEW_BEST_ROOM}, look, TEXT_GOLD);
        DrawFittedText(value, ROW_TEXT_SIZE, {x + ROW_HALF_WIDTH, y, VALUE_ROOM, ALIGN_RIGHT}, look, TEXT_GOLD);
        y += ROW_STEP;
    }
    if (Summary.Stars > 0)
        DrawFittedText(StarsLine(), ROW_TEXT_SIZE, {x, top + STARS_Y, 2 * ROW_HALF_WIDTH + 20, ALIGN_CENTRE}, look, TEXT_GOLD);
    if (const std::string place = HighscoreLine(); !place.empty())
        DrawFittedText(place, ROW_TEXT_SIZE, {x, top + PLACE_Y, 2 * ROW_HALF_WIDTH + 20, ALIGN_CENTRE}, look, TEXT_GOLD);
}

void PNEndLevelMenu::Draw(int allowNext, int allowRestart, int allowBack) {
    if (!Show || !Menu) return;
    if (auto panel = ImageBank().FindOrNull(PANEL); panel && panel->image) {
        plat::DrawImage(*panel->image, static_cast<float>(X), static_cast<float>(Y));
        TTextLook look = CaptionLook();
        look.outlineWidth = 2;
        const float top = static_cast<float>(Y - PANEL_HEIGHT / 2);
        DrawTableText("Puzzle Complete", 36, {static_cast<float>(X), top + HEADING_Y, 340}, look, TEXT_GOLD);
        DrawSummary();
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
