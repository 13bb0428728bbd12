#include "gui/table_text.h"

#include <algorithm>

#include "gui/button_labels.h"
#include "gui/label.h"
#include "resources/game_paths.h"
#include "resources/resource_globals.h"

namespace {

// The rule images: a diamond at the inner end, the rule fading outwards.
constexpr float DIAMOND = 12, RULE_IMAGE_W = 232, RULE_IMAGE_H = 14;
// The rules sit this far below the heading's middle, and start this far
// beyond its letters.
constexpr float RULE_DROP = 2, RULE_GAP = 16;

TLabel PlacedLabel(const std::string& text, int size, const TTextPlace& place) {
    TLabel label;
    FitLabel(label, text, size, place.room);
    label.Alignment = place.alignment;
    label.CentreVertically = 1;
    label.X = place.x;
    label.Y = place.y;
    return label;
}

// Draws the label in the colour at the current alpha, and leaves the alpha
// as it was (a label's drawing ends in white at full opacity).
void DrawLabelIn(TLabel& label, const TTextLook::TRGB& c) {
    const float alpha = plat::GetAlpha();
    plat::SetColor(c.r, c.g, c.b);
    label.Draw(0, 0, false);
    plat::SetAlpha(alpha);
}

}  // namespace

float DrawTableText(const std::string& key, int size, const TTextPlace& place, const TTextLook& look,
                    TTextLook::TRGB fill) {
    return DrawFittedText(GameText().FindString(key), size, place, look, fill);
}

float DrawFittedText(const std::string& text, int size, const TTextPlace& place, const TTextLook& look,
                     TTextLook::TRGB fill) {
    TLabel label = PlacedLabel(text, size, place);
    label.Look = look;
    DrawLabelIn(label, fill);
    return label.CalcWidth();
}

std::shared_ptr<THeader> THeader::Create(const std::string& key, float x, float y) {
    auto header = std::make_shared<THeader>();
    header->Key = key;
    header->x = x;
    header->y = y;
    const std::string folder = GamePaths().ImagePath;
    header->rule_ = TGameImage::Create(folder + "headerrule.png", plat::DEFAULT_FLAGS, 0);
    header->ruleLeft_ = TGameImage::Create(folder + "headerruleleft.png", plat::DEFAULT_FLAGS, 0);
    return header;
}

void THeader::Draw() {
    plat::SetBlend(plat::ALPHABLEND);
    const float room = 2 * (HEADER_HALF_WIDTH - RULE_GAP - DIAMOND - 24);
    const TTextPlace place{x, y, room, ALIGN_CENTRE};
    const float half = DrawTableText(Key, HEADER_TEXT_SIZE, place, TitleLook(HEADER_TEXT_SIZE), {255, 255, 255}) / 2;
    const float inner = half + RULE_GAP, ruleTop = y + RULE_DROP - RULE_IMAGE_H / 2;
    const float length = std::max(0.0f, HEADER_HALF_WIDTH - inner - DIAMOND / 2);
    plat::SetColor(255, 255, 255);
    if (rule_ && rule_->image) {
        auto& image = *rule_->image;
        plat::DrawSubImageRect(image, x + inner - DIAMOND / 2, ruleTop, DIAMOND, RULE_IMAGE_H, 0, 0, DIAMOND, RULE_IMAGE_H);
        plat::DrawSubImageRect(image, x + inner + DIAMOND / 2, ruleTop, length, RULE_IMAGE_H, DIAMOND, 0,
                               RULE_IMAGE_W - DIAMOND, RULE_IMAGE_H);
    }
    if (ruleLeft_ && ruleLeft_->image) {
        auto& image = *ruleLeft_->image;
        plat::DrawSubImageRect(image, x - inner - DIAMOND / 2, ruleTop, DIAMOND, RULE_IMAGE_H, RULE_IMAGE_W - DIAMOND, 0,
                               DIAMOND, RULE_IMAGE_H);
        plat::DrawSubImageRect(image, x - inner - DIAMOND / 2 - length, ruleTop, length, RULE_IMAGE_H, 0, 0,
                               RULE_IMAGE_W - DIAMOND, RULE_IMAGE_H);
    }
    if (GlowMode > 0 && Glow > 0) {
        // The glow brightens the letters as it brightened the whole picture.
        TLabel label = PlacedLabel(GameText().FindString(Key), HEADER_TEXT_SIZE, place);
        label.Look = FillOnly(TitleLook(HEADER_TEXT_SIZE), std::clamp(Glow, 0.0f, 1.0f));
        plat::SetBlend(plat::LIGHTBLEND);
        DrawLabelIn(label, {255, 255, 255});
        plat::SetBlend(plat::ALPHABLEND);
    }
    plat::SetColor(255, 255, 255);
}
