#pragma once
// Operating-system services the game asks for, with their Linux answers.
#include <memory>
#include <string>

namespace plat {

// The common application-data folder with "/" appended: $XDG_DATA_HOME, or
// ~/.local/share. Empty on failure.
std::string CommonAppDataFolder();
// The value of an environment variable; empty when it is not set.
std::string EnvironmentVariable(const std::string& name);
// Files are created user-writable here, so this answers true for a folder that exists.
bool GrantFullAccess(const std::string& folder);


// Single-instance guard: a private lock file (mode 0600) held with flock and
// released by the kernel when the process ends, so a crash leaves no stale
// lock. The file is never truncated or written, and a link in its place is
// not followed. A file that cannot be opened or locked answers neither Held
// nor OtherCopyRunning: the game then runs, as if alone.
class TInstanceLock {
public:
    explicit TInstanceLock(const std::string& lockPath);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;
    bool Held() const { return fd_ >= 0; }
    bool OtherCopyRunning() const { return busy_; }
    // Why the lock could not be used (empty when Held or busy).
    const std::string& Problem() const { return problem_; }

private:
    int fd_ = -1;
    bool busy_ = false;
    std::string problem_;
};
// The lock path for a name, in a folder of the user's own: the runtime folder
// ($XDG_RUNTIME_DIR), else the user's data folder. Empty when neither is known.
std::string InstanceLockPath(const std::string& name);

// Memory blocks as large as a picture's rows and up are mapped apart from
// the heap and go back to the system when freed, so that a picture decoded
// once leaves no lasting room behind; called once at start.
void KeepLargeBlocksApart();

// A modal message box: SDL's where a display exists, standard error
// otherwise. Never shown when VC_NO_MESSAGE_BOX is set (tests): the text then
// goes to standard error and the hook, if any, sees it.
void MessageBox(const std::string& title, const std::string& text, bool serious);
// The text as the system's box shows it: UTF-8 (text that is not, the game's
// Latin-1, is turned into it), its lines broken at blanks to at most `width`
// characters (a longer word, a path, stays whole).
std::string MessageBoxText(const std::string& text, size_t width = 64);
using MessageBoxHook = void (*)(const std::string& title, const std::string& text, bool serious);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace plat
