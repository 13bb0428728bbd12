#include "screens/high_score_screen.h"

#include <algorithm>
#include <string>

#include "app/game.h"
#include "gui/button_labels.h"
#include "gui/menu.h"
#include "gui/table_text.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "puzzle/game_play.h"
#include "resources/resource_globals.h"

namespace {

constexpr float BUTTON_DROP = 260;
constexpr int BUTTON_GAP = 15;
constexpr int NAME_SCORE_GAP = 20;
constexpr int OWN_RED = 150, OWN_GREEN = 215, OWN_BLUE = 255;
// The statistics page: room for a label.
constexpr float STATS_LABEL_ROOM = 330;

// Hours, minutes and seconds: "12:04:09", "4:09" under an hour.
std::string LongPlayTime(long long ms) {
    const long long seconds = ms / 1000, minutes = seconds / 60, hours = minutes / 60;
    const auto two = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return (hours > 0 ? std::to_string(hours) + ":" + two(minutes % 60) : std::to_string(minutes)) + ":" + two(seconds % 60);
}

int StandardPuzzleCount() {
    int count = 0;
    for (const std::string& entry : plat::ReadDir(Game().DataPrefix + "layouts/"))
        count += plat::ExtractExt(entry) == "layout";
    return count;
}

std::string OwnMark() { return " (" + GameText().FindString("Highscore Own") + ")"; }

void DrawShadowedText(const std::string& text, float x, float y, int alignment) {
    DrawTextAligned(text, x, y, true, alignment, true);
}

// The score column's heading: the game screen's "Score: " without its colon.
std::string ScoreHeading() {
    std::string text = GameText().FindString("Score");
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) text.pop_back();
    return text;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> StatisticsRows(const TPlayerBests& bests, int standardPuzzles) {
    int standardWon = 0, customWon = 0, stars = 0;
    for (const auto& entry : bests.Entries()) {
        (entry.Custom ? customWon : standardWon) += 1;
        if (!entry.Custom) stars += entry.Best.Stars;
    }
    const auto of = [](int n, int m) {
        return FillIn(FillIn(GameText().FindString("Stats Of"), "NNN", std::to_string(n)), "MMM", std::to_string(m));
    };
    const TPlayerStats& s = bests.Stats();
    return {{"Stats Standard Won", of(standardWon, standardPuzzles)},
            {"Stats Stars", of(stars, standardPuzzles * MAX_STARS)},
            {"Stats Custom Won", std::to_string(customWon)},
            {"Stats Play Time", LongPlayTime(s.PlayMs)},
            {"Stats Moves", std::to_string(s.Moves)},
            {"Stats Gems", std::to_string(s.Gems)},
            {"Stats Chain Bonus", std::to_string(s.BestChainBonus)},
            {"Stats Cascade", std::to_string(s.LongestCascade)},
            {"Stats Hints", std::to_string(s.Hints)},
            {"Stats Reshuffles", std::to_string(s.Reshuffles)}};
}

THighScoreScreen& HighScoreScreen() {
    static THighScoreScreen screen;
    return screen;
}

void THighScoreScreen::Load() {
    LoadPanel("Header High Scores");
    auto clear = Menu->AddNew("clear", "clearMO", "clear", 0, 0, 1);
    clear->SetupScaleOnMO(BUTTON_GROWTH, clear->ScaleOnMOUpSpeed, clear->ScaleOnMODownSpeed);
    // The statistics button wears the clear button's face with its own words.
    auto stats = Menu->AddNew("clear", "clearMO", "stats", 0, 0, 1);
    stats->SetupTableCaption("stats");
    stats->SetupScaleOnMO(BUTTON_GROWTH, stats->ScaleOnMOUpSpeed, stats->ScaleOnMODownSpeed);
    ShowingStats = false;
    Menu->MakeRow(BUTTON_GAP);
    Menu->SetY(Menu->y + BUTTON_DROP);
    CurrentHighScoreList = &GamePlay().HighscoreList;
    ClearHighscore.reset();
    SaveFailed.reset();
    ShowingInput = 0;
    // A damaged table was set aside when it was read: the player hears of it once.
    if (CurrentHighScoreList->WasDamaged) {
        CurrentHighScoreList->WasDamaged = false;
        SaveFailed = CreateMessageDialog(GameText().FindString("Damaged Highscores"));
    }
    SetSlideLines();
}

// Even entries come in from the left, odd ones from the right, each 30 ms
// after the one above; then each glows for a moment where it landed.
void THighScoreScreen::SetSlideLines() {
    w = col3 - col1;
    height = 0;
    SlideLines.Clear();
    if (!CurrentHighScoreList) return;
    const int count = std::min(CurrentHighScoreList->Count(), MAX_LINES);
    for (int i = 0; i < count; ++i) {
        const auto lineY = static_cast<float>(StartY + LineSpacing * i);
        const auto left = static_cast<float>(-w);
        const auto rest = static_cast<float>(col1);
        auto line = SlideLines.Add("", left, lineY, left, lineY, static_cast<float>(WAIT_PER_LINE_MS * i));
        const float from = i % 2 == 0 ? left : static_cast<float>(ScreenWidth);
        line->AddPhaseSpecial(from, lineY, rest, lineY, FLIGHT_MS);
        line->AddPhaseSpecial(rest, lineY, rest, lineY, GLOW_MS);
        line->AttachObject(CurrentHighScoreList->Entries[static_cast<size_t>(i)]);
        height += LineSpacing;
    }
    SlideLines.Start();
}

void THighScoreScreen::Logic() {
    AnimateHeader();
    if (ClearHighscore || SaveFailed) {
        ShowingInput = 1;
        ManageDialogs();
    } else {
        ShowingInput = 0;
        TPanelScreen::Logic();
        if (Menu && Menu->Clicked("ok")) LeaveToTitle();
        if (Menu && Menu->Clicked("stats")) ToggleStats();
        if (Menu && Menu->Clicked("clear")) {
            ClearHighscore = CreateYesNoDialog(GameText().FindString("Clear Highscore"));
            ShowingInput = 1;
            // The buttons behind the question rest while it is open.
            Menu->ClearMouseOver();
            Menu->ClearScale();
        }
    }
    SlideLines.Manage();
}

// Once a question is answered, Escape leads back to the title again.
void THighScoreScreen::ManageDialogs() {
    if (ClearHighscore) {
        const int answer = ClearHighscore->Manage();
        if (answer == 0) return;
        ClearHighscore->Kill();
        ClearHighscore.reset();
        Game().IgnoreEscapeKey = 0;
        if (answer == 1) ClearTable();
    } else if (SaveFailed) {
        if (SaveFailed->Manage() == 0) return;
        SaveFailed->Kill();
        SaveFailed.reset();
        Game().IgnoreEscapeKey = 0;
    }
    ShowingInput = ClearHighscore || SaveFailed ? 1 : 0;
}

void THighScoreScreen::ToggleStats() {
    ShowingStats = !ShowingStats;
    if (auto* header = dynamic_cast<THeader*>(Header.get()))
        header->Key = ShowingStats ? "Header Statistics" : "Header High Scores";
    // The button leads back to the table, and Clear, which empties the
    // table, is not offered over the statistics.
    if (auto stats = Menu ? Menu->FindButton("stats") : nullptr) {
        stats->TableLabel = ButtonLabelFor(ShowingStats ? "statsback" : "stats");
        stats->RefreshTableCaption();
    }
    if (auto clear = Menu ? Menu->FindButton("clear") : nullptr) clear->Active = ShowingStats ? 0 : 1;
    if (ShowingStats) {
        StatsRows = StatisticsRows(TPlayerBests(Game().ProfileName), StandardPuzzleCount());
    } else {
        SetSlideLines();
    }
}

void THighScoreScreen::ClearTable() {
    auto& table = *CurrentHighScoreList;
    table.Entries.clear();
    if (!table.CreateDefault()) SaveFailed = CreateMessageDialog(table.SaveFailureText());
    SetSlideLines();
}

void THighScoreScreen::Draw() {
    plat::Cls();
    DrawBackground();
    plat::SetImageFont(GameFont(FontSize));
    DrawPanel(284);
    if (Header) Header->Draw();
    if (Menu) Menu->Draw(0, 0);
    if (!ClearHighscore && !SaveFailed) Focus.Draw();

    SetTextShadow(2, 2, 0.6f);
    if (ShowingStats) {
        DrawStats();
    } else {
        DrawTable();
    }
    SetTextShadow(1, 1, 0.5f);

    if (ClearHighscore) ClearHighscore->Draw();
    if (SaveFailed) SaveFailed->Draw();
}

// The player's name on top, then a row per figure: its label left, its value right.
void THighScoreScreen::DrawStats() const {
    const TTextLook look = CaptionLook();
    const auto left = static_cast<float>(col1), right = static_cast<float>(col2);
    const float half = static_cast<float>(LineSpacing) / 2;
    const float headingY = static_cast<float>(StartY - HeadingGap) + half;
    const std::string player = FillIn(GameText().FindString("Stats Player"), "NNN", Game().ProfileName);
    DrawFittedText(player, FontSize, {left, headingY, right - left, ALIGN_LEFT}, look, {255, 255, 0});
    float y = static_cast<float>(StartY) + half;
    for (const auto& [key, value] : StatsRows) {
        DrawTableText(key, FontSize, {left, y, STATS_LABEL_ROOM, ALIGN_LEFT}, look, TEXT_CREAM);
        DrawFittedText(value, FontSize, {right, y, right - left - STATS_LABEL_ROOM, ALIGN_RIGHT}, look, TEXT_GOLD);
        y += static_cast<float>(LineSpacing);
    }
}

void THighScoreScreen::DrawTable() const {
    plat::SetImageFont(GameFont(FontSize));
    plat::SetColor(255, 255, 0);
    const auto headingY = static_cast<float>(StartY - HeadingGap);
    DrawShadowedText(GameText().FindString("Name"), static_cast<float>(col1), headingY, ALIGN_LEFT);
    DrawShadowedText(GameText().FindString("Highscore Puzzle"), static_cast<float>(colPuzzle), headingY, ALIGN_LEFT);
    DrawShadowedText(ScoreHeading(), static_cast<float>(col2), headingY, ALIGN_RIGHT);
    for (const auto& line : SlideLines.Lines) DrawLine(*line);
    plat::SetColor(255, 255, 255);
}

// White, or while the line glows where it landed, from green back to white.
void THighScoreScreen::DrawLine(const TSlideLine& line) const {
    const auto* entry = std::any_cast<TLumenSpireHighScore>(&line.AttachedObject);
    if (!entry) return;
    if (line.Active && line.CurrentPhase == GLOW_LEG) {
        const float v = line.GetRatio();
        plat::SetColor(static_cast<int>(255 - 155 * v), 255, static_cast<int>(255 - 255 * v));
    } else {
        plat::SetColor(255, 255, 255);
    }
    const float lineX = line.GetX();
    const float lineY = line.GetY();
    const auto shift = [lineX, this](int column) { return static_cast<float>(column - col1) + lineX; };
    const std::string score = std::to_string(entry->score);
    DrawShadowedText(FitToWidth(entry->name, static_cast<float>(colPuzzle - col1 - NAME_SCORE_GAP), nullptr), lineX, lineY, ALIGN_LEFT);
    DrawShadowedText(score, shift(col2), lineY, ALIGN_RIGHT);
    // A custom puzzle's name is cut short before its mark, which always shows.
    const int room = col2 - colPuzzle - plat::TextWidth(score) - NAME_SCORE_GAP;
    const std::string mark = entry->custom ? OwnMark() : "";
    const std::string puzzle = FitToWidth(entry->puzzle, static_cast<float>(room - plat::TextWidth(mark)), nullptr) + mark;
    if (entry->custom && !(line.Active && line.CurrentPhase == GLOW_LEG)) plat::SetColor(OWN_RED, OWN_GREEN, OWN_BLUE);
    DrawShadowedText(puzzle, shift(colPuzzle), lineY, ALIGN_LEFT);
}

void THighScoreScreen::Kill() {
    TPanelScreen::Kill();
    if (ClearHighscore) ClearHighscore->Kill();
    if (SaveFailed) SaveFailed->Kill();
    ClearHighscore.reset();
    SaveFailed.reset();
    ShowingInput = 0;
    SlideLines.Clear();
    CurrentHighScoreList = nullptr;
}
