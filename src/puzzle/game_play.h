#pragma once
// The gameplay object (active mode, level, score), the play-state flags and
// the play clock: one of each for the whole program.
#include <cstdint>
#include <memory>
#include <string>

#include "persistence/high_scores.h"
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
    void StartFinished();
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
    TLumenSpireHighScoreList HighscoreList;

    // 1 = the level editor, 2 = match-3 play: a new mode of that kind.
    void Init(int mode);
    void Logic();
    void Draw();

    // A try of the editor's layout: the editor waits aside, untouched, while
    // its layout is played with the real rules, and comes back as it was.
    // Nothing is saved or recorded meanwhile. StartTry answers 0 when the
    // editor is not the mode.
    int StartTry();
    void EndTry();
    bool IsTrying() const { return WaitingEditor != nullptr; }
    std::unique_ptr<TGameMode> WaitingEditor;

private:
    // What the try changes of the gameplay object, put back when it ends.
    struct TTryKept {
        std::string CurrentLevel;
        int IsCustomLevel = 0;
        int Score = 0;
    } tryKept_;
};

// Elapsed play time in milliseconds. Start: start = now, not paused. Pause:
// remember now. Resume: the start moves forward by the pause. Elapsed counts
// up to the pause while paused. The game screen pauses it while the game is
// paused or the in-game menu is open, so the play time leaves those out.
class TPlayClock {
public:
    uint32_t StartTime = 0;
    uint32_t PausedAt = 0;
    int Starts = 0;  // how often it started afresh

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
