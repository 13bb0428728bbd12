#include "gui/slider.h"

#include <algorithm>
#include <cmath>

#include "gui/mouse_pointer.h"
#include "resources/game_paths.h"

namespace {
// One key press moves a slider by this much of its 0..100.
constexpr int KEY_STEP = 5;
}  // namespace

std::shared_ptr<TSlider> TSlider::CreateFromImages(GameImagePtr track, GameImagePtr dot, float x, float y,
                                                   int border, const std::string& name, int borderY) {
    auto slider = std::make_shared<TSlider>();
    slider->SetName(name);
    slider->image = std::move(track);
    slider->DotImage = std::move(dot);
    slider->Init();
    slider->x = x;
    slider->y = y;
    slider->Border = border;
    slider->BorderY = borderY;
    slider->SetValue(50);
    slider->DotY = static_cast<int>(std::lround(y));
    slider->active = 1;
    return slider;
}

std::shared_ptr<TSlider> TSlider::CreateSpecial(const std::string& track, const std::string& dot, float x, float y,
                                                int border, const std::string& name, int borderY) {
    auto slider = std::make_shared<TSlider>();
    slider->Load(track, dot, name);
    return CreateFromImages(slider->image, slider->DotImage, x, y, border, name, borderY);
}

void TSlider::Load(const std::string& track, const std::string& dot, const std::string& name) {
    SetName(name);
    LoadImages(track, dot);
    Init();
}

void TSlider::LoadImages(const std::string& track, const std::string& dot) {
    const std::string folder = GamePaths().ImagePath;
    image = TGameImage::Create(folder + track + Ext, plat::DEFAULT_FLAGS, 0);
    DotImage = TGameImage::Create(folder + dot + Ext, plat::DEFAULT_FLAGS, 0);
}

void TSlider::Init() {
    TSprite::Init();
    GetSize();
}

void TSlider::SetValue(int v) {
    Value = std::clamp(v, 0, 100);
    const float dotHalf = DotImage ? static_cast<float>(DotImage->w) / 2.0f : 0.0f;
    const float travel = static_cast<float>(w - 2 * Border);
    DotX = static_cast<int>(std::lround(x + static_cast<float>(Border) + static_cast<float>(Value) / 100.0f * travel - dotHalf));
}

int TSlider::ValueAt(int px) const {
    const float left = x + static_cast<float>(Border);
    const float right = x + static_cast<float>(w - Border);
    if (static_cast<float>(px) <= left) return 0;
    if (static_cast<float>(px) >= right) return 100;
    // Here right > left, so the track is longer than its borders.
    return static_cast<int>(std::lround((static_cast<float>(px) - left) / (right - left) * 100.0f));
}

void TSlider::StepBy(int direction) {
    SetValue(std::clamp(Value + direction * KEY_STEP, 0, 100));
    KeyMoved = 1;
}

int TSlider::Manage() {
    if (!active) return 0;
    if (KeyMoved) {
        KeyMoved = 0;
        return 1;
    }
    const auto& mouse = GameMouse();
    const float px = static_cast<float>(mouse.x);
    const float py = static_cast<float>(mouse.y);
    const bool over = x - 10 <= px && px < x + static_cast<float>(w) + 10 && y - static_cast<float>(BorderY) <= py &&
                      py < y + static_cast<float>(h + BorderY);
    if (!over) {
        MouseOver = 0;
        return 0;
    }
    MouseOver = 1;
    // A tap (pressed and released within one update) counts like a hold.
    if (!mouse.GetMb() && mouse.mh == 0) return 0;
    SetValue(ValueAt(mouse.x));
    return 1;
}

void TSlider::Draw() {
    if (!active) return;
    plat::SetBlend(plat::ALPHABLEND);
    if (image && image->image) plat::DrawImage(*image->image, x, y);
    if (DotImage && DotImage->image) plat::DrawImage(*DotImage->image, static_cast<float>(DotX), static_cast<float>(DotY));
}
