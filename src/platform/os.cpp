#include "platform/os.h"

#include <SDL.h>
#include <fcntl.h>
#include <malloc.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/own_program.h"
#include "platform/utf8.h"

extern char** environ;

namespace plat {

namespace {

std::string EnvValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string HomeFolder() {
    std::string home = EnvValue("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

std::string WithSlash(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

MessageBoxHook messageBoxHook = nullptr;

}  // namespace

std::string CommonAppDataFolder() {
    const std::string xdg = EnvValue("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/') return WithSlash(xdg);  // relative values are ignored
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return WithSlash(home) + ".local/share/";
}

std::string EnvironmentVariable(const std::string& name) { return EnvValue(name.c_str()); }

bool GrantFullAccess(const std::string& folder) { return FileType(folder) == FILETYPE_DIR; }

// The game asks for above-normal or high priority; on a shared desktop that
// only starves other programs, so both are accepted and ignored.

TInstanceLock::TInstanceLock(const std::string& lockPath) {
    if (lockPath.empty()) {
        problem_ = "no folder of the user's own for the lock file";
        return;
    }
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        problem_ = lockPath + ": " + std::strerror(errno);
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        problem_ = lockPath + ": not a file of this user's own";
        ::close(fd);
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy_ = errno == EWOULDBLOCK;
        if (!busy_) problem_ = lockPath + ": " + std::strerror(errno);
        ::close(fd);
        return;
    }
    if ((st.st_mode & 0777) != 0600 && ::fchmod(fd, 0600) != 0) {
        // a lock file left by an older version stays readable; the lock still holds
    }
    fd_ = fd;
}

TInstanceLock::~TInstanceLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock; the file stays
}

std::string InstanceLockPath(const std::string& name) {
    std::string folder = EnvValue("XDG_RUNTIME_DIR");
    if (folder.empty() || folder.front() != '/' || FileType(folder) != FILETYPE_DIR) folder = CommonAppDataFolder();
    if (folder.empty()) return {};
    std::string safe = name.empty() ? std::string("instance") : name;
    for (char& c : safe)
        if (c == '/' || c == '\\') c = '_';
    return WithSlash(folder) + safe + ".lock";
}

void SetMessageBoxHook(MessageBoxHook hook) { messageBoxHook = hook; }

namespace {

size_t CharCount(const std::string& text) {
    size_t chars = 0;
    for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    return chars;
}

// One line broken at blanks, counted in characters (UTF-8), not bytes.
std::string WrapLine(const std::string& line, size_t width) {
    std::string out;
    size_t lineChars = 0;
    for (size_t at = 0;;) {
        const size_t blank = line.find(' ', at);
        const std::string word = line.substr(at, blank == std::string::npos ? std::string::npos : blank - at);
        const size_t chars = CharCount(word);
        if (lineChars > 0 && lineChars + 1 + chars > width) {
            out += '\n';
            lineChars = 0;
        } else if (at > 0) {
            out += ' ';
            ++lineChars;
        }
        out += word;
        lineChars += chars;
        if (blank == std::string::npos) return out;
        at = blank + 1;
    }
}

}  // namespace

std::string MessageBoxText(const std::string& text, size_t width) {
    std::u32string codes;
    const std::string utf8 = DecodeUtf8(text, codes) ? text : Latin1ToUtf8(text);
    std::string out;
    size_t from = 0;
    while (from <= utf8.size()) {
        size_t end = utf8.find('\n', from);
        if (end == std::string::npos) end = utf8.size();
        if (from > 0) out += '\n';
        out += WrapLine(utf8.substr(from, end - from), width);
        from = end + 1;
    }
    return out;
}

void MessageBox(const std::string& title, const std::string& rawText, bool serious) {
    if (messageBoxHook) messageBoxHook(title, rawText, serious);
    // Under a headless X server SDL's box never returns, so tests switch it off.
    const bool allowed = std::getenv("VC_NO_MESSAGE_BOX") == nullptr;
    const bool display = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (allowed && display) {
        const Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
        const std::string text = MessageBoxText(rawText);
        if (SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), nullptr) == 0) return;
    }
    // A line of its own in the log, never broken.
    const std::string line = MessageBoxText(rawText, std::string::npos);
    std::fprintf(stderr, "%s: %s\n", title.c_str(), line.c_str());
    std::fflush(stderr);
}

namespace {

// Starts the program (searched on PATH when searchPath) with its own
// arguments, no shell between, stdin from /dev/null; the child is reaped in
// the background so it leaves no zombie.
bool StartInBackground(const std::vector<std::string>& command, bool searchPath) {
    std::vector<std::string> owned = command;
    std::vector<char*> argv;
    for (auto& argument : owned) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int rc = searchPath ? ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                              : ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    std::thread([pid] {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }).detach();
    return true;
}

}  // namespace

bool OpenURL(const std::string& url) {
    if (url.empty()) return false;
    // A leading "-" would read as an option of xdg-open.
    return StartInBackground({"xdg-open", url.front() == '-' ? "./" + url : url}, true);
}

bool StartOwnProgram(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"/proc/self/exe"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return StartInBackground(command, false);
}

void KeepLargeBlocksApart() {
    // A fixed threshold: glibc would otherwise raise it after the first large
    // block freed and keep later ones in the heap for good.
    constexpr int LARGE_BLOCK = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, LARGE_BLOCK);
    mallopt(M_TRIM_THRESHOLD, LARGE_BLOCK);
}

}  // namespace plat
