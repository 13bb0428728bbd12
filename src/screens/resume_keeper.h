#pragma once
// Never lose a puzzle: while a match-3 puzzle is in play it is kept as the
// player's resume point. It is written when the game screen takes up the
// puzzle, after each move once the board has settled (at most every few
// seconds of game time, so a killed game loses at most the last move), on a
// close request and when the main loop ends. Winning the puzzle or quitting
// it on purpose removes it; a restart writes the fresh board.
#include <cstdint>
#include <string>

#include "puzzle/board_text.h"

class TResumeKeeper {
public:
    // Between two writes after moves, and between two looks at the board.
    static constexpr uint32_t WRITE_INTERVAL_MS = 3000;
    static constexpr uint32_t CHECK_INTERVAL_MS = 250;

    // The game screen shows a match-3 puzzle of the current player: it is
    // kept from now on, and written at once.
    void Arm();
    // Nothing is kept any more; the resume point stays as it is (the editor).
    void Disarm();
    // The puzzle was won or quit: its resume point goes.
    void Drop();
    // One tick of the game screen: writes once a move has settled.
    void Manage();
    // Writes the puzzle in play now, when one is kept.
    void WriteNow();

private:
    // The current play when it can be kept.
    bool CurrentPlay(TSaveGameData& save) const;
    void Write(const TSaveGameData& save);

    std::string player_;
    bool armed_ = false;
    bool written_ = false;
    TSaveGameData last_;
    uint32_t lastWrite_ = 0, lastCheck_ = 0;
};

TResumeKeeper& ResumeKeeper();
// Makes the keeper the application object's KeepProgressFunction.
void InstallResumeKeeper();
