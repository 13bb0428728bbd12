#pragma once
// The particle effects of the board: the shared strip "particles.png", the two
// burst effects "score1.par" (normal floor) and "score2.par" (marble) read
// once at start-up, and the burst given to every cleared gem.
#include <memory>
#include <string>
#include <vector>

#include "effects/particle_fx.h"
#include "puzzle/puzzle_hooks.h"

constexpr const char* PARTICLE_STRIP_FILE = "particles.png";
constexpr const char* SCORE1_EFFECT_FILE = "score1.par";
constexpr const char* SCORE2_EFFECT_FILE = "score2.par";

// Start-up: loads Game().ImagePath + "particles.png" as 9 frames of 128 x 128
// into the shared strip. False when it cannot be loaded (effects then draw
// nothing); the caller decides how to report that.
bool LoadParticleImage();

// Start-up, once the archives are mounted: reads "score1.par" and
// "score2.par" from the archive manager (archives and loose files of the
// resource folder), or straight from the resource folder when no archive is
// mounted. Answers one message per effect that is missing or refused; each is
// also written to the error log. A refused effect is left out (no burst).
std::vector<std::string> LoadParticleEffects();

// The loaded effect for floor kind 1 (normal) or 2 (marble); null when not loaded.
const TSmashParticleFX* ScoreEffect(int scoreType);
// Replaces or drops (null) a loaded effect (tests).
void SetScoreEffect(int scoreType, std::unique_ptr<TSmashParticleFX> fx);

// A burst over a cleared gem: a copy of the loaded effect, stepped once per
// elapsed logic tick (so it runs at the same pace at any frame rate) and
// drawn as it is when the cell draws.
class TBoardEffect : public TCellEffect {
public:
    explicit TBoardEffect(std::unique_ptr<TSmashParticleFX> fx) : fx_(std::move(fx)) {}
    void SetLoop(bool loop) override { fx_->SetLoop(loop); }
    // The first emitter has finished (an emitter that is off counts as finished).
    bool IsFinished() const override;
    void Manage(float delta) override;
    void Render(float delta) override;
    const TSmashParticleFX& Effect() const { return *fx_; }

private:
    std::unique_ptr<TSmashParticleFX> fx_;
    float pending_ = 0;  // game time not yet stepped, in ticks
};

// The CreateCellEffect hook: a TBoardEffect of the loaded effect for the
// floor kind at (x, y), looping; null when that effect is not loaded.
std::shared_ptr<TCellEffect> CreateScoreEffect(int scoreType, int x, int y);
