#pragma once
// Files the game cannot write (a read-only or full data folder) do not stop
// it: every failure goes to the error log with its path and the system's
// reason, and the first one of the run is also shown to the player, once, in
// plain words, in the game's own dialog once a screen is up.
#include <string>

// error is the errno of the failed write.
void ReportWriteFailure(const std::string& path, int error);
// A failed write the player asked for (a saved game, a puzzle): logged with
// its path like any other, and answered as the plain words for the caller to
// show (then no other notice of it follows). Without a text table, the log line.
std::string WriteFailureMessage(const std::string& path, int error);
// The notice of the run's first failure, once, when it has not been shown
// yet and the game text is read; else "".
std::string TakeWriteFailureNotice();
// Forgets the failures of this run.
void ResetWriteFailures();
