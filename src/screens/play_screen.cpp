#include "screens/play_screen.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/sprite.h"
#include "gui/table_text.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/custom_par.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/resume_point.h"
#include "puzzle/share_code.h"
#include "resources/error_state.h"
#include "resources/input_tables.h"
#include "resources/resource_globals.h"
#include "screens/daily_entry.h"
#include "screens/game_gui.h"
#include "screens/game_screen.h"
#include "screens/screen_list.h"

namespace {

constexpr const char* STANDARD = "standardlevel";
constexpr const char* CUSTOM = "customlevel";
constexpr const char* DAILY = "dailylevel";
constexpr int MAIN_MENU_GAP = 15;
constexpr float MAIN_MENU_Y = 520;
constexpr int LEVEL_TYPE_GAP = 24;
// Share and Paste either side of the grid's arrows; the daily lines under the tabs.
constexpr float SHARE_Y = 450;
constexpr float SHARE_LEFT_X = 95, SHARE_RIGHT_X = 705;
constexpr float DAILY_LINE_X = 14, DAILY_LINE_Y = 448, DAILY_LINE_ROOM = 215;
constexpr int CODE_GROUPS_PER_LINE = 4;
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
    for (const char* name : {STANDARD, CUSTOM, DAILY}) {
        AddRadioButton(*LevelTypeMenu, name, CurrentLevelType, 0);
        GrowOnMouseOver(*LevelTypeMenu, name);
    }
    LevelTypeMenu->MakeRow(LEVEL_TYPE_GAP);
    LevelTypeMenu->SetY(LEVEL_TYPE_Y);
    ShareMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    for (const auto& [name, x] : {std::pair{"sharecode", SHARE_LEFT_X}, std::pair{"pastecode", SHARE_RIGHT_X}}) {
        auto button = ShareMenu->AddNew("platesmall", "platesmallMO", name);
        button->SetupScaleOnMO(BUTTON_GROWTH, button->ScaleOnMOUpSpeed, button->ScaleOnMODownSpeed);
        button->x = x - static_cast<float>(button->w) / 2;
        button->y = SHARE_Y - static_cast<float>(button->h) / 2;
        button->SetupTableCaption(name);
    }
    Focus.Clear();
    Focus.Place = "play";
    // The arrows walk the grid; Return plays the puzzle chosen there.
    Focus.Home = "PLAYSMALL";
    Focus.LeaveUpDown = Focus.LeaveLeftRight = true;
    Focus.AddMenu(*LevelTypeMenu);
    Focus.AddMenu(*MainMenu);
    Focus.AddMenu(*ShareMenu);

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
    const bool daily = DailyDateOfPath(GamePlay().CurrentLevel).has_value();
    SelectLevelType(daily ? DAILY : GamePlay().IsCustomLevel ? CUSTOM : STANDARD);
    // Files dropped while another screen was shown are not taken here.
    plat::TakeDroppedFiles();
    droppedFiles_.clear();
    game.FixedRateLogic.Init();
}

void TPlayScreen::SelectLevelType(const std::string& type) {
    CurrentLevelType = type;
    if (LevelTypeMenu) SetRadioButtons(*LevelTypeMenu, type, 0);
    if (type == CUSTOM) {
        ShowCustomLevelList();
    } else if (type == DAILY) {
        ShowDailyLevelList();
    } else {
        ShowStandardLevelList();
    }
}

std::unique_ptr<PNLevelList> TPlayScreen::MakeLevelList(EGrid grid) const {
    const auto& game = Game();
    const TGameText& text = GameText();
    const bool custom = grid != EGrid::Standard;
    const std::string folder = grid == EGrid::Standard ? game.DataPrefix + "layouts/"
                               : grid == EGrid::Custom ? game.ProfilePath
                                                       : DailyFolder();
    const char* completion = grid == EGrid::Standard ? "s" : grid == EGrid::Custom ? "c" : "d";
    auto list = PNLevelList::Create(folder, "layout", "", text.FindString("Tiles Field"), text.FindString("No Levels"),
                                    custom ? 0 : 1, 0, 8, game.ProfileName + completion, game.ProfilePath);
    list->CreateLevelImageFunction = CreateLevelThumbnail;
    list->UnreadableText = text.FindString("Unreadable Level");
    list->PageText = text.FindString("Page Of");
    // Days won keep their scores in the daily results, not as bests: that
    // grid shows a check mark per day won and no stars.
    if (!game.ProfileName.empty() && grid != EGrid::Daily) {
        auto bests = std::make_shared<const TPlayerBests>(game.ProfileName);
        list->FindBest = [bests, custom](const std::string& key) { return bests->Find(custom, key); };
        list->PageStarsText = text.FindString("Grid Page Stars");
        list->AllStarsText = text.FindString("Grid All Stars");
    }
    list->Init();
    list->CurrentLevel = grid == EGrid::Daily ? FormatIsoDate(TodayDate()) : WorthPlaying(*list, custom);
    const auto played = DailyDateOfPath(GamePlay().CurrentLevel);
    if (grid == EGrid::Daily && played) list->CurrentLevel = FormatIsoDate(*played);
    list->CreateImages(1);
    list->CreateMenu();
    return list;
}

void TPlayScreen::DropLevelLists() {
    for (auto* list : {&StandardLevelList, &CustomLevelList, &DailyLevelList}) {
        if (*list) (*list)->Kill();
        list->reset();
    }
}

void TPlayScreen::ShowLevelList(EGrid grid) {
    // At most one grid exists at a time.
    DropLevelLists();
    auto& list = grid == EGrid::Standard ? StandardLevelList : grid == EGrid::Custom ? CustomLevelList : DailyLevelList;
    list = MakeLevelList(grid);
    if (ShareMenu)
        for (auto& button : ShareMenu->Buttons) button->Active = grid == EGrid::Custom;
    if (list->CompletionListDamaged) ShowMessage(GameText().FindString("Damaged Completion List"));
    Game().FixedRateLogic.Init();
}

void TPlayScreen::ShowStandardLevelList() { ShowLevelList(EGrid::Standard); }

void TPlayScreen::ShowCustomLevelList() { ShowLevelList(EGrid::Custom); }

void TPlayScreen::ShowDailyLevelList() {
    const TCivilDate today = TodayDate();
    if (!PrepareDailyFolder(today)) ShowMessage(GameText().FindString("Daily Not Written"));
    ShowLevelList(EGrid::Daily);
    dailyBestLine_ = DailyBestLine(Game().ProfileName, today);
    dailyStreakLine_ = DailyStreakLine(Game().ProfileName, today);
}

PNLevelList* TPlayScreen::ShownLevelList() const {
    if (StandardLevelList) return StandardLevelList.get();
    return CustomLevelList ? CustomLevelList.get() : DailyLevelList.get();
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
    if (!mode->Init(list->LevelPath(list->CurrentLevel), list != StandardLevelList.get() ? 1 : 0)) {
        ShowMessage(mode->FileError);
        return;
    }
    Game().Mouse.Off();
    // A puzzle of the player's own saved before par existed gets one now.
    if (list == CustomLevelList.get()) RequestCustomPar(list->LevelPath(list->CurrentLevel));
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
    if (ReplaceDialog) {
        if (const int answer = ReplaceDialog->Manage(); answer != 0) {
            ReplaceDialog->Kill();
            ReplaceDialog.reset();
            if (answer == 1 && PendingPuzzle) AddPuzzle(*PendingPuzzle);
            PendingPuzzle.reset();
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
    if (LevelTypeMenu->Clicked(DAILY)) SelectLevelType(DAILY);
    ManageSharing();
    if (SaveGameManager || MessageDialog || ReplaceDialog || Game().GameFade.Active) return;
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
    if (CustomLevelList && ShareMenu) ShareMenu->Draw(0, 0);
    if (DailyLevelList) DrawDailyLines();
    if (!SaveGameManager && !MessageDialog && !ReplaceDialog) Focus.Draw();
    if (SaveGameManager) SaveGameManager->Draw();
    if (MessageDialog) MessageDialog->Draw();
    if (ReplaceDialog) ReplaceDialog->Draw();
    SetTextShadow(1, 1, 0.6f);
    if (auto font = DefaultFont()) plat::SetImageFont(font);
}

void TPlayScreen::Kill() {
    TScreen::Kill();
    for (auto* menu : {&MainMenu, &LevelTypeMenu, &ShareMenu}) {
        if (*menu) (*menu)->Kill();
        menu->reset();
    }
    DropLevelLists();
    if (SaveGameManager) SaveGameManager->Kill();
    SaveGameManager.reset();
    if (MessageDialog) MessageDialog->Kill();
    MessageDialog.reset();
    if (ReplaceDialog) ReplaceDialog->Kill();
    ReplaceDialog.reset();
    PendingPuzzle.reset();
}

int TPlayScreen::SetEscDestination() {
    Game().DestinationTScreen = &ScreenFor(EGameScreen::Title);
    return 0;
}

// ---- the daily puzzles and sharing ---------------------------------------------------

// Beside the page arrows, where the other grids tell their stars.
void TPlayScreen::DrawDailyLines() const {
    DrawFittedText(dailyBestLine_, 18, {DAILY_LINE_X, DAILY_LINE_Y, DAILY_LINE_ROOM, ALIGN_LEFT}, CaptionLook(),
                   TEXT_CREAM);
    DrawFittedText(dailyStreakLine_, 18, {ScreenWidth - DAILY_LINE_X, DAILY_LINE_Y, DAILY_LINE_ROOM, ALIGN_RIGHT},
                   CaptionLook(), TEXT_GOLD);
}

// Ctrl+C and Ctrl+V do what Share and Paste do; a dropped file opens the player's own grid.
void TPlayScreen::ManageSharing() {
    const bool ctrl = KeyDown(plat::KEY_LCONTROL) || KeyDown(plat::KEY_RCONTROL);
    if (CustomLevelList && ShareMenu) {
        ShareMenu->Manage();
        if (ShareMenu->Clicked("sharecode") || (ctrl && KeyHit('C'))) ShareSelected();
        if (ShareMenu->Clicked("pastecode") || (ctrl && KeyHit('V'))) TakeCode(plat::GetClipboardText());
    }
    for (std::string& path : plat::TakeDroppedFiles()) droppedFiles_.push_back(std::move(path));
    // One at a time: each may have its message or question.
    if (!droppedFiles_.empty() && !MessageDialog && !ReplaceDialog) {
        const std::string path = droppedFiles_.front();
        droppedFiles_.pop_front();
        TakeDroppedFile(path);
    }
}

void TPlayScreen::ShareSelected() {
    if (!CustomLevelList || !CustomLevelList->CanStartSelected()) {
        ShowMessage(GameText().FindString("Share Nothing Chosen"));
        return;
    }
    const std::string name = CustomLevelList->CurrentLevel;
    std::string problem;
    const std::string code = ShareCodeOfFile(CustomLevelList->LevelPath(name), name, problem);
    if (code.empty()) {
        ShowMessage(problem);
        return;
    }
    const bool copied = plat::SetClipboardText(code);
    const std::string text = GameText().FindString(copied ? "Share Code Copied" : "Share Code Shown");
    ShowMessage(FillIn(text, "NNN", ShareCodeLines(code, CODE_GROUPS_PER_LINE)));
}

void TPlayScreen::TakeCode(const std::string& code) {
    TIncomingPuzzle puzzle;
    Take(IncomingFromCode(code, puzzle), puzzle);
}

void TPlayScreen::TakeDroppedFile(const std::string& path) {
    TIncomingPuzzle puzzle;
    Take(IncomingFromFile(path, puzzle), puzzle);
}

void TPlayScreen::Take(const std::string& refusal, const TIncomingPuzzle& puzzle) {
    if (MessageDialog || ReplaceDialog) return;
    if (!refusal.empty()) {
        ShowMessage(GameText().FindString(refusal));
        return;
    }
    if (plat::FileType(OwnPuzzlePath(puzzle.Name)) != plat::FILETYPE_NONE) {
        PendingPuzzle = puzzle;
        ReplaceDialog = CreateYesNoDialog(GameText().FindString("Replace Layout"));
        return;
    }
    AddPuzzle(puzzle);
}

void TPlayScreen::AddPuzzle(const TIncomingPuzzle& puzzle) {
    if (const std::string problem = AddIncoming(puzzle); !problem.empty()) {
        ShowMessage(problem);
        return;
    }
    // The player's own grid, the new puzzle selected.
    GamePlay().CurrentLevel = OwnPuzzlePath(puzzle.Name);
    GamePlay().IsCustomLevel = 1;
    SelectLevelType(CUSTOM);
    ShowMessage(FillIn(GameText().FindString("Share Added"), "NNN", puzzle.Name));
}
