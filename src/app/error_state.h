#pragma once
// State of the error report, and the crash report of the main program's guard.
#include <exception>
#include <string>
#include <vector>

// 1 = ErrorMessage draws its own box on the screen (until the game text is read).
extern int ErrorOnScreen;
extern int ErrorLogEnabled;
// Folder of "ErrorLog.txt" (the shared data folder once it is known).
extern std::string ErrorLogFolder;

// Raised by a fatal error in on-screen mode: the process ends without the
// exit routine. The main program turns it into the process's exit status.
class TProcessEnd : public std::exception {
public:
    const char* what() const noexcept override { return "process end"; }
};

void WriteErrorLog(const std::string& text);
// Closes the graphics, shows the system pointer and shows the exception's
// text with the start-up stage code in front.
void ReportCrash(const std::exception& error);
std::string CrashText(const std::string& text);
// Splits text into lines no wider than maxWidth pixels in the current font, at blanks.
std::vector<std::string> WrapTextToWidth(const std::string& text, int maxWidth);
