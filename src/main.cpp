#include "startup.h"

int main() { return RunProgram(); }
