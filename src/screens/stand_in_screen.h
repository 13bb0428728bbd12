#pragma once
// The screen that answers for the screens not built yet: the game's name
// over the title picture, a Back button (and Escape) to the title screen and
// an Exit button.
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
    int SetEscDestination() override;

private:
    GameImagePtr background_;
};

TStandInScreen& StandInScreen();
