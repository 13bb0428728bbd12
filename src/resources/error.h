#pragma once
// The one error report of the game: shown to the player, written to the
// error log, and (when fatal) the end of the program through the exception
// guard of the main program.
#include <stdexcept>
#include <string>

// A game error travelling to the main program's guard. Shown = the player has
// seen the text already and the error log holds it, so the guard only ends
// the program (through the exit routine) without showing it a second time.
class TGameError : public std::runtime_error {
public:
    explicit TGameError(const std::string& text, bool shown = false) : std::runtime_error(text), Shown(shown) {}
    bool Shown;
};

// Raised by a fatal ErrorMessage: the process ends without the exit routine,
// so no good-exit marker claims a clean end and the config file is left alone.
class TFatalError : public TGameError {
public:
    using TGameError::TGameError;
};

// Shows text to the player and writes it to the error log with the start-up
// stage code in front; detail (for developers) goes to the log only.
void ErrorMessage(const std::string& text, bool fatal, const std::string& detail = {});
