#pragma once
// A draggable slider image on a track, with optional arrow buttons at both
// ends; the slider position is turned into a value between 0 and ValueMax.
#include <memory>
#include <string>

#include "gui/button.h"
#include "resources/banks.h"

class TMenu;

class TScrollBar {
public:
    GameImagePtr Slider;
    std::shared_ptr<TMenu> Menu;  // the two arrow buttons, when set
    int Vertical = 1;
    int Value = 0;
    double ValuePrecise = 0;
    double ValueStep = 1;
    int Size = 0;  // track length in pixels
    double ValueMax = 0;
    int SliderPosition = 0;
    int SliderSelected = 0;  // being dragged
    int SliderOffset = 0;
    float X = 0, Y = 0;
    std::string UpName, DownName;
    int FixedGlowOnMO = 0;
    float SliderGlow = 0;
    float GlowMax = 0.5f;
    float GlowSpeed = 0.02f;
    float Scale = 1.0f;

    static std::shared_ptr<TScrollBar> Create(GameImagePtr slider, int size, double valueMax, float x, float y,
                                              int vertical = 1);
    // Arrow buttons from the image bank names; clickMs: how long the pressed
    // image shows.
    void SetArrows(const std::string& upName, const std::string& downName, int clickMs);
    void DisableButtons();
    void Draw();
    void Kill();
    void Manage();
    void SliderSetPosition(double value);
    void ValueCalc();
    void ValueRound();

    // Pixels the slider can travel; 0 when the track is not longer than it.
    int Travel() const;
    int SliderLength() const;
    bool PointerOverSlider(int px, int py) const;
    // The arrow button of that name; null without arrows.
    ButtonPtr ArrowButton(const std::string& name) const;

private:
    void StepBy(double step);
    void ManageArrows();
    bool ArrowClicked(const std::string& name);
    void DrawArrows();
};
using ScrollBarPtr = std::shared_ptr<TScrollBar>;
