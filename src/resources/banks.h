#pragma once
// Named images and sounds, looked up by upper-cased name. Looking up a name
// that was never loaded is a programming error and ends the game.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/audio.h"
#include "platform/graphics.h"

class TGameImage {
public:
    std::string name;
    plat::ImagePtr image;
    int w = 0, h = 0;
    float w2 = 0, h2 = 0;
    int midhandled = 0;
    int tag = 0;

    static std::shared_ptr<TGameImage> Create(const std::string& file, int flags = plat::DEFAULT_FLAGS,
                                              int midHandle = 1);
    static std::shared_ptr<TGameImage> CreateAuto(const std::string& file, int cellWidth, int cellHeight,
                                                  int firstCell, int cellCount, int flags = plat::DEFAULT_FLAGS,
                                                  int midHandle = 1);
    static std::shared_ptr<TGameImage> CreateFromImage(plat::ImagePtr image, const std::string& name,
                                                       int midHandle = 1);

    // Fatal "Error loading bitmap <file>" when the image cannot be loaded.
    void Load(const std::string& file, int flags = plat::DEFAULT_FLAGS, int midHandle = 1);
    void LoadAnim(const std::string& file, int cellWidth, int cellHeight, int firstCell, int cellCount,
                  int flags = plat::DEFAULT_FLAGS, int midHandle = 1);
    void GetSize();
    void MidHandle(int on);
    int Frames() const;
    void Precache();
};
using GameImagePtr = std::shared_ptr<TGameImage>;

class TGameSound {
public:
    std::string name;
    plat::SoundPtr sound;
    float pitch = 1.0f;
    float volume = 1.0f;

    static std::shared_ptr<TGameSound> Create(const std::string& file, int flags = 0);
    // Fatal "Error loading sample <file>" when the sound cannot be loaded.
    void Load(const std::string& file, int flags = 0);
    // Plays through the application's sound player (see SetGameSoundPlayer),
    // passing the caller's channel variable.
    int PlayInChannel(plat::ChannelPtr& channel, float volume);
};
using GameSoundPtr = std::shared_ptr<TGameSound>;

// The application's GameSoundPlay(channel, sound, volume); installed by the
// audio code so the banks do not depend on it.
using GameSoundPlayer = std::function<int(plat::ChannelPtr& channel, TGameSound& sound, float volume)>;
void SetGameSoundPlayer(GameSoundPlayer player);

class TImageBank {
public:
    std::string Path;
    std::string Ext = ".png";
    std::map<std::string, GameImagePtr> Map;

    void SetPath(const std::string& folder);
    // Path + file (+ Ext when file has no extension); stored under the
    // upper-cased name, or the file's own name when name is empty.
    GameImagePtr Load(const std::string& file, const std::string& name = "", int flags = plat::DEFAULT_FLAGS,
                      int midHandle = 1);
    void Add(const GameImagePtr& image);
    // Fatal "Image 'NAME' was Not found in the ImageBank" when missing.
    GameImagePtr Find(const std::string& name) const;
    // Null when missing (no error).
    GameImagePtr FindOrNull(const std::string& name) const;
    bool Has(const std::string& name) const;
    // Null when missing (no error).
    plat::ImagePtr FindTImage(const std::string& name) const;
};

class TSoundBank {
public:
    std::string Path;
    std::string Ext = ".wav";
    std::map<std::string, GameSoundPtr> Map;

    void SetPath(const std::string& folder);
    GameSoundPtr Load(const std::string& file, float pitch = 1.0f, float volume = 1.0f,
                      const std::string& name = "", int flags = 0);
    // Fatal "Sound 'NAME' was not found in the SoundBank" when missing.
    GameSoundPtr Find(const std::string& name) const;
    // Null when missing (no error).
    GameSoundPtr FindOrNull(const std::string& name) const;
    bool Has(const std::string& name) const;
};

// Adds an already loaded image (from an archive, say) under the upper-cased
// name, to the given bank or, when none is given, to the main image bank.
GameImagePtr AddImageToBank(plat::ImagePtr image, const std::string& name, int midHandle,
                            TImageBank* bank = nullptr);
