#pragma once
// State of the error report, and the crash report of the main program's guard.
#include <exception>
#include <string>
#include <vector>

// The start-up step under way (0 once the game runs), shown in front of a
// report so a failure during start-up can be told apart.
extern int StartupStage;
// 1 = ErrorMessage draws its own box on the screen (until the game text is read).
extern int ErrorOnScreen;
extern int ErrorLogEnabled;
// Folder of "ErrorLog.txt" (the shared data folder once it is known).
extern std::string ErrorLogFolder;

// Writes the log, holding only this text. Until the folder is known nothing is
// written anywhere: the last text waits for SetErrorLogFolder.
void WriteErrorLog(const std::string& text);
void SetErrorLogFolder(const std::string& folder);
// Writes the waiting text, once its folder exists.
void WritePendingErrorLog();
// Forgets the folder and any waiting text.
void ResetErrorLog();
// Closes the graphics and shows the system pointer; shows an error the player
// has not seen yet, in words a player understands, and logs it with the
// start-up stage code in front.
void ReportCrash(const std::exception& error);
std::string CrashText(const std::string& text);
// Splits text into lines no wider than maxWidth pixels in the current font, at blanks.
std::vector<std::string> WrapTextToWidth(const std::string& text, int maxWidth);
