#include "screens/high_score_screen.h"

#include <algorithm>
#include <string>

#include "app/game.h"
#include "gui/menu.h"
#include "gui/text.h"
#include "platform/graphics.h"
#include "puzzle/game_play.h"
#include "resources/resource_globals.h"

namespace {

constexpr float BUTTON_DROP = 260;
constexpr int BUTTON_GAP = 15;
constexpr int NAME_SCORE_GAP = 20;
constexpr int OWN_RED = 150, OWN_GREEN = 215, OWN_BLUE = 255;

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

THighScoreScreen& HighScoreScreen() {
    static THighScoreScreen screen;
    return screen;
}

void THighScoreScreen::Load() {
    LoadPanel("Header High Scores");
    auto clear = Menu->AddNew("clear", "clearMO", "clear", 0, 0, 1);
    clear->SetupScaleOnMO(BUTTON_GROWTH, clear->ScaleOnMOUpSpeed, clear->ScaleOnMODownSpeed);
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
    plat::SetImageFont(GameFont(FontSize));
    plat::SetColor(255, 255, 0);
    const auto headingY = static_cast<float>(StartY - HeadingGap);
    DrawShadowedText(GameText().FindString("Name"), static_cast<float>(col1), headingY, ALIGN_LEFT);
    DrawShadowedText(GameText().FindString("Highscore Puzzle"), static_cast<float>(colPuzzle), headingY, ALIGN_LEFT);
    DrawShadowedText(ScoreHeading(), static_cast<float>(col2), headingY, ALIGN_RIGHT);
    for (const auto& line : SlideLines.Lines) DrawLine(*line);
    plat::SetColor(255, 255, 255);
    SetTextShadow(1, 1, 0.5f);

    if (ClearHighscore) ClearHighscore->Draw();
    if (SaveFailed) SaveFailed->Draw();
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
