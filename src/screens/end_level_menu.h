#pragma once
// The panel shown once a puzzle is complete: next puzzle, restart, back to
// the menu. It only records the choice; the in-game controls act on it.
#include "gui/focus_ring.h"
#include "gui/menu.h"

class PNEndLevelMenu {
public:
    enum Choice { NONE = 0, NEXT = 1, RESTART = 2, BACK = 3 };

    MenuPtr Menu;
    // The keyboard's way through the buttons.
    TFocusRing Focus;
    int X = 0, Y = 0;
    int orgX = -1, orgY = -1;
    int Selected = NONE;
    int Show = 0;

    PNEndLevelMenu();
    // Builds the buttons; (-1, -1) centres them on the screen. The panel
    // "endlevelback" is taken from the image bank (loaded with the game
    // screen, never at the moment a puzzle is won).
    void Init(int x, int y);
    void PositionMenu();
    void Logic(int allowNext, int allowRestart, int allowBack);
    void Draw(int allowNext, int allowRestart, int allowBack);
};

// Puts "endlevelback" into the image bank unless it is there already.
void LoadEndLevelPanel();
