#pragma once
// The folders the game reads its data from and writes its files to, and the
// language of its texts, as the application object sets them at start-up.
#include <string>

#include "resources/registered.h"

struct TGamePaths : TRegistered<TGamePaths> {
    // The folder that holds "data/resources/" (the working folder: empty).
    std::string DataPrefix;
    std::string ImagePath, SoundPath, MusicPath, MenuPath, ProfilePath, TextPath;
    // The language of the texts ("en", "de", ...), as the settings keep it:
    // empty while the player has chosen none and the system's locale decides.
    std::string Language;
};

inline TGamePaths& GamePaths() { return TGamePaths::Current(); }
