#pragma once
// Sprite particles: a sprite with a short life of its own (fades, spin,
// growth, gravity) that leaves its list when its time, fade,
// size or the screen run out. The owner of a list calls Manage once per logic
// update and Draw once per frame. Killed particles are swept from the list
// after each walk, and a list holds at most Cap particles.
#include <functional>
#include <memory>
#include <vector>

#include "gui/sprite.h"

class TParticle;
class TParticleList;
using ParticlePtr = std::shared_ptr<TParticle>;
using ParticleFunc = std::function<void(TParticle&)>;

class TParticle : public TSprite {
public:
    TParticleList* Particles = nullptr;
    float LifeCounter = 0;  // updates left; 0 = unlimited
    float FadeIn = 0;
    float FadeSustainCounter = 0;
    float FadeCounter = 0;
    float FadeInLength = 0, FadeLength = 0;
    int DoLightBlend = 0;
    int DoRotate = 0;
    int DoScale = 0;
    int Data1 = 0, Data2 = 0, Data3 = 0;
    std::shared_ptr<void> DataObject;
    float FloatData1 = 0;
    int NoOutOfBounds = 0;
    int KillOnFade = 1;
    int KillAfterAnim = 0;
    int UpdateOriginalCoords = 0;
    ParticleFunc UserMove;
    ParticleFunc DestinationReached;
    int DestX = 0, DestY = 0;
    ParticleFunc UserKill;
    ParticlePtr AttachedParticle;
    int KillAttachedParticle = 1;

    static ParticlePtr CreateSpecial(GameImagePtr image, float x, float y, float dx, float dy, float ygravity,
                                     float fadeMs, int lightBlend, int rotate, float rotationSpeed, float scale,
                                     float scaleSpeed, float lifeMs);


    // One logic update (movement, destination, bounds, fades, rotation,
    // scale, life); the particle may kill itself.
    void Move() override;
    void Draw() override;
    // Inactive, out of its list (swept after the list's walk), attached
    // particle killed when KillAttachedParticle, data dropped.
    void Kill() override;
};

class TParticleList {
public:
    static constexpr size_t DEFAULT_CAP = 2000;
    size_t Cap = DEFAULT_CAP;

    // Null when the list is full.
    ParticlePtr AddNew(float x, float y, GameImagePtr image, float dx, float dy, float ygravity, float fadeMs,
                       int lightBlend, int rotate, float rotationSpeed, float scale, float scaleSpeed, float lifeMs,
                       int addFirst);
    // Move, then the frame animation, killing at its end with KillAfterAnim.
    void Manage();
    void Draw();
    void Clear();

    size_t Count() const { return items_.size(); }
    const std::vector<ParticlePtr>& Items() const { return items_; }

private:
    friend class TParticle;
    std::vector<ParticlePtr> items_;
    void Sweep();
    template <typename F>
    void Walk(F f);
};

// One burst particle: random drift up, gravity, 1 s fade-out, light blending,
// random spin and size, unlimited life, added at the end.
ParticlePtr AddParticle(TParticleList& list, float x, float y, const GameImagePtr& image);
// trunc(count * ViewState().Particles / 100) burst particles, each with a random
// colour of channels 100..255. Answers how many were added.
int AddParticles(TParticleList& list, float x, float y, const GameImagePtr& image, int count);
