#pragma once
// Files the game cannot write (a read-only or full data folder) do not stop
// it: every failure goes to the error log with its path and the system's
// reason, and the first one of the run is also shown to the player, once, in
// plain words.
#include <string>

// error is the errno of the failed write.
void ReportWriteFailure(const std::string& path, int error);
// Shows the first failure if it came before the game text was read (the
// settings are written before it is) and has not been shown yet.
void ShowPendingWriteFailure();
// Forgets the failures of this run.
void ResetWriteFailures();
