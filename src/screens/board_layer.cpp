#include "screens/board_layer.h"

#include <algorithm>

#include "puzzle/cell_box.h"

namespace {

uintptr_t Id(const void* p) { return reinterpret_cast<uintptr_t>(p); }

// Half the size of the largest picture a floor draws, centred on the floor.
float Reach(const TLayoutCell& floor) {
    int size = CELL_SIZE;
    for (const auto* image : {floor.WallImage.get(), floor.DecorationImage.get()})
        if (image) size = std::max({size, plat::ImageWidth(*image), plat::ImageHeight(*image)});
    return float(size) / 2 + 1;
}

bool Touches(const TLayoutCell& floor, float reach, const TBoardLayer::TArea& area) {
    return float(floor.X) + reach > area.x && float(floor.X) - reach < area.x + area.w &&
           float(floor.Y) + reach > area.y && float(floor.Y) - reach < area.y + area.h;
}

void MarkFloorsOnLayer(TCellBox& box, const std::vector<TBoardLayer::TArea>& keepOut) {
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TLayoutCell& floor = box.Layout[c][r];
            const float reach = Reach(floor);
            box.FloorOnLayer[c * BOARD_ROWS + r] = std::none_of(
                keepOut.begin(), keepOut.end(), [&](const auto& area) { return Touches(floor, reach, area); });
        }
}

// Everything the composed picture depends on, as one list to compare.
void KeyOf(const plat::TImage& background, const TCellBox& box, std::vector<uintptr_t>& key) {
    key.assign({Id(&background), Id(&box), uintptr_t(plat::GraphicsGeneration())});
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TLayoutCell& floor = box.Layout[c][r];
            if (!box.FloorOnLayer[c * BOARD_ROWS + r]) {
                key.push_back(0);
                continue;
            }
            key.insert(key.end(), {1, uintptr_t(floor.Contents), uintptr_t(floor.X), uintptr_t(floor.Y),
                                   Id(floor.WallImage.get()), Id(floor.DecorationImage.get()),
                                   floor.Contents != FLOOR_NONE && floor.IsHighlighted()});
        }
}

}  // namespace

bool TBoardLayer::Draw(plat::TImage& background, TCellBox& box, const std::vector<TArea>& keepOut) {
    box.FloorsDrawn = false;
    if (!target_ || generation_ != plat::GraphicsGeneration()) {
        target_ = plat::CreateDrawTarget(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT);
        generation_ = plat::GraphicsGeneration();
        key_.clear();
    }
    if (!target_) return false;
    MarkFloorsOnLayer(box, keepOut);
    KeyOf(background, box, scratchKey_);
    if (scratchKey_ != key_) {
        if (!Compose(background, box)) {
            key_.clear();
            return false;
        }
        key_.swap(scratchKey_);
    }
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(*target_, 0, 0);
    plat::SetBlend(plat::ALPHABLEND);
    box.FloorsDrawn = true;
    return true;
}

// The background and the floors as the game screen draws them: the
// background solid at the centre, each floor blended over it in white.
bool TBoardLayer::Compose(plat::TImage& background, const TCellBox& box) {
    if (!plat::SetDrawTarget(target_.get())) return false;
    int r = 255, g = 255, b = 255;
    plat::GetColor(r, g, b);
    const float alpha = plat::GetAlpha();
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1);
    plat::SetBlend(plat::SOLIDBLEND);
    plat::DrawImage(background, plat::LOGICAL_WIDTH / 2.0f, plat::LOGICAL_HEIGHT / 2.0f);
    plat::SetBlend(plat::ALPHABLEND);
    box.DrawFloors();
    plat::SetDrawTarget(nullptr);
    plat::SetColor(r, g, b);
    plat::SetAlpha(alpha);
    ++compositions_;
    return true;
}

void TBoardLayer::Reset() {
    target_.reset();
    key_.clear();
    generation_ = -1;
}
