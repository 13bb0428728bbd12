#pragma once
// The gameplay object (active mode, level, score), the play-state flags and
// the play clock: one of each for the whole program.
#include <cstdint>
#include <memory>
#include <string>

#include "puzzle/game_mode.h"

class TState {
public:
    int stateCustomMode = 0;
    int stateBuildingLevel = 0;
    int stateFinished = 0;
    int disableButtons = 0;
    int isMakingLevel = 0;
    int isReShuffling = 0;

    void Clear();
    void StartCustom();
    void StopCustom() { stateCustomMode = 0; }
    void StartBuildingLevel();
    void StopBuildingLevel();
    void StartFinished();
    void StopFinished();
};

class TGamePlay {
public:
    std::unique_ptr<TGameMode> GameMode;
    int SelectedGameMode = GAMEMODE_MATCH3;
    std::string CurrentLevel;
    int IsCustomLevel = 0;
    int ShowVictoryParticles = 0;
    int Score = 0;
    int ScoreAdder = 0;

    void Logic();
    void Draw();
};

// Elapsed play time in milliseconds, paused while menus are shown.
class TPlayClock {
public:
    uint32_t StartTime = 0;
    uint32_t PausedAt = 0;

    void Start();
    void Pause();
    void Resume();
    uint32_t Elapsed() const;
};

TGamePlay& GamePlay();
TState& GameState();
TPlayClock& PlayClock();
// Fresh gameplay object, state and clock (tests, and a new run).
void ResetPuzzleGlobals();
