#pragma once
// Match-3 play: owns the live board, the record of the board as the level
// started, hints, the score roll-up, the chain bonus, the no-moves question
// and the progress bar.
#include <memory>
#include <optional>
#include <string>

#include "resources/animation.h"
#include "persistence/personal_bests.h"
#include "puzzle/cell_box.h"
#include "puzzle/game_mode.h"
#include "puzzle/match3_hint.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/banks.h"

class TGameModeMatch3;

// A private deep copy of a board with two numbers.
class TMatch3Undo {
public:
    int ScorePoints = 0;
    int BonusMatch = 0;
    std::unique_ptr<TCellBox> CellBox;

    void Clear();
    void SetFromCurrentValues(const TGameModeMatch3& mode, int score, int bonus);
    // The mode's board becomes a new copy, so the record can be applied again.
    void SetAsCurrentValues(TGameModeMatch3& mode) const;
};

class TGameModeMatch3 : public TGameMode {
public:
    std::unique_ptr<TCellBox> CellBox;
    std::unique_ptr<TMatch3Undo> OriginalPuzzle;
    int ShowHelpMessage = 1;
    GameImagePtr ProgressImage, ProgressMoImage;
    int TotalMarbles = 0;
    int ScorePoints = 0;
    TMatch3HintList HintList;
    std::optional<TMatch3Hint> CurrentHint;
    std::unique_ptr<TPuzzleQuestion> ShufflePieces;
    int HasShownShufflePiecesDialog = 0;
    std::optional<TAnimation> HintAnimation;
    int HasPlayedHintSound = 0;
    std::optional<TAnimation> StartGameAnimation;
    int BonusCounter = 0;
    std::optional<TAnimation> BonusAnimation;
    std::optional<TAnimation> BonusEndAnimation;
    int BonusTotalPoints = 0;
    int CheckedEndBonus = 0;
    // For the summary of a won puzzle: the swaps that made a match, and the
    // chain bonus of every window so far (shown, never added to the score).
    int MovesMade = 0;
    int BonusEarned = 0;
    // The player's statistics counted since they were last recorded (all but
    // the play time, which the play clock keeps), and the play clock then
    // (which start of it, and its time).
    TPlayerStats Tally;
    int TallyClockStarts = -1;
    long long TallyClockMs = 0;

    TGameModeMatch3();

    // ---- the mode base -----------------------------------------------------
    int Clear() override;
    int Draw() override;
    int GameFinished() override;
    int Init(const std::string& path, int custom) override;
    int IsGameFinished() override;
    int Logic() override;
    int Reset() override;
    int ResetHintTimer(int delayMs) override;
    bool AskShuffleAgain() override;
    // A reshuffle the player asked for (counted); DealGems deals without counting.
    int Shuffle() override;
    int DealGems();
    // Saved games (save_game.cpp): 1 on success; 0 with FileError set.
    int SaveGame(const std::string& basePath) override;
    int LoadGame(const std::string& path) override;

    // Everything Init does after the layout is in the board: walls, a fresh
    // random filling, the original record and the marble total.
    void StartLoadedLevel();
    // Plays the layout of the given board (the editor's) as Init plays a
    // file's: a fresh game on a copy of its floor.
    void StartFromLayout(const TCellBox& layout);

    void AddOriginalUndo();
    void CheckBonusCounter();
    void DrawBonus() const;
    void DrawDebugInformation() const {}
    void DrawHelpMessage() const;
    void DrawHint() const;
    void DrawProgress() const;
    void EndBonus();
    std::optional<TMatch3Hint> GetRandomHint() const;
    bool IsFinished() const;
    void ManageBonus();
    void ManageHint();
    void ManageScore();
    void ManageStartGameAnimation();
    void PlayBonusApplauseSound() const { PlaySound("applause2"); }
    void PlayClickSound() const { PlaySound("buttonclick2"); }
    void PlayHintSound() const { PlaySound("hint"); }
    void PlayInvalidSound() const { PlaySound("buttonclick2"); }
    void PlayMatchSound() const { PlaySound("score"); }
    void PlayStartSound() const { PlaySound("startgame"); }
    void ResetCurrentHint() { CurrentHint.reset(); }
    void ResetHint();
    void ResetScore();
    void StartStartGameAnimation();

    // Percentage of the original marble already cleared (100 without marble).
    int ProgressPercent() const;
    // The no-moves question is due or open (also without a dialog hook).
    bool IsAskingShuffle() const;

private:
    static void PlaySound(const char* name);
    void ClearBonusState();
    void AdoptBox();
};
