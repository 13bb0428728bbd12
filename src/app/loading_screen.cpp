#include "app/loading_screen.h"

#include <algorithm>

#include "app/game.h"
#include "resources/input_tables.h"
#include "platform/files.h"
#include "platform/input.h"
#include "resources/error.h"

namespace {

plat::ImagePtr LoadRequired(const std::string& path) {
    auto image = plat::LoadImage(path);
    if (!image) ErrorMessage("Error loading bitmap " + path, true);
    return image;
}

plat::ImagePtr LoadOptional(const std::string& path) { return plat::LoadImage(path); }

}  // namespace

// ---- TLoadingBar --------------------------------------------------------------------

void TLoadingBar::Init(plat::ImagePtr image, plat::ImagePtr emptyImage, plat::ImagePtr finalImage) {
    Image = std::move(image);
    EmptyImage = std::move(emptyImage);
    FinalImage = std::move(finalImage);
    for (auto* picture : {&Image, &EmptyImage, &FinalImage}) {
        if (*picture) plat::SetImageHandle(**picture, 0, 0);
    }
    w = Image ? plat::ImageWidth(*Image) : 0;
    h = Image ? plat::ImageHeight(*Image) : 0;
    Position = 0;
    CurrentStep = 0;
    Finished = 0;
}

void TLoadingBar::Centre(int ny) {
    x = (ScreenWidth - w) / 2;
    y = ny;
}

void TLoadingBar::SetSteps(int n) {
    Steps = static_cast<float>(n);
    StepSize = n > 0 ? static_cast<float>(w) / Steps : static_cast<float>(w);
}

void TLoadingBar::Progress() {
    if (Finished) return;
    ++CurrentStep;
    Position += StepSize;
    if (static_cast<float>(CurrentStep) >= Steps) {
        Finished = 1;
        Position = static_cast<float>(w);
    }
    Position = std::min(Position, static_cast<float>(w));
}

void TLoadingBar::Draw() {
    if (Mode == 1 && !Image) return;
    if (Finished && FinalImage) {
        plat::SetBlend(plat::ALPHABLEND);
        if (DrawEmptyUnderFinal && EmptyImage) plat::DrawImage(*EmptyImage, static_cast<float>(x), static_cast<float>(y));
        plat::DrawImage(*FinalImage, static_cast<float>(x), static_cast<float>(y));
        plat::SetBlend(plat::SOLIDBLEND);
        return;
    }
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    if (Mode == 0) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::SetColor(BgR, BgG, BgB);
        plat::DrawRect(fx, fy, static_cast<float>(w), static_cast<float>(h));
        plat::SetColor(BorderR, BorderG, BorderB);
        plat::DrawLine(fx - 1, fy - 1, fx + static_cast<float>(w), fy - 1);
        plat::DrawLine(fx - 1, fy + static_cast<float>(h), fx + static_cast<float>(w), fy + static_cast<float>(h));
        plat::DrawLine(fx - 1, fy - 1, fx - 1, fy + static_cast<float>(h));
        plat::DrawLine(fx + static_cast<float>(w), fy - 1, fx + static_cast<float>(w), fy + static_cast<float>(h));
        plat::SetColor(255, 255, 255);
    } else {
        plat::SetBlend(plat::ALPHABLEND);
        if (Mode == 1 && EmptyImage) plat::DrawImage(*EmptyImage, fx, fy);
    }
    if (Image && Position > 0) {
        plat::DrawSubImageRect(*Image, fx, fy, Position, static_cast<float>(h), 0, 0, Position,
                               static_cast<float>(h));
    }
    plat::SetBlend(plat::SOLIDBLEND);
}

// ---- PNLoadingScreen -----------------------------------------------------------------

void PNLoadingScreen::SpecialLoad(const std::string& background, const std::string& bar,
                                  const std::string& loadingText) {
    auto& game = Game();
    name = "loading";
    if (!background.empty()) ImageLoad(background);
    const std::string base = game.ImagePath + plat::StripExt(bar);
    const std::string ext = plat::ExtractExt(bar);
    LoadingBar = std::make_unique<TLoadingBar>();
    LoadingBar->Init(LoadRequired(game.ImagePath + bar), LoadOptional(base + "empty." + ext),
                     LoadOptional(base + "final." + ext));
    LoadingTextImage = loadingText.empty() ? nullptr : LoadRequired(game.ImagePath + loadingText);
    if (LoadingTextImage) plat::MidHandleImage(*LoadingTextImage);
    LoadingX = ScreenWidth / 2;
    LoadingY = ScreenHeight / 2;
    Finished = 0;
    game.Audio.MusicNone();
}

void PNLoadingScreen::Kill() {
    TScreen::Kill();
    LoadingBar.reset();
    LoadingTextImage2.reset();
    if (CustomKillFunction) CustomKillFunction();
}

void PNLoadingScreen::SetSteps(int n) {
    if (LoadingBar) LoadingBar->SetSteps(n);
}

void PNLoadingScreen::Logic() {
    auto& game = Game();
    if (game.GameFade.Active) return;
    game.DestinationTScreen = Destination;
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 1, 0);
}

void PNLoadingScreen::Draw() {
    TScreen::Draw();
    if (LoadingBar) LoadingBar->Draw();
    DrawLoading(0);
    if (CustomDrawFunction) CustomDrawFunction();
}

void PNLoadingScreen::DrawLoading(int mode) {
    auto& game = Game();
    if (mode == 1 || mode == 2) plat::Cls();
    if (mode == 0 || (mode == 1 && game.Music == 1)) {
        const auto& text = (DrawLoadingTextImage2 && LoadingTextImage2) ? LoadingTextImage2 : LoadingTextImage;
        if (text) {
            plat::SetBlend(plat::ALPHABLEND);
            plat::DrawImage(*text, static_cast<float>(LoadingX), static_cast<float>(LoadingY));
        }
    }
    if (mode == 1 || mode == 2) {
        game.Mouse.Draw();
        plat::Flip(1);
    }
}

void PNLoadingScreen::Progress() {
    if (!LoadingBar) return;
    LoadingBar->Progress();
    if (LoadingBar->Finished && !Finished) {
        Finished = 1;
        FlushInput();
        Game().Mouse.Update();
    }
}

// Loading does not wait for the display: a step is shown when the display has
// refreshed since the last one, otherwise the next shows both.
void PNLoadingScreen::MoveBar() {
    Progress();
    if (!plat::GraphicsOpen() || !plat::FrameDue()) return;
    Draw();
    plat::FlipNow();
}

PNLoadingScreen& LoadingScreen() {
    static PNLoadingScreen screen;
    return screen;
}
