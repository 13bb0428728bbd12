#pragma once
// Never lose a puzzle: while a match-3 puzzle is in play it is kept as the
// player's resume point. It is written when the game screen takes up the
// puzzle, after every move once the board has settled (so a killed game
// loses at most the move under way), on a close request and when the main
// loop ends. Winning the puzzle or quitting it on purpose removes it; a
// restart writes the fresh board.
//
// The writes after moves go to a writer thread of the keeper's own, so that
// the disk never holds up a frame; the board is turned into the file's bytes
// on the game's thread. A write that fails is logged once and tried again
// only when the play has changed.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "puzzle/board_text.h"

// Writes files one at a time on a thread of its own; a file posted while an
// older one of the same writer still waits replaces it.
class TBackgroundWriter {
public:
    struct TResult {
        std::string Path;
        bool Written = false;
        int Error = 0;
    };
    TBackgroundWriter() = default;
    TBackgroundWriter(const TBackgroundWriter&) = delete;
    TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;
    ~TBackgroundWriter();
    void Post(const std::string& path, std::string bytes);
    // Waits until every posted file is written.
    void Wait();
    // The outcome of the latest write finished since the last call.
    std::optional<TResult> TakeResult();

private:
    void Run();
    std::mutex mutex_;
    std::condition_variable work_, done_;
    std::optional<std::pair<std::string, std::string>> pending_;
    std::optional<TResult> result_;
    bool busy_ = false, stop_ = false;
    std::thread thread_;
};

class TResumeKeeper {
public:
    // Between two looks at a settled board for changes other than moves.
    static constexpr uint32_t CHECK_INTERVAL_MS = 250;

    // The game screen shows a match-3 puzzle of the current player: it is
    // kept from now on, and written at once.
    void Arm();
    // Nothing is kept any more; the resume point stays as it is (the editor).
    void Disarm();
    // The puzzle was won or quit: its resume point goes.
    void Drop();
    // One tick of the game screen: hands the play to the writer once a move
    // has settled, and hears how the last write went.
    void Manage();
    // Writes the puzzle in play now and waits for it, when one is kept.
    void WriteNow();
    // Waits for the writer (tests, benchmarks).
    void Flush();
    bool Armed() const { return armed_; }

private:
    // The current play when it can be kept.
    bool CurrentPlay(TSaveGameData& save) const;
    void Post(const TSaveGameData& save);
    void Hear(const TBackgroundWriter::TResult& result);

    std::string player_;
    bool armed_ = false;
    // Something was handed to the writer since Arm, and it was last_.
    bool posted_ = false;
    // The last failure is in the log; the next one of the same run is not logged.
    bool failureLogged_ = false;
    bool wasSettled_ = false;
    TSaveGameData last_;
    uint32_t lastCheck_ = 0;
    TBackgroundWriter writer_;
};

TResumeKeeper& ResumeKeeper();
// Makes the keeper the application object's KeepProgressFunction.
void InstallResumeKeeper();
