#pragma once
// The high-score table (name, puzzle, score): its entries fly in from
// alternating sides and glow for a moment where they land; "clear" asks before it puts the default
// table back.
#include "effects/slide_line.h"
#include "gui/dialog.h"
#include "persistence/high_scores.h"
#include "screens/panel_screen.h"

class THighScoreScreen : public TPanelScreen {
public:
    // The table never shows more lines than this, whatever its file holds.
    static constexpr int MAX_LINES = TLumenSpireHighScoreList::numPositions;
    // The flight of a line: its wait, its journey and its glow (state 2).
    static constexpr int WAIT_PER_LINE_MS = 30, FLIGHT_MS = 600, GLOW_MS = 500;
    static constexpr int GLOW_LEG = 2;

    THighScoreScreen() { name = "highscore"; }

    TSlideLineList SlideLines;
    int StartY = 165;  // top of the first entry; the headings sit above
    int col1 = 150;    // where names start and lines come to rest
    int colPuzzle = 335;  // where the puzzles start
    int col2 = 650;    // right edge of the scores
    int col3 = 720;    // right edge of the table
    int w = 0;
    int height = 0;
    // Lines of the table, in a font that fits them without touching.
    int LineSpacing = 30;
    int FontSize = 25;
    int HeadingGap = 40;  // from the headings' top to the first entry's
    TLumenSpireHighScoreList* CurrentHighScoreList = nullptr;
    DialogYesNoPtr ClearHighscore;
    // Tells the player when the cleared table could not be saved.
    DialogOKPtr SaveFailed;
    int ShowingInput = 0;

    void Load() override;
    // One line per entry (at most MAX_LINES), started.
    void SetSlideLines();
    void Logic() override;
    void Draw() override;
    void Kill() override;

private:
    void ManageDialogs();
    void ClearTable();
    void DrawLine(const TSlideLine& line) const;
};

THighScoreScreen& HighScoreScreen();
