#include "screens/stand_in_screen.h"

#include "app/game.h"
#include "gui/menu.h"
#include "gui/text.h"
#include "platform/graphics.h"
#include "resources/resource_globals.h"
#include "screens/screen_list.h"

TStandInScreen& StandInScreen() {
    static TStandInScreen screen;
    return screen;
}

void TStandInScreen::Load() {
    if (ImageBank().Has("titlescreen")) background_ = ImageBank().Find("titlescreen");
    Menu = TMenu::Create("buttonmo", "buttonclick", 0, 420, 10);
    Menu->AddQuickAuto("backsmall", "back");
    Menu->AddQuickAuto("Exit", "exit");
}

void TStandInScreen::Start() {
    TScreen::Start();
    Game().GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
}

void TStandInScreen::Logic() {
    TScreen::Logic();
    if (!Menu) return;
    auto& game = Game();
    if (Menu->Clicked("back")) {
        game.DestinationTScreen = &ScreenFor(EGameScreen::Title);
        game.GameFade.Init(DefaultFadeTime, 1, nullptr, 1, 0);
    } else if (Menu->Clicked("exit")) {
        game.DestinationTScreen = game.ExitScreen.get();
        game.GameFade.Init(DefaultFadeTime, 1, game.MusicChannel, 0, 0);
    }
}

int TStandInScreen::SetEscDestination() {
    Game().DestinationTScreen = &ScreenFor(EGameScreen::Title);
    // The music plays on into the title screen.
    Game().FadeMusic = 0;
    return 0;
}

void TStandInScreen::Draw() {
    plat::Cls();
    if (background_ && background_->image) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::DrawImage(*background_->image, ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    }
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetImageFont(GameFont(34));
    SetTextShadow(3, 3, 0.6f);
    plat::SetScale(2.0f, 2.0f);
    DrawTextCentredX("Vellichorns", 200, true, true);
    plat::SetScale(1.0f, 1.0f);
    SetTextShadow(1, 1, 0.5f);
    if (Menu) Menu->Draw(0, 0);
}

void TStandInScreen::Kill() {
    TScreen::Kill();
    background_.reset();
}
