#pragma once
// The game's resource holders and the start-up steps that fill them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "resources/banks.h"
#include "resources/game_text.h"
#include "resources/pak_file.h"

TGameText& GameText();
TImageBank& ImageBank();  // general images
TImageBank& CellBank();   // board cells
TImageBank& WallBank();   // walls
TSoundBank& SoundBank();
TSoundBank& MusicBank();
// Null until MountArchives has run.
TPakFileManager* PakManager();
// The game's font at a pixel size: the sizes of FontSizes are loaded with the
// fonts, any other the first time it is asked for; null before the fonts.
plat::ImageFontPtr GameFont(int size);
const std::vector<int>& FontSizes();  // 12, 14, 16, 18, 20, 25, 34

// Builds every holder afresh (empty banks, no archives, no fonts).
void ResetResourceGlobals();

// The resource folder: GamePaths().DataPrefix + "data/resources/".
std::string ResourceFolder();

// ---- start-up steps, in order --------------------------------------------
// Reads "gametext.txt" from the text folder (fatal errors as TGameText::Read),
// then the translation of the language the settings or the locale ask for
// (LanguageFor(GamePaths().Language)) over it. A translation that cannot be read
// leaves the English texts, with a line in the error log. Called again when
// the player chooses another language.
void LoadGameTextFile();
// True when "data.pak" is in the resource folder. When it is not, the caller
// shows GameText().FindString("Data Pak Error") and leaves.
bool CheckDataPak();
// Mounts every ".pak" archive and loose file of the resource folder. A damaged
// "data.pak" is fatal (ErrorMessage naming it); any other damaged archive is
// skipped with a warning in the error log (the answer lists those warnings).
std::vector<std::string> MountArchives();
// "calibri.ttf" at the seven sizes, smoothed; fatal when it cannot be loaded.
void LoadGameFonts();
// The three image banks at ImagePath, the sounds at SoundPath, the music at MusicPath.
void PointBanksAtFolders();
// Step 19's bank loading, in its order; moveBar is called after each
// progress item (21 in all):
//   the 9 sounds and 2 music tracks (+ each), pointerImage (the mouse
//   pointer's image, the caller's), the general, cell and wall image banks,
//   pausedSprite (the caller creates the paused sprite from
//   ImageBank().Find("paused")) (+), the 9 archive images (+ each).
void LoadBankResources(std::function<void()> moveBar, std::function<void()> pointerImage = {},
                       std::function<void()> pausedSprite = {});
// The same in pieces.
void LoadSoundResources(const std::function<void()>& moveBar);
void LoadBankImages();
void LoadArchiveImages(const std::function<void()>& moveBar);

// Names loaded by LoadBankResources, in order.
const std::vector<std::string>& GeneralImageNames();
const std::vector<std::string>& CellImageNames();
const std::vector<std::string>& WallImageNames();
