#pragma once
// The loading screen shown while the banks load at start-up: a progress bar
// that fills one step per group of resources, a "loading" picture, and then a
// fade-out to the screen's destination.
#include <functional>
#include <memory>
#include <string>

#include "app/screen.h"
#include "platform/graphics.h"

class TLoadingBar {
public:
    // 0 a drawn rectangle with a border, 1 EmptyImage under the bar, 2 the bar alone.
    int Mode = 0;
    plat::ImagePtr Image, EmptyImage, FinalImage;
    int x = 0, y = 0, w = 0, h = 0;
    float Position = 0;  // width drawn so far
    float Steps = 0;
    float StepSize = 0;
    int CurrentStep = 0;
    int Finished = 0;
    int BgR = 50, BgG = 50, BgB = 50;
    int BorderR = 0, BorderG = 0, BorderB = 0;
    int DrawEmptyUnderFinal = 0;

    // The size is the bar image's; the images are handled at (0, 0).
    void Init(plat::ImagePtr image, plat::ImagePtr emptyImage, plat::ImagePtr finalImage);
    // Centred across the screen at y.
    void Centre(int ny);
    void SetSteps(int n);
    // One step; the last step fills the bar exactly and sets Finished.
    void Progress();
    void Draw();
};

class PNLoadingScreen : public TScreen {
public:
    PNLoadingScreen() { name = "loading"; }
    bool TakesNotices() const override { return false; }

    std::unique_ptr<TLoadingBar> LoadingBar = std::make_unique<TLoadingBar>();
    int Finished = 0;
    plat::ImagePtr LoadingTextImage;
    int LoadingX = 0, LoadingY = 0;
    int DrawLoadingTextImage2 = 0;
    plat::ImagePtr LoadingTextImage2;
    std::function<int()> CustomDrawFunction;
    std::function<int()> CustomKillFunction;

    // background may be empty; bar and loadingText are image files of the
    // image folder ("loadingbar.png", "loading.png"); an empty loadingText
    // draws no picture (CustomDrawFunction may write the words instead). The optional
    // "<bar>empty.<ext>" and "<bar>final.<ext>" images are used when present.
    void SpecialLoad(const std::string& background, const std::string& bar, const std::string& loadingText);
    void Kill() override;
    void SetSteps(int n);
    void Logic() override;
    void Draw() override;
    // 0 draws the loading picture; 1 and 2 clear the screen first and flip
    // afterwards (1 draws the picture only while the music is on).
    void DrawLoading(int mode);
    void Progress();
    // One step of the bar, drawn and shown at once.
    void MoveBar();
};

// The game's one loading screen.
PNLoadingScreen& LoadingScreen();
