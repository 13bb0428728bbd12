#pragma once
// Base of the two gameplay modes: match-3 play and the level editor.
#include <string>

enum GameModeType { GAMEMODE_EDITOR = 1, GAMEMODE_MATCH3 = 2 };

class TGameMode {
public:
    int GameType = 0;
    // Why the last load or save of a file failed ("" after a success), for
    // the screens to show.
    std::string FileError;

    virtual ~TGameMode() = default;
    virtual int Clear() { return 0; }
    virtual int Draw() { return 0; }
    virtual int GameFinished() { return 0; }
    virtual int Init(const std::string& /*path*/, int /*custom*/) { return 0; }
    virtual int IsGameFinished() { return 0; }
    virtual int LoadGame(const std::string& /*path*/) { return 0; }
    virtual int Logic() { return 0; }
    virtual int Reset() { return 0; }
    virtual int ResetHintTimer(int /*delayMs*/) { return 0; }
    // On a board with no move left whose reshuffle was declined: asks again.
    // False when there is a move (or nothing to ask).
    virtual bool AskShuffleAgain() { return false; }
    virtual int SaveGame(const std::string& /*path*/) { return 0; }
    virtual int Shuffle() { return 0; }
};
