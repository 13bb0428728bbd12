#pragma once
// The ".par" particle-effect file: ten emitter records of 136 bytes (1360
// bytes, no header), each 34 little-endian values of 4 bytes. The game only
// reads these files; tools/parwriter makes them from readable sources.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Blend modes of an emitter; RENDER_OFF switches the emitter off.
enum RenderType { RENDER_ALPHA = 0, RENDER_ADD = 1, RENDER_MUL = 2, RENDER_OFF = 3 };

constexpr int PAR_EMITTERS = 10;
constexpr int PAR_RECORD_SIZE = 136;
constexpr int PAR_FILE_SIZE = PAR_EMITTERS * PAR_RECORD_SIZE;
constexpr int PARTICLE_FRAMES = 9;  // frames of the shared strip "particles.png"

// Everything about an emitter that is configured rather than running, with
// the values a new emitter gets (switched off).
struct TEmitterConfig {
    float X = 220.0f, Y = 330.0f;
    float EmitterDelay = 0;
    float EmitterDuration = 10.0f;
    float EmissionRate = 1.0f;
    float EmissionEachFrame = 1.0f;
    int Image = 4;
    float SpeedX = 0, SpeedY = 0;
    float SpeedVarX = 0, SpeedVarY = 0;
    float LaunchSize = 1.0f;
    float SizeVar = 0;
    float Grow = 0;
    float MinSize = 0;
    float MaxSize = 1.0f;
    float Alpha = 1.0f;
    float AlphaVar = 0;
    float AlphaChange = 0;
    float RotationSpeed = 0;
    float RotationVar = 0;
    float RotationStart = 0;
    float ColorR = 255, ColorG = 255, ColorB = 255;
    float ColorChangeR = 0, ColorChangeG = 0, ColorChangeB = 0;
    float StartOffsetX = 0, StartOffsetY = 0;
    float StartOffsetVarX = 0, StartOffsetVarY = 0;
    float GravityX = 0, GravityY = 0;
    float LifeTime = 100.0f;
    int RenderType = RENDER_OFF;

    bool operator==(const TEmitterConfig&) const = default;
};

using TParRecords = std::array<TEmitterConfig, PAR_EMITTERS>;

// One stored value of a record, in file order.
struct TParField {
    const char* Name;
    float TEmitterConfig::*Float;  // null for the two integers
    int TEmitterConfig::*Int;
};
// The 34 values of a record in file order (SizeVar before LaunchSize).
const std::array<TParField, 34>& ParFields();

// Limits a stored effect must keep. Lengths are in frames (calls to Render).
constexpr float PAR_MAX_FRAMES = 10000.0f;      // delay, duration and life
constexpr float PAR_MAX_RATE = 99.0f;           // EmissionRate (n + 1 particles each time)
constexpr float PAR_MAX_MAGNITUDE = 1.0e6f;     // any other value
constexpr float PAR_MAX_LIVE_PARTICLES = 2000;  // per emitter, at the worst moment

// "" when the record is acceptable, else what is wrong with it.
std::string CheckEmitterConfig(const TEmitterConfig& config);

// Fills records from file bytes. "" on success; otherwise the reason, and
// records is left as it was.
std::string ParseParBytes(const std::vector<uint8_t>& bytes, TParRecords& records);
// The file bytes of the records (X and Y are not stored).
std::vector<uint8_t> ParBytes(const TParRecords& records);
