// The game in other languages: the one a first start takes from the locale,
// the options screen's choice that overrides it at once and across a
// restart, a name typed with their letters, pictures of the main screens in
// German and French ($VC_SCREENSHOT_DIR), and every dialog text inside its
// panel in every language.
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "gui/font.h"
#include "persistence/profile.h"
#include "platform/files.h"
#include "puzzle/board_text.h"
#include "resources/languages.h"
#include "screens/game_test_util.h"
#include "screens/ingame_menu.h"
#include "screens/options_screen.h"
#include "screens/save_game_manager.h"
#include "screens/screen_list.h"
#include "screens/title_screen.h"

namespace {

const char* const LOCALE_VARIABLES[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

// The locale variables unset for the test, and given back after it.
struct CleanLocale {
    std::map<std::string, std::string> saved;
    CleanLocale() {
        for (const char* name : LOCALE_VARIABLES) saved[name] = std::getenv(name) ? std::getenv(name) : "";
        for (const char* name : LOCALE_VARIABLES) ::unsetenv(name);
    }
    ~CleanLocale() {
        for (const auto& [name, value] : saved) ::setenv(name.c_str(), value.c_str(), 1);
    }
};

TEST(LocaleLanguage, TheFirstSetVariableDecidesAndAListTakesTheFirstLanguageWeHave) {
    EXPECT_EQ(LanguageOfLocale("es_ES@euro"), "es");
    EXPECT_EQ(LanguageOfLocale("POSIX"), "en");
    CleanLocale clean;
    EXPECT_EQ(SystemLanguage(), "en");
    ::setenv("LANG", "es_MX.UTF-8", 1);
    ::setenv("LC_MESSAGES", "fr_FR.UTF-8", 1);
    EXPECT_EQ(SystemLanguage(), "fr") << "LC_MESSAGES comes before LANG";
    ::setenv("LC_ALL", "C", 1);
    ::setenv("LANGUAGE", "", 1);
    EXPECT_EQ(SystemLanguage(), "en") << "LC_ALL=C, and an empty LANGUAGE passed over";
    ::setenv("LANGUAGE", "pt_BR:de_AT:fr", 1);
    EXPECT_EQ(SystemLanguage(), "de");
    ::setenv("LANGUAGE", "pt_BR:it", 1);
    EXPECT_EQ(SystemLanguage(), "en");
    EXPECT_EQ(LanguageFor("fr"), "fr");
}

class LanguageTest : public RealGameTest {
protected:
    bool BootAtOnce() const override { return false; }
    static TTitleScreen& Title() { return TitleScreen(); }
    static bool OnTitle() { return OnScreen(TitleScreen()); }

    // The title, the puzzle grid, the board with the pause menu and a
    // question over it, and last the options screen.
    void Pictures(const std::string& code) {
        Shot(code + "_title");
        ShowScreen(ScreenFor(EGameScreen::Play));
        Frames(10);
        Shot(code + "_grid");
        ShowScreen(StartFirstStandardPuzzle());
        ASSERT_TRUE(WaitFor([] { return !Mode().StartGameAnimation && Mode().CellBox->IsSettled(); }, 2000));
        Key(plat::KEY_ESCAPE);
        Frames(40);
        Shot(code + "_menu");
        ClickButton(GameMenu().Menu->FindButton("shufflepuzzle"));
        Frames(40);
        Shot(code + "_question");
        ShowScreen(OptionsScreen());
        Frames(10);
        Shot(code + "_options");
    }

    CleanLocale clean_;
};

TEST_F(LanguageTest, AGermanLocaleGivesGermanUntilTheOptionsChooseFrenchWhichOutlivesARestart) {
    ::setenv("LANG", "de_DE.UTF-8", 1);
    Boot();
    ASSERT_TRUE(WaitFor(OnTitle, 500));
    ASSERT_TRUE(Title().EnterName);
    EXPECT_EQ(Title().EnterName->Caption->Text, "Bitte gib deinen Namen ein");
    Shot("de_title_name_prompt");
    plat::PostTextInput("j\xc3\xbcrgen/");  // as the keyboard sends it, UTF-8; the "/" is refused
    Frames(3);
    Shot("de_name_refused");
    plat::PostTextInput(" \xc3\xa7\xc3\xb1\xc3\x9f");
    Type("\r");
    ASSERT_TRUE(WaitFor([] { return !Title().EnterName; }, 100));
    ASSERT_TRUE(Game().CurrentProfile);
    EXPECT_EQ(Game().CurrentProfile->Name, "J\xfcrgen \xe7\xf1\xdf");
    Frames(10);
    Pictures("de");

    ClickButton(OptionsScreen().LanguageMenu->FindButton("fr"));
    EXPECT_EQ(GameText().FindString("Welcome"), "Bienvenue, ") << "at once";
    Frames(1);
    EXPECT_EQ(OptionsScreen().OptionsMenu->FindButton("fullscreen")->Caption->Text, "Plein \xe9" "cran")
        << "the labels on the faces too";
    EXPECT_EQ(OptionsScreen().LanguageMenu->FindButton("fr")->image->name, "LANGUAGEON");
    ClickButton(OptionsScreen().Menu->FindButton("ok"));
    ASSERT_TRUE(WaitFor(OnTitle, 200));
    Frames(10);
    Pictures("fr");

    Restart();
    ASSERT_TRUE(WaitFor(OnTitle, 500));
    EXPECT_EQ(GameText().Language, "fr") << "the choice outlives the German locale";
    ASSERT_TRUE(Game().CurrentProfile) << "the player's file is found again";
    EXPECT_EQ(Game().CurrentProfile->Name, "J\xfcrgen \xe7\xf1\xdf");
}

// Each dialog's text inside its panel, in every language: every line within
// the panel's border and above the buttons, the answer box too.
TEST_F(LanguageTest, DialogTextsStayInsideTheirPanels) {
    Boot();
    ShowScreen(OptionsScreen());
    for (const auto& button : OptionsScreen().LanguageMenu->Buttons)
        EXPECT_LE(button->Caption->CalcWidth(), static_cast<float>(button->w - 16)) << button->Caption->Text;
    auto inside = [](TDialog& dialog, const std::string& what) {
        const auto& caption = *dialog.Caption;
        const auto lines = caption.WordWrap > 0 ? caption.TextArray : std::vector<std::string>{caption.Text};
        for (const auto& line : lines) EXPECT_LE(caption.TextWidth(line), dialog.w - 2 * dialog.Border) << what;
        float bottom = caption.Y + caption.H;
        if (auto* input = dynamic_cast<TDialogTextInput*>(&dialog)) bottom = input->Text->Y + input->Text->H + input->BoxBorderV;
        EXPECT_GE(caption.Y, static_cast<float>(dialog.y + dialog.Border) - 1) << what;
        EXPECT_LE(bottom, dialog.Menu->Buttons[0]->y) << what;
        dialog.Kill();
    };
    for (const auto& language : Languages()) {
        SCOPED_TRACE(language.Code);
        Game().Language = language.Code;
        LoadGameTextFile();
        const auto text = [](const std::string& key) { return GameText().FindString(key); };
        for (const char* key : {"No Valid Matches 1", "Replace Layout", "Clear Puzzle", "Exit Editor", "Restart Puzzle",
                                "Exit Playing", "Reshuffle Puzzle", "Delete File", "Player Delete Player",
                                "Clear Highscore", "Overwrite Savegame", "Quit Game"})
            inside(*CreateYesNoDialog(text(key)), key);
        for (const char* key : {"Editor Error 1", "Editor Error 2", "Editor Error 3", "Editor Error 4", "Editor Error 5",
                                "Editor Error 6", "Editor Error 7", "Editor Error 8", "Editor Error 9",
                                "Player No More", "Player One Player", "Name Error", "Damaged Highscores",
                                "Damaged Completion List", "Cannot Save"})
            inside(*CreateMessageDialog(text(key)), key);
        for (const char* key : {"Enter Level Name", "Enter Name", "Enter Save Name"}) {
            auto dialog = CreateTextInputDialog(1, text(key));
            dialog->Start();
            // Each line that says why a key was refused, between the box and the buttons.
            auto& field = *dialog->TextInput;
            for (const ERefusal why : {ERefusal::Sign, ERefusal::Letter, ERefusal::Blank, ERefusal::Length,
                                       ERefusal::Digit, ERefusal::Empty}) {
                field.Refusal = why;
                const std::string line = field.RefusalText();
                EXPECT_LE(plat::FontTextWidth(*FirstFont(), line), dialog->w - 2 * dialog->Border) << line;
                EXPECT_LE(dialog->RefusalY() + static_cast<float>(plat::FontHeight(*FirstFont())),
                          dialog->Menu->Buttons[0]->y) << line;
            }
            inside(*dialog, key);
        }
        const int managerRoom = ImageBank().Find("manager")->w - 40;
        for (const char* key : {"Choose Player", "Choose Savegame", "Choose Layout"})
            EXPECT_LE(plat::FontTextWidth(*DialogFont(), text(key)), managerRoom) << key;
        EXPECT_LE(plat::FontTextWidth(*FirstFont(), GameText().FindString("Player Missing", "WWWWWWWWWW")), managerRoom);
    }
}

// The saved games' chooser in every language: each column holds its text
// whole (the widest score, a puzzle of the player's own), and a save that
// cannot be read says so in full across the row.
TEST_F(LanguageTest, ChooserColumnsFitTheTextsOfTheLanguageShown) {
    Boot();
    for (const auto& [file, score, puzzle] : {std::tuple{"Abend", 1234, "Burg"}, {"Morgen", 98765, "Mondschein"}}) {
        TSaveGameData save;
        save.Score = score;
        save.SavedAt = 1700000000 + score;
        save.Puzzle = TSavedPuzzle{Game().ProfilePath + puzzle + ".layout", 1};
        ASSERT_TRUE(plat::WriteFileAtomic(Game().ProfilePath + file + ".save", FormatSaveGame(save)));
    }
    ASSERT_TRUE(plat::WriteFileAtomic(Game().ProfilePath + "Kaputt.save", std::string("x")));
    for (const auto& language : Languages()) {
        SCOPED_TRACE(language.Code);
        Game().Language = language.Code;
        LoadGameTextFile();
        auto chooser = CreateSaveGameChooser();
        const auto& list = *chooser->ListBox;
        ASSERT_EQ(list.Count(), 3);
        for (const std::string& row : list.Strings) {
            std::vector<std::string> parts;
            std::istringstream split(row);
            for (std::string part; std::getline(split, part, '\t');) parts.push_back(part);
            EXPECT_EQ(list.ShownParts(row), parts) << "cut short";
        }
        EXPECT_EQ(list.Strings.back(), "Kaputt\t" + GameText().FindString("Unreadable Level"));
        chooser->Kill();
    }
}

}  // namespace
