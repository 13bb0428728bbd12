#pragma once
// The one error report of the game: shown to the player, written to the
// error log, and (when fatal) the end of the program through the exception
// guard of the main program.
#include <stdexcept>
#include <string>

// Raised by a fatal ErrorMessage; the main program's guard reports it again
// with the start-up stage code in front and leaves through the exit routine.
class TGameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void ErrorMessage(const std::string& text, bool fatal);
