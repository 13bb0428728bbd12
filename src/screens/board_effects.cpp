#include "screens/board_effects.h"

#include <array>

#include "app/game.h"
#include "platform/stream.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

std::array<std::unique_ptr<TSmashParticleFX>, 2>& ScoreEffects() {
    static std::array<std::unique_ptr<TSmashParticleFX>, 2> effects;
    return effects;
}

int EffectIndex(int scoreType) { return scoreType == 2 ? 1 : 0; }

// The effect file's bytes from the archive manager, else the resource folder.
bool ReadEffectFile(const std::string& name, std::vector<uint8_t>& bytes) {
    if (const TPakFileManager* paks = PakManager()) {
        if (const PakItemPtr item = paks->GetItem(name)) {
            bytes = item->GetBinary();
            return true;
        }
    }
    return plat::LoadBytes(ResourceFolder() + name, bytes);
}

}  // namespace

bool LoadParticleImage() {
    TSmashParticle::SetImage(Game().ImagePath + PARTICLE_STRIP_FILE);
    return TSmashParticle::Image() != nullptr;
}

std::vector<std::string> LoadParticleEffects() {
    std::vector<std::string> problems;
    for (const char* name : {SCORE1_EFFECT_FILE, SCORE2_EFFECT_FILE}) {
        const int scoreType = name == SCORE1_EFFECT_FILE ? 1 : 2;
        SetScoreEffect(scoreType, nullptr);
        std::vector<uint8_t> bytes;
        if (!ReadEffectFile(name, bytes)) {
            problems.push_back(std::string("Could not load Particle FX '") + name + "'");
        } else {
            try {
                auto fx = std::make_unique<TSmashParticleFX>();
                fx->LoadFromBytes(bytes, name);
                SetScoreEffect(scoreType, std::move(fx));
            } catch (const TParticleFXError& error) {
                problems.push_back(error.what());
            }
        }
    }
    for (const auto& problem : problems) WriteErrorLog(problem);
    return problems;
}

const TSmashParticleFX* ScoreEffect(int scoreType) { return ScoreEffects()[EffectIndex(scoreType)].get(); }

void SetScoreEffect(int scoreType, std::unique_ptr<TSmashParticleFX> fx) {
    ScoreEffects()[EffectIndex(scoreType)] = std::move(fx);
}

bool TBoardEffect::IsFinished() const {
    const TEmitter& first = fx_->Emitter[0];
    return first.RenderType == RENDER_OFF || first.Finished();
}

void TBoardEffect::Manage(float delta) {
    // One emitter frame per whole tick of game time, whatever the frame rate
    // or the fraction the last tick of a frame gets.
    pending_ += delta;
    while (pending_ >= 1.0f) {
        fx_->Advance(1.0f, true);
        pending_ -= 1.0f;
    }
}

void TBoardEffect::Render(float /*delta*/) { fx_->Draw(); }

std::shared_ptr<TCellEffect> CreateScoreEffect(int scoreType, int x, int y) {
    const TSmashParticleFX* source = ScoreEffect(scoreType);
    if (!source) return nullptr;
    auto fx = TSmashParticleFX::DuplicateFrom(*source);
    fx->MoveTo(static_cast<float>(x), static_cast<float>(y));
    fx->SetLoop(true);
    return std::make_shared<TBoardEffect>(std::move(fx));
}
