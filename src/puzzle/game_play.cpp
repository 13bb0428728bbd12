#include "puzzle/game_play.h"

#include "app/game.h"

#include "platform/clock.h"
#include "puzzle/editor_mode.h"
#include "puzzle/match3_mode.h"

namespace {
std::unique_ptr<TGamePlay> gamePlay;
std::unique_ptr<TState> gameState;
std::unique_ptr<TPlayClock> playClock;
}  // namespace

void TState::Clear() {
    stateCustomMode = 0;
    stateBuildingLevel = 0;
    stateFinished = 0;
}

void TState::StartCustom() {
    Clear();
    stateCustomMode = 1;
}

void TState::StartFinished() {
    Clear();
    stateFinished = 1;
    disableButtons = 1;
}

void TGamePlay::Init(int mode) {
    WaitingEditor.reset();
    GameState().Clear();
    SelectedGameMode = mode;
    if (mode == GAMEMODE_MATCH3) {
        GameMode = std::make_unique<TGameModeMatch3>();
    } else {
        GameMode = std::make_unique<TGameModeEditor>();
        GameState().StartCustom();
    }
    GameMode->GameType = mode;
}

int TGamePlay::StartTry() {
    const auto* editor = dynamic_cast<const TGameModeEditor*>(GameMode.get());
    if (!editor || !editor->CellBox || IsTrying()) return 0;
    tryKept_ = {CurrentLevel, IsCustomLevel, Score};
    auto mode = std::make_unique<TGameModeMatch3>();
    mode->StartFromLayout(*editor->CellBox);
    WaitingEditor = std::move(GameMode);
    GameMode = std::move(mode);
    GameMode->GameType = SelectedGameMode = GAMEMODE_MATCH3;
    // A custom puzzle without a file: no next puzzle to offer, no name to show.
    CurrentLevel.clear();
    IsCustomLevel = 1;
    GameState().Clear();
    GameState().disableButtons = 0;
    PlayClock().Start();
    return 1;
}

void TGamePlay::EndTry() {
    if (!IsTrying()) return;
    GameMode = std::move(WaitingEditor);
    SelectedGameMode = GAMEMODE_EDITOR;
    CurrentLevel = tryKept_.CurrentLevel;
    IsCustomLevel = tryKept_.IsCustomLevel;
    Score = tryKept_.Score;
    ScoreAdder = 0;
    ShowVictoryParticles = 0;
    GameState().StartCustom();
    GameState().disableButtons = 0;
}

void TGamePlay::Logic() {
    if (GameMode) GameMode->Logic();
}

void TGamePlay::Draw() {
    if (GameMode) GameMode->Draw();
}

void TPlayClock::Start() {
    StartTime = plat::MilliSecs();
    PausedAt = 0;
    ++Starts;
}

void TPlayClock::Pause() {
    if (PausedAt == 0) PausedAt = plat::MilliSecs();
}

void TPlayClock::Resume() {
    if (PausedAt == 0) return;
    StartTime += plat::MilliSecs() - PausedAt;
    PausedAt = 0;
}

uint32_t TPlayClock::Elapsed() const { return (PausedAt != 0 ? PausedAt : plat::MilliSecs()) - StartTime; }

TGamePlay& GamePlay() {
    if (!gamePlay) gamePlay = std::make_unique<TGamePlay>();
    return *gamePlay;
}

TState& GameState() {
    if (!gameState) gameState = std::make_unique<TState>();
    return *gameState;
}

TPlayClock& PlayClock() {
    if (!playClock) playClock = std::make_unique<TPlayClock>();
    return *playClock;
}

void ResetPuzzleGlobals() {
    gamePlay.reset();
    gameState.reset();
    playClock.reset();
}

namespace {
[[maybe_unused]] const bool puzzleGlobalsReset = AddGlobalsReset(ResetPuzzleGlobals);
}
