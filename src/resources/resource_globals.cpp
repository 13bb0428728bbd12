#include "resources/resource_globals.h"

#include <map>

#include "platform/audio.h"
#include "platform/files.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/game_paths.h"
#include "resources/languages.h"

namespace {

struct TResourceGlobals {
    TGameText gameText;
    TImageBank imageBank, cellBank, wallBank;
    TSoundBank soundBank, musicBank;
    std::unique_ptr<TPakFileManager> pakManager;
    std::map<int, plat::ImageFontPtr> fonts;
};

std::unique_ptr<TResourceGlobals>& Globals() {
    static std::unique_ptr<TResourceGlobals> globals = std::make_unique<TResourceGlobals>();
    return globals;
}

[[noreturn]] void Fatal(const std::string& text, const std::string& detail = {}) {
    ErrorMessage(text, true, detail);
    throw TFatalError(text);  // in case the report returned
}

const char* const DATA_PAK = "data.pak";
const char* const FONT_FILE = "calibri.ttf";

const std::vector<std::string> SOUND_NAMES = {"buttonclick", "buttonmo",  "buttonclick2", "applause.ogg", "applause2.ogg",
                                              "invalid",     "hint",      "score.ogg",    "startgame"};
const std::vector<std::string> MUSIC_NAMES = {"music1.ogg", "music2.ogg"};
// Archive images: file name, bank name.
const std::vector<std::pair<std::string, std::string>> ARCHIVE_IMAGES = {
    {"gamescreen1.jpg", "gamescreen1"}, {"gamescreen2.jpg", "gamescreen2"}, {"gamescreen3.jpg", "gamescreen3"},
    {"gamescreen4.jpg", "gamescreen4"}, {"gamescreen5.jpg", "gamescreen5"}, {"playscreen.jpg", "playscreen"},
    {"titlescreen.jpg", "titlescreen"}, {"particle1.png", "particle1"},     {"particle2.png", "particle2"}};

void Call(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

TGameText& GameText() { return Globals()->gameText; }
TImageBank& ImageBank() { return Globals()->imageBank; }
TImageBank& CellBank() { return Globals()->cellBank; }
TImageBank& WallBank() { return Globals()->wallBank; }
TSoundBank& SoundBank() { return Globals()->soundBank; }
TSoundBank& MusicBank() { return Globals()->musicBank; }
TPakFileManager* PakManager() { return Globals()->pakManager.get(); }

plat::ImageFontPtr GameFont(int size) {
    auto& fonts = Globals()->fonts;
    if (const auto it = fonts.find(size); it != fonts.end()) return it->second;
    // Other sizes are set from the same face the first time they are asked for.
    const TPakFileManager* manager = PakManager();
    if (fonts.empty() || !manager || size <= 0) return nullptr;
    plat::ImageFontPtr font = manager->GetImageFont(FONT_FILE, size, plat::SMOOTHFONT);
    if (font) fonts[size] = font;
    return font;
}

const std::vector<int>& FontSizes() {
    static const std::vector<int> sizes = {12, 14, 16, 18, 20, 25, 34};
    return sizes;
}

void ResetResourceGlobals() { Globals() = std::make_unique<TResourceGlobals>(); }

std::string ResourceFolder() { return GamePaths().DataPrefix + "data/resources/"; }

// ---- start-up steps -------------------------------------------------------------

void LoadGameTextFile() {
    auto& text = GameText();
    text.Read(GameTextFileOf("en"));
    text.Language = "en";
    const std::string language = LanguageFor(GamePaths().Language);
    if (language == "en") return;
    if (text.ReadOver(GameTextFileOf(language))) {
        text.Language = language;
    } else {
        WriteErrorLog("Could not read " + GamePaths().TextPath + GameTextFileOf(language) + "; the texts stay English.");
    }
}

bool CheckDataPak() { return plat::FileType(ResourceFolder() + DATA_PAK) == plat::FILETYPE_FILE; }

std::vector<std::string> MountArchives() {
    std::unique_ptr<TPakFileManager> manager;
    try {
        manager = TPakFileManager::Create(ResourceFolder(), ".pak");
    } catch (const TPakError& e) {
        Fatal(e.what());  // a loose file that cannot be read
    }
    std::vector<std::string> warnings;
    for (const TPakProblem& problem : manager->Problems) {
        if (problem.File == DATA_PAK) {
            Fatal("The game's data file " + ResourceFolder() + DATA_PAK + " is damaged. Please install the game again.",
                  problem.Message);
        }
        warnings.push_back("Skipped damaged archive " + problem.Message);
        WriteErrorLog(warnings.back());
    }
    Globals()->pakManager = std::move(manager);
    return warnings;
}

void LoadGameFonts() {
    auto& fonts = Globals()->fonts;
    fonts.clear();
    const TPakFileManager* manager = PakManager();
    for (int size : FontSizes()) {
        plat::ImageFontPtr font = manager ? manager->GetImageFont(FONT_FILE, size, plat::SMOOTHFONT) : nullptr;
        if (!font) Fatal(std::string("Error loading font ") + FONT_FILE);
        fonts[size] = std::move(font);
    }
}

void PointBanksAtFolders() {
    const TGamePaths& game = GamePaths();
    ImageBank().SetPath(game.ImagePath);
    CellBank().SetPath(game.ImagePath);
    WallBank().SetPath(game.ImagePath);
    SoundBank().SetPath(game.SoundPath);
    MusicBank().SetPath(game.MusicPath);
}

void LoadSoundResources(const std::function<void()>& moveBar) {
    for (const std::string& name : SOUND_NAMES) {
        SoundBank().Load(name, 1.0f, 1.0f, "", 0);
        Call(moveBar);
    }
    // Music stays compressed and is decoded while it plays.
    for (const std::string& name : MUSIC_NAMES) {
        MusicBank().Load(name, 0.0f, 1.0f, "", plat::SOUND_STREAM);
        Call(moveBar);
    }
}

void LoadBankImages() {
    for (const std::string& name : GeneralImageNames()) ImageBank().Load(name, "", plat::DEFAULT_FLAGS, 1);
    for (const std::string& name : CellImageNames()) CellBank().Load(name, "", plat::DEFAULT_FLAGS, 1);
    for (const std::string& name : WallImageNames()) WallBank().Load(name, "", plat::DEFAULT_FLAGS, 1);
}

void LoadArchiveImages(const std::function<void()>& moveBar) {
    const TPakFileManager* manager = PakManager();
    for (const auto& [file, name] : ARCHIVE_IMAGES) {
        plat::ImagePtr image = manager ? manager->GetImage(file, plat::DEFAULT_FLAGS) : nullptr;
        if (!image) Fatal("Error loading bitmap " + file);
        AddImageToBank(std::move(image), name, 1, &ImageBank());
        Call(moveBar);
    }
}

void LoadBankResources(std::function<void()> moveBar, std::function<void()> pointerImage,
                       std::function<void()> pausedSprite) {
    LoadSoundResources(moveBar);
    Call(pointerImage);
    LoadBankImages();
    Call(pausedSprite);
    Call(moveBar);
    LoadArchiveImages(moveBar);
}

const std::vector<std::string>& GeneralImageNames() {
    static const std::vector<std::string> names = {
        "progress", "progressmo", "levelback", "levelhighlight", "check",     "textback",  "helptextback",
        "score1",   "score2",     "paused",    "blackback", "input",
        "inputlong", "helpimage", "manager",   "menu", "endlevelback", "managerwide"};
    return names;
}

const std::vector<std::string>& CellImageNames() {
    static const std::vector<std::string> names = {
        "cellnormal", "cellnormalmo", "cellmarble", "cellmarblemo", "cell1",     "cell2",      "cell3",    "cell4",
        "cell5",      "cell6",        "cellchain",  "cellcreate",   "cellfill",  "cellempty",  "cellmarked", "cellhint"};
    return names;
}

const std::vector<std::string>& WallImageNames() {
    static const std::vector<std::string> names = {
        "wall-fulldecoration", "wall-full", "wall-topleftrightdecoration", "wall-topleftright",
        "wall-bottomleftrightdecoration", "wall-bottomleftright", "wall-lefttopbottomdecoration",
        "wall-lefttopbottom", "wall-righttopbottomdecoration", "wall-righttopbottom", "wall-leftright",
        "wall-topbottom", "wall-topleftdecoration", "wall-topleft", "wall-topleftse", "wall-toprightdecoration",
        "wall-topright", "wall-toprightsw", "wall-bottomleftdecoration", "wall-bottomleft", "wall-bottomleftne",
        "wall-bottomrightdecoration", "wall-bottomright", "wall-bottomrightnw", "wall-nese", "wall-nesw",
        "wall-neswse", "wall-nwne", "wall-nwnese", "wall-nwnesw", "wall-nwneswse", "wall-nwse", "wall-nwsw",
        "wall-nwswse", "wall-swse", "wall-topswse", "wall-topsw", "wall-topse", "wall-bottomnwne", "wall-bottomnw",
        "wall-bottomne", "wall-leftnese", "wall-leftne", "wall-leftse", "wall-rightnwsw", "wall-rightnw",
        "wall-rightsw", "wall-bottom", "wall-top", "wall-left", "wall-right", "wall-corner-outside-nw",
        "wall-corner-outside-ne", "wall-corner-outside-sw", "wall-corner-outside-se"};
    return names;
}
