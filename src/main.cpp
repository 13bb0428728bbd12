#include <string>
#include <vector>

#include "command_line.h"
#include "startup.h"

int main(int argc, char** argv) {
    const TCommandLine line = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const int status = RunCommandLine(line); status >= 0) return status;
    return RunProgram(line.FullScreen);
}
