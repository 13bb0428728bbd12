// Checks of the built game data (the build folder's data/, score1.par and
// score2.par): every named resource loads through the game's own loaders, the
// images have the sizes their places need, masked images keep no key colour,
// and the texts fit where they are drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/settings_table.h"
#include "effects/par_file.h"
#include "gui/pad_prompts.h"
#include "gui/button_labels.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/stream.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "resources/languages.h"
#include "resources/resource_globals.h"

namespace fs = std::filesystem;

namespace {

const std::string GRAPHICS = "Data/graphics/";
const std::string MENUS = "Data/menus/";
const std::string SOUND = "Data/sound/";
const std::string MUSIC = "Data/music/";

// Buttons with their mouse-over image; toggles also need "On" and "OnMO".
struct ButtonFiles {
    std::string name, hover;
    bool toggle = false;
};

const std::vector<ButtonFiles>& Buttons() {
    static const std::vector<ButtonFiles> buttons = {
        {"play", "playMO"}, {"help", "helpMO"}, {"options", "optionsMO"}, {"highscore", "highscoreMO"},
        {"Exit", "exitMO"}, {"continue", "continueMO"}, {"changeplayer", "changeplayerMO"},
        {"playsmall", "playsmallMO"}, {"load", "loadMO"},
        {"Load", "LoadMO"}, {"customsmall", "customsmallMO"}, {"backsmall", "backsmallMO"},
        {"standardlevel", "standardlevelMO", true}, {"customlevel", "customlevelMO", true},
        {"dailylevel", "dailylevelMO", true},
        {"arrowLeft", "arrowLeftMO"}, {"arrowRight", "arrowRightMO"}, {"menu", "menuMO"}, {"hint", "hintMO"},
        {"savecustom", "savecustomMO"}, {"loadcustom", "loadcustomMO"}, {"reset", "resetMO"},
        {"backtomenu", "backtomenuMO"}, {"resume", "resumeMO"}, {"restartpuzzle", "restartpuzzleMO"},
        {"shufflepuzzle", "shufflepuzzleMO"}, {"savegame", "savegameMO"}, {"nextpuzzle", "nextpuzzleMO"},
        {"oksmall", "oksmallMO"}, {"platesmall", "platesmallMO"}, {"clear", "clearMO"}, {"check", "checkMO", true}, {"language", "languageMO", true}, {"OK", "OKMO"},
        {"Yes", "YesMO"}, {"No", "NoMO"}, {"Cancel", "CancelMO"}, {"Create", "CreateMO"},
        {"Delete", "DeleteMO"}, {"Up", "UpMO"}, {"Down", "DownMO"}, {"undo", "undoMO"}, {"redo", "redoMO"},
        {"mirror", "mirrorMO", true}, {"try", "tryMO"}, {"backtoeditor", "backtoeditorMO"}};
    return buttons;
}

// Every image path the game names outside the banks.
std::vector<std::string> DirectImages() {
    std::vector<std::string> files = {
        GRAPHICS + "particles.png", "data/graphics/pellorinelogo.png", GRAPHICS + "loadingbar.png",
        GRAPHICS + "loadingbarempty.png", GRAPHICS + "loadingbarfinal.png",
        GRAPHICS + "pointer.png", GRAPHICS + "logo.png", GRAPHICS + "headerrule.png", GRAPHICS + "headerruleleft.png",
        GRAPHICS + "slider.png", GRAPHICS + "marker.png",
        GRAPHICS + "entername.png", GRAPHICS + "manager.png"};
    for (const ButtonFiles& b : Buttons()) {
        files.push_back(MENUS + b.name + ".png");
        files.push_back(MENUS + b.hover + ".png");
        if (b.toggle) {
            files.push_back(MENUS + b.name + "On.png");
            files.push_back(MENUS + b.name + "OnMO.png");
        }
    }
    return files;
}

std::vector<std::string> BankImages() {
    std::vector<std::string> files;
    for (const auto* names : {&GeneralImageNames(), &CellImageNames(), &WallImageNames()})
        for (const std::string& name : *names) files.push_back(GRAPHICS + name + ".png");
    return files;
}

class ContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fs::current_path(VC_TEST_BINARY_DIR); }

    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        ErrorOnScreen = 0;
        ErrorLogEnabled = 0;
        Game().DataPrefix = "";
        Game().ImagePath = GRAPHICS;
        Game().SoundPath = SOUND;
        Game().MusicPath = MUSIC;
        Game().MenuPath = MENUS;
        Game().TextPath = "Data/text/";
        plat::SetMaskColor(255, 0, 255);
    }

    static bool MountArchivesForTest() {
        if (!CheckDataPak()) return false;
        MountArchives();
        return PakManager() != nullptr;
    }
    static plat::PixmapPtr Pixmap(const std::string& path) { return plat::LoadPixmap(path); }
    static std::pair<int, int> Size(const std::string& path) {
        const plat::PixmapPtr p = Pixmap(path);
        return p ? std::pair{p->Width(), p->Height()} : std::pair{0, 0};
    }
};

// ---- everything loads --------------------------------------------------------------

TEST_F(ContentTest, EveryNamedImageDecodes) {
    std::vector<std::string> files = DirectImages();
    for (const std::string& f : BankImages()) files.push_back(f);
    std::string failures;
    for (const std::string& f : files)
        if (!plat::LoadImage(f, plat::MASKEDIMAGE)) failures += " " + f;
    EXPECT_EQ(failures, "") << "missing or undecodable images:" << failures;
    // 214 images are named: these plus the 9 archive images (loaded by the start-up
    // test); "manager.png" is both a bank image and the player manager's background.
    EXPECT_EQ(files.size(), 214u - 9u + 1u);
}

TEST_F(ContentTest, EveryNamedSoundDecodes) {
    std::string failures;
    for (const std::string f : {"buttonclick.wav", "buttonmo.wav", "buttonMO.wav", "buttonclick2.wav", "applause.ogg",
                                "applause2.ogg", "invalid.wav", "hint.wav", "score.ogg", "startgame.wav"})
        if (!plat::LoadSound(SOUND + f)) failures += " " + f;
    if (!plat::LoadSound("data/sound/splash.wav")) failures += " splash.wav";
    EXPECT_EQ(failures, "") << "missing or undecodable sounds:" << failures;
}

TEST_F(ContentTest, StartUpLoadersReadTheBuiltData) {
    LoadGameTextFile();
    ASSERT_TRUE(CheckDataPak());
    EXPECT_TRUE(MountArchives().empty());
    LoadGameFonts();
    for (int size : FontSizes()) EXPECT_NE(GameFont(size), nullptr) << size;
    PointBanksAtFolders();
    int bar = 0, pointer = 0, paused = 0;
    LoadBankResources([&] { ++bar; }, [&] { ++pointer; }, [&] { ++paused; });
    EXPECT_EQ(bar, 21);
    for (const std::string& name : GeneralImageNames()) EXPECT_NE(ImageBank().Find(name), nullptr) << name;
    for (const std::string& name : CellImageNames()) EXPECT_NE(CellBank().Find(name), nullptr) << name;
    for (const std::string& name : WallImageNames()) EXPECT_NE(WallBank().Find(name), nullptr) << name;
    for (const std::string name : {"gamescreen1", "gamescreen5", "playscreen", "titlescreen", "particle1", "particle2"})
        EXPECT_NE(ImageBank().Find(name), nullptr) << name;
    EXPECT_NE(ImageBank().Find("endlevelback"), nullptr);  // loaded with the bank, not at the moment of winning
    // The particle effects, loose in the game folder and in the archive.
    for (const std::string name : {"score1.par", "score2.par"}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(plat::LoadBytes(name, bytes)) << name;
        TParRecords records;
        EXPECT_EQ(ParseParBytes(bytes, records), "") << name;
        EXPECT_NE(records[0].RenderType, RENDER_OFF) << name << ": emitter 0 must be on";
        for (int i = 1; i < PAR_EMITTERS; ++i) {
            if (records[size_t(i)].RenderType == RENDER_OFF) continue;
            EXPECT_GT(records[0].EmitterDelay + records[0].EmitterDuration + records[0].LifeTime,
                      records[size_t(i)].EmitterDelay + records[size_t(i)].EmitterDuration + records[size_t(i)].LifeTime)
                << name << ": emitter 0 must outlive emitter " << i;
        }
        EXPECT_NE(PakManager()->GetItem(name), nullptr) << name;
    }
}

// ---- sizes and colours ----------------------------------------------------------------

TEST_F(ContentTest, BoardAndScreenImagesHaveTheirSizes) {
    for (const std::string& name : CellImageNames()) EXPECT_EQ(Size(GRAPHICS + name + ".png"), std::pair(36, 36)) << name;
    for (const std::string& name : WallImageNames()) EXPECT_EQ(Size(GRAPHICS + name + ".png"), std::pair(36, 36)) << name;
    ASSERT_TRUE(MountArchivesForTest());
    for (const std::string name : {"gamescreen1.jpg", "gamescreen2.jpg", "gamescreen3.jpg", "gamescreen4.jpg",
                                   "gamescreen5.jpg", "playscreen.jpg", "titlescreen.jpg"}) {
        const plat::ImagePtr image = PakManager()->GetImage(name, 0);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(plat::ImageWidth(*image), 800) << name;
        EXPECT_EQ(plat::ImageHeight(*image), 600) << name;
    }
    EXPECT_EQ(Size(GRAPHICS + "particles.png"), std::pair(9 * 128, 128));
    const auto bar = Size(GRAPHICS + "loadingbar.png");
    EXPECT_EQ(Size(GRAPHICS + "loadingbarempty.png"), bar);
    EXPECT_LT(425 + bar.second, 600);
    EXPECT_EQ(Size(GRAPHICS + "progress.png"), Size(GRAPHICS + "progressmo.png"));
    const auto slider = Size(GRAPHICS + "slider.png"), marker = Size(GRAPHICS + "marker.png");
    EXPECT_GT(slider.first, 44);
    EXPECT_LE(marker.second, slider.second);
    EXPECT_LE(Size(GRAPHICS + "helpimage.png").first, 220);
    EXPECT_LE(Size(GRAPHICS + "helptextback.png").second, 2 * (600 - 556));
    const auto logo = Size(GRAPHICS + "logo.png");
    EXPECT_LE(logo.first, 800);
    EXPECT_LE(100 + logo.second / 2, 205) << "the logo reaches into the title menu";
    const auto splash = Size("data/graphics/pellorinelogo.png");
    EXPECT_LE(splash.first, 800);
    EXPECT_LE(splash.second, 600);
}

TEST_F(ContentTest, ButtonsFitTheirSlots) {
    for (const ButtonFiles& b : Buttons()) {
        const auto size = Size(MENUS + b.name + ".png");
        EXPECT_EQ(Size(MENUS + b.hover + ".png"), size) << b.name;
        if (b.toggle) {
            EXPECT_EQ(Size(MENUS + b.name + "On.png"), size) << b.name;
            EXPECT_EQ(Size(MENUS + b.name + "OnMO.png"), size) << b.name;
        }
    }
    auto width = [&](const std::string& n) { return Size(MENUS + n + ".png").first; };
    auto height = [&](const std::string& n) { return Size(MENUS + n + ".png").second; };
    // Title: five stacked buttons (gap 10), centred 50 px low, grown 1.15 on hover,
    // between the logo and the welcome line at y 535.
    int stack = 40;
    for (const std::string n : {"play", "help", "options", "highscore", "Exit"}) stack += height(n);
    EXPECT_LE(350 + stack / 2 + height("Exit") * 0.15, 535);
    EXPECT_LE(560 + height("changeplayer"), 600);
    // Play screen row (gap 15) and editor row (gap 20) on one screen width; the
    // editor row starts at y 565.
    EXPECT_LE(width("playsmall") + width("load") + width("customsmall") + width("backsmall") + 45, 800);
    EXPECT_LE(width("savecustom") + width("loadcustom") + width("reset") + width("backtomenu") + 60, 800);
    for (const std::string n : {"savecustom", "loadcustom", "reset", "backtomenu"}) EXPECT_LE(565 + height(n), 600) << n;
    // In-game buttons from x 710.
    EXPECT_LE(710 + width("menu"), 800);
    EXPECT_LE(710 + width("hint"), 800);
    // The dialog buttons side by side inside the dialog background, 50 px apart.
    EXPECT_LE(width("Yes") + width("No") + 50, Size(GRAPHICS + "input.png").first - 40);
    EXPECT_LE(width("OK") + width("Cancel") + 50, Size(GRAPHICS + "input.png").first - 40);
    EXPECT_LE(width("OK") + width("Cancel") + width("Create") + width("Delete"), Size(GRAPHICS + "manager.png").first);
    // Pause menu: five stacked buttons with the plate above, centred on the screen.
    int pause = 40 + Size(GRAPHICS + "menu.png").second;
    for (const std::string n : {"resume", "restartpuzzle", "shufflepuzzle", "savegame", "backtomenu"}) pause += height(n);
    EXPECT_LE(pause, 560);
    // End-level menu: three stacked buttons inside the panel.
    const auto panel = Size(GRAPHICS + "endlevelback.png");
    EXPECT_LE(height("nextpuzzle") + height("restartpuzzle") + height("backtomenu") + 20, panel.second - 60);
    EXPECT_LE(width("nextpuzzle"), panel.first - 40);
}

TEST_F(ContentTest, NoVisiblePixelIsPureBlackOrMagenta) {
    std::vector<std::string> files = DirectImages();
    for (const std::string& f : BankImages()) files.push_back(f);
    std::string offenders;
    for (const std::string& f : files) {
        const plat::PixmapPtr p = Pixmap(f);
        if (!p) continue;  // reported by EveryNamedImageDecodes
        const uint32_t* px = p->Pixels();
        for (size_t i = 0; i < size_t(p->Width()) * size_t(p->Height()); ++i) {
            const uint32_t rgb = px[i] & 0xffffffu;
            if ((px[i] >> 24) != 0 && (rgb == 0 || rgb == 0xff00ffu)) {
                offenders += " " + f;
                break;
            }
        }
    }
    EXPECT_EQ(offenders, "") << "images with key-colour pixels:" << offenders;
}

// ---- texts, settings, sounds ---------------------------------------------------------------

const std::vector<std::string>& TextKeys() {
    static const std::vector<std::string> keys = {
        "Score", "Name", "Data Pak Error", "Help Message", "Bonus Points", "Bonus Counter", "No Valid Matches 1",
        "No Valid Matches 2", "Progress Field", "Enter Level Name", "Editor Error 1", "Editor Error 2",
        "Editor Error 3", "Editor Error 4", "Editor Error 5", "Editor Error 6", "Editor Error 7", "Editor Error 8",
        "Editor Error 9", "Editor Error 10", "Replace Layout", "Clear Puzzle", "Exit Editor",
        "Restart Puzzle", "Exit Playing", "Reshuffle Puzzle", "Finished Puzzle", "Choose Layout",
        "Choose Savegame", "Delete File", "Level Editor 1", "Level Editor 2", "Failed Read Directory", "Enter Name",
        "Choose Player", "Player No More", "Player One Player", "Player Delete Player", "Version", "Welcome",
        "Tiles Field", "No Levels", "Enter Save Name", "Help Message Lumen Spire", "Clear Highscore",
        "Name Error", "Cannot Save", "Write Reason Denied", "Write Reason Read Only",
        "Write Reason Full", "Editor Undo", "Editor Redo", "Editor Mirror", "Editor Try",
        "Mirror Off", "Mirror Left Right", "Mirror Top Bottom", "Mirror Four Way", "Editor Verdict Ready",
        "Editor Verdict Checking", "Back to Editor", "Trying Puzzle", "Page Of", "Brush Heading", "Brush Floor",
        "Brush Marble", "Brush Chain", "Brush Create", "Brush Gem", "Brush No Gem", "Highscore Puzzle",
        "Highscore Own", "Continue Details", "Quit Game", "Options Cancel", "Keys Hint Menus", "Keys Hint Board",
        "Help Keys Button", "Help Rules Button", "Help Keys", "Header Keys", "Damaged Highscores",
        "Damaged Completion List",
        "No Saved Games", "No Custom Layouts", "Choose A File", "Saved As", "Save Row Score", "Save Date Format",
        "Save Name Taken", "Player Delete Named 0", "Player Delete Named 1", "Player Delete Named",
        "Summary Score", "Summary Bonus", "Summary Moves", "Summary Time", "Summary Place", "Bests Damaged",
        "Summary Stars", "Summary Stars Par", "Summary New Best", "Grid Page Stars", "Grid All Stars",
        "Button Statistics", "Header Statistics", "Stats Of", "Stats Standard Won", "Stats Stars", "Stats Custom Won",
        "Stats Play Time", "Stats Moves", "Stats Gems", "Stats Chain Bonus", "Stats Cascade", "Stats Hints",
        "Stats Reshuffles", "Stats Player"};
    return keys;
}

// Each translation, read with the game's reader, has every English key with a
// text, and no key that English lacks.
TEST_F(ContentTest, EveryTranslationHasTheKeysOfTheEnglishTable) {
    TGameText english;
    english.Read(GameTextFileOf("en"));
    ASSERT_FALSE(english.Map.empty());
    for (const auto& language : Languages()) {
        if (language.Code == "en") continue;
        TGameText translation;
        translation.Read(GameTextFileOf(language.Code));
        for (const auto& [key, lines] : english.Map) {
            EXPECT_NE(translation.FindString(key).find_first_not_of(" \r\n"), std::string::npos)
                << language.Code << ": no text for " << key;
        }
        for (const auto& [key, lines] : translation.Map) EXPECT_TRUE(english.Map.count(key)) << language.Code << ": " << key;
    }
}

TEST_F(ContentTest, EveryTextKeyIsPresentAndFitsWhereItIsDrawnInEveryLanguage) {
    ASSERT_TRUE(MountArchivesForTest());
    LoadGameFonts();
    for (const auto& language : Languages()) {
        SCOPED_TRACE(language.Code);
        Game().Language = language.Code;
        LoadGameTextFile();
        ASSERT_EQ(GameText().Language, language.Code);
        for (const std::string& key : TextKeys()) EXPECT_NE(GameText().FindString(key), "") << key;
        for (int i = 1; i <= 10; ++i) {
            const std::string name = GameText().FindString("Highscore Name " + std::to_string(i));
            EXPECT_FALSE(name.empty()) << i;
            EXPECT_LE(name.size(), 10u) << name;
        }
        // Texts followed directly by a number or name end with a blank or quote.
        for (const std::string key : {"Score", "Version", "Welcome"})
            EXPECT_EQ(GameText().FindString(key).back(), ' ') << key;
        EXPECT_EQ(GameText().FindString("Failed Read Directory").back(), '\'');
        EXPECT_NE(GameText().FindString("Bonus Points").find("NNN"), std::string::npos);
        EXPECT_NE(GameText().FindString("Bonus Counter").find("NNN"), std::string::npos);
        // One word is one thing: Undo and Redo are not Back.
        EXPECT_NE(GameText().FindString("Editor Undo"), GameText().FindString("Button Back"));
        EXPECT_NE(GameText().FindString("Editor Redo"), GameText().FindString("Button Back"));
        // French speaks to the player as "vous" throughout.
        if (language.Code == "fr") {
            for (const auto& [key, lines] : GameText().Map)
                for (const std::string& line : lines) {
                    std::istringstream words(line);
                    for (std::string word; words >> word;)
                        for (const char* tu : {"tu", "toi", "ton", "ta", "tes", "te", "clique", "fais-la", "appuie", "choisis"})
                            EXPECT_NE(word, tu) << key << ": " << line;
                }
        }

        // Dialog captions are one line in the table; the dialogs wrap them to
        // their panels (the screens' language test measures them there).
        for (const std::string key : {"No Valid Matches 1", "Enter Level Name", "Editor Error 1", "Editor Error 2",
                                      "Editor Error 3", "Editor Error 4", "Editor Error 5", "Editor Error 6",
                                      "Editor Error 7", "Editor Error 8", "Editor Error 9", "Editor Error 10", "Replace Layout",
                                      "Clear Puzzle", "Exit Editor", "Restart Puzzle", "Exit Playing",
                                      "Reshuffle Puzzle", "Delete File", "Enter Name", "Player No More",
                                      "Player One Player", "Player Delete Player", "Enter Save Name",
                                      "Clear Highscore", "Name Error", "Choose A File", "No Saved Games",
                                      "No Custom Layouts", "Save Name Taken", "Player Delete Named 0",
                                      "Player Delete Named 1", "Player Delete Named", "Bests Damaged"}) {
            EXPECT_EQ(GameText().FindString(key).find('\n'), std::string::npos) << key;
        }
        // The bottom message line and the editor lines span the screen.
        for (const std::string key : {"Help Message", "Finished Puzzle", "No Valid Matches 2", "Level Editor 1"})
            EXPECT_LE(plat::FontTextWidth(*GameFont(20), GameText().FindString(key)), 760) << key;
        EXPECT_EQ(GameText().FindString("Level Editor 1").find('\n'), std::string::npos);
        // The help pages inside the dark panel (centred on x 400, y 300) and
        // clear of its frame: the rules in 25 px from x 285, the keys in 20 px
        // from x 95, lines 25 px apart, the last at y 434.
        const auto [panelW, panelH] = Size(GRAPHICS + "blackback.png");
        ASSERT_GT(panelW, 0);
        constexpr int FRAME = 16;
        const int panelRight = 400 + panelW / 2 - FRAME, panelTop = 300 - panelH / 2 + FRAME;
        for (const auto& [key, x, size] : {std::tuple{"Help Message Lumen Spire", 285, 25}, {"Help Keys", 95, 20}}) {
            const auto lines = SplitLines(GameText().FindString(key));
            for (const std::string& line : lines)
                EXPECT_LE(x + plat::FontTextWidth(*GameFont(size), line), panelRight) << key << ": " << line;
            EXPECT_GE(434 - 25 * (static_cast<int>(lines.size()) - 1), panelTop) << key;
        }
        // The editor's verdict under the board, and the one-line key hints on
        // their plates, across the screen.
        for (const std::string key : {"Editor Verdict Ready", "Editor Verdict Checking", "Editor Error 1", "Editor Error 2",
                                      "Editor Error 3", "Editor Error 4", "Editor Error 5", "Editor Error 6",
                                      "Editor Error 7", "Editor Error 8", "Editor Error 9", "Editor Error 10"})
            EXPECT_LE(plat::FontTextWidth(*FirstFont(), GameText().FindString(key)), 760) << key;
        for (const std::string key : {"Keys Hint Menus", "Keys Hint Board"})
            EXPECT_LE(plat::FontTextWidth(*GameFont(18), GameText().FindString(key)) + 28, 780) << key;
        // "Saved as" with the longest name the prompt takes, on its band.
        const std::string saved = FillIn(GameText().FindString("Saved As"), "NNN", "Wwwwwwwwww");
        EXPECT_LE(plat::FontTextWidth(*SecondFont(), saved), 600) << saved;
        // The mirror's mode in the strip beside the board, under its button, in the small font.
        for (const std::string key : {"Mirror Off", "Mirror Left Right", "Mirror Top Bottom", "Mirror Four Way"})
            EXPECT_LE(plat::FontTextWidth(*DefaultFont(), GameText().FindString(key)), Size(MENUS + "mirror.png").first - 10)
                << key;
        // Every label on a button face, and the words the screens write on
        // their plates, fit their room at no less than the smallest size
        // allowed (past it they would be squeezed).
        const auto fits = [](const std::string& key, int size, float room) {
            TLabel label;
            FitLabel(label, GameText().FindString(key), size, room);
            EXPECT_EQ(label.Scale, 1.0f) << key;
        };
        for (const ButtonFiles& b : Buttons())
            if (const TButtonLabel* face = ButtonLabelFor(b.name))
                fits(face->key, face->size, LabelRoom(*face, Size(MENUS + b.name + ".png").first));
        const std::tuple<const char*, int, float> plates[] = {
            {"Header Choose Puzzle", 46, 360}, {"Header Options", 46, 360}, {"Header How to Play", 46, 360},
            {"Header Keys", 46, 360},
            {"Header High Scores", 46, 360},   {"Game Menu", 30, 164},     {"Puzzle Complete", 36, 340},
            {"Paused", 44, 380},               {"Paused Continue", 18, 380}, {"Music", 28, 170},
            {"Sound", 28, 170},                {"Loading", 40, 380},       {"Help Picture Swap", 20, 184},
            {"Help Picture Marble", 17, 184}, {"Summary Score", 22, 190},   {"Summary Bonus", 22, 190},
            {"Summary Moves", 22, 190},       {"Summary Time", 22, 190},    {"Daily Waiting", 18, 215},
            {"Daily Best", 18, 215},          {"Daily Streak", 18, 215}};
        for (const auto& [key, size, room] : plates) fits(key, size, room);
        // A pad's wordings, with each kind's button names, where the keys' own are drawn.
        for (const auto kind : {plat::PadKind::Xbox, plat::PadKind::PlayStation, plat::PadKind::Nintendo}) {
            const auto pad = [kind](const std::string& key) { return PadWords(GameText().FindString(key + " Pad"), kind); };
            for (const std::string key : {"Level Editor 1", "Level Editor 2"})
                EXPECT_LE(plat::FontTextWidth(*GameFont(20), pad(key)), 760) << key;
            for (const std::string key : {"Keys Hint Menus", "Keys Hint Board"})
                EXPECT_LE(plat::FontTextWidth(*GameFont(18), pad(key)) + 28, 780) << key;
            const auto lines = SplitLines(pad("Help Keys"));
            for (const std::string& line : lines) EXPECT_LE(95 + plat::FontTextWidth(*GameFont(20), line), panelRight) << line;
            EXPECT_GE(434 - 25 * (static_cast<int>(lines.size()) - 1), panelTop);
            TLabel paused;
            FitLabel(paused, pad("Paused Continue"), 18, 380);
            EXPECT_EQ(paused.Scale, 1.0f) << pad("Paused Continue");
        }
        for (const char* plate : {"sharecode", "pastecode"})
            fits(ButtonLabelFor(plate)->key, 20, LabelRoom(*ButtonLabelFor(plate), Size(MENUS + "platesmall.png").first));
        // The brush panel's plates left of the board, the page line between
        // the grid's arrows, the high-score table's puzzle column.
        for (const std::string key : {"Brush Heading", "Brush Floor", "Brush Marble", "Brush Chain", "Brush Create",
                                      "Brush Gem", "Brush No Gem"})
            EXPECT_LE(plat::FontTextWidth(*GameFont(18), GameText().FindString(key)), 84) << key;
        const std::string page = FillIn(FillIn(GameText().FindString("Page Of"), "NNN", "10"), "MMM", "10");
        EXPECT_LE(plat::FontTextWidth(*GameFont(18), page), 180) << page;
        EXPECT_LE(plat::FontTextWidth(*GameFont(25), GameText().FindString("Highscore Puzzle")), 180);
        // The end-of-puzzle panel's line for a new high score.
        EXPECT_LE(plat::FontTextWidth(*GameFont(22), FillIn(GameText().FindString("Summary Place"), "NNN", "10")), 320);
        EXPECT_LE(plat::FontTextWidth(*GameFont(25), " (" + GameText().FindString("Highscore Own") + ")"), 130);
        // The grid's star lines beside its arrows, the statistics page's
        // labels and the statistics button on the clear button's face.
        for (const char* key : {"Grid Page Stars", "Grid All Stars"}) {
            const std::string line = FillIn(FillIn(GameText().FindString(key), "NNN", "240"), "MMM", "240");
            EXPECT_LE(plat::FontTextWidth(*SecondFont(), line), 220) << line;
        }
        for (const char* key : {"Stats Standard Won", "Stats Stars", "Stats Custom Won", "Stats Play Time", "Stats Moves",
                                "Stats Gems", "Stats Chain Bonus", "Stats Cascade", "Stats Hints", "Stats Reshuffles"})
            EXPECT_LE(plat::FontTextWidth(*GameFont(25), GameText().FindString(key)), 330) << key;
        fits("Button Statistics", 20, LabelRoom(*ButtonLabelFor("stats"), Size(MENUS + "clear.png").first));
        fits("Button High Scores", 20, LabelRoom(*ButtonLabelFor("statsback"), Size(MENUS + "clear.png").first));
        fits("Header Statistics", 46, 360);
    }
}

// The default settings ship once, under the name the game reads, and are the
// table's defaults.
TEST_F(ContentTest, DefaultSettingsAreTheTablesUnderOneName) {
    std::ifstream in(DEFAULT_SETTINGS_FILE, std::ios::binary);
    std::stringstream shipped;
    shipped << in.rdbuf();
    TIniFile defaults;
    FillDefaultSettings(defaults);
    EXPECT_EQ(shipped.str(), defaults.Text());
    EXPECT_FALSE(fs::exists("data/default.ini"));
}

TEST_F(ContentTest, SoundsAreShortAndMusicIsLong) {
    for (const std::string f : {"buttonclick.wav", "buttonmo.wav", "buttonclick2.wav", "invalid.wav", "hint.wav",
                                "score.ogg", "startgame.wav"}) {
        const plat::SoundPtr s = plat::LoadSound(SOUND + f);
        ASSERT_NE(s, nullptr) << f;
        EXPECT_LT(plat::SoundLength(*s), 2.0f) << f;
    }
    for (const std::string f : {"music1.ogg", "music2.ogg"}) {
        const plat::SoundPtr s = plat::LoadSound(MUSIC + f);
        ASSERT_NE(s, nullptr) << f;
        EXPECT_GE(plat::SoundLength(*s), 90.0f) << f;
        EXPECT_LT(plat::SoundLength(*s), 240.0f) << f;
    }
}

}  // namespace
