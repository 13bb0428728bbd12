#include "resources/banks.h"

#include "platform/files.h"
#include "resources/error.h"
#include "resources/pak_file.h"
#include "resources/resource_globals.h"

namespace {

GameSoundPlayer& SoundPlayer() {
    static GameSoundPlayer player;
    return player;
}

[[noreturn]] void Fatal(const std::string& text) {
    ErrorMessage(text, true);
    throw TGameError(text);  // in case the report returned
}

std::string WithSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder;
    return folder + "/";
}

// "dir/name.ext" -> base "dir/name" and ".ext", or the default when there is none.
std::string FileWithExtension(const std::string& file, const std::string& defaultExt) {
    const std::string ext = plat::ExtractExt(file);
    if (ext.empty()) return plat::StripExt(file) + defaultExt;
    return plat::StripExt(file) + "." + ext;
}

}  // namespace

// ---- TGameImage ---------------------------------------------------------------

GameImagePtr TGameImage::Create(const std::string& file, int flags, int midHandle) {
    auto image = std::make_shared<TGameImage>();
    image->Load(file, flags, midHandle);
    return image;
}

GameImagePtr TGameImage::CreateAuto(const std::string& file, int cellWidth, int cellHeight, int firstCell,
                                    int cellCount, int flags, int midHandle) {
    if (cellCount < 2) return Create(file, flags, midHandle);
    auto image = std::make_shared<TGameImage>();
    image->LoadAnim(file, cellWidth, cellHeight, firstCell, cellCount, flags, midHandle);
    return image;
}

GameImagePtr TGameImage::CreateFromImage(plat::ImagePtr image, const std::string& name, int midHandle) {
    auto gameImage = std::make_shared<TGameImage>();
    gameImage->name = name;
    gameImage->image = std::move(image);
    gameImage->GetSize();
    gameImage->MidHandle(midHandle);
    return gameImage;
}

void TGameImage::Load(const std::string& file, int flags, int midHandle) {
    name = UpperAscii(plat::StripAll(file));
    image = plat::LoadImage(file, flags);
    if (!image) Fatal("Error loading bitmap " + file);
    GetSize();
    MidHandle(midHandle);
}

void TGameImage::LoadAnim(const std::string& file, int cellWidth, int cellHeight, int firstCell, int cellCount,
                          int flags, int midHandle) {
    name = UpperAscii(plat::StripAll(file));
    image = plat::LoadAnimImage(file, cellWidth, cellHeight, firstCell, cellCount, flags);
    if (!image) Fatal("Error loading anim bitmap " + file);
    GetSize();
    MidHandle(midHandle);
}

void TGameImage::GetSize() {
    if (!image) return;
    w = plat::ImageWidth(*image);
    h = plat::ImageHeight(*image);
    w2 = static_cast<float>(w / 2);
    h2 = static_cast<float>(h / 2);
}

void TGameImage::MidHandle(int on) {
    if (on) {
        if (image) plat::MidHandleImage(*image);
        midhandled = 1;
    } else {
        if (image) plat::SetImageHandle(*image, 0, 0);
        midhandled = 0;
    }
}

int TGameImage::Frames() const { return image ? plat::ImageFrames(*image) : 0; }

void TGameImage::Precache() {
    if (image) plat::Precache(*image);
}

// ---- TGameSound ---------------------------------------------------------------

GameSoundPtr TGameSound::Create(const std::string& file, int flags) {
    auto sound = std::make_shared<TGameSound>();
    sound->Load(file, flags);
    return sound;
}

void TGameSound::Load(const std::string& file, int flags) {
    name = UpperAscii(plat::StripAll(file));
    sound = plat::LoadSound(file, flags);
    if (!sound) Fatal("Error loading sample " + file);
}

int TGameSound::PlayInChannel(plat::ChannelPtr& channel, float vol) {
    const GameSoundPlayer& player = SoundPlayer();
    return player ? player(channel, *this, vol) : 0;
}

void SetGameSoundPlayer(GameSoundPlayer player) { SoundPlayer() = std::move(player); }

// ---- TImageBank ---------------------------------------------------------------

void TImageBank::SetPath(const std::string& folder) { Path = WithSlash(folder); }

GameImagePtr TImageBank::Load(const std::string& file, const std::string& overrideName, int flags, int midHandle) {
    GameImagePtr image = TGameImage::Create(Path + FileWithExtension(file, Ext), flags, midHandle);
    if (!overrideName.empty()) image->name = UpperAscii(overrideName);
    Add(image);
    return image;
}

void TImageBank::Add(const GameImagePtr& image) { Map[image->name] = image; }

GameImagePtr TImageBank::Find(const std::string& key) const {
    const std::string upper = UpperAscii(key);
    const auto it = Map.find(upper);
    if (it == Map.end()) Fatal("Image '" + upper + "' was Not found in the ImageBank");
    return it->second;
}

GameImagePtr TImageBank::FindOrNull(const std::string& key) const {
    const auto it = Map.find(UpperAscii(key));
    return it == Map.end() ? nullptr : it->second;
}

bool TImageBank::Has(const std::string& key) const { return Map.count(UpperAscii(key)) != 0; }

plat::ImagePtr TImageBank::FindTImage(const std::string& key) const {
    const GameImagePtr image = FindOrNull(key);
    return image ? image->image : nullptr;
}

// ---- TSoundBank ---------------------------------------------------------------

void TSoundBank::SetPath(const std::string& folder) { Path = WithSlash(folder); }

GameSoundPtr TSoundBank::Load(const std::string& file, float pitch, float volume, const std::string& overrideName,
                              int flags) {
    GameSoundPtr sound = TGameSound::Create(Path + FileWithExtension(file, Ext), flags);
    sound->pitch = pitch;
    sound->volume = volume;
    if (!overrideName.empty()) sound->name = UpperAscii(overrideName);
    Map[sound->name] = sound;
    return sound;
}

GameSoundPtr TSoundBank::Find(const std::string& key) const {
    const std::string upper = UpperAscii(key);
    const auto it = Map.find(upper);
    if (it == Map.end()) Fatal("Sound '" + upper + "' was not found in the SoundBank");
    return it->second;
}

GameSoundPtr TSoundBank::FindOrNull(const std::string& key) const {
    const auto it = Map.find(UpperAscii(key));
    return it == Map.end() ? nullptr : it->second;
}

bool TSoundBank::Has(const std::string& key) const { return Map.count(UpperAscii(key)) != 0; }

// ---- adding ready images ------------------------------------------------------------

GameImagePtr AddImageToBank(plat::ImagePtr image, const std::string& name, int midHandle, TImageBank* bank) {
    GameImagePtr gameImage = TGameImage::CreateFromImage(std::move(image), UpperAscii(name), midHandle);
    (bank ? *bank : ImageBank()).Add(gameImage);
    return gameImage;
}
