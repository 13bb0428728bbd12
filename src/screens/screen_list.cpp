#include "screens/screen_list.h"

#include "screens/game_screen.h"
#include "screens/help_screen.h"
#include "screens/high_score_screen.h"
#include "screens/options_screen.h"
#include "screens/play_screen.h"
#include "screens/title_screen.h"

TScreen& ScreenFor(EGameScreen role) {
    switch (role) {
    case EGameScreen::Title: return TitleScreen();
    case EGameScreen::Play: return PlayScreen();
    case EGameScreen::Help: return HelpScreen();
    case EGameScreen::Options: return OptionsScreen();
    case EGameScreen::HighScore: return HighScoreScreen();
    case EGameScreen::Game: return GameScreen();
    }
    return TitleScreen();
}
