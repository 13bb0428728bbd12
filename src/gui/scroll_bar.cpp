#include "gui/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "app/fixed_rate_logic.h"
#include "app/game.h"

std::shared_ptr<TScrollBar> TScrollBar::Create(GameImagePtr slider, int size, double valueMax, float x, float y,
                                               int vertical) {
    auto bar = std::make_shared<TScrollBar>();
    bar->Slider = std::move(slider);
    bar->Size = size;
    bar->ValueMax = std::max(0.0, valueMax);
    bar->X = x;
    bar->Y = y;
    bar->Vertical = vertical;
    return bar;
}

int TScrollBar::SliderLength() const {
    if (!Slider) return 0;
    return Vertical ? Slider->h : Slider->w;
}

int TScrollBar::Travel() const { return std::max(0, Size - SliderLength()); }

void TScrollBar::SliderSetPosition(double value) {
    const int travel = Travel();
    if (ValueMax <= 0 || travel <= 0) {
        SliderPosition = 0;
        return;
    }
    SliderPosition = static_cast<int>(std::lround(value * travel / ValueMax));
}

void TScrollBar::ValueCalc() {
    const int travel = Travel();
    if (ValueMax <= 0 || travel <= 0) {
        ValuePrecise = 0;
    } else {
        ValuePrecise = std::clamp(SliderPosition / (travel / ValueMax), 0.0, ValueMax);
    }
    ValueRound();
}

void TScrollBar::ValueRound() { Value = static_cast<int>(std::lround(ValuePrecise)); }

void TScrollBar::SetValueMax(double valueMax) {
    ValueMax = std::max(0.0, valueMax);
    ValuePrecise = std::clamp(ValuePrecise, 0.0, ValueMax);
    ValueRound();
    SliderSetPosition(ValuePrecise);
    DisableButtons();
}

bool TScrollBar::PointerOverSlider(int px, int py) const {
    if (!Slider || !Slider->image) return false;
    const float hx = plat::ImageHandleX(*Slider->image);
    const float hy = plat::ImageHandleY(*Slider->image);
    const float left = (Vertical ? X : X + static_cast<float>(SliderPosition)) - hx;
    const float top = (Vertical ? Y + static_cast<float>(SliderPosition) : Y) - hy;
    const auto fx = static_cast<float>(px);
    const auto fy = static_cast<float>(py);
    return fx >= left && fx < left + static_cast<float>(Slider->w) && fy >= top && fy < top + static_cast<float>(Slider->h);
}

void TScrollBar::StepBy(double step) {
    ValuePrecise = std::clamp(ValuePrecise + step, 0.0, ValueMax);
    ValueRound();
    SliderSetPosition(ValuePrecise);
    DisableButtons();
}

void TScrollBar::Manage() {
    if (Menu) {
        ManageArrows();
        if (ArrowClicked(UpName) && ValuePrecise > 0) StepBy(-ValueStep);
        if (ArrowClicked(DownName) && ValuePrecise < ValueMax) StepBy(ValueStep);
    }
    SliderGlow = std::max(0.0f, SliderGlow - GlowSpeed * Delta);

    const auto& mouse = Game().Mouse;
    const bool over = PointerOverSlider(mouse.x, mouse.y);
    if (FixedGlowOnMO && over) SliderGlow = GlowMax;
    if (!mouse.GetMb()) {
        SliderSelected = 0;
        return;
    }
    const float trackStart = Vertical ? Y : X;
    const int pointer = Vertical ? mouse.y : mouse.x;
    if (SliderSelected) {
        SliderGlow = GlowMax;
        const int wanted = static_cast<int>(std::lround(static_cast<float>(pointer) - trackStart - static_cast<float>(SliderOffset)));
        SliderPosition = std::clamp(wanted, 0, Travel());
        ValueCalc();
        DisableButtons();
    } else if (over) {
        SliderSelected = 1;
        SliderGlow = GlowMax;
        SliderOffset = static_cast<int>(std::lround(static_cast<float>(pointer) - (trackStart + static_cast<float>(SliderPosition))));
    }
}

void TScrollBar::Draw() {
    DrawArrows();
    if (!Slider || !Slider->image) return;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetScale(Scale, Scale);
    const float offset = static_cast<float>(SliderPosition) * Scale;
    const float sx = Vertical ? X : X + offset;
    const float sy = Vertical ? Y + offset : Y;
    plat::DrawImage(*Slider->image, sx, sy);
    if (SliderGlow > 0) {
        plat::SetBlend(plat::LIGHTBLEND);
        plat::SetAlpha(SliderGlow);
        plat::DrawImage(*Slider->image, sx, sy);
        plat::SetAlpha(1.0f);
        plat::SetBlend(plat::ALPHABLEND);
    }
    plat::SetScale(1.0f, 1.0f);
}

void TScrollBar::Kill() {
        Menu.reset();
    Slider.reset();
}

// ---- arrow buttons ------------------------------------------------------------

void TScrollBar::SetArrows(const std::string&, const std::string&, int) {}
void TScrollBar::ManageArrows() {}
bool TScrollBar::ArrowClicked(const std::string&) { return false; }
void TScrollBar::DrawArrows() {}
void TScrollBar::DisableButtons() {}
ButtonPtr TScrollBar::ArrowButton(const std::string&) const { return nullptr; }
