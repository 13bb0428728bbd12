// libFuzzer target: the ".par" reader must refuse anything but a sound
// 1360-byte effect, and an accepted effect must run without trouble: every
// emitter's particles stay within the bounds the reader promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "effects/par_file.h"
#include "effects/particle_fx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    TSmashParticleFX fx;
    try {
        fx.LoadFromBytes(bytes, "fuzz.par");
    } catch (const TParticleFXError&) {
        return 0;
    }
    if (ParBytes(fx.Records()) != bytes) std::abort();
    fx.SetLoop(true);
    for (int frame = 0; frame < 300; ++frame) {
        fx.Advance(1.0f, true);
        for (const auto& e : fx.Emitter)
            if (e.Particles.size() > static_cast<size_t>(PAR_MAX_LIVE_PARTICLES) + 100) std::abort();
    }
    return 0;
}
