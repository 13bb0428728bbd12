#pragma once
// The main program: start-up in order, the main loop and the exit routine.
#include <string>
#include <vector>

// Makes the folder that holds "data/resources/" the working folder: beside
// the program first (the build tree), then the installed data folder.
// Answers false, after telling the player where it looked, when none has it.
bool FindDataFolder();
std::vector<std::string> DataFolderCandidates();

// Start-up through to the first screen; throws on failure like the game does.
void StartGame();
// The main loop until the program should end.
void RunMainLoop();
// Runs once: good-exit marker, audio released, config saved, "play.url" opened.
void GameExit();
// The whole program; answers the process's exit status. runFullScreen: the
// command line's full screen (1) or window (0) for this run, or -1.
int RunProgram(int runFullScreen = -1);
