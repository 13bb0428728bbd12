#include "gui/particles.h"

#include <algorithm>
#include <cmath>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "resources/view_state.h"
#include "platform/clock.h"
#include "platform/graphics.h"

namespace {

float Ticks(float ms) { return AnimTiming().CalcAnimLength(ms); }

// Has the coordinate reached the destination, moving in the direction of speed?
bool Reached(float value, float speed, int destination) {
    return speed > 0 ? value >= destination : value <= destination;
}

}  // namespace

// ---- TParticle -------------------------------------------------------------------------

ParticlePtr TParticle::CreateSpecial(GameImagePtr image, float x, float y, float dx, float dy, float ygravity,
                                     float fadeMs, int lightBlend, int rotate, float rotationSpeed, float scale,
                                     float scaleSpeed, float lifeMs) {
    auto p = std::make_shared<TParticle>();
    p->SetImage(std::move(image));
    p->active = 1;
    p->x = x;
    p->y = y;
    p->dx = dx;
    p->dy = dy;
    if (lifeMs > 0) p->LifeCounter = Ticks(lifeMs);
    p->FadeLength = p->FadeCounter = Ticks(std::trunc(fadeMs));
    if (p->FadeLength > 0) p->UseAlpha = 1;
    p->DoLightBlend = lightBlend;
    p->ygravity = ygravity;
    p->DoRotate = rotate;
    p->RotationSpeed = rotationSpeed;
    p->ScaleX = p->ScaleY = scale;
    if (scaleSpeed != 0) {
        p->ScaleXSpeed = p->ScaleYSpeed = scaleSpeed;
        p->DoScale = 1;
    }
    return p;
}

void TParticle::Move() {
    if (!active) return;
    // 1. Movement.
    if (UserMove) {
        UserMove(*this);
    } else if (UpdateOriginalCoords) {
        MoveOriginalCoords();
    } else {
        TSprite::Move();
    }
    // 2. Destination.
    if (DestinationReached && Reached(x, dx, DestX) && Reached(y, dy, DestY)) DestinationReached(*this);
    // 3. Bounds.
    if (!NoOutOfBounds && OutOfBounds()) {
        Kill();
        return;
    }
    // 4. Fading.
    if (FadeIn != 0) {
        FadeCounter += Delta;
        if (FadeCounter >= FadeInLength) {
            FadeCounter = FadeLength;
            FadeIn = 0;
            Alpha = 1;
        }
    } else if (FadeSustainCounter > 0) {
        FadeSustainCounter -= Delta;
        if (FadeSustainCounter <= 0) {
            FadeSustainCounter = 0;
            FadeCounter = FadeLength;
        }
    } else if (FadeCounter > 0) {
        FadeCounter -= Delta;
        if (FadeCounter <= 0) {
            Alpha = 0;
            if (KillOnFade) {
                Kill();
                return;
            }
        }
    }
    // 5. Rotation.
    if (DoRotate > 0) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360) Rotation -= 360;
    } else if (DoRotate < 0) {
        Rotation -= RotationSpeed * Delta;
        if (Rotation < 0) Rotation += 360;
    }
    // 6. Scaling.
    if (DoScale == 1) {
        ScaleX += ScaleXSpeed * Delta;
        ScaleY += ScaleYSpeed * Delta;
        if (ScaleX <= 0 || ScaleY <= 0) {
            Kill();
            return;
        }
    }
    // 7. Life.
    if (LifeCounter > 0) {
        LifeCounter -= Delta;
        if (LifeCounter <= 0) Kill();
    }
}

void TParticle::Draw() {
    if (!active) return;
    if (FadeCounter > 0) {
        const float length = FadeIn != 0 ? FadeInLength : FadeLength;
        if (length > 0) Alpha = std::min(1.0f, FadeCounter / length);
    }
    if (DoLightBlend) plat::SetBlend(plat::LIGHTBLEND);
    TSprite::Draw();
    if (DoLightBlend) plat::SetBlend(plat::ALPHABLEND);
}

void TParticle::Kill() {
    if (!active) return;
    TSprite::Kill();
    if (UserKill) UserKill(*this);
    active = 0;
    Particles = nullptr;  // the list sweeps inactive particles after its walk
    if (AttachedParticle) {
        if (KillAttachedParticle == 1) AttachedParticle->Kill();
        AttachedParticle.reset();
    }
    DataObject.reset();
}

// ---- TParticleList -------------------------------------------------------------------------

ParticlePtr TParticleList::AddNew(float x, float y, GameImagePtr image, float dx, float dy, float ygravity,
                                  float fadeMs, int lightBlend, int rotate, float rotationSpeed, float scale,
                                  float scaleSpeed, float lifeMs, int addFirst) {
    Sweep();
    if (items_.size() >= Cap) return nullptr;
    auto p = TParticle::CreateSpecial(std::move(image), x, y, dx, dy, ygravity, fadeMs, lightBlend, rotate,
                                      rotationSpeed, scale, scaleSpeed, lifeMs);
    p->Particles = this;
    if (addFirst)
        items_.insert(items_.begin(), p);
    else
        items_.push_back(p);
    return p;
}

template <typename F>
void TParticleList::Walk(F f) {
    // Particles may kill themselves or others during the walk; the walk holds
    // its own references and the dead are swept afterwards.
    const std::vector<ParticlePtr> walk = items_;
    for (const auto& p : walk)
        if (p->active) f(*p);
    Sweep();
}

void TParticleList::Sweep() {
    std::erase_if(items_, [](const ParticlePtr& p) { return !p->active; });
}

void TParticleList::Manage() {
    Walk([](TParticle& p) {
        p.Move();
        if (p.active && p.ManageAnim() && p.KillAfterAnim) p.Kill();
    });
}

void TParticleList::Draw() {
    Walk([](TParticle& p) { p.Draw(); });
}

void TParticleList::Clear() {
    for (const auto& p : items_) p->Particles = nullptr;
    items_.clear();
}

// ---- bursts ----------------------------------------------------------------------------------

ParticlePtr AddParticle(TParticleList& list, float x, float y, const GameImagePtr& image) {
    const float dx = plat::RndF(-1.5f, 1.5f);
    const float dy = plat::RndF(-2.0f, 0.0f);
    const int rotate = plat::Rand(0, 1) ? 1 : -1;
    const float rotationSpeed = plat::RndF(0.5f, 3.0f);
    const float scale = plat::RndF(0.3f, 1.0f);
    return list.AddNew(x, y, image, dx, dy, 0.01f, 1000, 1, rotate, rotationSpeed, scale, 0, 0, 0);
}

int AddParticles(TParticleList& list, float x, float y, const GameImagePtr& image, int count) {
    const int amount = std::clamp(ViewState().Particles, 0, 100);
    const int total = static_cast<int>(std::trunc(static_cast<double>(count) * amount / 100.0));
    int added = 0;
    for (int i = 0; i < total; ++i) {
        const ParticlePtr p = AddParticle(list, x, y, image);
        if (!p) break;
        p->Color = TColor::Create(plat::Rand(100, 255), plat::Rand(100, 255), plat::Rand(100, 255));
        ++added;
    }
    return added;
}
