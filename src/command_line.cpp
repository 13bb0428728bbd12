#include "command_line.h"

#include <cstdio>

#include "puzzle/board_text.h"
#include "puzzle/daily_puzzle.h"

#ifndef VC_VERSION
#define VC_VERSION "unknown"
#endif

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine line;
    auto refuse = [&line](const std::string& problem) {
        line.Action = TCommandLine::REFUSED;
        line.Problem = problem;
        return line;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            line.Action = TCommandLine::HELP;
        } else if (word == "--version") {
            if (line.Action == TCommandLine::PLAY) line.Action = TCommandLine::VERSION;
        } else if (word == "--windowed" || word == "--fullscreen") {
            const int wanted = word == "--fullscreen" ? 1 : 0;
            if (line.FullScreen >= 0 && line.FullScreen != wanted)
                return refuse("--windowed and --fullscreen cannot both be given");
            line.FullScreen = wanted;
        } else if (word == "--daily" || word.starts_with("--daily=")) {
            const bool joined = word.size() > 7;
            if (!joined && i + 1 == arguments.size()) return refuse("--daily needs a date (YYYY-MM-DD)");
            line.Date = joined ? word.substr(8) : arguments[++i];
            if (!ParseIsoDate(line.Date)) return refuse("not a date (YYYY-MM-DD): '" + line.Date + "'");
            if (line.Action == TCommandLine::PLAY) line.Action = TCommandLine::DAILY;
        } else {
            return refuse("unknown option '" + word + "' (try --help)");
        }
    }
    return line;
}

std::string CommandLineHelp() {
    return "Usage: vellichorns [OPTION]...\n"
           "A match-three puzzle game on marble floors.\n"
           "\n"
           "  --windowed           start in a window (this run only)\n"
           "  --fullscreen         start full screen (this run only)\n"
           "  --daily YYYY-MM-DD   write that day's daily puzzle to standard output\n"
           "                       in the layout file format, and exit\n"
           "  -h, --help           show this help and exit\n"
           "  --version            show the version and exit\n";
}

int RunCommandLine(const TCommandLine& line) {
    switch (line.Action) {
        case TCommandLine::PLAY:
            return -1;
        case TCommandLine::HELP:
            std::fputs(CommandLineHelp().c_str(), stdout);
            return 0;
        case TCommandLine::VERSION:
            std::printf("vellichorns %s\n", VC_VERSION);
            return 0;
        case TCommandLine::DAILY: {
            const std::string text = FormatLayout(MakeDailyPuzzle(*ParseIsoDate(line.Date)).Layout);
            std::fwrite(text.data(), 1, text.size(), stdout);
            return 0;
        }
        case TCommandLine::REFUSED:
            break;
    }
    std::fprintf(stderr, "vellichorns: %s\n", line.Problem.c_str());
    return 2;
}
