#include "gui/sprite.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "resources/view_state.h"
#include "platform/clock.h"
#include "resources/game_paths.h"

namespace {

int ClampByte(float v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

}  // namespace

// ---- TColor -------------------------------------------------------------------

std::shared_ptr<TColor> TColor::Create(int r, int g, int b, float alpha) {
    auto c = std::make_shared<TColor>();
    c->Set(r, g, b, alpha);
    return c;
}

void TColor::Set(int r, int g, int b, float alpha) {
    R = r;
    G = g;
    B = b;
    Alpha = alpha;
}

void TColor::Apply() const {
    plat::SetColor(R, G, B);
    plat::SetAlpha(Alpha);
}

void TColor::ApplyNoAlpha() const { plat::SetColor(R, G, B); }

void TColor::Restore() {
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
}

// ---- TShadow ------------------------------------------------------------------

float TextShadowX = 1.0f;
float TextShadowY = 1.0f;
float TextShadowAlpha = 0.5f;

std::shared_ptr<TShadow> TShadow::Create(float x, float y, float alpha) {
    auto s = std::make_shared<TShadow>();
    s->Init(x, y, alpha);
    return s;
}

void TShadow::Init(float x, float y, float alpha) {
    X = x;
    Y = y;
    Alpha = alpha;
}

void TShadow::ApplyToText() const {
    TextShadowX = X;
    TextShadowY = Y;
    TextShadowAlpha = Alpha;
}

// ---- TBox -----------------------------------------------------------------------

std::shared_ptr<TBox> TBox::Create(float x, float y, float w, float h, ColorPtr color) {
    auto b = std::make_shared<TBox>();
    b->Init(x, y, w, h, std::move(color));
    return b;
}

void TBox::Init(float x, float y, float w, float h, ColorPtr color) {
    X = x;
    Y = y;
    W = w;
    H = h;
    Color = std::move(color);
}

void TBox::Draw() const {
    if (!Color) return;
    Color->Apply();
    plat::DrawRect(X, Y, W, H);
    TColor::Restore();
}

void TBox::Kill() { Color.reset(); }

// ---- TSprite: creation ------------------------------------------------------------

SpritePtr TSprite::Create(GameImagePtr image, float x, float y) {
    auto s = std::make_shared<TSprite>();
    s->SetImage(std::move(image));
    s->SetPosition(x, y);
    return s;
}

// ---- TSprite: animation -----------------------------------------------------------

int TSprite::GetAnimFrame() const {
    if (FramesTotal < 1 || AnimLength <= 0) return 0;
    const float c = AnimCounter / static_cast<float>(AnimLength);
    const float pos = AnimCounterDir == 1 ? c * FramesTotal : FramesTotal * (1.0f - c);
    return std::clamp(static_cast<int>(std::floor(pos)), 0, FramesTotal - 1);
}

// The counter runs upwards when forward play counts up (AnimCounterDir 1)
// or backward play counts down the other way (AnimCounterDir 0, reversed).
void TSprite::TurnToCountDown() { AnimReverse = AnimCounterDir == 1 ? 1 : 0; }
void TSprite::TurnToCountUp() { AnimReverse = AnimCounterDir == 1 ? 0 : 1; }

int TSprite::ManageAnim() {
    if (FramesTotal < 2) return 0;
    const bool up = (AnimCounterDir == 1 && !AnimReverse) || (AnimCounterDir == 0 && AnimReverse);
    int result;
    if (up) {
        AnimCounter += Delta;
        result = AnimBoundsCheckUpper();
    } else {
        AnimCounter -= Delta;
        result = AnimBoundsCheckLower();
    }
    frame = GetAnimFrame();
    return result;
}

int TSprite::AnimBoundsCheckUpper() {
    const float length = static_cast<float>(AnimLength);
    if (AnimCounter < length) return 0;
    if (PingPong) {
        AnimCounter = length - (AnimCounter - length) - FrameLength;
        TurnToCountDown();
        return 1;
    }
    if (Loop) {
        if (LoopCount > 0 && --LoopCount == 0) {
            Loop = 0;
            AnimCounter = length;
            return 1;
        }
        AnimCounter -= length;
    } else {
        AnimCounter = length;
    }
    if (AnimStoppedFunction) AnimStoppedFunction(*this);
    return 1;
}

int TSprite::AnimBoundsCheckLower() {
    if (AnimCounter > 0) return 0;
    if (PingPong) {
        AnimCounter = -AnimCounter + FrameLength;
        if (AnimCounter == 0) AnimCounter = 0.01f;
        TurnToCountUp();
        return 1;
    }
    if (Loop) {
        if (LoopCount > 0 && --LoopCount == 0) {
            Loop = 0;
            AnimCounter = 0.01f;
            return 1;
        }
        AnimCounter += static_cast<float>(AnimLength);
    } else {
        AnimCounter = 0.01f;
    }
    if (AnimStoppedFunction) AnimStoppedFunction(*this);
    return 1;
}

// ---- TSprite: position and movement --------------------------------------------------

void TSprite::SetPosition(float nx, float ny) {
    x = nx;
    y = ny;
}

void TSprite::BoundsCheck() {
    x = std::clamp(x, w2, std::max(w2, ScreenWidth - w2));
    y = std::clamp(y, h2, std::max(h2, ScreenHeight - h2));
}

void TSprite::Centre() {
    if (image) image->MidHandle(1);
    SetPosition(static_cast<float>(ScreenWidth / 2), static_cast<float>(ScreenHeight / 2));
}

void TSprite::CentreX(float ny) {
    if (image) image->MidHandle(1);
    SetPosition(static_cast<float>(ScreenWidth / 2), ny);
}

void TSprite::Move() {
    x += dx * Delta;
    y += dy * Delta;
    if (ygravity > 0) dy += ygravity * Delta;
}

void TSprite::MoveOriginalCoords() {
    ox += dx * Delta;
    oy += dy * Delta;
    if (ygravity > 0) dy += ygravity * Delta;
}

void TSprite::MoveLeft() {
    x -= xspeed * Delta;
    BoundsCheck();
}

void TSprite::MoveRight() {
    x += xspeed * Delta;
    BoundsCheck();
}

int TSprite::OutOfBounds() const {
    const float sw = ScreenWidth, sh = ScreenHeight;
    if (image && image->midhandled) return x < -w2 || x > sw + w2 || y < -h2 || y > sh + h2;
    return x < -w || x > sw || y < -h || y > sh;
}

void TSprite::Stop() {
    dx = 0;
    dy = 0;
}

// ---- TSprite: transformations ----------------------------------------------------

void TSprite::ClearScale() {
    ScaleX = 1.0f;
    ScaleY = 1.0f;
}

void TSprite::ManageRotation() {
    if (RotationLoop) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360.0f) Rotation -= 360.0f;
        if (Rotation < 0) Rotation += 360.0f;
    } else if (RotationCounter > 0) {
        RotationCounter -= Delta;
        Rotation += RotationSpeed * Delta;
    }
}

void TSprite::ManageScale() {
    if (ScaleCounter <= 0) return;
    ScaleCounter -= Delta;
    ScaleX += ScaleXSpeed * Delta;
    ScaleY += ScaleYSpeed * Delta;
}

float TSprite::Width() const { return w * ScaleX; }
float TSprite::Height() const { return h * ScaleY; }

// ---- TSprite: glow -----------------------------------------------------------------

void TSprite::SetGlow(int mode, float glow, float glowSpeed, float min, float max) {
    GlowMode = mode;
    Glow = glow;
    GlowSpeed = glowSpeed;
    GlowMin = min;
    GlowMax = max;
    GlowRange = max - min;
    if (mode == 3) {
        if (!GlowCounter) GlowCounter = std::make_shared<TSineCounter>();
        GlowCounter->Init(0, 360.0f, glowSpeed);
    }
}

void TSprite::ManageGlow() {
    if (GlowMode == 2) {
        if (Glow > 0) Glow = std::max(0.0f, Glow - GlowSpeed * Delta);
    } else if (GlowMode == 3 && GlowCounter) {
        GlowCounter->Manage();
        Glow = GlowMin + GlowRange * std::fabs(GlowCounter->ratio);
    }
}

// ---- TSprite: drawing ----------------------------------------------------------------

int TSprite::CurrentDrawFrame() const { return AnimCounter > 0 ? GetAnimFrame() : ImageFrame; }

const GameImagePtr& TSprite::DrawnImage() const { return AlternativeImage ? AlternativeImage : image; }

void TSprite::DrawImageAt(const GameImagePtr& img, int imgFrame, float px, float py) {
    if (!img || !img->image) return;
    plat::DrawImage(*img->image, px, py, imgFrame);
}

void TSprite::DoDraw() {
    if (!visible) return;
    plat::SetScale(BaseScaleX * ScaleX, BaseScaleY * ScaleY);
    plat::SetRotation(Rotation);
    if (UseAlpha) plat::SetAlpha(Alpha);
    if (Color) Color->ApplyNoAlpha();
    if (RoundCoords)
        DrawRounded();
    else
        DrawNormal();
    plat::SetScale(1.0f, 1.0f);
    plat::SetRotation(0);
    if (UseAlpha) plat::SetAlpha(1.0f);
    if (Color) plat::SetColor(255, 255, 255);
}

void TSprite::Draw() {
    DoDraw();
    if (GlowMode > 0) DrawLight(Glow, 1.0f, 1.0f, 1.0f, nullptr);
}

void TSprite::DrawNormal() {
    const int f = CurrentDrawFrame();
    const GameImagePtr& img = DrawnImage();
    DrawShadow(img, f);
    if (UseOffset)
        DrawImageAt(img, f, x + offx, y + offy);
    else
        DrawImageAt(img, f, x, y);
}

void TSprite::DrawRounded() {
    const int f = CurrentDrawFrame();
    const GameImagePtr& img = DrawnImage();
    DrawShadow(img, f);
    const float px = UseOffset ? x + offx : x;
    const float py = UseOffset ? y + offy : y;
    DrawImageAt(img, f, std::floor(px + 0.5f), std::floor(py + 0.5f));
}

void TSprite::DrawShadow(const GameImagePtr& img, int imgFrame) {
    if (!Shadow) return;
    int r, g, b;
    plat::GetColor(r, g, b);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(ShadowAlpha * Alpha);
    float px = x + ShadowX, py = y + ShadowY;
    if (UseOffset) {
        px += offx;
        py += offy;
    }
    DrawImageAt(img, imgFrame, px, py);
    if (Color)
        Color->ApplyNoAlpha();
    else
        plat::SetColor(r, g, b);
    plat::SetAlpha(Alpha);
}

// The glow is the sprite drawn again additively. An alternative image the
// owner has set stays in place (and is what glows) unless another is given.
void TSprite::DrawLight(float intensity, float r, float g, float b, GameImagePtr img) {
    if (!visible) return;
    plat::SetBlend(plat::LIGHTBLEND);
    plat::SetColor(ClampByte(255 * intensity * r), ClampByte(255 * intensity * g), ClampByte(255 * intensity * b));
    GameImagePtr saved = AlternativeImage;
    if (img) AlternativeImage = std::move(img);
    DoDraw();
    AlternativeImage = std::move(saved);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
}

// ---- TSprite: misc ---------------------------------------------------------------------

void TSprite::GetSize() {
    if (!image) return;
    w = image->w;
    h = image->h;
    w2 = image->w2;
    h2 = image->h2;
}

void TSprite::Kill() {
    if (!AttachedSprite) return;
    if (KillAttachedSprite) AttachedSprite->Kill();
    AttachedSprite.reset();
}

void TSprite::SetImage(GameImagePtr img) {
    image = std::move(img);
    GetSize();
}

void TSprite::SetName(const std::string& n) {
    name = n;
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void TSprite::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}
