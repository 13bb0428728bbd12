#pragma once
// Sprite particles: a sprite with a short life of its own (delay, fades,
// spin, growth, gravity, phases) that leaves its list when its time, fade,
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

// One step of a particle's phase sequence.
class TParticlePhase {
public:
    float Length = 0;  // updates
    int Hidden = 0;
    float dx = 0, dy = 0;
    int SetCoords = 0;
    float SetX = 0, SetY = 0;
    float ygravity = 0;
    float FadeInMS = 0, FadeSustainMS = 0, FadeMS = 0;
    int DoRotate = 0;
    float RotationSpeed = 0;
    int SetAngle = 0;
    float Angle = 0;
    int DoScale = 0;
    float ScaleSpeed = 0;
    float Scale = 0;  // 0 = leave
    int Alpha = -1;   // -1 = leave
    ParticleFunc UserFunction;

    void SetFade(float fadeInMs, float sustainMs, float fadeMs);
};

class TParticle : public TSprite {
public:
    TParticleList* Particles = nullptr;
    int Hidden = 0;
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
    std::vector<std::shared_ptr<TParticlePhase>> PhaseList;
    std::shared_ptr<TParticlePhase> CurrentPhase;
    float PhaseCounter = 0;
    int NoOutOfBounds = 0;
    int KillOnFade = 1;
    int KillAfterAnim = 0;
    float DelayCounter = 0;
    ParticleFunc DelayFinished;
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

    void SetDelay(float ms);
    void SetFade(float fadeInMs, float sustainMs, float fadeMs);
    TParticlePhase& AddPhase(float ms);
    void StartPhases();
    void ApplyPhase(const std::shared_ptr<TParticlePhase>& phase);
    // 0 while the phase runs, 1 when the next one began, -1 after the last.
    int ManagePhases();

    // One logic update (delay, phases, movement, destination, bounds, fades,
    // rotation, scale, life); the particle may kill itself.
    void Move() override;
    void Draw() override;
    // Inactive, out of its list (swept after the list's walk), attached
    // particle killed when KillAttachedParticle, data dropped.
    void Kill() override;
    bool IsAlive() const { return active != 0; }
};

class TParticleList {
public:
    static constexpr size_t DEFAULT_CAP = 2000;
    size_t Cap = DEFAULT_CAP;

    // Null when the list is full.
    ParticlePtr AddNew(float x, float y, GameImagePtr image, float dx, float dy, float ygravity, float fadeMs,
                       int lightBlend, int rotate, float rotationSpeed, float scale, float scaleSpeed, float lifeMs,
                       int addFirst);
    // Move, then (delay over) the frame animation, killing at its end with KillAfterAnim.
    void Manage();
    void Move();
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

// The shared list of celebration bursts.
TParticleList& SharedParticles();
// One burst particle: random drift up, gravity, 1 s fade-out, light blending,
// random spin and size, unlimited life, added at the end.
ParticlePtr AddParticle(TParticleList& list, float x, float y, const GameImagePtr& image);
// trunc(count * ViewState().Particles / 100) burst particles, each with a random
// colour of channels 100..255. Answers how many were added.
int AddParticles(TParticleList& list, float x, float y, const GameImagePtr& image, int count);
inline ParticlePtr AddParticle(float x, float y, const GameImagePtr& image) {
    return AddParticle(SharedParticles(), x, y, image);
}
inline int AddParticles(float x, float y, const GameImagePtr& image, int count) {
    return AddParticles(SharedParticles(), x, y, image, count);
}
