#include <string>

#include "puzzle/custom_par.h"
#include "startup.h"

int main(int argc, char** argv) {
    // A helper working out the par of a player's own puzzle.
    if (argc == 4 && std::string(argv[1]) == PAR_HELPER_ARGUMENT) return RunParHelper(argv[2], argv[3]);
    return RunProgram();
}
