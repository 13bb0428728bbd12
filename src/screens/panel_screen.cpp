#include "screens/panel_screen.h"

#include "app/game.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "gui/table_text.h"
#include "platform/graphics.h"
#include "resources/resource_globals.h"
#include "screens/screen_list.h"

namespace {
constexpr float HEADER_X = 400, HEADER_Y = 50;
}  // namespace

void TPanelScreen::LoadPanel(const std::string& headerKey) {
    x = 0;
    y = 0;
    background_ = ImageBank().Find("titlescreen");
    panel_ = ImageBank().Find("blackback");
    Header = THeader::Create(headerKey, HEADER_X, HEADER_Y);
    Header->SetGlow(3, 0, 0.25f, 0, 0.5f);
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    auto ok = Menu->AddNew("oksmall", "oksmallMO", "ok", 0, 0, 1);
    ok->OKButton = 1;
    ok->SetupScaleOnMO(BUTTON_GROWTH, ok->ScaleOnMOUpSpeed, ok->ScaleOnMODownSpeed);
    auto& game = Game();
    if (auto sparkle = ImageBank().FindOrNull("particle1")) game.Mouse.SetSparkleTrail(sparkle);
    game.Audio.FadeMusic = 0;
}

void TPanelScreen::Start() {
    TScreen::Start();
    auto& game = Game();
    game.GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    game.FixedRateLogic.Init();
    Focus.Clear();
    BuildFocus();
}

void TPanelScreen::BuildFocus() {
    if (Menu) Focus.AddMenu(*Menu);
}

void TPanelScreen::Logic() {
    Focus.Manage();
    TScreen::Logic();
}

void TPanelScreen::Kill() {
    TScreen::Kill();
    background_.reset();
    panel_.reset();
}

int TPanelScreen::SetEscDestination() {
    Game().DestinationTScreen = &ScreenFor(EGameScreen::Title);
    return DefaultFadeTime;
}

void TPanelScreen::AnimateHeader() {
    if (Header) Header->ManageGlow();
}

void TPanelScreen::LeaveToTitle() {
    auto& game = Game();
    game.DestinationTScreen = &ScreenFor(EGameScreen::Title);
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 1, 0);
}

void TPanelScreen::DrawBackground() const {
    plat::SetBlend(plat::SOLIDBLEND);
    DrawImage(background_, ScreenWidth / 2.0f + x, ScreenHeight / 2.0f + y);
    plat::SetBlend(plat::ALPHABLEND);
}

void TPanelScreen::DrawPanel(float centreY) const { DrawImage(panel_, ScreenWidth / 2.0f, centreY); }

void TPanelScreen::DrawImage(const GameImagePtr& image, float px, float py) {
    if (image && image->image) plat::DrawImage(*image->image, px, py);
}
