#include "app/cross_fade.h"

#include "platform/graphics.h"

std::unique_ptr<TCrossFade> TCrossFade::Create(GameImagePtr image1, GameImagePtr image2, float lengthMs) {
    auto fade = std::make_unique<TCrossFade>();
    fade->Init(std::move(image1), std::move(image2), lengthMs);
    return fade;
}

void TCrossFade::Init(GameImagePtr image1, GameImagePtr image2, float lengthMs) {
    Image1 = std::move(image1);
    Image2 = std::move(image2);
    Anim.Init(lengthMs, 1, 1);
    Anim.Start();
}

void TCrossFade::Manage() { Anim.Manage(); }

float TCrossFade::Value() const { return Anim.Finished ? 1.0f : Anim.GetRatio(); }

void TCrossFade::Draw() {
    if (Image1 && Image1->image) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::DrawImage(*Image1->image, X1, Y1);
    }
    if (Image2 && Image2->image) {
        plat::SetBlend(plat::ALPHABLEND);
        plat::SetAlpha(Value());
        plat::DrawImage(*Image2->image, X2, Y2);
    }
    plat::SetAlpha(1.0f);
}

void TCrossFade::SetImage1Coords(float x, float y) {
    X1 = x;
    Y1 = y;
}

void TCrossFade::SetImage2Coords(float x, float y) {
    X2 = x;
    Y2 = y;
}
