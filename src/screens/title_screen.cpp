#include "screens/title_screen.h"

#include <algorithm>

#include "gui/pad_prompts.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "app/loading_screen.h"
#include "gui/menu.h"
#include "gui/sprite.h"
#include "gui/text.h"
#include "persistence/profile.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/completion_list.h"
#include "puzzle/daily_results.h"
#include "screens/daily_entry.h"
#include "puzzle/match3_mode.h"
#include "puzzle/resume_point.h"
#include "puzzle/save_game.h"
#include "resources/resource_globals.h"
#include "screens/game_gui.h"
#include "screens/game_screen.h"
#include "screens/play_screen.h"
#include "screens/screen_list.h"

namespace {

constexpr int MAX_PLAYERS = 7;
constexpr float MENU_DROP = 50;
constexpr float CHANGE_PLAYER_TOP = 560;
constexpr float CONTINUE_GAP = 24;        // between Play and Continue
constexpr float CONTINUE_DETAILS_GAP = 4;  // below Continue
constexpr float WELCOME_Y = 535;
// The one-line key hint, above the logo.
constexpr float KEY_HINT_Y = 4;
constexpr float VERSION_X = 790, VERSION_Y = 576;
constexpr const char* VERSION = VC_VERSION;  // the project's, as the package has it
const char* const MAIN_BUTTONS[] = {"play", "help", "options", "highscore", "exit"};

// What goes with a player: the completion lists, the daily results, the saved games the player
// made, the resume point (and one put aside).
void DeletePlayerFiles(PNPlayerManager& manager) {
    const std::string& player = manager.ListBox->Value;
    plat::DeleteFile(CompletionFilePath(player, false));
    plat::DeleteFile(CompletionFilePath(player, true));
    plat::DeleteFile(DailyCompletionPath(player));
    plat::DeleteFile(DailyResultsPath(player));
    for (const std::string& path : SavesOwnedBy(Game().ProfilePath, player)) plat::DeleteFile(path);
    RemoveResumePoint(player, true);
}

// Delete the player "Ana" with 3 saved games?
std::string ConfirmDeleteText(const std::string& player) {
    const size_t saves = SavesOwnedBy(Game().ProfilePath, player).size();
    const char* key = saves == 0   ? "Player Delete Named 0"
                      : saves == 1 ? "Player Delete Named 1"
                                   : "Player Delete Named";
    return FillIn(FillIn(GameText().FindString(key), "PPP", player), "NNN", std::to_string(saves));
}

// A profile file without a name, left by an older game; only the exact name counts.
void DeleteNamelessProfile() {
    const auto entries = plat::ReadDir(Game().ProfilePath);
    if (std::find(entries.begin(), entries.end(), ".dat") != entries.end()) plat::DeleteFile(ProfileFilePath(""));
}

}  // namespace

TTitleScreen& TitleScreen() {
    static TTitleScreen screen;
    return screen;
}

void TTitleScreen::NewStart() { arrived_ = false; }

bool TTitleScreen::FirstArrival() const {
    const TScreen* current = Game().CurrentTScreen;
    return !arrived_ && (current == nullptr || current == &LoadingScreen());
}

void TTitleScreen::Load() {
    if (loaded_) Kill();
    auto& game = Game();
    const bool first = FirstArrival();
    if (first) {
        arrived_ = true;
        game.Audio.MusicRotationStart();
    }
    game.Audio.FadeMusic = 1;
    background_ = ImageBank().FindOrNull("titlescreen");
    HeaderLoad("logo", 400, 100);
    Header->SetGlow(3, 0, 0.25f, 0, 0.5f);

    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    Menu->AddNew("play", "playMO", "play")->OKButton = 1;
    Menu->AddNew("help", "helpMO", "help");
    Menu->AddNew("options", "optionsMO", "options");
    Menu->AddNew("highscore", "highscoreMO", "highscore");
    Menu->AddNew("Exit", "exitMO", "exit");
    Menu->Centre();
    Menu->SetY(Menu->y + MENU_DROP);
    for (const char* name : MAIN_BUTTONS) Menu->FindButton(name)->ScaleOnMOMax = BUTTON_GROWTH;
    // Below the menu, apart from its centring.
    auto changePlayer = Menu->AddQuick("changeplayer", "changeplayer");
    changePlayer->MoveTo(static_cast<float>(ScreenWidth / 2 - changePlayer->w / 2), CHANGE_PLAYER_TOP);
    // Continue stands beside Play, level with it, while there is a puzzle to continue.
    const auto play = Menu->FindButton("play");
    auto resume = Menu->AddQuick("continue", "continue");
    resume->MoveTo(play->x + static_cast<float>(play->w) + CONTINUE_GAP,
                   play->y + static_cast<float>(play->h - resume->h) / 2.0f);
    resume->ScaleOnMOMax = BUTTON_GROWTH;
    resume->Active = 0;
    Focus.Clear();
    Focus.Place = "title";
    Focus.AddMenu(*Menu);

    game.Mouse.SetSparkleTrail(ImageBank().FindOrNull("particle1"));
    loaded_ = true;
    if (first) PromptForName();
    RefreshContinue();
}

void TTitleScreen::Start() {
    TScreen::Start();
    auto& game = Game();
    game.GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    game.Mouse.On();
    game.FixedRateLogic.Init();
    // Escape is the screen's own: it asks before quitting, or a dialog takes it.
    game.IgnoreEscapeKey = 1;
}

void TTitleScreen::PromptForName() {
    std::vector<std::string> players;
    if (!ListPlayers(players)) ShowMessage(UnreadableFolderMessage());
    if (players.empty()) {
        SetupPrompt();
        return;
    }
    const std::string& last = Game().ProfileName;
    if (!last.empty() && std::find(players.begin(), players.end(), last) != players.end()) {
        MakeCurrentPlayer(last, false);
        return;
    }
    if (last.empty()) DeleteNamelessProfile();
    ShowPlayerManager();
    if (!last.empty()) PlayerManager->SetNotice(GameText().FindString("Player Missing", last));
}

void TTitleScreen::SetupPrompt() {
    EnterName = CreatePlayerNamePrompt(0);
    EnterName->Start();
}

void TTitleScreen::ShowPlayerManager() {
    const auto& text = GameText();
    PlayerManager = PNPlayerManager::Create(text.FindString("Choose Player"), ImageBank().Find("manager"), MAX_PLAYERS);
    PlayerManager->MessageCannotCreate = text.FindString("Player No More");
    PlayerManager->MessageCannotDelete = text.FindString("Player One Player");
    PlayerManager->MessageConfirmDelete = text.FindString("Player Delete Player");
    PlayerManager->DimWhenShowingDialogs = 1;
    PlayerManager->ErrorDialogFunc = CreateMessageDialog;
    PlayerManager->DialogYesNoFunc = CreateYesNoDialog;
    PlayerManager->EnterNamePromptFunc = CreatePlayerNamePrompt;
    PlayerManager->CreateProfileFunc = [](const std::string& name) {
        // A file that cannot be written is told once, as every failed write is.
        MakeCurrentPlayer(name, true);
        return std::string();
    };
    PlayerManager->CustomDeleteFunction = DeletePlayerFiles;
    PlayerManager->ConfirmDeleteFunc = ConfirmDeleteText;
    Game().FixedRateLogic.Init();
}

void TTitleScreen::ShowMessage(const std::string& text) {
    if (Message) Message->Kill();
    Message = CreateMessageDialog(text);
}

bool TTitleScreen::ManageDialogs() {
    // The dialog that closes takes this update; the menu settles quietly.
    if (Message) {
        if (Message->Manage() == 0) return false;
        Message->Kill();
        Message.reset();
    } else if (QuitQuestion) {
        const int answer = QuitQuestion->Manage();
        if (answer == 0) return false;
        QuitQuestion->Kill();
        QuitQuestion.reset();
        if (answer == 1) FadeTo(*Game().ExitScreen);
    } else if (EnterName) {
        const int answer = EnterName->Manage();
        if (answer == 0) return false;
        const std::string name = EnterName->Answer();
        EnterName->Kill();
        EnterName.reset();
        if (answer == 1) MakeCurrentPlayer(name, true);
    } else if (PlayerManager) {
        if (PlayerManager->Manage() == 0) return false;
        PlayerManager->Kill();
        PlayerManager.reset();
    } else {
        return true;
    }
    // A dialog opened while the screen was loading gives back the Escape
    // setting of the screen before; Escape stays this screen's own.
    Game().IgnoreEscapeKey = 1;
    // Another player may have been chosen, made or deleted.
    RefreshContinue();
    if (Menu) Menu->ManageNoSound();
    return false;
}

void TTitleScreen::RefreshContinue() {
    resume_.reset();
    TSaveGameData save;
    if (ReadResumePoint(Game().ProfileName, save) == EResumePoint::Ready) resume_ = std::move(save);
    if (auto button = Menu ? Menu->FindButton("continue") : nullptr) button->Active = resume_ ? 1 : 0;
}

void TTitleScreen::ContinueGame() {
    if (!resume_ || Game().GameFade.Active) return;
    auto mode = std::make_unique<TGameModeMatch3>();
    StartSavedGame(*mode, *resume_);
    Game().Mouse.Off();
    UseMatch3Mode(std::move(mode));
    GameGUI().Start();
    FadeTo(GameScreen());
}

std::string TTitleScreen::ContinueDetails() const {
    if (!resume_) return {};
    const std::string score = std::to_string(resume_->Score);
    const std::string puzzle = resume_->Puzzle ? PuzzleLabelOf(resume_->Puzzle->Path, resume_->Puzzle->IsCustom) : "";
    if (puzzle.empty()) return GameText().FindString("Score") + score;
    return FillIn(FillIn(GameText().FindString("Continue Details"), "PPP", puzzle), "NNN", score);
}

void TTitleScreen::Logic() {
    if (!ManageDialogs()) return;
    if (Focus.Manage()) keyHint_.Offer(DeviceText("Keys Hint Menus"));
    TScreen::Logic();
    if (Header) Header->ManageGlow();
    if (!Menu) return;
    auto& game = Game();
    if (Menu->Clicked("play")) {
        FadeTo(ScreenFor(EGameScreen::Play));
    } else if (Menu->Clicked("continue")) {
        ContinueGame();
    } else if (Menu->Clicked("help")) {
        FadeTo(ScreenFor(EGameScreen::Help));
    } else if (Menu->Clicked("options")) {
        FadeTo(ScreenFor(EGameScreen::Options));
    } else if (Menu->Clicked("highscore")) {
        FadeTo(ScreenFor(EGameScreen::HighScore));
    } else if (Menu->Clicked("exit")) {
        FadeTo(*game.ExitScreen);
    } else if (Menu->Clicked("changeplayer")) {
        ShowPlayerManager();
    } else if (KeyHit(plat::KEY_ESCAPE) && !game.GameFade.Active) {
        AskToQuit();
    }
}

void TTitleScreen::AskToQuit() {
    QuitQuestion = CreateYesNoDialog(GameText().FindString("Quit Game"));
}

void TTitleScreen::FadeTo(TScreen& destination) {
    auto& game = Game();
    if (game.GameFade.Active) return;
    game.DestinationTScreen = &destination;
    // The music plays on, and the screen keeps moving while it fades.
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 1, 0);
}

void TTitleScreen::Draw() {
    if (background_ && background_->image) {
        plat::SetBlend(plat::SOLIDBLEND);
        plat::DrawImage(*background_->image, ScreenWidth / 2.0f + x, ScreenHeight / 2.0f + y);
    } else {
        plat::Cls();
    }
    plat::SetBlend(plat::ALPHABLEND);
    // The logo's glow is all that moves here while the player does nothing:
    // when nothing drawn after the logo comes over it (no dialog, no key
    // hint above it) the glow goes on last, so that all beneath it is the
    // same picture frame after frame.
    const bool glowLast = Header && !DialogOpen() && !keyHint_.Showing();
    if (Header) {
        if (glowLast)
            Header->DoDraw();
        else
            Header->Draw();
    }
    if (EnterName) EnterName->Draw();
    if (PlayerManager) PlayerManager->Draw();
    if (Message) Message->Draw();
    if (QuitQuestion) QuitQuestion->Draw();
    if (!DialogOpen()) {
        DrawWelcome();
        if (Menu) Menu->Draw(0, 0);
        DrawContinueDetails();
        Focus.Draw();
        keyHint_.Draw(KEY_HINT_Y);
    }
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
    SetTextShadow(2, 2, 0.6f);
    if (auto font = GameFont(18)) plat::SetImageFont(font);
    DrawTextAligned(GameText().FindString("Version") + VERSION, VERSION_X, VERSION_Y, true, ALIGN_RIGHT, true);
    if (glowLast && Header->GlowMode > 0) Header->DrawLight(Header->Glow, 1.0f, 1.0f, 1.0f, nullptr);
}

void TTitleScreen::DrawWelcome() {
    const auto& profile = Game().CurrentProfile;
    if (!profile) return;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
    SetTextShadow(2, 2, 0.6f);
    if (auto font = GameFont(20)) plat::SetImageFont(font);
    DrawTextCentredX(GameText().FindString("Welcome") + profile->Name + "!", WELCOME_Y, true, true);
}

void TTitleScreen::DrawContinueDetails() {
    const auto button = resume_ && Menu ? Menu->FindButton("continue") : nullptr;
    if (!button) return;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetColor(255, 255, 255);
    SetTextShadow(2, 2, 0.6f);
    if (auto font = GameFont(16)) plat::SetImageFont(font);
    DrawTextAligned(ContinueDetails(), button->x + static_cast<float>(button->w) / 2.0f,
                    button->y + static_cast<float>(button->h) + CONTINUE_DETAILS_GAP, true, ALIGN_CENTRE, true);
}

int TTitleScreen::SetEscDestination() {
    Game().DestinationTScreen = Game().ExitScreen.get();
    return 0;
}

void TTitleScreen::Kill() {
    if (EnterName) EnterName->Kill();
    if (PlayerManager) PlayerManager->Kill();
    if (Message) Message->Kill();
    if (QuitQuestion) QuitQuestion->Kill();
    QuitQuestion.reset();
    EnterName.reset();
    PlayerManager.reset();
    Message.reset();
    TScreen::Kill();
    background_.reset();
    loaded_ = false;
}
