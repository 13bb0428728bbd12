// The file chooser driven through the main loop's tick with synthetic mouse
// and key events: which files it lists, loading by double click and Load,
// cancelling, deleting after the question, and the scroll arrows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gui/gui_test_util.h"
#include "platform/files.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/save_game_manager.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path) { std::ofstream(path, std::ios::binary) << "x"; }

void SavePlainImage(const fs::path& path, int w, int h, uint32_t colour) {
    auto pixels = plat::CreatePixmap(w, h);
    pixels->Clear(colour);
    ASSERT_TRUE(plat::SavePixmapPNG(*pixels, path.string()));
}

class ChooserTest : public TickTest {
protected:
    void SetUp() override {
        TickTest::SetUp();
        const fs::path root = fs::path(VC_TEST_BINARY_DIR) / "test-home" / "chooser";
        const fs::path images = root / "images";
        fs::create_directories(images);
        for (const char* name : {"Load", "Delete", "Cancel", "Up", "Down", "OK", "Yes", "No"})
            SavePlainImage(images / (std::string(name) + ".png"), 60, 30, plat::ARGB(255, 90, 90, 160));
        SavePlainImage(images / "input.png", 400, 180, plat::ARGB(255, 40, 40, 80));
        Game().MenuPath = images.string() + "/";
        for (const char* sound : {"buttonMO", "buttonclick"}) {
            auto silent = std::make_shared<TGameSound>();
            silent->name = UpperAscii(sound);
            SoundBank().Map[silent->name] = silent;
        }
        ImageBank().Load(images.string() + "/input.png", "input");
        std::ifstream text(std::string(VC_TEST_SOURCE_DIR) + "/assets/text/gametext.txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(text)), {});
        GameText().ReadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        dir = root / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        Game().ProfilePath = dir.string() + "/";
    }
    int Tick(TSaveGameManager& chooser) {
        int result = 0;
        screen.logic = [&] { result = chooser.Manage(); };
        clock.now += 5;
        Game().LogicWrapper();
        screen.logic = nullptr;
        return result;
    }
    int Ticks(TSaveGameManager& chooser, int count) {
        int result = 0;
        for (int i = 0; i < count && result == 0; ++i) result = Tick(chooser);
        return result;
    }
    static void ClickAt(int x, int y) {
        plat::PostEvent({plat::EventKind::MouseMove, 0, x, y});
        plat::PostEvent({plat::EventKind::MouseDown, 1, x, y});
        plat::PostEvent({plat::EventKind::MouseUp, 1, x, y});
    }
    static void Click(const ButtonPtr& button) {
        ASSERT_TRUE(button);
        ClickAt(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
    }
    static void ClickRow(const TSaveGameManager& chooser, int row) {
        const auto& list = *chooser.ListBox;
        ClickAt(static_cast<int>(list.Box->X) + 20,
                static_cast<int>(list.Box->Y) + list.LineHeight * row + list.LineHeight / 2);
    }
    static void Key(int32_t key) {
        plat::PostSDLKey(key, true);
        plat::PostSDLKey(key, false);
    }

    fs::path dir;
};

TEST_F(ChooserTest, ListsOnlyFilesOfTheExactExtensionSortedIgnoringCase) {
    for (const char* name : {"b.save", "A.save", "c.SAVE", "e.txt", "f.save.bak", ".save", "z.layout"})
        Touch(dir / name);
    fs::create_directories(dir / "d.save");
    ErrorLogFolder = dir.string() + "/";
    auto saves = CreateSaveGameChooser();
    EXPECT_EQ(saves->Names, (std::vector<std::string>{"A", "b"}));
    // Neither is a saved game: listed as such, and the log says which and why.
    std::ifstream logFile(dir / "ErrorLog.txt", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(logFile)), {});
    EXPECT_NE(log.find((dir / "b.save").string()), std::string::npos) << log;
    ResetErrorLog();
    EXPECT_EQ(saves->ChosenName(), "A") << "the first row is chosen from the start";
    auto layouts = CreateLayoutChooser();
    EXPECT_EQ(layouts->ListBox->Strings, (std::vector<std::string>{"z"}));

    Game().ProfilePath = (dir / "missing").string() + "/";
    EXPECT_TRUE(CreateSaveGameChooser()->ListBox->Strings.empty());
}

// Saves named in UTF-8, or in Latin-1 by an older version, are found by name.
TEST_F(ChooserTest, SavesNamedInUtf8OrOldLatin1AreListedByNameAndFound) {
    Touch(dir / "Caf\xc3\xa9.save");
    Touch(dir / "Zo\xeb.save");
    auto saves = CreateSaveGameChooser();
    ASSERT_EQ(saves->Names, (std::vector<std::string>{"Caf\xe9", "Zo\xeb"}));
    for (int row = 0; row < 2; ++row) {
        saves->ListBox->SetIndex(row);
        EXPECT_EQ(plat::FileType(saves->ChosenPath()), plat::FILETYPE_FILE) << saves->ChosenName();
    }
}

// The empty list says there is nothing to load: Load and Delete stand greyed
// and neither a click nor Enter opens a second box saying the same.
TEST_F(ChooserTest, WithNoFileLoadAndDeleteAreDisabled) {
    auto chooser = CreateSaveGameChooser();
    ASSERT_TRUE(chooser->ListBox->Strings.empty());
    for (const char* name : {"Load", "Delete"}) EXPECT_TRUE(chooser->Menu->FindButton(name)->Disabled) << name;
    EXPECT_FALSE(chooser->Menu->FindButton("Cancel")->Disabled);
    Click(chooser->Menu->FindButton("Load"));
    EXPECT_EQ(Ticks(*chooser, 5), 0);
    Click(chooser->Menu->FindButton("Delete"));
    EXPECT_EQ(Ticks(*chooser, 5), 0);
    Key(13);
    EXPECT_EQ(Ticks(*chooser, 5), 0);
    EXPECT_FALSE(chooser->DialogOK) << "a second box";
    EXPECT_FALSE(chooser->DialogYesNo);
    EXPECT_TRUE(chooser->Active);
    Key(27);
    EXPECT_EQ(Ticks(*chooser, 5), -1);
    EXPECT_FALSE(chooser->Active);
    EXPECT_EQ(Game().GameFade.Active, 0) << "Escape belonged to the chooser";
    // A file listed: both are live again.
    Touch(dir / "one.save");
    chooser = CreateSaveGameChooser();
    for (const char* name : {"Load", "Delete"}) EXPECT_FALSE(chooser->Menu->FindButton(name)->Disabled) << name;
}

TEST_F(ChooserTest, RowsShowAfterFillingAndAClickOnAnEmptyRowSelectsNothing) {
    for (const char* name : {"one.save", "two.save", "three.save"}) Touch(dir / name);
    auto chooser = CreateSaveGameChooser();
    const auto& list = *chooser->ListBox;
    EXPECT_EQ(list.TopIndex, 0);
    EXPECT_EQ(list.GetTempLimit(), 3);
    EXPECT_GE(chooser->VisibleRows(), 7);
    ClickRow(*chooser, 1);
    Ticks(*chooser, 3);
    ClickRow(*chooser, 4);
    Ticks(*chooser, 3);
    EXPECT_EQ(chooser->ChosenName(), "three") << "an empty row chooses nothing else";
    // Load answers the chosen file; the owner opens it.
    Click(chooser->Menu->FindButton("Load"));
    EXPECT_EQ(Ticks(*chooser, 5), 1);
    EXPECT_EQ(chooser->ChosenPath(), (dir / "three.save").string());
}

TEST_F(ChooserTest, ADoubleClickChoosesTwoSlowClicksDoNot) {
    Touch(dir / "game.save");
    Touch(dir / "other.save");
    auto chooser = CreateSaveGameChooser();
    ClickRow(*chooser, 0);
    Ticks(*chooser, 2);
    clock.now += 2000;
    Ticks(*chooser, 200);  // a second later: no double click
    ClickRow(*chooser, 0);
    EXPECT_EQ(Ticks(*chooser, 2), 0);
    ClickRow(*chooser, 0);
    EXPECT_EQ(Ticks(*chooser, 5), 1);
    EXPECT_EQ(chooser->ChosenName(), "game");
    // The first row is chosen already: one double click on it loads it.
    auto again = CreateSaveGameChooser();
    ClickRow(*again, 0);
    EXPECT_EQ(Ticks(*again, 2), 0);
    ClickRow(*again, 0);
    EXPECT_EQ(Ticks(*again, 5), 1);
    EXPECT_EQ(again->ChosenName(), "game");
}

TEST_F(ChooserTest, DeletingAsksFirstAndTheLastFileLeavesAnEmptyList) {
    Touch(dir / "only.save");
    auto chooser = CreateSaveGameChooser();
    ASSERT_EQ(chooser->ChosenName(), "only");
    Click(chooser->Menu->FindButton("Delete"));
    Ticks(*chooser, 3);
    ASSERT_TRUE(chooser->DialogYesNo);
    Key('n');
    Ticks(*chooser, 5);
    EXPECT_FALSE(chooser->DialogYesNo);
    EXPECT_TRUE(fs::exists(dir / "only.save"));

    Click(chooser->Menu->FindButton("Delete"));
    Ticks(*chooser, 3);
    ASSERT_TRUE(chooser->DialogYesNo);
    Key('y');
    EXPECT_EQ(Ticks(*chooser, 5), 0);
    EXPECT_FALSE(fs::exists(dir / "only.save"));
    EXPECT_TRUE(chooser->ListBox->Strings.empty());
    EXPECT_EQ(chooser->ListBox->Index, -1);
    EXPECT_EQ(chooser->ChosenPath(), "");
    EXPECT_TRUE(chooser->Menu->FindButton("Load")->Disabled) << "the last file went";
    EXPECT_TRUE(chooser->Active);
}

TEST_F(ChooserTest, ArrowsMoveTheWindowOneRowAndStopAtBothEnds) {
    for (int i = 0; i < 12; ++i) Touch(dir / ("save" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".save"));
    auto chooser = CreateSaveGameChooser();
    const auto& list = *chooser->ListBox;
    const int rows = chooser->VisibleRows();
    ASSERT_LT(rows, 12);
    const auto press = [&](const char* arrow) {
        const auto& menu = std::string(arrow) == "Up" ? chooser->MenuArrowUp : chooser->MenuArrowDown;
        Click(menu->FindButton(arrow));
        Ticks(*chooser, 2);
    };
    press("Up");
    EXPECT_EQ(list.TopIndex, 0);
    for (int i = 1; i <= 12 - rows; ++i) {
        press("Down");
        EXPECT_EQ(list.TopIndex, i);
        EXPECT_EQ(list.GetTempLimit(), i + rows);
    }
    press("Down");
    EXPECT_EQ(list.GetTempLimit(), 12);
    press("Up");
    EXPECT_EQ(list.TopIndex, 12 - rows - 1);
    // The row under the pointer follows the window.
    ClickRow(*chooser, 0);
    Ticks(*chooser, 3);
    EXPECT_EQ(list.Index, 12 - rows - 1);
}

}  // namespace
