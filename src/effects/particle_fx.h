#pragma once
// File-driven particle effects: a bank of ten emitters, each spawning small
// textured particles with random speed, size, alpha and rotation that move
// under gravity and fade and recolour over their life. All particles are
// frames of one shared strip, "particles.png". Timing counts calls to
// Advance (frames), not milliseconds.
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "effects/par_file.h"
#include "platform/graphics.h"

// A ".par" file that cannot be read or written, or that the game refuses.
class TParticleFXError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One live particle of an emitter.
struct TSmashParticle {
    float x = 0, y = 0;
    float zoom = 1.0f;
    float alpha = 1.0f;
    float gravityX = 0, gravityY = 0;
    float dx = 0, dy = 0;
    float r = 255, g = 255, b = 255;
    float rotation = 0;
    float rotation_speed = 0;
    int frame = 0;

    // The shared strip: 9 frames of 128 x 128, mid-handled. Null until set.
    static void SetImage(const std::string& url);
    static void SetImage(plat::ImagePtr strip);
    static const plat::ImagePtr& Image();

    static TSmashParticle Create(float x, float y, float zoom, float dx, float dy, float alpha, float r, float g,
                                 float b, float rotation_speed, float gravityX, float gravityY, float rotation);
};

class TEmitter : public TEmitterConfig {
public:
    int Frame = 0;
    std::vector<TSmashParticle> Particles;
    float StartTime = 0;
    float CurrTime = 0;

    void Loop();
    bool Finished() const;
    // One step: emits, moves and ages the particles; Draw shows them as they are.
    void Advance(float delta, bool emit);
    void Draw() const;

private:
    bool EmitsThisFrame(bool emit) const;
    void Emit();
    void DrawParticle(const TSmashParticle& p) const;
    void SetBlend() const;
};

class TSmashParticleFX {
public:
    std::array<TEmitter, PAR_EMITTERS> Emitter;
    bool LoopFX = false;
    bool Running = true;

    // A copy of the source's settings with fresh clocks and no particles.
    static std::unique_ptr<TSmashParticleFX> DuplicateFrom(const TSmashParticleFX& source);

    // Reads the ten records; a file the game refuses changes nothing and
    // throws TParticleFXError.
    void LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& name);
    TParRecords Records() const;

    void SetLoop(bool loop) { LoopFX = loop; }
    void MoveTo(float x, float y);
    // A step, and drawing without a step (see TEmitter).
    void Advance(float delta, bool emit);
    void Draw() const;
    void Stop() { Running = false; }
};
