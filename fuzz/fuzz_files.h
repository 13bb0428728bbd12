#pragma once
// What the file-reader fuzz targets share: a private folder for the files they
// hand to the game (inside the temporary folder of the test environment, gone
// when the run ends), the game's globals set up once, and a failed property
// reported on standard output before the run stops.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/game.h"
#include "resources/error.h"
#include "resources/error_state.h"

namespace fuzz {

inline void RemoveFolder();

// "<TMPDIR>/<name>-<pid>/", made empty on the first call and removed at exit.
inline const std::string& Folder(const char* name) {
    static const std::string folder = [name] {
        const char* tmp = std::getenv("TMPDIR");
        const std::filesystem::path dir =
            std::filesystem::path(tmp ? tmp : ".") / (std::string(name) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }();
    // Registered after the string is made, so it runs before the string is gone.
    static const bool removed = std::atexit(RemoveFolder) == 0;
    (void)removed;
    return folder;
}

inline void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(nullptr), ignored);
}

// A new file each time: rewriting one in place makes ext4 flush it to disk.
inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    ::unlink(path.c_str());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The game's globals as start-up leaves them, with the profile folder in the
// private folder; reports go to the (quiet) log, never to a box.
inline void SetUpGame(const char* name) {
    ResetGlobals();
    ErrorOnScreen = 0;
    ErrorLogEnabled = 0;
    Game().SetProfilePath(Folder(name) + "profiles");
    std::filesystem::create_directories(Game().ProfilePath);
}

[[noreturn]] inline void Fail(const char* what) {
    std::printf("property failed: %s\n", what);
    std::fflush(stdout);
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

}  // namespace fuzz
