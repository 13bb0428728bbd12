#pragma once
// Fades one background image into another: the first drawn solid, the second
// over it with an alpha that climbs from 0 to 1 over the given time.
#include <memory>

#include "resources/animation.h"
#include "resources/banks.h"

class TCrossFade {
public:
    GameImagePtr Image1, Image2;
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    TAnimation Anim;

    static std::unique_ptr<TCrossFade> Create(GameImagePtr image1, GameImagePtr image2, float lengthMs);
    void Init(GameImagePtr image1, GameImagePtr image2, float lengthMs);
    void Manage();
    void Draw();
    void SetImage1Coords(float x, float y);
    void SetImage2Coords(float x, float y);
    // The second image's alpha, 0..1.
    float Value() const;
    bool Finished() const { return Anim.Finished != 0; }
};
