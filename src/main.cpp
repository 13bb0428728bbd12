#include <string>
#include <vector>

#include "command_line.h"
#include "puzzle/custom_par.h"
#include "startup.h"

int main(int argc, char** argv) {
    // A helper working out the par of a player's own puzzle, started by the game itself.
    if (argc == 4 && std::string(argv[1]) == PAR_HELPER_ARGUMENT) return RunParHelper(argv[2], argv[3]);
    const TCommandLine line = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const int status = RunCommandLine(line); status >= 0) return status;
    return RunProgram(line.FullScreen);
}
