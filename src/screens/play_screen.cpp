#include "screens/play_screen.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/sprite.h"
#include "gui/table_text.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/resume_point.h"
#include "resources/resource_globals.h"
#include "screens/game_gui.h"
#include "screens/game_screen.h"
#include "screens/screen_list.h"

namespace {

constexpr const char* STANDARD = "standardlevel";
constexpr const char* CUSTOM = "customlevel";
constexpr int MAIN_MENU_GAP = 15;
constexpr float MAIN_MENU_Y = 520;
constexpr int LEVEL_TYPE_GAP = 50;
constexpr float LEVEL_TYPE_Y = 85;
constexpr float HEADER_Y = 45;

void GrowOnMouseOver(TMenu& menu, const char* name) {
    if (auto button = menu.FindButton(name)) button->ScaleOnMOMax = BUTTON_GROWTH;
}

}  // namespace

void UseMatch3Mode(std::unique_ptr<TGameModeMatch3> mode) {
    GamePlay().Init(GAMEMODE_MATCH3);
    GamePlay().GameMode = std::move(mode);
}

namespace {

// The grid opens on the puzzle most worth playing: among the player's own
// the one last played or saved in the editor; among the standard ones the
// one after the last completed, unless the one just left is still unsolved.
std::string WorthPlaying(PNLevelList& list, bool custom) {
    const TGamePlay& play = GamePlay();
    const bool lastHere = (play.IsCustomLevel != 0) == custom && !play.CurrentLevel.empty();
    const std::string last = lastHere ? plat::NameOfPath(play.CurrentLevel) : std::string();
    if (custom || (lastHere && !list.CheckLevelCompleted(list.LevelPath(last)))) return last;
    return list.LevelAfterLastCompleted();
}

}  // namespace

TPlayScreen& PlayScreen() {
    static TPlayScreen screen;
    return screen;
}

void TPlayScreen::Load() {
    auto& game = Game();
    Image = ImageBank().FindTImage("playscreen");
    if (Image) plat::Precache(*Image);
    Header = THeader::Create("Header Choose Puzzle", ScreenWidth / 2.0f, HEADER_Y);

    MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    MainMenu->AddQuick("playsmall", "playsmall")->OKButton = 1;
    MainMenu->AddQuick("load", "load");
    MainMenu->AddQuick("customsmall", "custom");
    MainMenu->AddQuick("backsmall", "back");
    for (const char* name : {"playsmall", "load", "back"}) GrowOnMouseOver(*MainMenu, name);
    MainMenu->MakeRow(MAIN_MENU_GAP);
    MainMenu->SetY(MAIN_MENU_Y);

    CurrentLevelType = STANDARD;
    LevelTypeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    for (const char* name : {STANDARD, CUSTOM}) {
        AddRadioButton(*LevelTypeMenu, name, CurrentLevelType, 0);
        GrowOnMouseOver(*LevelTypeMenu, name);
    }
    LevelTypeMenu->MakeRow(LEVEL_TYPE_GAP);
    LevelTypeMenu->SetY(LEVEL_TYPE_Y);
    Focus.Clear();
    Focus.LeaveUpDown = Focus.LeaveLeftRight = true;
    Focus.AddMenu(*LevelTypeMenu);
    Focus.AddMenu(*MainMenu);

    if (auto sparkle = ImageBank().FindOrNull("particle1")) game.Mouse.SetSparkleTrail(sparkle);
    game.Audio.FadeMusic = 0;
    if (Header) Header->SetGlow(3, 0, 0.25f, 0, 0.5f);
    plat::SeedRnd(plat::MilliSecs());
}

void TPlayScreen::Start() {
    TScreen::Start();
    auto& game = Game();
    game.GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    game.Mouse.On();
    game.IgnoreEscapeKey = 0;
    SelectLevelType(GamePlay().IsCustomLevel ? CUSTOM : STANDARD);
    game.FixedRateLogic.Init();
}

void TPlayScreen::SelectLevelType(const std::string& type) {
    CurrentLevelType = type;
    if (LevelTypeMenu) SetRadioButtons(*LevelTypeMenu, type, 0);
    if (type == CUSTOM) {
        ShowCustomLevelList();
    } else {
        ShowStandardLevelList();
    }
}

std::unique_ptr<PNLevelList> TPlayScreen::MakeLevelList(bool custom) const {
    const auto& game = Game();
    const TGameText& text = GameText();
    auto list = PNLevelList::Create(custom ? game.ProfilePath : game.DataPrefix + "layouts/", "layout", "",
                                    text.FindString("Tiles Field"), text.FindString("No Levels"), custom ? 0 : 1, 0, 8,
                                    game.ProfileName + (custom ? "c" : "s"), game.ProfilePath);
    list->CreateLevelImageFunction = CreateLevelThumbnail;
    list->UnreadableText = text.FindString("Unreadable Level");
    list->PageText = text.FindString("Page Of");
    list->Init();
    list->CurrentLevel = WorthPlaying(*list, custom);
    list->CreateImages(1);
    list->CreateMenu();
    return list;
}

void TPlayScreen::DropLevelLists() {
    for (auto* list : {&StandardLevelList, &CustomLevelList}) {
        if (*list) (*list)->Kill();
        list->reset();
    }
}

void TPlayScreen::ShowLevelList(bool custom) {
    // At most one grid exists at a time.
    DropLevelLists();
    auto& list = custom ? CustomLevelList : StandardLevelList;
    list = MakeLevelList(custom);
    if (list->CompletionListDamaged) ShowMessage(GameText().FindString("Damaged Completion List"));
    Game().FixedRateLogic.Init();
}

void TPlayScreen::ShowStandardLevelList() { ShowLevelList(false); }

void TPlayScreen::ShowCustomLevelList() { ShowLevelList(true); }

PNLevelList* TPlayScreen::ShownLevelList() const {
    return StandardLevelList ? StandardLevelList.get() : CustomLevelList.get();
}

void TPlayScreen::FadeTo(TScreen& screen) {
    auto& game = Game();
    game.DestinationTScreen = &screen;
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
}

void TPlayScreen::ShowMessage(const std::string& text) {
    if (MessageDialog) MessageDialog->Kill();
    MessageDialog = CreateMessageDialog(text);
}

void TPlayScreen::StartLevel() {
    if (Game().GameFade.Active) return;
    PNLevelList* list = ShownLevelList();
    if (!list || !list->CanStartSelected()) return;
    // Read into a mode of its own first: a refused file changes nothing.
    auto mode = std::make_unique<TGameModeMatch3>();
    if (!mode->Init(list->LevelPath(list->CurrentLevel), list == CustomLevelList.get() ? 1 : 0)) {
        ShowMessage(mode->FileError);
        return;
    }
    Game().Mouse.Off();
    // Another puzzle: the one left in play is not offered any more.
    RemoveResumePoint(Game().ProfileName);
    UseMatch3Mode(std::move(mode));
    GameGUI().Start();
    PlayClock().Start();
    FadeTo(GameScreen());
}

void TPlayScreen::LoadChosenGame(const std::string& path) {
    auto mode = std::make_unique<TGameModeMatch3>();
    if (!mode->LoadGame(path)) {
        ShowMessage(mode->FileError);
        return;
    }
    RemoveResumePoint(Game().ProfileName);
    UseMatch3Mode(std::move(mode));
    GameGUI().Start();
    FadeTo(GameScreen());
}

bool TPlayScreen::StartEditor() {
    if (Game().GameFade.Active) return false;
    auto& play = GamePlay();
    PlayClock().Start();
    // Back from the editor the player's own puzzles show, the one saved last selected.
    if (!play.IsCustomLevel) play.CurrentLevel.clear();
    play.IsCustomLevel = 1;
    play.Init(GAMEMODE_EDITOR);
    GameGUI().Start();
    play.GameMode->Init("", 0);
    FadeTo(GameScreen());
    return true;
}

void TPlayScreen::ShowSaveGameManager() {
    if (SaveGameManager) SaveGameManager->Kill();
    SaveGameManager = CreateSaveGameChooser();
    Game().FixedRateLogic.Init();
}

void TPlayScreen::ManageSaveGameManager() {
    const int answer = SaveGameManager->Manage();
    if (answer == 0) return;
    const std::string path = answer == 1 ? SaveGameManager->ChosenPath() : std::string();
    SaveGameManager->Kill();
    SaveGameManager.reset();
    if (!path.empty()) LoadChosenGame(path);
}

void TPlayScreen::Logic() {
    if (Header) Header->ManageGlow();
    if (MessageDialog) {
        if (MessageDialog->Manage()) {
            MessageDialog->Kill();
            MessageDialog.reset();
        }
        return;
    }
    if (SaveGameManager) {
        ManageSaveGameManager();
        return;
    }
    Focus.Manage();
    MainMenu->Manage();
    LevelTypeMenu->Manage();
    if (MainMenu->Clicked("playsmall")) StartLevel();
    if (MainMenu->Clicked("load")) ShowSaveGameManager();
    if (MainMenu->Clicked("custom")) StartEditor();
    if (MainMenu->Clicked("back")) FadeTo(ScreenFor(EGameScreen::Title));
    if (LevelTypeMenu->Clicked(STANDARD)) SelectLevelType(STANDARD);
    if (LevelTypeMenu->Clicked(CUSTOM)) SelectLevelType(CUSTOM);
    if (SaveGameManager || Game().GameFade.Active) return;
    if (PNLevelList* list = ShownLevelList()) {
        list->Manage();
        if (list->StartLevel) StartLevel();
    }
}

void TPlayScreen::Draw() {
    if (Image) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::DrawImage(*Image, ScreenWidth / 2.0f + x, ScreenHeight / 2.0f + y);
    } else {
        plat::Cls();
    }
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(1.0f);
    SetTextShadow(1, 1, 0.6f);
    if (Header) Header->Draw();
    if (MainMenu) MainMenu->Draw(0, 0);
    if (LevelTypeMenu) LevelTypeMenu->Draw(0, 0);
    if (PNLevelList* list = ShownLevelList()) list->Draw();
    if (!SaveGameManager && !MessageDialog) Focus.Draw();
    if (SaveGameManager) SaveGameManager->Draw();
    if (MessageDialog) MessageDialog->Draw();
    SetTextShadow(1, 1, 0.6f);
    if (auto font = DefaultFont()) plat::SetImageFont(font);
}

void TPlayScreen::Kill() {
    TScreen::Kill();
    for (auto* menu : {&MainMenu, &LevelTypeMenu}) {
        if (*menu) (*menu)->Kill();
        menu->reset();
    }
    DropLevelLists();
    if (SaveGameManager) SaveGameManager->Kill();
    SaveGameManager.reset();
    if (MessageDialog) MessageDialog->Kill();
    MessageDialog.reset();
}

int TPlayScreen::SetEscDestination() {
    Game().DestinationTScreen = &ScreenFor(EGameScreen::Title);
    return 0;
}
