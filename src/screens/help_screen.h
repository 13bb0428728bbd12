#pragma once
// The help screen: a picture and the rules of play as a block of text.
#include "screens/panel_screen.h"

class THelpScreen : public TPanelScreen {
public:
    THelpScreen() { name = "help"; }

    void Load() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;

private:
    static void DrawPictureCaptions();
    GameImagePtr picture_;
};

THelpScreen& HelpScreen();
