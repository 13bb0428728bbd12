#pragma once
// Operating-system services the game asks for, with their Linux answers.
#include <memory>
#include <string>

namespace plat {

// The common application-data folder with "/" appended: $XDG_DATA_HOME, or
// ~/.local/share. Empty on failure.
std::string CommonAppDataFolder();
// Files are created user-writable here, so this answers true for a folder that exists.
bool GrantFullAccess(const std::string& folder);
// The kernel's name and release (uname).
std::string OSName();
// Maps a DirectX registry "Version" value to its release name; "" for anything unknown.
std::string DirectXReleaseFromRegistryValue(const std::string& value);
// The installed DirectX release: none here.
std::string InstalledDirectXRelease();

enum ProcessPriority { PRIORITY_NORMAL = 0, PRIORITY_ABOVE_NORMAL = 1, PRIORITY_HIGH = 2 };
// Never raises the priority; kept so the settings have somewhere to go.
void SetProcessPriority(int code);
void SetThreadPriority(int value);

// Single-instance guard: a lock file held with flock, released by the kernel
// when the process ends, so a crash leaves no stale lock.
class TInstanceLock {
public:
    explicit TInstanceLock(const std::string& lockPath);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;
    // True when this process holds the lock; false when another one does.
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
// The lock path for a name, in the runtime folder ($XDG_RUNTIME_DIR or /tmp).
std::string InstanceLockPath(const std::string& name);

// A modal message box: SDL's where a display exists, standard error
// otherwise. Never shown when VC_NO_MESSAGE_BOX is set (tests): the text then
// goes to standard error and the hook, if any, sees it.
void MessageBox(const std::string& title, const std::string& text, bool serious);
using MessageBoxHook = void (*)(const std::string& title, const std::string& text, bool serious);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace plat
