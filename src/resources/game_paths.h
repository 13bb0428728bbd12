#pragma once
// The folders the game reads its data from and writes its files to, as the
// application object sets them at start-up.
#include <string>

#include "resources/registered.h"

struct TGamePaths : TRegistered<TGamePaths> {
    // The folder that holds "data/resources/" (the working folder: empty).
    std::string DataPrefix;
    std::string ImagePath, SoundPath, MusicPath, SpeechPath, MenuPath, ProfilePath, TextPath, LevelsPath;
};

inline TGamePaths& GamePaths() { return TGamePaths::Current(); }
