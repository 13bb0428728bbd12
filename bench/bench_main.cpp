// The benchmark program's entry: the usual benchmark runner, or, when started
// by the idle-board benchmark, the measured copy of the game.
#include <benchmark/benchmark.h>

#include <cstring>

int RunIdleBoardChild();

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--idle-board-child") == 0) return RunIdleBoardChild();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
