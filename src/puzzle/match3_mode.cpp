#include "puzzle/match3_mode.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/game.h"
#include "platform/clock.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "resources/error.h"
#include "resources/resource_globals.h"

namespace {

constexpr float START_GAME_MS = 1500;
constexpr float BONUS_WINDOW_MS = 4000;
constexpr int BONUS_MIN_MATCHES = 5;
constexpr int BONUS_APPLAUSE_MATCHES = 25;
constexpr int BONUS_POINTS_PER_MATCH = 50;
constexpr int HELP_TEXT_Y = 545;

void DrawGeneralImage(const std::string& name, float x, float y) {
    if (auto image = ImageBank().FindOrNull(name); image && image->image) plat::DrawImage(*image->image, x, y);
}

std::string ReplaceNumber(const std::string& text, int value) { return FillIn(text, "NNN", std::to_string(value)); }

void DrawCentredText(const std::string& text, int y) {
    plat::DrawText(text, static_cast<float>(ScreenWidth / 2 - plat::TextWidth(text) / 2), static_cast<float>(y));
}

void DrawHelpLine(const std::string& text) {
    DrawGeneralImage("helptextback", 400, 556);
    DrawCentredText(text, HELP_TEXT_Y);
}

bool GamePaused() { return Game().Paused || Game().Suspended; }

}  // namespace

// ---- TMatch3Undo -----------------------------------------------------------------

void TMatch3Undo::Clear() {
    ScorePoints = 0;
    BonusMatch = 0;
    CellBox.reset();
}

void TMatch3Undo::SetFromCurrentValues(const TGameModeMatch3& mode, int score, int bonus) {
    Clear();
    ScorePoints = score;
    BonusMatch = bonus;
    if (mode.CellBox) CellBox = mode.CellBox->Clone();
}

void TMatch3Undo::SetAsCurrentValues(TGameModeMatch3& mode) const {
    if (CellBox) mode.CellBox = CellBox->Clone();
}

// ---- TGameModeMatch3 ------------------------------------------------------------------

TGameModeMatch3::TGameModeMatch3() {
    GameType = GAMEMODE_MATCH3;
    ProgressImage = ImageBank().FindOrNull("progress");
    ProgressMoImage = ImageBank().FindOrNull("progressmo");
    CellBox = TCellBox::New();
    AdoptBox();
}

void TGameModeMatch3::PlaySound(const char* name) {
    if (const auto& play = PuzzleHooks().PlaySound) play(name);
}

void TGameModeMatch3::AdoptBox() {
    if (CellBox) CellBox->GameMode = this;
    // Hints point into the board they were made from.
    HintList.SetNone();
    ResetHint();
}

void TGameModeMatch3::ClearBonusState() {
    BonusCounter = 0;
    BonusAnimation.reset();
    BonusEndAnimation.reset();
    CheckedEndBonus = 0;
}

int TGameModeMatch3::Clear() {
    CellBox = TCellBox::New();
    CellBox->Clear();
    AdoptBox();
    ClearBonusState();
    PlayClock().Start();
    ResetScore();
    ShowHelpMessage = 1;
    return 1;
}

int TGameModeMatch3::Init(const std::string& path, int custom) {
    const auto& load = PuzzleHooks().LoadLayout;
    if (!load) {
        ErrorMessage("No layout reader for " + path, true);
        return 0;
    }
    // Read into a board of its own first: a refused file leaves the game as it was.
    auto loaded = TCellBox::New();
    loaded->Clear();
    loaded->GameMode = this;
    if (!load(*loaded, path)) return 0;
    GamePlay().CurrentLevel = path;
    GamePlay().IsCustomLevel = custom;
    Clear();
    CellBox = std::move(loaded);
    StartLoadedLevel();
    return 1;
}

void TGameModeMatch3::StartLoadedLevel() {
    AdoptBox();
    CellBox->UpdateDrawWall();
    DealGems();
    AddOriginalUndo();
    TotalMarbles = OriginalPuzzle->CellBox->GetLayoutCellMarbleCount();
}

void TGameModeMatch3::StartFromLayout(const TCellBox& layout) {
    Clear();
    ApplyLayout(*CellBox, LayoutOf(layout));
    StartLoadedLevel();
}

void TGameModeMatch3::AddOriginalUndo() {
    OriginalPuzzle = std::make_unique<TMatch3Undo>();
    OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
}

int TGameModeMatch3::Reset() {
    if (!OriginalPuzzle || !OriginalPuzzle->CellBox) return 0;
    OriginalPuzzle->SetAsCurrentValues(*this);
    CellBox->UpdateDrawWall();
    AdoptBox();
    PlayClock().Start();
    ClearBonusState();
    ShufflePieces.reset();
    HasShownShufflePiecesDialog = 0;
    GameState().Clear();
    ResetScore();
    ShowHelpMessage = 1;
    return 1;
}

int TGameModeMatch3::Shuffle() {
    ++Tally.Reshuffles;
    return DealGems();
}

int TGameModeMatch3::DealGems() {
    CellBox->GameMode = this;
    // The new gems are dealt on a board at rest: the selection goes, and what
    // still falls, appears or fades ends first.
    CellBox->CancelSelection();
    CellBox->FinishAnimations();
    CellBox->GenerateLevel();
    HintList.SetNone();
    ResetHint();
    GameState().Clear();
    ShufflePieces.reset();
    HasShownShufflePiecesDialog = 0;
    ResetScore();
    StartStartGameAnimation();
    return 1;
}

int TGameModeMatch3::Logic() {
    const TState& state = GameState();
    if (!state.disableButtons && !state.stateFinished) {
        if (!ShufflePieces) CellBox->Manage();
        ManageHint();
        // A dead board whose shuffle was declined asks again at the next
        // click on it: there is no other way on that keeps the score.
        if (!ShufflePieces && HasShownShufflePiecesDialog && PNMouseObject().LeftClick() >= 1 &&
            CellBox->GetCellAtMouseLocation(PNMouseObject().x, PNMouseObject().y))
            AskShuffleAgain();
        if (ShufflePieces) {
            const int answer = ShufflePieces->Manage();
            if (answer != 0) {
                ShufflePieces.reset();
                if (answer == 1) Shuffle();
            }
        } else if (HintList.IsEmptyList() && !HasShownShufflePiecesDialog && !IsFinished()) {
            if (const auto& open = PuzzleHooks().OpenQuestion) ShufflePieces = open("No Valid Matches 1");
            HasShownShufflePiecesDialog = 1;
        }
    }
    ManageScore();
    ManageStartGameAnimation();
    ManageBonus();
    return 1;
}

bool TGameModeMatch3::AskShuffleAgain() {
    if (ShufflePieces || !HintList.IsEmptyList() || IsFinished()) return false;
    HasShownShufflePiecesDialog = 0;
    return true;
}

bool TGameModeMatch3::IsAskingShuffle() const {
    return ShufflePieces != nullptr || (HasShownShufflePiecesDialog && HintList.IsEmptyList());
}

// ---- hints ---------------------------------------------------------------------------------

int TGameModeMatch3::ResetHintTimer(int delayMs) {
    ResetHint();
    HintAnimation = TAnimation(static_cast<float>(delayMs));
    HintAnimation->AddPhase(500);
    HintAnimation->AddPhase(4000);
    HintAnimation->AddPhase(500);
    HintAnimation->Start();
    return 1;
}

void TGameModeMatch3::ResetHint() {
    HintAnimation.reset();
    HasPlayedHintSound = 0;
    ResetCurrentHint();
}

std::optional<TMatch3Hint> TGameModeMatch3::GetRandomHint() const {
    if (!HintList.Exists || HintList.Items.empty()) return std::nullopt;
    const int count = static_cast<int>(HintList.Items.size());
    return HintList.Items[plat::Rand(0, count - 1)];
}

void TGameModeMatch3::ManageHint() {
    if (GamePaused() || !HintAnimation) return;
    HintAnimation->Manage();
    if (HintAnimation->Active && HintAnimation->CurrentPhase == 1 && !CurrentHint && HintList.Exists)
        CurrentHint = GetRandomHint();
    if (HintAnimation->Finished) {
        ResetCurrentHint();
        HintAnimation.reset();
        return;
    }
    if (HintList.Exists && !HintList.Items.empty() && HintAnimation->CurrentPhase == 1 && !HasPlayedHintSound) {
        HasPlayedHintSound = 1;
        PlayHintSound();
    }
}

void TGameModeMatch3::DrawHint() const {
    if (GamePaused() || !HintAnimation || !HintAnimation->Active || HintAnimation->CurrentPhase == 0) return;
    if (!CurrentHint || !CellBox->LayoutHintImage) return;
    const float alpha = plat::GetAlpha();
    if (HintAnimation->CurrentPhase == 1) plat::SetAlpha(HintAnimation->GetRatioInv());
    if (HintAnimation->CurrentPhase == 3) plat::SetAlpha(HintAnimation->GetRatio());
    for (const TCell* cell : {CurrentHint->FirstCell, CurrentHint->SecondCell})
        if (cell) CellBox->DrawLayoutImage(CellBox->LayoutHintImage, cell->X, cell->Y);
    plat::SetAlpha(alpha);
}

// ---- score and bonus -------------------------------------------------------------------

void TGameModeMatch3::ManageScore() {
    TGamePlay& play = GamePlay();
    if (play.ScoreAdder > 0) {
        ++play.Score;
        --play.ScoreAdder;
    } else if (play.ScoreAdder < 0) {
        --play.Score;
        ++play.ScoreAdder;
    }
    if (play.Score < 0) play.Score = 0;
}

// Points still rolling up belong to the game being left.
void TGameModeMatch3::ResetScore() {
    GamePlay().Score = 0;
    GamePlay().ScoreAdder = 0;
    MovesMade = 0;
    BonusEarned = 0;
}

void TGameModeMatch3::CheckBonusCounter() {
    BonusAnimation = TAnimation(BONUS_WINDOW_MS);
    BonusAnimation->Start();
}

void TGameModeMatch3::ManageBonus() {
    if (BonusEndAnimation) {
        BonusEndAnimation->Manage();
        if (BonusEndAnimation->Finished || BonusEndAnimation->CurrentPhase > 0) GamePlay().ShowVictoryParticles = 0;
        if (BonusEndAnimation->Finished) BonusEndAnimation.reset();
    }
    if (BonusAnimation) {
        BonusAnimation->Manage();
        if (BonusAnimation->Finished) {
            EndBonus();
            BonusAnimation.reset();
            BonusCounter = 0;
        }
    }
}

void TGameModeMatch3::EndBonus() {
    Tally.LongestCascade = std::max<long long>(Tally.LongestCascade, BonusCounter);
    if (BonusCounter >= BONUS_MIN_MATCHES) {
        BonusEndAnimation = TAnimation(2000);
        BonusEndAnimation->AddPhase(1000);
        BonusEndAnimation->AddPhase(500);
        BonusEndAnimation->Start();
        BonusTotalPoints = (BonusCounter - (BONUS_MIN_MATCHES - 1)) * BONUS_POINTS_PER_MATCH;
        BonusEarned += BonusTotalPoints;
        Tally.BestChainBonus = std::max<long long>(Tally.BestChainBonus, BonusTotalPoints);
        if (BonusCounter >= BONUS_APPLAUSE_MATCHES) {
            PlayBonusApplauseSound();
            if (const auto& start = PuzzleHooks().StartVictoryParticles) start();
            GamePlay().ShowVictoryParticles = 1;
        }
    }
    BonusCounter = 0;
}

void TGameModeMatch3::DrawBonus() const {
    const TGameText& text = GameText();
    if (BonusEndAnimation) {
        const float alpha = plat::GetAlpha();
        plat::SetAlpha(BonusEndAnimation->CurrentPhase == 2 ? BonusEndAnimation->GetRatio() : 1.0f);
        DrawHelpLine(ReplaceNumber(text.FindString("Bonus Points"), BonusTotalPoints));
        plat::SetAlpha(alpha);
    }
    if (BonusCounter > BONUS_MIN_MATCHES - 1) DrawHelpLine(ReplaceNumber(text.FindString("Bonus Counter"), BonusCounter));
}

// ---- start, finish ------------------------------------------------------------------------

void TGameModeMatch3::StartStartGameAnimation() {
    StartGameAnimation = TAnimation(START_GAME_MS);
    StartGameAnimation->Start();
}

void TGameModeMatch3::ManageStartGameAnimation() {
    if (!StartGameAnimation) return;
    StartGameAnimation->Manage();
    if (!StartGameAnimation->Active) {
        StartGameAnimation.reset();
        PlayStartSound();
    }
}

bool TGameModeMatch3::IsFinished() const { return CellBox->GetLayoutCellMarbleCount() == 0; }

int TGameModeMatch3::IsGameFinished() {
    // A level that had no marble to clear (an empty board left by a file that
    // could not be loaded) is never won.
    const bool finished = TotalMarbles > 0 && IsFinished();
    if (finished) {
        CheckedEndBonus = 1;
        EndBonus();
    }
    if (!finished || BonusEndAnimation) return 0;
    ClearBonusState();
    return 1;
}

int TGameModeMatch3::GameFinished() {
    CellBox->CancelSelection();
    ShufflePieces.reset();
    return 1;
}

// ---- drawing --------------------------------------------------------------------------------

int TGameModeMatch3::ProgressPercent() const {
    if (TotalMarbles <= 0) return 100;
    const int left = CellBox->GetLayoutCellMarbleCount();
    return static_cast<int>(std::lround(100.0 * (TotalMarbles - left) / TotalMarbles));
}

int TGameModeMatch3::Draw() {
    const float alpha = plat::GetAlpha();
    if (StartGameAnimation) plat::SetAlpha(StartGameAnimation->GetRatioInv());
    CellBox->Draw();
    plat::SetAlpha(alpha);
    if (!GameState().stateFinished) DrawHint();
    DrawHelpMessage();
    DrawProgress();
    DrawBonus();
    if (ShufflePieces) ShufflePieces->Draw();
    DrawDebugInformation();
    return 1;
}

void TGameModeMatch3::DrawHelpMessage() const {
    if (ShowHelpMessage == 1) DrawHelpLine(GameText().FindString("Help Message"));
}

void TGameModeMatch3::DrawProgress() const {
    plat::SetColor(255, 255, 255);
    if (const auto& select = PuzzleHooks().SelectFont) select(2);
    plat::DrawText(GameText().FindString("Progress Field"), 100, 25);
    if (!ProgressImage || !ProgressImage->image) return;
    plat::DrawImage(*ProgressImage->image, 320, 44);
    if (!ProgressMoImage || !ProgressMoImage->image) return;
    const int width = static_cast<int>(std::lround(ProgressImage->w * ProgressPercent() / 100.0));
    const float w = static_cast<float>(std::min(width, ProgressMoImage->w));
    const float h = static_cast<float>(ProgressMoImage->h);
    if (w > 0) plat::DrawSubImageRect(*ProgressMoImage->image, 320, 44, w, h, 0, 0, w, h);
}
