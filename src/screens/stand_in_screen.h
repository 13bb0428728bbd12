#pragma once
// The screen shown after start-up until the title screen takes its place:
// the game's name over a calm background; Escape or closing the window ends.
#include "app/screen.h"

class TStandInScreen : public TScreen {
public:
    TStandInScreen() { name = "standin"; }
    void Start() override;
    void Logic() override;
    void Draw() override;

private:
    float phase_ = 0;
};

TStandInScreen& StandInScreen();
