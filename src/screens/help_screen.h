#pragma once
// The help screen: a picture and the rules of play as a block of text, and
// a second page, behind a switch beside OK, with the keys and pad buttons.
#include "screens/panel_screen.h"

class THelpScreen : public TPanelScreen {
public:
    THelpScreen() { name = "help"; }

    bool ShowingKeys = false;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;

    void ShowPage(bool keys);

private:
    static void DrawPictureCaptions();
    GameImagePtr picture_;
};

THelpScreen& HelpScreen();
