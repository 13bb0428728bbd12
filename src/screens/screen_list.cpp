#include "screens/screen_list.h"

#include "screens/game_screen.h"
#include "screens/help_screen.h"
#include "screens/high_score_screen.h"
#include "screens/options_screen.h"
#include "screens/stand_in_screen.h"
#include "screens/title_screen.h"

// Roles whose screen is not built yet lead to the stand-in screen.
TScreen& ScreenFor(EGameScreen role) {
    switch (role) {
    case EGameScreen::Title: return TitleScreen();
    case EGameScreen::Play: return StandInScreen();
    case EGameScreen::Help: return HelpScreen();
    case EGameScreen::Options: return OptionsScreen();
    case EGameScreen::HighScore: return HighScoreScreen();
    case EGameScreen::Game: return GameScreen();
    }
    return StandInScreen();
}
