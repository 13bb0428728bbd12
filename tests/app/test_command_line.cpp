// The program's options, read apart from the program, and the program itself
// answering them without a window.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "command_line.h"
#include "puzzle/board_text.h"
#include "puzzle/daily_puzzle.h"

namespace {

TCommandLine Read(std::vector<std::string> words) { return ReadCommandLine(words); }

// The program's standard output and exit status for the given options.
std::pair<std::string, int> RunGame(const std::string& options) {
    const std::string command = std::string(VC_TEST_BINARY_DIR) + "/vellichorns " + options + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pipe ? pclose(pipe) : -1;
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

TEST(CommandLine, OptionsAreReadAndMistakesRefusedInOneLine) {
    EXPECT_EQ(Read({}).Action, TCommandLine::PLAY);
    EXPECT_EQ(Read({"--help"}).Action, TCommandLine::HELP);
    EXPECT_EQ(Read({"--version", "--help"}).Action, TCommandLine::HELP);
    EXPECT_EQ(Read({"--version"}).Action, TCommandLine::VERSION);
    const TCommandLine daily = Read({"--windowed", "--daily", "2024-02-29"});
    EXPECT_EQ(daily.Action, TCommandLine::DAILY);
    EXPECT_EQ(daily.Date, "2024-02-29");
    EXPECT_EQ(Read({"--daily=2027-01-01"}).Date, "2027-01-01");
    EXPECT_EQ(Read({"--fullscreen"}).FullScreen, 1);
    EXPECT_EQ(Read({"--windowed"}).FullScreen, 0);
    EXPECT_EQ(Read({}).FullScreen, -1);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--daily"}, {"--daily", "2023-02-29"}, {"--daily", "2026-13-01"},
          {"--daily", "26-12-01"}, {"--daily", "2026-1-011"}, {"--windowed", "--fullscreen"}, {"-x"}, {"play"}}) {
        const TCommandLine line = Read(bad);
        EXPECT_EQ(line.Action, TCommandLine::REFUSED) << bad.back();
        EXPECT_FALSE(line.Problem.empty());
        EXPECT_EQ(line.Problem.find('\n'), std::string::npos);
    }
}

TEST(CommandLine, TheProgramAnswersWithoutAWindowAndTheDailyPuzzleIsTheSameInEveryProcess) {
    const auto [help, helpStatus] = RunGame("--help");
    EXPECT_EQ(helpStatus, 0);
    for (const char* option : {"--windowed", "--fullscreen", "--daily", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    const auto [version, versionStatus] = RunGame("--version");
    EXPECT_EQ(versionStatus, 0);
    EXPECT_EQ(version.rfind("vellichorns ", 0), 0u) << version;
    EXPECT_NE(RunGame("--bogus").second, 0);
    EXPECT_NE(RunGame("--daily 2026-02-30").second, 0);
    const auto first = RunGame("--daily 2026-12-09");
    const auto second = RunGame("--daily 2026-12-09");
    EXPECT_EQ(first.second, 0);
    EXPECT_EQ(first.first.size(), LAYOUT_FILE_SIZE);
    EXPECT_EQ(first.first, second.first);
    EXPECT_EQ(first.first, FormatLayout(MakeDailyPuzzle({2026, 12, 9}).Layout));
}
