#include "gui/key_hint.h"

#include <algorithm>

#include "resources/view_state.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "resources/resource_globals.h"

namespace {
constexpr int FONT_SIZE = 18;
constexpr float PLATE_PAD_X = 14, PLATE_PAD_Y = 3, PLATE_ALPHA = 0.6f;
}  // namespace

void TKeyHint::Offer(const std::string& text) {
    if (offered_) return;
    offered_ = true;
    text_ = text;
    since_ = plat::MilliSecs();
}

bool TKeyHint::Showing() const { return offered_ && plat::MilliSecs() - since_ < SHOW_MS; }

void TKeyHint::Draw(float y) const {
    if (!Showing() || text_.empty()) return;
    const auto font = GameFont(FONT_SIZE);
    if (!font) return;
    const uint32_t age = plat::MilliSecs() - since_;
    const float alpha = age + FADE_MS > SHOW_MS ? static_cast<float>(SHOW_MS - age) / FADE_MS : 1.0f;
    plat::SetImageFont(font);
    const float w = static_cast<float>(plat::TextWidth(text_)), h = static_cast<float>(plat::FontHeight(*font));
    const float x = (static_cast<float>(ScreenWidth) - w) / 2;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(PLATE_ALPHA * alpha);
    plat::DrawRect(x - PLATE_PAD_X, y - PLATE_PAD_Y, w + 2 * PLATE_PAD_X, h + 2 * PLATE_PAD_Y);
    plat::SetAlpha(alpha);
    plat::SetColor(255, 248, 232);
    DrawTextAligned(text_, x, y, false, ALIGN_LEFT, true);
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
}
