#pragma once
// The program's options: --help, --version, --daily YYYY-MM-DD, --windowed,
// --fullscreen. Reading them touches nothing; RunCommandLine answers those
// that end the program before any window opens.
#include <string>
#include <vector>

struct TCommandLine {
    enum EAction { PLAY, HELP, VERSION, DAILY, REFUSED };
    EAction Action = PLAY;
    std::string Date;     // DAILY: the date as given, checked
    int FullScreen = -1;  // 1 --fullscreen, 0 --windowed, -1 neither
    std::string Problem;  // REFUSED: one line for the player
};

// The arguments after the program's name.
TCommandLine ReadCommandLine(const std::vector<std::string>& arguments);
std::string CommandLineHelp();

// For every action but PLAY: prints the answer (stdout) or the problem
// (stderr) and answers the exit status; -1 for PLAY.
int RunCommandLine(const TCommandLine& line);
