#include "gui/scroll_bar.h"

#include <algorithm>
#include <cmath>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "gui/menu.h"
#include "gui/mouse_pointer.h"

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

    const auto& mouse = GameMouse();
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
    if (Menu) Menu->Kill();
        Menu.reset();
    Slider.reset();
}

// ---- arrow buttons ------------------------------------------------------------

void TScrollBar::SetArrows(const std::string& upName, const std::string& downName, int clickMs) {
    UpName = upName;
    DownName = downName;
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    auto up = Menu->AddQuickAuto(upName, upName);
    auto down = Menu->AddQuickAuto(downName, downName);
    for (const auto& button : {up, down}) {
        button->ClickDisabled = 0;
        button->MouseClickDuration = AnimTiming().CalcAnimLength(static_cast<float>(clickMs));
        button->ClickWhenDown = 1;
        button->SetupMouseRepeat(400, 100);
    }
    const float handleX = Slider && Slider->image ? plat::ImageHandleX(*Slider->image) : 0.0f;
    const float handleY = Slider && Slider->image ? plat::ImageHandleY(*Slider->image) : 0.0f;
    const float sliderW = Slider ? static_cast<float>(Slider->w) : 0.0f;
    const float sliderH = Slider ? static_cast<float>(Slider->h) : 0.0f;
    if (Vertical) {
        const float centre = X - handleX + sliderW / 2.0f;
        up->MoveTo(std::round(centre - static_cast<float>(up->w) / 2.0f), Y - static_cast<float>(up->h));
        down->MoveTo(std::round(centre - static_cast<float>(down->w) / 2.0f), Y + static_cast<float>(Size));
    } else {
        const float centre = Y - handleY + sliderH / 2.0f;
        up->MoveTo(X - static_cast<float>(up->w), std::round(centre - static_cast<float>(up->h) / 2.0f));
        down->MoveTo(X + static_cast<float>(Size), std::round(centre - static_cast<float>(down->h) / 2.0f));
    }
    Menu->CalcCoords();
    Menu->StoreOriginalCoords();
    DisableButtons();
}

void TScrollBar::DisableButtons() {
    if (!Menu) return;
    if (auto up = ArrowButton(UpName); up && up->ImageDisabled) up->Disabled = ValuePrecise <= 0 ? 1 : 0;
    if (auto down = ArrowButton(DownName); down && down->ImageDisabled) {
        down->Disabled = ValuePrecise >= ValueMax ? 1 : 0;
    }
}

void TScrollBar::ManageArrows() { Menu->Manage(); }

bool TScrollBar::ArrowClicked(const std::string& name) { return Menu && Menu->Clicked(name) != 0; }

void TScrollBar::DrawArrows() {
    if (Menu) Menu->Draw();
}

ButtonPtr TScrollBar::ArrowButton(const std::string& name) const { return Menu ? Menu->FindButton(name) : nullptr; }
