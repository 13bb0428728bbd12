#pragma once
// The drawable object of the GUI toolkit: an image or animation strip at a
// float position with velocity, gravity, rotation, scale, alpha, tint, drop
// shadow, glow and frame animation; plus the small colour, shadow and box
// helpers that sprites and widgets share.
//
// A sprite does nothing by itself: its owner calls the per-update operations
// (Move, ManageAnim, ManageRotation, ManageScale, ManageGlow, ...) from its
// logic step and Draw from its draw step. Rates are per update and scaled by
// Delta; durations in ms become counter units through AnimTiming().CalcAnimLength.
#include <functional>
#include <memory>
#include <string>

#include "resources/animation.h"
#include "resources/banks.h"

// ---- colour ------------------------------------------------------------------
class TColor {
public:
    int R = 0, G = 0, B = 0;
    float Alpha = 1.0f;

    static std::shared_ptr<TColor> Create(int r, int g, int b, float alpha = 1.0f);
    void Set(int r, int g, int b, float alpha = 1.0f);
    // Drawing colour and alpha.
    void Apply() const;
    // Drawing colour only.
    void ApplyNoAlpha() const;
    // White, alpha 1.
    static void Restore();
};
using ColorPtr = std::shared_ptr<TColor>;

// ---- shadow --------------------------------------------------------------------
// Global shadow state of text drawing, set by TShadow::ApplyToText.
extern float TextShadowX;
extern float TextShadowY;
extern float TextShadowAlpha;

class TShadow {
public:
    float X = 1.0f, Y = 1.0f;
    float Alpha = 0.5f;

    static std::shared_ptr<TShadow> Create(float x, float y, float alpha);
    void Init(float x, float y, float alpha);
    // Text drawn with a shadow from now on uses this offset and alpha.
    void ApplyToText() const;
};
using ShadowPtr = std::shared_ptr<TShadow>;

// ---- filled rectangle -------------------------------------------------------------
class TBox {
public:
    int Active = 1;
    ColorPtr Color;
    float X = 0, Y = 0, W = 0, H = 0;

    static std::shared_ptr<TBox> Create(float x, float y, float w, float h, ColorPtr color);
    void Init(float x, float y, float w, float h, ColorPtr color);
    // Nothing without a colour.
    void Draw() const;
    void Kill();
};
using BoxPtr = std::shared_ptr<TBox>;

// ---- sprite ---------------------------------------------------------------------------
class TSprite;
using SpritePtr = std::shared_ptr<TSprite>;

class TSprite {
public:
    TSprite() = default;
    virtual ~TSprite() = default;

    std::string name;
    int active = 0;
    int visible = 1;
    float x = 0, y = 0;
    float offx = 0, offy = 0;
    int UseOffset = 0;
    float dx = 0, dy = 0;
    float xspeed = 0, yspeed = 0;
    float ygravity = 0;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    GameImagePtr image;
    int RoundCoords = 0;
    int ImageFrame = 0;
    ColorPtr Color;
    int Shadow = 0;
    float ShadowX = 3.0f, ShadowY = 3.0f;
    float ShadowAlpha = 0.5f;
    int frame = 0;
    int FramesTotal = 1;
    float AnimCounter = 0;
    int AnimLength = 1000;
    int AnimCounterDir = 0;
    int AnimReverse = 0;
    int PingPong = 0;
    float FrameLength = 0;
    int Loop = 1;
    int LoopCount = 0;
    float ScaleX = 1.0f, ScaleY = 1.0f;
    float BaseScaleX = 1.0f, BaseScaleY = 1.0f;
    float ScaleXSpeed = 0.1f, ScaleYSpeed = 0.1f;
    float ScaleCounter = 0;
    int ScaleLength = 1000;
    float Rotation = 0;
    float RotationSpeed = 1.0f;
    float RotationCounter = 0;
    int RotationLength = 1000;
    int RotationLoop = 0;
    int UseAlpha = 1;
    float Alpha = 1.0f;
    int GlowMode = 0;  // 0 none, 1 fixed, 2 fading, 3 pulsing
    float Glow = 0;
    float GlowSpeed = 0;
    float GlowMin = 0, GlowMax = 1.0f;
    float GlowRange = 1.0f;
    std::shared_ptr<TSineCounter> GlowCounter = std::make_shared<TSineCounter>();
    GameImagePtr AlternativeImage;
    std::shared_ptr<TSineCounter> MiscSineCounter;
    float cx = 0, cy = 0;
    // Called with the sprite when the animation reaches an end.
    std::function<void(TSprite&)> AnimStoppedFunction;
    float ox = 0, oy = 0;
    SpritePtr AttachedSprite;
    int KillAttachedSprite = 1;

    // ---- creation ----
    static SpritePtr Create(GameImagePtr image, float x = 0, float y = 0);

    // ---- animation ----
    virtual int AnimBoundsCheckLower();  // 1 when an end was handled
    virtual int AnimBoundsCheckUpper();
    virtual int GetAnimFrame() const;
    // One update; answers the bound check's result.
    virtual int ManageAnim();

    // ---- position and movement ----
    virtual void BoundsCheck();
    virtual void Centre();
    virtual void CentreX(float y);
    virtual void Move();
    virtual void MoveLeft();
    virtual void MoveRight();
    virtual void MoveOriginalCoords();
    virtual int OutOfBounds() const;
    virtual void SetPosition(float x, float y);
    virtual void Stop();

    // ---- transformations ----
    virtual void ClearScale();
    virtual void ManageRotation();
    virtual void ManageScale();
    virtual float Width() const;
    virtual float Height() const;

    // ---- glow ----
    virtual void ManageGlow();
    virtual void SetGlow(int mode, float glow, float speed = 0, float min = 0, float max = 1.0f);

    // ---- drawing ----
    virtual void DoDraw();
    // DoDraw, then the glow overlay when GlowMode > 0.
    virtual void Draw();
    // Redraws the sprite additively at brightness intensity (times r, g, b),
    // with image (when given) in place of the sprite's own.
    virtual void DrawLight(float intensity, float r = 1.0f, float g = 1.0f, float b = 1.0f,
                           GameImagePtr image = nullptr);
    virtual void DrawNormal();
    virtual void DrawRounded();
    virtual void DrawShadow(const GameImagePtr& image, int frame);

    // ---- misc ----
    virtual void GetSize();
    virtual void Init() {}
    // Releases the attached sprite, killing it first when KillAttachedSprite.
    virtual void Kill();
    virtual void SetImage(GameImagePtr image);
    virtual void SetName(const std::string& name);
    virtual void SetShadow(int on, float x = 3.0f, float y = 3.0f, float alpha = 0.5f);

protected:
    // The frame drawn now: the animation frame while the counter runs,
    // otherwise ImageFrame.
    int CurrentDrawFrame() const;
    const GameImagePtr& DrawnImage() const;
    void DrawImageAt(const GameImagePtr& img, int frame, float px, float py);
    void TurnToCountDown();
    void TurnToCountUp();
};
