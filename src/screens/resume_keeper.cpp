#include "screens/resume_keeper.h"

#include <cerrno>
#include <memory>
#include <utility>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
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

// ---- the writer thread --------------------------------------------------------

TBackgroundWriter::~TBackgroundWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    work_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void TBackgroundWriter::Post(const std::string& path, std::string bytes) {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(path, std::move(bytes));
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    work_.notify_one();
}

void TBackgroundWriter::Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !pending_ && !busy_; });
}

std::optional<TBackgroundWriter::TResult> TBackgroundWriter::TakeResult() {
    std::lock_guard lock(mutex_);
    return std::exchange(result_, std::nullopt);
}

void TBackgroundWriter::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        work_.wait(lock, [this] { return stop_ || pending_; });
        // What is posted is written, even when the writer is going.
        if (!pending_) return;
        auto [path, bytes] = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        const bool written = plat::WriteFileAtomic(path, bytes);
        const int error = written ? 0 : errno;
        lock.lock();
        busy_ = false;
        result_ = TResult{path, written, error};
        done_.notify_all();
    }
}

// ---- the keeper ------------------------------------------------------------------

void TResumeKeeper::Arm() {
    player_ = Game().ProfileName;
    // A try of the editor's layout is the editor's, not a puzzle to come back to.
    armed_ = !player_.empty() && Match3() && !GameState().stateFinished && !GamePlay().IsTrying();
    posted_ = false;
    wasSettled_ = false;
    WriteNow();
}

void TResumeKeeper::Disarm() { armed_ = false; }

void TResumeKeeper::Drop() {
    if (armed_) {
        // A write still under way must not bring it back.
        writer_.Wait();
        RemoveResumePoint(player_);
    }
    armed_ = false;
}

bool TResumeKeeper::CurrentPlay(TSaveGameData& save) const {
    const TGameModeMatch3* mode = armed_ ? Match3() : nullptr;
    // A won board is no puzzle to come back to.
    if (!mode || !mode->CellBox || GameState().stateFinished || mode->IsFinished()) return false;
    save = SaveGameDataOf(*mode);
    return true;
}

void TResumeKeeper::Hear(const TBackgroundWriter::TResult& result) {
    if (result.Written) {
        failureLogged_ = false;
    } else if (!failureLogged_) {
        // Once: the play is tried again when it changes, not logged again.
        ReportWriteFailure(result.Path, result.Error);
        failureLogged_ = true;
    }
}

void TResumeKeeper::Post(const TSaveGameData& save) {
    writer_.Post(ResumePointPath(player_), ResumePointBytes(save, player_));
    last_ = save;
    posted_ = true;
}

void TResumeKeeper::WriteNow() {
    TSaveGameData save;
    if (!CurrentPlay(save)) return;
    // A failure already logged for this very play is not tried again.
    if (posted_ && failureLogged_ && SamePlay(save, last_)) return;
    Post(save);
    writer_.Wait();
    if (auto result = writer_.TakeResult()) Hear(*result);
}

void TResumeKeeper::Flush() {
    writer_.Wait();
    if (auto result = writer_.TakeResult()) Hear(*result);
}

void TResumeKeeper::Manage() {
    if (auto result = writer_.TakeResult()) Hear(*result);
    const TGameModeMatch3* mode = armed_ ? Match3() : nullptr;
    const bool settled = mode && mode->CellBox && mode->CellBox->IsSettled();
    const bool justSettled = settled && !wasSettled_;
    wasSettled_ = settled;
    if (!settled) return;
    // A move that has just settled is looked at at once; a settled board
    // now and then (a reshuffle, a restart).
    const uint32_t now = plat::MilliSecs();
    if (!justSettled && now - lastCheck_ < CHECK_INTERVAL_MS) return;
    lastCheck_ = now;
    TSaveGameData save;
    if (CurrentPlay(save) && !(posted_ && SamePlay(save, last_))) Post(save);
}
