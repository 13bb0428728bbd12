#include "effects/par_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using C = TEmitterConfig;

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void WriteU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::string Range(const char* name, float low, float high) {
    return std::string(name) + " must be within " + std::to_string(static_cast<int>(low)) + ".." +
           std::to_string(static_cast<int>(high));
}

}  // namespace

const std::array<TParField, 34>& ParFields() {
    static const std::array<TParField, 34> fields{{
        {"EmitterDelay", &C::EmitterDelay, nullptr},
        {"EmitterDuration", &C::EmitterDuration, nullptr},
        {"EmissionRate", &C::EmissionRate, nullptr},
        {"EmissionEachFrame", &C::EmissionEachFrame, nullptr},
        {"SpeedX", &C::SpeedX, nullptr},
        {"SpeedY", &C::SpeedY, nullptr},
        {"SpeedVarX", &C::SpeedVarX, nullptr},
        {"SpeedVarY", &C::SpeedVarY, nullptr},
        {"SizeVar", &C::SizeVar, nullptr},
        {"LaunchSize", &C::LaunchSize, nullptr},
        {"Grow", &C::Grow, nullptr},
        {"MinSize", &C::MinSize, nullptr},
        {"MaxSize", &C::MaxSize, nullptr},
        {"Alpha", &C::Alpha, nullptr},
        {"AlphaVar", &C::AlphaVar, nullptr},
        {"AlphaChange", &C::AlphaChange, nullptr},
        {"RotationSpeed", &C::RotationSpeed, nullptr},
        {"RotationVar", &C::RotationVar, nullptr},
        {"RotationStart", &C::RotationStart, nullptr},
        {"StartOffsetX", &C::StartOffsetX, nullptr},
        {"StartOffsetY", &C::StartOffsetY, nullptr},
        {"StartOffsetVarX", &C::StartOffsetVarX, nullptr},
        {"StartOffsetVarY", &C::StartOffsetVarY, nullptr},
        {"ColorChangeR", &C::ColorChangeR, nullptr},
        {"ColorChangeG", &C::ColorChangeG, nullptr},
        {"ColorChangeB", &C::ColorChangeB, nullptr},
        {"LifeTime", &C::LifeTime, nullptr},
        {"RenderType", nullptr, &C::RenderType},
        {"Image", nullptr, &C::Image},
        {"ColorR", &C::ColorR, nullptr},
        {"ColorG", &C::ColorG, nullptr},
        {"ColorB", &C::ColorB, nullptr},
        {"GravityX", &C::GravityX, nullptr},
        {"GravityY", &C::GravityY, nullptr},
    }};
    return fields;
}

std::string CheckEmitterConfig(const TEmitterConfig& c) {
    for (const auto& field : ParFields()) {
        if (!field.Float) continue;
        const float v = c.*field.Float;
        if (!std::isfinite(v)) return std::string(field.Name) + " is not a number";
        if (std::fabs(v) > PAR_MAX_MAGNITUDE) return std::string(field.Name) + " is out of range";
    }
    if (c.RenderType < RENDER_ALPHA || c.RenderType > RENDER_OFF) return Range("RenderType", 0, 3);
    if (c.Image < 0 || c.Image >= PARTICLE_FRAMES) return Range("Image", 0, PARTICLE_FRAMES - 1);
    if (c.EmitterDelay < 0 || c.EmitterDelay > PAR_MAX_FRAMES) return Range("EmitterDelay", 0, PAR_MAX_FRAMES);
    if (c.EmitterDuration < 0 || c.EmitterDuration > PAR_MAX_FRAMES)
        return Range("EmitterDuration", 0, PAR_MAX_FRAMES);
    if (c.LifeTime < 0 || c.LifeTime > PAR_MAX_FRAMES) return Range("LifeTime", 0, PAR_MAX_FRAMES);
    if (c.EmissionRate < 0 || c.EmissionRate > PAR_MAX_RATE) return Range("EmissionRate", 0, PAR_MAX_RATE);
    if (c.EmissionEachFrame < 0 || c.EmissionEachFrame > PAR_MAX_FRAMES)
        return Range("EmissionEachFrame", 0, PAR_MAX_FRAMES);
    // Particles alive at once: each emission frame within one life span adds n + 1.
    const float perEmission = std::trunc(c.EmissionRate) + 1.0f;
    const float emissionsPerLife = (c.LifeTime + 1.0f) / std::max(1.0f, c.EmissionEachFrame);
    if (perEmission * emissionsPerLife > PAR_MAX_LIVE_PARTICLES)
        return "too many particles at once (EmissionRate, EmissionEachFrame and LifeTime together)";
    return {};
}

std::string ParseParBytes(const std::vector<uint8_t>& bytes, TParRecords& records) {
    if (bytes.size() != PAR_FILE_SIZE)
        return "a particle effect must be " + std::to_string(PAR_FILE_SIZE) + " bytes, not " +
               std::to_string(bytes.size());
    TParRecords read;
    for (int e = 0; e < PAR_EMITTERS; ++e) {
        const uint8_t* p = bytes.data() + e * PAR_RECORD_SIZE;
        for (const auto& field : ParFields()) {
            const uint32_t raw = ReadU32(p);
            p += 4;
            if (field.Float) {
                float v;
                std::memcpy(&v, &raw, 4);
                read[e].*field.Float = v;
            } else {
                read[e].*field.Int = static_cast<int32_t>(raw);
            }
        }
        if (auto problem = CheckEmitterConfig(read[e]); !problem.empty())
            return "emitter " + std::to_string(e) + ": " + problem;
    }
    // Position is not stored: keep the defaults' place.
    records = read;
    return {};
}

std::vector<uint8_t> ParBytes(const TParRecords& records) {
    std::vector<uint8_t> out;
    out.reserve(PAR_FILE_SIZE);
    for (const auto& record : records) {
        for (const auto& field : ParFields()) {
            uint32_t raw;
            if (field.Float) {
                std::memcpy(&raw, &(record.*field.Float), 4);
            } else {
                raw = static_cast<uint32_t>(record.*field.Int);
            }
            WriteU32(out, raw);
        }
    }
    return out;
}
