#pragma once
// The picture under the gems on the game screen: the background with the
// board's floors, walls and decorations drawn over it, composed once into a
// draw target and composed again only when something it shows changes (the
// layout, the floor under the pointer, the background, a reopened window).
// Drawing it is one opaque copy instead of a full-screen background and some
// two hundred and fifty blended tiles.
#include <cstdint>
#include <vector>

#include "platform/graphics.h"

class TCellBox;

class TBoardLayer {
public:
    struct TArea {
        float x = 0, y = 0, w = 0, h = 0;
    };

    // Draws the background and the floors of the box as one picture and
    // marks those floors drawn on the box. Floors touching a keep-out area
    // (what the screen draws after the background and before the board) stay
    // off the picture, for the box to draw in their place. False, with
    // nothing drawn, when the picture cannot be made: the caller then draws
    // the background itself.
    bool Draw(plat::TImage& background, TCellBox& box, const std::vector<TArea>& keepOut);
    // Lets go of the picture.
    void Reset();
    // How often the picture was composed (for tests).
    int Compositions() const { return compositions_; }

private:
    bool Compose(plat::TImage& background, const TCellBox& box);

    plat::ImagePtr target_;
    std::vector<uintptr_t> key_;
    std::vector<uintptr_t> scratchKey_;  // this frame's, kept to spare the allocation
    int generation_ = -1;
    int compositions_ = 0;
};
