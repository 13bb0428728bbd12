#pragma once
// The panel shown once a puzzle is complete: what the player did (score,
// chain bonus, moves, time, each marked when it is a new personal best; the
// stars won against par; a place in the high-score table), then next
// puzzle, restart, back to the menu. It only records the choice; the in-game
// controls act on it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gui/focus_ring.h"
#include "gui/menu.h"
#include "persistence/personal_bests.h"

// What the panel tells of the puzzle just won.
struct TPuzzleSummary {
    int Score = 0;
    int BonusEarned = 0;
    int MovesMade = 0;
    uint32_t ElapsedMs = 0;
    int HighscorePlace = 0;  // 0: the score did not make the table
    int Stars = 0;
    int Par = 0;  // 0: the puzzle has none
    TBestImprovement Better;  // the personal bests the win improved
};

// Play time as a player reads it: "4:05", or "1:02:09" past an hour.
std::string FormatPlayTime(uint32_t ms);

class PNEndLevelMenu {
public:
    enum Choice { NONE = 0, NEXT = 1, RESTART = 2, BACK = 3 };

    MenuPtr Menu;
    // The keyboard's way through the buttons.
    TFocusRing Focus;
    TPuzzleSummary Summary;
    int X = 0, Y = 0;
    int orgX = -1, orgY = -1;
    int Selected = NONE;
    int Show = 0;
    // Time since the panel appeared, in animation ticks.
    float ShownTicks = 0;

    PNEndLevelMenu();
    // Builds the buttons; (-1, -1) places them in the panel's band for them.
    // The panel "endlevelback" is taken from the image bank (loaded with the
    // game screen, never at the moment a puzzle is won).
    void Init(int x, int y);
    void PositionMenu();
    void Logic(int allowNext, int allowRestart, int allowBack);
    void Draw(int allowNext, int allowRestart, int allowBack);
    // Shown long enough for its buttons to take a press.
    bool Ready() const;

    // The summary's rows as drawn: the text table's label and the value.
    std::vector<std::pair<std::string, std::string>> SummaryRows() const;
    // Whether each of those rows is a new personal best.
    std::vector<bool> NewBestRows() const;
    // "2 of 3 stars, par 20".
    std::string StarsLine() const;
    // "New high score: place 2!", or "" off the table.
    std::string HighscoreLine() const;

private:
    void DrawSummary() const;
};

// Puts "endlevelback" into the image bank unless it is there already.
void LoadEndLevelPanel();
