#pragma once
// The screen that start-up leads to until the title screen takes its place:
// the game's name over the title picture and an Exit button.
#include "app/screen.h"
#include "resources/banks.h"

class TStandInScreen : public TScreen {
public:
    TStandInScreen() { name = "standin"; }
    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;

private:
    GameImagePtr background_;
};

TStandInScreen& StandInScreen();
