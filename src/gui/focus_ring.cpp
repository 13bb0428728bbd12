#include "gui/focus_ring.h"

#include <cmath>
#include <limits>

#include "resources/input_tables.h"
#include "gui/menu.h"
#include "gui/mouse_pointer.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

// The outline: a light line inside a dark one, a little outside the widget,
// so it reads on light plates and dark backgrounds alike.
constexpr float OUTLINE_GAP = 3, LINE = 2;
constexpr int LIGHT_RED = 255, LIGHT_GREEN = 236, LIGHT_BLUE = 140;
constexpr int DARK_RED = 16, DARK_GREEN = 20, DARK_BLUE = 40;
// Sideways distance counts this much more than distance along the key's way.
constexpr float SIDEWAYS_WEIGHT = 3;

void DrawFrame(float x, float y, float w, float h, float width) {
    plat::DrawRect(x, y, w, width);
    plat::DrawRect(x, y + h - width, w, width);
    plat::DrawRect(x, y + width, width, h - 2 * width);
    plat::DrawRect(x + w - width, y + width, width, h - 2 * width);
}

float CentreX(const TFocusBounds& b) { return b.x + b.w / 2; }
float CentreY(const TFocusBounds& b) { return b.y + b.h / 2; }

bool ShiftDown() { return KeyDown(plat::KEY_LSHIFT) || KeyDown(plat::KEY_RSHIFT); }

}  // namespace

void TFocusRing::Clear() {
    Hide();
    items_.clear();
    focused_ = -1;
}

void TFocusRing::Add(TFocusItem item) { items_.push_back(std::move(item)); }

// The ring keeps its widgets weakly: a screen that builds its menus anew
// may drop the old ones before it clears the ring.
void TFocusRing::AddButton(const ButtonPtr& button) {
    if (!button) return;
    const std::weak_ptr<TButton> weak = button;
    Add({button->name,
         [weak] {
             const auto b = weak.lock();
             if (!b) return TFocusBounds{};
             // A button grown under the focus keeps its middle.
             const float w = static_cast<float>(b->w) * b->ScaleOnMO, h = static_cast<float>(b->h) * b->ScaleOnMO;
             return TFocusBounds{b->x - (w - static_cast<float>(b->w)) / 2, b->y - (h - static_cast<float>(b->h)) / 2,
                                 w, h};
         },
         [weak] {
             const auto b = weak.lock();
             return b && b->Active && !b->Disabled;
         },
         [weak] {
             if (const auto b = weak.lock()) b->KeyPress = 1;
         },
         nullptr,
         [weak](bool on) {
             if (const auto b = weak.lock()) b->Focused = on ? 1 : 0;
         }});
}

void TFocusRing::AddMenu(const TMenu& menu) {
    for (const ButtonPtr& button : menu.Buttons) AddButton(button);
}

void TFocusRing::AddSlider(const SliderPtr& slider) {
    if (!slider) return;
    const std::weak_ptr<TSlider> weak = slider;
    Add({slider->name,
         [weak] {
             const auto s = weak.lock();
             return s ? TFocusBounds{s->x, s->y, static_cast<float>(s->w), static_cast<float>(s->h)} : TFocusBounds{};
         },
         [weak] {
             const auto s = weak.lock();
             return s && s->active != 0;
         },
         nullptr,
         [weak](int direction) {
             const auto s = weak.lock();
             if (s) s->StepBy(direction);
             return s != nullptr;
         },
         nullptr});
}

bool TFocusRing::Usable(size_t i) const { return i < items_.size() && (!items_[i].usable || items_[i].usable()); }

void TFocusRing::Show(int index) {
    if (focused_ >= 0 && focused_ != index && items_[focused_].showFocus) items_[focused_].showFocus(false);
    focused_ = index;
    shown_ = true;
    if (items_[focused_].showFocus) items_[focused_].showFocus(true);
}

void TFocusRing::Hide() {
    if (shown_ && focused_ >= 0 && focused_ < static_cast<int>(items_.size()) && items_[focused_].showFocus)
        items_[focused_].showFocus(false);
    shown_ = false;
}

bool TFocusRing::ArrowWaiting() {
    const auto& hits = Input().KeyHits;
    return hits[plat::KEY_LEFT] || hits[plat::KEY_RIGHT] || hits[plat::KEY_UP] || hits[plat::KEY_DOWN];
}

bool TFocusRing::HideOnMouseMove() {
    const auto& mouse = GameMouse();
    const bool moved = lastMouseX_ >= 0 && (mouse.x != lastMouseX_ || mouse.y != lastMouseY_);
    lastMouseX_ = mouse.x;
    lastMouseY_ = mouse.y;
    if (moved && shown_) Hide();
    return moved;
}

void TFocusRing::FirstUsable() {
    for (size_t i = 0; i < items_.size(); ++i)
        if (Usable(i)) {
            Show(static_cast<int>(i));
            return;
        }
}

void TFocusRing::Next(int step) {
    const int count = static_cast<int>(items_.size());
    for (int k = 1; k <= count; ++k) {
        const int i = ((focused_ + step * k) % count + count) % count;
        if (Usable(static_cast<size_t>(i))) {
            Show(i);
            return;
        }
    }
}

// The nearest usable stop whose middle lies that way; none: the focus stays.
void TFocusRing::Toward(int dx, int dy) {
    const TFocusBounds from = items_[focused_].bounds();
    float best = std::numeric_limits<float>::max();
    int bestIndex = -1;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (static_cast<int>(i) == focused_ || !Usable(i)) continue;
        const TFocusBounds to = items_[i].bounds();
        const float ex = CentreX(to) - CentreX(from), ey = CentreY(to) - CentreY(from);
        const float along = ex * static_cast<float>(dx) + ey * static_cast<float>(dy);
        if (along <= 0) continue;
        const float sideways = std::fabs(ex * static_cast<float>(dy)) + std::fabs(ey * static_cast<float>(dx));
        const float score = along + SIDEWAYS_WEIGHT * sideways;
        if (score < best) {
            best = score;
            bestIndex = static_cast<int>(i);
        }
    }
    if (bestIndex >= 0) Show(bestIndex);
}

bool TFocusRing::Manage() {
    HideOnMouseMove();
    if (Paused || items_.empty()) return false;
    if (ArrowsHide && shown_ && ArrowWaiting()) Hide();
    const bool tab = KeyHit(plat::KEY_TAB) != 0;
    const int dx = LeaveLeftRight ? 0 : KeyHit(plat::KEY_RIGHT) ? 1 : KeyHit(plat::KEY_LEFT) ? -1 : 0;
    const int dy = dx != 0 || LeaveUpDown ? 0 : KeyHit(plat::KEY_DOWN) ? 1 : KeyHit(plat::KEY_UP) ? -1 : 0;
    if (!tab && dx == 0 && dy == 0) {
        if (!shown_ || !Usable(static_cast<size_t>(focused_))) return false;
        if (!(KeyHit(plat::KEY_ENTER) | KeyHit(plat::KEY_SPACE))) return false;
        if (items_[focused_].press) items_[focused_].press();
        return true;
    }
    // The first key shows where the focus is, or puts it on the first stop.
    if (!shown_ || !Usable(static_cast<size_t>(focused_))) {
        if (Usable(static_cast<size_t>(focused_))) {
            Show(focused_);
        } else {
            FirstUsable();
        }
        return true;
    }
    if (tab) {
        Next(ShiftDown() ? -1 : 1);
    } else if (dx != 0 && items_[focused_].adjust && items_[focused_].adjust(dx)) {
        // a slider took Left or Right
    } else {
        Toward(dx, dy);
    }
    return true;
}

std::string TFocusRing::FocusedName() const {
    return focused_ >= 0 && focused_ < static_cast<int>(items_.size()) ? items_[focused_].name : std::string();
}

void TFocusRing::Draw() const {
    if (!shown_ || !Usable(static_cast<size_t>(focused_))) return;
    const TFocusBounds b = items_[focused_].bounds();
    const float x = b.x - OUTLINE_GAP, y = b.y - OUTLINE_GAP;
    const float w = b.w + 2 * OUTLINE_GAP, h = b.h + 2 * OUTLINE_GAP;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(1.0f);
    plat::SetScale(1.0f, 1.0f);
    plat::SetColor(DARK_RED, DARK_GREEN, DARK_BLUE);
    DrawFrame(x - 1, y - 1, w + 2, h + 2, LINE + 2);
    plat::SetColor(LIGHT_RED, LIGHT_GREEN, LIGHT_BLUE);
    DrawFrame(x, y, w, h, LINE);
    plat::SetColor(255, 255, 255);
}
