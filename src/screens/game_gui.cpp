#include "screens/game_gui.h"

#include <cstdio>
#include <cstdlib>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/completion_list.h"
#include "puzzle/editor_mode.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "puzzle/save_game.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/game_screen.h"
#include "screens/ingame_menu.h"
#include "screens/resume_keeper.h"
#include "screens/screen_list.h"

namespace {

constexpr int LAST_STANDARD_LEVEL = 80;
constexpr int HELP_TEXT_Y = 545;
constexpr int HINT_DELAY_MS = 100;
// A notice shows this long, then fades, on the strip of the help lines.
constexpr float NOTICE_MS = 2000, NOTICE_FADE_MS = 600;
// In the editor, whose buttons stand below that strip, on its help line at the
// top, the strip (40 high) ending above the verdict line below it (at 47).
constexpr float NOTICE_BACK_Y = 556, NOTICE_EDITOR_BACK_Y = 26, NOTICE_TEXT_RISE = 11;
constexpr float NOTICE_BAND_H = 36, NOTICE_PADDING = 40;

std::unique_ptr<TGameGUI> gameGUI;

bool InEditor() { return GameState().stateCustomMode != 0; }

TGameMode* Mode() { return GamePlay().GameMode.get(); }

// Fades out to the given screen over the default time.
void FadeTo(TScreen& screen) {
    auto& game = Game();
    game.DestinationTScreen = &screen;
    game.GameFade.Init(DefaultFadeTime, 1, nullptr, 0, 0);
}

void PlayNamedSound(const std::string& name) {
    if (const auto& play = PuzzleHooks().PlaySound) play(name);
}

// Closes a dialog that has answered: input is free again, the dialog goes,
// and the key or click that closed it does not act again.
template <typename DialogPtr>
void CloseDialog(DialogPtr& dialog, bool clearClicks) {
    GameState().disableButtons = 0;
    dialog->Kill();
    dialog.reset();
    if (clearClicks) Game().Mouse.TakePress();
    Game().IgnoreEscapeKey = 1;
}

// 0 while open (or not open at all), else the dialog's answer.
template <typename DialogPtr>
int AnswerOf(DialogPtr& dialog) {
    if (!dialog) return 0;
    GameState().disableButtons = 1;
    return dialog->Manage();
}

// Another player's save of the typed name is not replaced: the player does
// not see it in the chooser, so could not know what would be lost.
bool SaveOfAnotherPlayer(const std::string& path) {
    TSaveGameData save;
    return ReadSaveGameData(path, save).empty() && !save.Owner.empty() && save.Owner != Game().ProfileName;
}

}  // namespace

TGameGUI& GameGUI() {
    if (!gameGUI) gameGUI = std::make_unique<TGameGUI>();
    return *gameGUI;
}

std::string StandardLevelPath(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.layout", number);
    return Game().DataPrefix + "layouts/" + name;
}

std::string NextStandardLevelPath(const std::string& currentPath) {
    const std::string stem = plat::StripAll(currentPath);
    const int number = std::atoi(stem.c_str());
    if (number >= 1 && number < LAST_STANDARD_LEVEL) {
        const std::string next = StandardLevelPath(number + 1);
        if (plat::FileType(next) == plat::FILETYPE_FILE) return next;
    }
    return StandardLevelPath(1);
}

std::string CurrentPlayerName() {
    const std::string& name = Game().ProfileName;
    return name.empty() ? "Player" : name;
}

void TGameGUI::Load() {
    ShuffleInput.reset();
    RestartInput.reset();
    QuitInput.reset();
    ResetInput.reset();
    OKInput.reset();
    SaveGameNameInput.reset();
    SaveGameManager.reset();
    OverwriteInput.reset();
    PendingSavePath.clear();
    ReplaceInput.reset();
    // A try that fades the screen in again (a reshuffle) is still the same editing.
    if (!GamePlay().IsTrying()) LastFileName.clear();
    TryWonTicks = 0;
    Notice.clear();
    NoticeAnimation = TAnimation();
    ReaskSaveName.clear();
    endLevelMenu = std::make_unique<PNEndLevelMenu>();
}

void TGameGUI::Start() {
    MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 6);
    for (const char* name : {"menu", "hint"}) MainMenu->AddQuick(name, name);
    MainMenu->SetY(18);
    MainMenu->SetX(710);
    CustomMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 6);
    for (const char* name : {"savecustom", "loadcustom", "reset", "backtomenu"}) CustomMenu->AddQuick(name, name);
    CustomMenu->MakeRow(20);
    CustomMenu->SetY(565);
    CustomMenu->CentreHoriz();
    StartEditorTools();
    StartFocus();
}

TFocusRing& TGameGUI::ActiveFocus() { return InEditor() ? EditorFocus : PlayFocus; }

void TGameGUI::StartFocus() {
    for (TFocusRing* ring : {&PlayFocus, &EditorFocus}) {
        ring->Clear();
        ring->LeaveUpDown = ring->LeaveLeftRight = ring->ArrowsHide = true;
    }
    PlayFocus.AddMenu(*MainMenu);
    EditorFocus.AddMenu(*EditorTools);
    EditorFocus.AddMenu(*CustomMenu);
}

bool TGameGUI::AnyDialogOpen() const {
    return ShuffleInput || RestartInput || QuitInput || ResetInput || OKInput || SaveGameNameInput || SaveGameManager ||
           OverwriteInput || ReplaceInput;
}

void TGameGUI::ShowMessage(const std::string& text) {
    if (OKInput) OKInput->Kill();
    OKInput = CreateMessageDialog(text);
}

void TGameGUI::Logic() {
    if (NoticeAnimation.Active) NoticeAnimation.Manage();
    CheckLevelFinished();
    const TState& state = GameState();
    TFocusRing& focus = ActiveFocus();
    focus.Paused = state.disableButtons || state.stateFinished || AnyDialogOpen() || GameMenu().Active;
    focus.Manage();
    if (!state.disableButtons) {
        if (InEditor()) {
            if (CustomMenu) CustomMenu->Manage();
            UpdateEditorTools();
            if (EditorTools) EditorTools->Manage();
        } else if (MainMenu && !GameMenu().Active) {
            MainMenu->Manage();
        }
    }
    CheckButtonClicks();
    CheckInputDialogs();
    CheckEndGameMenu();
}

void TGameGUI::CheckLevelFinished() {
    TState& state = GameState();
    TGamePlay& play = GamePlay();
    TGameMode* mode = Mode();
    if (!mode || state.stateFinished || InEditor()) return;
    if (!mode->IsGameFinished() || play.ScoreAdder != 0) return;

    state.StartFinished();
    // A won puzzle is nothing to come back to.
    ResumeKeeper().Drop();
    mode->GameFinished();
    if (const auto& start = PuzzleHooks().StartVictoryParticles) start();
    PlayNamedSound("applause");
    PlayClock().Pause();

    // A try is won for the editor's sake only: nothing recorded, no menu.
    if (GamePlay().IsTrying()) {
        state.disableButtons = 0;
        TryWonTicks = 0;
        return;
    }
    const TLevelRecord record = RecordLevelFinished();
    if (!record.Problem.empty()) ShowMessage(record.Problem);

    state.disableButtons = 0;
    endLevelMenu->Init(-1, -1);
    endLevelMenu->Summary = SummaryOfTheWin(record.Place);
}

TPuzzleSummary TGameGUI::SummaryOfTheWin(int place) {
    TPuzzleSummary summary;
    summary.Score = GamePlay().Score;
    summary.ElapsedMs = PlayClock().Elapsed();
    summary.HighscorePlace = place;
    if (const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get())) {
        summary.MovesMade = mode->MovesMade;
        summary.BonusEarned = mode->BonusEarned;
    }
    return summary;
}

std::string CurrentPuzzleName() {
    const TGamePlay& play = GamePlay();
    const std::string name = plat::NameOfPath(play.CurrentLevel);
    if (play.IsCustomLevel || name.empty()) return name;
    const auto digits = name.find_first_not_of('0');
    return digits == std::string::npos ? name : name.substr(digits);
}

TLevelRecord RecordLevelFinished() {
    TGamePlay& play = GamePlay();
    const TGameMode* mode = play.GameMode.get();
    if (mode && mode->GameType == GAMEMODE_MATCH3) {
        const std::string file = CompletionFilePath(Game().ProfileName, play.IsCustomLevel != 0);
        if (!RecordLevelCompleted(file, CompletionKey(play.CurrentLevel)))
            WriteErrorLog("Could not record the completed puzzle in '" + file + "'");
    }
    auto& table = play.HighscoreList;
    const int position = table.GetPosition(play.Score);
    if (position <= 0) return {};
    table.Insert(CurrentPlayerName(), play.Score, CurrentPuzzleName(), play.IsCustomLevel != 0);
    if (!table.Save()) return {0, table.SaveFailureText()};
    return {position, {}};
}

void TGameGUI::CheckButtonClicks() {
    const TState& state = GameState();
    if (state.disableButtons) return;
    if (MainMenu && !InEditor() && MainMenu->Clicked("menu")) GameMenu().Show(1);
    if (InEditor()) {
        CheckEditorButtons();
    } else if (GamePlay().IsTrying()) {
        CheckTry();
    }
    if (InEditor()) return;
    if (state.stateFinished || !Mode()) return;
    const bool hintClicked = MainMenu && !InEditor() && MainMenu->Clicked("hint");
    // With no move left, Hint says so by asking about the reshuffle again.
    if ((hintClicked || KeyHit('H')) && !Mode()->AskShuffleAgain()) Mode()->ResetHintTimer(HINT_DELAY_MS);
}

void TGameGUI::ShowSaveGameManager() {
    if (SaveGameManager) SaveGameManager->Kill();
    SaveGameManager = InEditor() ? CreateLayoutChooser() : CreateSaveGameChooser();
    Game().FixedRateLogic.Init();
}

void TGameGUI::SavePlayedGame(const std::string& basePath) {
    TGameMode* mode = Mode();
    if (!mode) return;
    if (!mode->SaveGame(basePath)) {
        ShowMessage(mode->FileError);
        return;
    }
    // The name as typed: the file name is its UTF-8 form, and may hold a point.
    ShowSavedNotice(plat::NameOfFile(plat::StripDir(basePath)));
}

void TGameGUI::ShowSavedNotice(const std::string& name) {
    // The notice takes the line under the board: a chain bonus told there
    // before the pause is over, and does not come back once it fades.
    if (auto* match3 = dynamic_cast<TGameModeMatch3*>(Mode())) match3->BonusEndAnimation.reset();
    Notice = FillIn(GameText().FindString("Saved As"), "NNN", name);
    NoticeAnimation = TAnimation(NOTICE_MS);
    NoticeAnimation.AddPhase(NOTICE_FADE_MS);
    NoticeAnimation.Start();
}

void TGameGUI::CheckInputDialogs() {
    TGameMode* mode = Mode();
    if (SaveGameManager) {
        const int answer = AnswerOf(SaveGameManager);
        // While the chooser is open, no other dialog is looked at.
        if (answer == 0) return;
        const std::string path = answer == 1 ? SaveGameManager->ChosenPath() : std::string();
        CloseDialog(SaveGameManager, true);
        // In the editor the mode's LoadGame reads a layout into its board.
        if (!path.empty() && mode) {
            if (!mode->LoadGame(path)) {
                if (!mode->FileError.empty()) ShowMessage(mode->FileError);
            } else if (GameMenu().Active) {
                GameMenu().Hide();
            }
        }
    }
    if (int answer = AnswerOf(SaveGameNameInput)) {
        const std::string name = SaveGameNameInput->Answer();
        CloseDialog(SaveGameNameInput, true);
        if (answer == 1 && mode) {
            const std::string basePath = Game().ProfilePath + plat::FileNameOf(name);
            if (InEditor()) {
                SaveCustomLayout(name);
            } else if (SaveOfAnotherPlayer(basePath + ".save")) {
                // Once read, back to the prompt for another name.
                ShowMessage(GameText().FindString("Save Name Taken"));
                ReaskSaveName = name;
            } else if (plat::FileType(basePath + ".save") != plat::FILETYPE_NONE) {
                PendingSavePath = basePath;
                OverwriteInput = CreateYesNoDialog(GameText().FindString("Overwrite Savegame"));
            } else {
                SavePlayedGame(basePath);
            }
        }
    }
    if (int answer = AnswerOf(OverwriteInput)) {
        CloseDialog(OverwriteInput, true);
        if (answer == 1) {
            SavePlayedGame(PendingSavePath);
        } else {
            // "No" means another name: back to the prompt, the name kept.
            AskSaveName(plat::NameOfFile(plat::StripDir(PendingSavePath)));
        }
        PendingSavePath.clear();
    }
    if (int answer = AnswerOf(ReplaceInput)) {
        CloseDialog(ReplaceInput, true);
        AnswerReplace(answer);
    }
    if (int answer = AnswerOf(ResetInput)) {
        CloseDialog(ResetInput, true);
        if (answer == 1 && mode) mode->Clear();
    }
    if (int answer = AnswerOf(RestartInput)) {
        CloseDialog(RestartInput, false);
        if (answer == 1 && mode) {
            mode->Reset();
            // The fresh board is the puzzle in play now, also after a win.
            ResumeKeeper().Arm();
            if (endLevelMenu) endLevelMenu->Show = 0;
            if (GameMenu().Active) GameMenu().Hide();
        }
    }
    if (int answer = AnswerOf(QuitInput)) {
        CloseDialog(QuitInput, true);
        if (answer == 1) {
            // A confirmed quit, from play or from the editor, goes back to the
            // level grids; quitting a puzzle leaves nothing to come back to.
            if (dynamic_cast<TGameModeEditor*>(mode)) {
                LeaveEditor();
            } else {
                ResumeKeeper().Drop();
                FadeTo(ScreenFor(EGameScreen::Play));
            }
        }
    }
    if (int answer = AnswerOf(ShuffleInput)) {
        CloseDialog(ShuffleInput, false);
        if (answer == 1) Shuffle();
    }
    if (AnswerOf(OKInput)) {
        CloseDialog(OKInput, true);
        if (!ReaskSaveName.empty()) AskSaveName(ReaskSaveName);
        ReaskSaveName.clear();
    }
}

void TGameGUI::CheckEndGameMenu() {
    const TState& state = GameState();
    if (!state.stateFinished || state.disableButtons || GameMenu().Active || !endLevelMenu) return;
    // Escape on the panel goes back a step, as its Back to Menu does; the
    // pause menu has nothing to offer a won puzzle.
    if (endLevelMenu->Show && !AnyDialogOpen() && KeyHit(plat::KEY_ESCAPE)) {
        Game().Audio.EscapeSoundPlay();
        LeavePuzzle();
        return;
    }
    endLevelMenu->Logic(GamePlay().IsCustomLevel ? 0 : 1, 1, 1);
    switch (endLevelMenu->Selected) {
        case PNEndLevelMenu::NEXT: Match3Next(); break;
        case PNEndLevelMenu::RESTART: RestartInput = CreateYesNoDialog(GameText().FindString("Restart Puzzle")); break;
        case PNEndLevelMenu::BACK: LeavePuzzle(); break;
        default: break;
    }
}

void TGameGUI::AskSaveName(const std::string& name) {
    SaveGameNameInput = CreateTextInputDialog(1, GameText().FindString("Enter Save Name"));
    if (!name.empty()) {
        SaveGameNameInput->TextInput->Text = name;
        SaveGameNameInput->TextInput->CurrentChar = static_cast<int>(name.size()) + 1;
    }
    SaveGameNameInput->Start();
}

void TGameGUI::LeavePuzzle() {
    // A won puzzle has nothing left to lose.
    if (GameState().stateFinished) {
        FadeTo(ScreenFor(EGameScreen::Play));
        return;
    }
    QuitInput = CreateYesNoDialog(GameText().FindString("Exit Playing"));
}

void TGameGUI::LeaveEditor() {
    // Leaving the editor ends its history.
    if (auto* editor = dynamic_cast<TGameModeEditor*>(Mode())) editor->History.Drop();
    FadeTo(ScreenFor(EGameScreen::Play));
}

void TGameGUI::Match3Next() {
    TGamePlay& play = GamePlay();
    TGameMode* mode = Mode();
    const bool standard = !play.IsCustomLevel && mode && mode->GameType == GAMEMODE_MATCH3;
    // A puzzle that cannot be loaded leaves the finished one and its menu in
    // place, with the reason.
    if (standard && !mode->Init(NextStandardLevelPath(play.CurrentLevel), 0)) {
        ShowMessage(mode->FileError);
        return;
    }
    Game().Mouse.Off();
    PlayClock().Start();
    FadeTo(GameScreen());
}

void TGameGUI::Shuffle() {
    Game().Mouse.Off();
    if (Mode()) Mode()->Shuffle();
    PlayClock().Start();
    FadeTo(GameScreen());
}

void TGameGUI::Draw() {
    if (GameState().stateFinished) {
        if (auto back = ImageBank().FindOrNull("helptextback"); back && back->image) {
            plat::DrawImage(*back->image, 400, 556);
        }
        if (auto font = SecondFont()) plat::SetImageFont(font);
        plat::SetColor(255, 255, 255);
        DrawTextCentredX(GameText().FindString("Finished Puzzle"), HELP_TEXT_Y, true, true);
        if (!GameMenu().Active && endLevelMenu) endLevelMenu->Draw(GamePlay().IsCustomLevel ? 0 : 1, 1, 1);
    }
    DrawNotice();
    DrawDialogs();
}

void TGameGUI::DrawNotice() {
    if (!NoticeAnimation.Active) return;
    const float alpha = NoticeAnimation.CurrentPhase == 1 ? NoticeAnimation.GetRatio() : 1.0f;
    plat::SetBlend(plat::ALPHABLEND);
    if (auto font = SecondFont()) plat::SetImageFont(font);
    const float backY = InEditor() ? NOTICE_EDITOR_BACK_Y : NOTICE_BACK_Y;
    // A solid band of the strip's colour hides a help line drawn there.
    const float bandW = static_cast<float>(plat::TextWidth(Notice)) + 2 * NOTICE_PADDING;
    plat::SetColor(14, 22, 38);
    plat::SetAlpha(alpha);
    plat::DrawRect(ScreenWidth / 2.0f - bandW / 2, backY - NOTICE_BAND_H / 2, bandW, NOTICE_BAND_H);
    plat::SetColor(255, 255, 255);
    if (auto back = ImageBank().FindOrNull("helptextback"); back && back->image) {
        plat::DrawImage(*back->image, ScreenWidth / 2.0f, backY);
    }
    TextAlpha = alpha;
    DrawTextCentredX(Notice, backY - NOTICE_TEXT_RISE, true, true);
    TextAlpha = 1.0f;
    plat::SetAlpha(1.0f);
}

void TGameGUI::DrawMenus() {
    const MenuPtr& menu = InEditor() ? CustomMenu : MainMenu;
    if (menu) menu->Draw(0, 0);
    if (InEditor()) DrawEditorTools();
    if (!ActiveFocus().Paused) ActiveFocus().Draw();
}

void TGameGUI::DrawDialogs() {
    if (RestartInput) RestartInput->Draw();
    if (ResetInput) ResetInput->Draw();
    if (QuitInput) QuitInput->Draw();
    if (ShuffleInput) ShuffleInput->Draw();
    if (OKInput) OKInput->Draw();
    if (SaveGameNameInput) SaveGameNameInput->Draw();
    if (OverwriteInput) OverwriteInput->Draw();
    if (SaveGameManager) SaveGameManager->Draw();
    if (ReplaceInput) ReplaceInput->Draw();
}
