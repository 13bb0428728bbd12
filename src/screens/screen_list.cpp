#include "screens/screen_list.h"

#include "screens/game_screen.h"
#include "screens/play_screen.h"
#include "screens/stand_in_screen.h"
#include "screens/title_screen.h"

// Roles whose screen is not built yet lead to the stand-in screen.
TScreen& ScreenFor(EGameScreen role) {
    switch (role) {
    case EGameScreen::Title: return TitleScreen();
    case EGameScreen::Play: return PlayScreen();
    case EGameScreen::Help: return StandInScreen();
    case EGameScreen::Options: return StandInScreen();
    case EGameScreen::HighScore: return StandInScreen();
    case EGameScreen::Game: return GameScreen();
    }
    return StandInScreen();
}
