#include "screens/resume_keeper.h"

#include <memory>

#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/resume_point.h"
#include "puzzle/save_game.h"

namespace {

std::unique_ptr<TResumeKeeper> keeper;

TGameModeMatch3* Match3() {
    return dynamic_cast<TGameModeMatch3*>(GamePlay().GameMode.get());
}

// The same play as far as resuming goes: the clock and the date may differ.
bool SamePlay(TSaveGameData a, const TSaveGameData& b) {
    a.ElapsedMs = b.ElapsedMs;
    a.SavedAt = b.SavedAt;
    return a == b;
}

[[maybe_unused]] const bool keeperReset = AddGlobalsReset([] { keeper.reset(); });

}  // namespace

TResumeKeeper& ResumeKeeper() {
    if (!keeper) keeper = std::make_unique<TResumeKeeper>();
    return *keeper;
}

void InstallResumeKeeper() {
    Game().KeepProgressFunction = [] { ResumeKeeper().WriteNow(); };
}

void TResumeKeeper::Arm() {
    player_ = Game().ProfileName;
    // A try of the editor's layout is the editor's, not a puzzle to come back to.
    armed_ = !player_.empty() && Match3() && !GameState().stateFinished && !GamePlay().IsTrying();
    written_ = false;
    WriteNow();
}

void TResumeKeeper::Disarm() { armed_ = false; }

void TResumeKeeper::Drop() {
    if (armed_) RemoveResumePoint(player_);
    armed_ = false;
}

bool TResumeKeeper::CurrentPlay(TSaveGameData& save) const {
    const TGameModeMatch3* mode = armed_ ? Match3() : nullptr;
    // A won board is no puzzle to come back to.
    if (!mode || !mode->CellBox || GameState().stateFinished || mode->IsFinished()) return false;
    save = SaveGameDataOf(*mode);
    return true;
}

void TResumeKeeper::Write(const TSaveGameData& save) {
    // A failed write is logged; the next move tries again.
    written_ = WriteResumePoint(save, player_);
    last_ = save;
    lastWrite_ = plat::MilliSecs();
}

void TResumeKeeper::WriteNow() {
    TSaveGameData save;
    if (CurrentPlay(save)) Write(save);
}

void TResumeKeeper::Manage() {
    const TGameModeMatch3* mode = armed_ ? Match3() : nullptr;
    if (!mode || !mode->CellBox || !mode->CellBox->IsSettled()) return;
    const uint32_t now = plat::MilliSecs();
    if (now - lastWrite_ < WRITE_INTERVAL_MS || now - lastCheck_ < CHECK_INTERVAL_MS) return;
    lastCheck_ = now;
    TSaveGameData save;
    if (CurrentPlay(save) && !(written_ && SamePlay(save, last_))) Write(save);
}
