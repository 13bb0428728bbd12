#include "screens/stand_in_screen.h"

#include <cmath>

#include "app/game.h"
#include "platform/graphics.h"

TStandInScreen& StandInScreen() {
    static TStandInScreen screen;
    return screen;
}

void TStandInScreen::Start() {
    TScreen::Start();
    Game().GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
}

void TStandInScreen::Logic() { phase_ += Delta; }

void TStandInScreen::Draw() {
    plat::SetBlend(plat::SOLIDBLEND);
    for (int band = 0; band < 30; ++band) {
        plat::SetColor(20 + band, 14 + band / 2, 40 + band * 2);
        plat::DrawRect(0, static_cast<float>(band * 20), ScreenWidth, 20);
    }
    plat::SetBlend(plat::ALPHABLEND);
    const int colours[6][3] = {{230, 60, 70}, {250, 170, 40}, {250, 230, 80}, {70, 200, 110}, {70, 140, 240}, {180, 90, 230}};
    for (int i = 0; i < 6; ++i) {
        const float bob = 6.0f * static_cast<float>(std::sin((phase_ / 60.0f) + i));
        plat::SetColor(colours[i][0], colours[i][1], colours[i][2]);
        plat::SetAlpha(0.9f);
        plat::DrawOval(220.0f + i * 64.0f, 330.0f + bob, 40, 40);
    }
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
    const std::string title = "Vellichorns";
    plat::SetScale(3, 3);
    plat::DrawText(title, 400.0f - 1.5f * static_cast<float>(plat::TextWidth(title)), 220);
    plat::SetScale(1, 1);
    const std::string hint = "Press Escape to leave";
    plat::DrawText(hint, 400.0f - static_cast<float>(plat::TextWidth(hint)) / 2.0f, 460);
}
