#include "app/write_failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "resources/error_state.h"
#include "platform/files.h"
#include "platform/os.h"
#include "resources/resource_globals.h"

namespace {

struct TWriteFailure {
    std::string Path;
    int Error = 0;
};

// The first failure, until the player has seen it.
std::optional<TWriteFailure> waiting;
bool shown = false;

std::string Reason(int error) {
    const char* key = nullptr;
    if (error == EACCES || error == EPERM) key = "Write Reason Denied";
    if (error == EROFS) key = "Write Reason Read Only";
    if (error == ENOSPC || error == EDQUOT || error == EFBIG) key = "Write Reason Full";
    const std::string text = key ? GameText().FindString(key) : std::string();
    return text.empty() ? std::strerror(error) : text;
}

std::string Replaced(std::string text, const std::string& mark, const std::string& by) {
    if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), by);
    return text;
}

// The player's message, or nothing while the game text is not read.
std::string NoticeText(const TWriteFailure& failure) {
    const std::string text = GameText().FindString("Cannot Save");
    if (text.empty()) return {};
    return Replaced(Replaced(text, "FFF", plat::ExtractDir(failure.Path)), "RRR", Reason(failure.Error));
}

std::string LogFailure(const std::string& path, int error) {
    // The log may lie in the same folder; standard error always takes the line.
    const std::string line = "Could not write " + path + ": " + std::strerror(error);
    std::fprintf(stderr, "Vellichorns: %s\n", line.c_str());
    WriteErrorLog(line);
    return line;
}

}  // namespace

void ReportWriteFailure(const std::string& path, int error) {
    LogFailure(path, error);
    if (shown || waiting) return;
    waiting = TWriteFailure{path, error};
}

std::string WriteFailureMessage(const std::string& path, int error) {
    const std::string line = LogFailure(path, error);
    const std::string text = NoticeText(TWriteFailure{path, error});
    if (text.empty()) return line;
    // The player reads it now: no notice of the same folder later.
    waiting.reset();
    shown = true;
    return text;
}

std::string TakeWriteFailureNotice() {
    if (!waiting) return {};
    const std::string text = NoticeText(*waiting);
    if (text.empty()) return {};
    waiting.reset();
    shown = true;
    return text;
}

void ResetWriteFailures() {
    waiting.reset();
    shown = false;
}
