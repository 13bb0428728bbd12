#include "effects/particle_fx.h"

#include <cmath>
#include <optional>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace {

plat::ImagePtr& SharedStrip() {
    static plat::ImagePtr strip;
    return strip;
}

constexpr int STRIP_CELL = 128;

// The drawing settings an emitter changes, put back when it is done.
class TSavedDrawState {
public:
    TSavedDrawState() {
        rotation_ = plat::GetRotation();
        plat::GetScale(sx_, sy_);
        alpha_ = plat::GetAlpha();
        plat::GetColor(r_, g_, b_);
        blend_ = plat::GetBlend();
    }
    ~TSavedDrawState() {
        plat::SetRotation(rotation_);
        plat::SetScale(sx_, sy_);
        plat::SetAlpha(alpha_);
        plat::SetColor(r_, g_, b_);
        plat::SetBlend(blend_);
    }
    TSavedDrawState(const TSavedDrawState&) = delete;
    TSavedDrawState& operator=(const TSavedDrawState&) = delete;

private:
    float rotation_ = 0, sx_ = 1, sy_ = 1, alpha_ = 1;
    int r_ = 255, g_ = 255, b_ = 255, blend_ = plat::ALPHABLEND;
};

float Rnd(float a, float b) { return a == b ? a : static_cast<float>(plat::Rnd(a, b)); }

float ClampZoom(float zoom, float low, float high) {
    if (zoom < low) zoom = low;
    if (zoom > high) zoom = high;
    return zoom;
}

}  // namespace

// ---- TSmashParticle -------------------------------------------------------------

void TSmashParticle::SetImage(const std::string& url) {
    SetImage(plat::LoadAnimImage(url, STRIP_CELL, STRIP_CELL, 0, PARTICLE_FRAMES));
}

void TSmashParticle::SetImage(plat::ImagePtr strip) {
    // Particles are placed by their centre.
    if (strip) plat::MidHandleImage(*strip);
    SharedStrip() = std::move(strip);
}

const plat::ImagePtr& TSmashParticle::Image() { return SharedStrip(); }

TSmashParticle TSmashParticle::Create(float x, float y, float zoom, float dx, float dy, float alpha, float r,
                                      float g, float b, float rotation_speed, float gravityX, float gravityY,
                                      float rotation) {
    TSmashParticle p;
    p.x = x;
    p.y = y;
    p.zoom = zoom;
    p.dx = dx;
    p.dy = dy;
    p.alpha = alpha;
    p.r = r;
    p.g = g;
    p.b = b;
    p.rotation_speed = rotation_speed;
    p.gravityX = gravityX;
    p.gravityY = gravityY;
    p.rotation = rotation;
    return p;
}

// ---- TEmitter ------------------------------------------------------------------------

void TEmitter::Loop() {
    if (Frame > EmitterDuration + EmitterDelay) Frame = 0;
}

bool TEmitter::Finished() const { return Frame > EmitterDuration + EmitterDelay + LifeTime; }

bool TEmitter::EmitsThisFrame(bool emit) const {
    if (!emit) return false;
    if (std::fmod(static_cast<double>(Frame), static_cast<double>(EmissionEachFrame)) != 0.0) return false;
    return EmitterDelay <= Frame && Frame <= EmitterDuration + EmitterDelay;
}

void TEmitter::Emit() {
    const int count = static_cast<int>(std::trunc(EmissionRate)) + 1;
    for (int i = 0; i < count; ++i) {
        // The random terms are drawn in this order.
        const float rotationSpeed = RotationSpeed + Rnd(-RotationVar, RotationVar);
        const float alpha = Alpha + Rnd(-AlphaVar, AlphaVar);
        const float dy = SpeedY + Rnd(-SpeedVarY, SpeedVarY);
        const float dx = SpeedX + Rnd(-SpeedVarX, SpeedVarX);
        const float zoom = LaunchSize + Rnd(-SizeVar, SizeVar);
        const float y = Y + StartOffsetY + Rnd(-StartOffsetVarY, StartOffsetVarY);
        const float x = X + StartOffsetX + Rnd(-StartOffsetVarX, StartOffsetVarX);
        Particles.push_back(TSmashParticle::Create(x, y, zoom, dx, dy, alpha, ColorR, ColorG, ColorB, rotationSpeed,
                                                   GravityX, GravityY, RotationStart));
    }
}

void TEmitter::SetBlend() const {
    switch (RenderType) {
        case RENDER_ADD: plat::SetBlend(plat::LIGHTBLEND); break;
        case RENDER_MUL: plat::SetBlend(plat::SHADEBLEND); break;
        default: plat::SetBlend(plat::ALPHABLEND); break;
    }
}

void TEmitter::DrawParticle(const TSmashParticle& p) const {
    const auto& strip = SharedStrip();
    if (!strip) return;
    plat::SetRotation(p.rotation);
    const float zoom = ClampZoom(p.zoom, MinSize, MaxSize);
    plat::SetScale(zoom, zoom);
    plat::SetColor(static_cast<int>(p.r), static_cast<int>(p.g), static_cast<int>(p.b));
    plat::SetAlpha(p.alpha);
    plat::DrawImage(*strip, p.x, p.y, Image);
}

void TEmitter::Advance(float delta, bool emit) {
    if (RenderType == RENDER_OFF) return;
    if (Frame == 0) StartTime = static_cast<float>(plat::MilliSecs());
    CurrTime = static_cast<float>(plat::MilliSecs()) - StartTime;
    ++Frame;
    if (EmitsThisFrame(emit)) Emit();

    // Walk and compact in one pass; expired particles are dropped in place.
    size_t kept = 0;
    for (size_t i = 0; i < Particles.size(); ++i) {
        TSmashParticle& p = Particles[i];
        p.zoom = ClampZoom(p.zoom, MinSize, MaxSize);
        p.x += p.dx * delta;
        p.y += p.dy * delta;
        p.dx += GravityX * delta;
        p.dy += GravityY * delta;
        p.r += ColorChangeR * delta;
        p.g += ColorChangeG * delta;
        p.b += ColorChangeB * delta;
        p.alpha += AlphaChange * delta;
        p.rotation += p.rotation_speed * delta;
        p.zoom += Grow * delta;
        ++p.frame;
        if (p.frame > LifeTime) continue;
        if (kept != i) Particles[kept] = p;
        ++kept;
    }
    Particles.resize(kept);
}

void TEmitter::Draw() const {
    if (RenderType == RENDER_OFF || Particles.empty()) return;
    TSavedDrawState saved;
    SetBlend();
    for (const auto& p : Particles) DrawParticle(p);
}

// ---- TSmashParticleFX -------------------------------------------------------------------

std::unique_ptr<TSmashParticleFX> TSmashParticleFX::DuplicateFrom(const TSmashParticleFX& source) {
    auto fx = std::make_unique<TSmashParticleFX>();
    fx->LoopFX = source.LoopFX;
    fx->Running = source.Running;
    for (int i = 0; i < PAR_EMITTERS; ++i)
        static_cast<TEmitterConfig&>(fx->Emitter[i]) = static_cast<const TEmitterConfig&>(source.Emitter[i]);
    return fx;
}

void TSmashParticleFX::LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
    TParRecords records;
    if (auto problem = ParseParBytes(bytes, records); !problem.empty())
        throw TParticleFXError("Could not load Particle FX '" + name + "': " + problem);
    for (int i = 0; i < PAR_EMITTERS; ++i) {
        TEmitterConfig& config = Emitter[i];
        const float x = config.X, y = config.Y;
        config = records[i];
        config.X = x;
        config.Y = y;
    }
}

TParRecords TSmashParticleFX::Records() const {
    TParRecords records;
    for (int i = 0; i < PAR_EMITTERS; ++i) records[i] = Emitter[i];
    return records;
}

void TSmashParticleFX::MoveTo(float x, float y) {
    for (auto& emitter : Emitter) {
        emitter.X = x;
        emitter.Y = y;
    }
}

void TSmashParticleFX::Advance(float delta, bool emit) {
    if (!Running) return;
    for (auto& emitter : Emitter) {
        emitter.Advance(delta, emit);
        if (LoopFX) emitter.Loop();
    }
}

void TSmashParticleFX::Draw() const {
    if (!Running) return;
    for (const auto& emitter : Emitter) emitter.Draw();
}
