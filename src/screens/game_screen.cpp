#include "screens/game_screen.h"

#include <algorithm>
#include <utility>

#include "gui/pad_prompts.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "puzzle/game_play.h"
#include "puzzle/match3_mode.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/resource_globals.h"
#include "screens/board_effects.h"
#include "screens/end_level_menu.h"
#include "screens/game_gui.h"
#include "screens/ingame_menu.h"
#include "screens/puzzle_file_hooks.h"
#include "screens/resume_keeper.h"

namespace {

constexpr int BACKGROUNDS = 5;
constexpr uint32_t BACKGROUND_CHANGE_MS = 150000;
constexpr float CROSS_FADE_MS = 2000;
constexpr int SPARKLE_COUNT = 50;
constexpr int SPARKLE_MARGIN = 100;
constexpr int SCORE_FONT_SIZE = 34;
constexpr float PUZZLE_LABEL_Y = 578;
// The one-line key hint, at the very top: the strip below the board holds
// the tutorial line.
constexpr float KEY_HINT_Y = 2;
constexpr float SCORE_X = 450, SCORE_Y = 25;

GameImagePtr BackgroundImage(int number) {
    return ImageBank().FindOrNull("gamescreen" + std::to_string(number));
}

void DrawCentred(const GameImagePtr& image) {
    if (image && image->image) plat::DrawImage(*image->image, ScreenWidth / 2.0f, ScreenHeight / 2.0f);
}

bool InEditorMode() {
    const auto& mode = GamePlay().GameMode;
    return mode && mode->GameType == GAMEMODE_EDITOR;
}

// While the no-moves question is open, Escape answers it rather than opening the menu.
bool AskingNoMovesQuestion() {
    const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get());
    return mode && mode->ShufflePieces != nullptr;
}

// The screen rows from the top of the board's highest floor cell to the
// bottom of its lowest one.
std::pair<int, int> FloorRows(const TCellBox& box) {
    int top = BOARD_ROWS, bottom = -1;
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row)
            if (box.Layout[column][row].Contents != FLOOR_NONE) {
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
    if (bottom < 0) return {0, 0};
    return {box.AreaStartY + top * CELL_SIZE, box.AreaStartY + (bottom + 1) * CELL_SIZE};
}

void PlayBankSound(const std::string& name) {
    auto& game = Game();
    const GameSoundPtr sound = SoundBank().FindOrNull(name);
    if (game.Channels && sound) game.Channels->PlayGameSound(*sound);
}

void SelectGameFont(int which) {
    auto font = which == 1 ? FirstFont() : SecondFont();
    if (font) plat::SetImageFont(font);
}

}  // namespace

std::string PuzzleLabel() {
    const TGamePlay& play = GamePlay();
    if (play.IsTrying()) return GameText().FindString("Trying Puzzle");
    return PuzzleLabelOf(play.CurrentLevel, play.IsCustomLevel);
}

std::string PuzzleLabelOf(const std::string& path, int custom) {
    if (path.empty()) return {};
    const std::string name = plat::NameOfPath(path);
    if (custom) return GameText().FindString("Puzzle Name") + name;
    const auto digits = name.find_first_not_of('0');
    return GameText().FindString("Puzzle Number") + (digits == std::string::npos ? name : name.substr(digits));
}

TPuzzleDialogQuestion::~TPuzzleDialogQuestion() {
    if (Dialog) Dialog->Kill();
}

TGameScreen& GameScreen() {
    static TGameScreen screen;
    return screen;
}

void TGameScreen::Load() {
    LastImage = plat::Rand(1, BACKGROUNDS);
    Background = BackgroundImage(LastImage);
    auto& mouse = Game().Mouse;
    if (mouse.TrailClear) mouse.TrailClear();
    VictoryParticles.reset();
    CrossFade.reset();
    Game().Audio.FadeMusic = 0;
    LoadEndLevelPanel();
    GameGUI().Load();
    if (!GameGUI().MainMenu) GameGUI().Start();
    GameMenu().Load();
}

void TGameScreen::Start() {
    TScreen::Start();
    auto& game = Game();
    game.GameFade.Init(DefaultFadeTime, 0, nullptr, 0, 0);
    LastMouseZ = game.Mouse.z;
    LastTime = 0;
    DidPauseOrSuspend = -1;
    clockHeld_ = false;
    game.Mouse.On();
    game.IgnoreEscapeKey = 1;
    FlushInput();
    LastFade = plat::MilliSecs();
    // A puzzle taken up (new, continued, loaded, dealt again) is kept from
    // now on; the editor keeps nothing.
    if (InEditorMode() || GameState().stateFinished) {
        ResumeKeeper().Disarm();
    } else {
        ResumeKeeper().Arm();
    }
    game.FixedRateLogic.Init();
}

void TGameScreen::StartVictoryParticles() {
    VictoryParticles = std::make_unique<TParticleList>();
    NextSparkle = plat::MilliSecs();
}

void TGameScreen::ManageSparkles() {
    if (!VictoryParticles) return;
    const bool spraying = GameState().stateFinished || GamePlay().ShowVictoryParticles;
    const uint32_t now = plat::MilliSecs();
    if (spraying && static_cast<int32_t>(now - NextSparkle) >= 0) {
        if (auto sparkle = ImageBank().FindOrNull("particle2")) {
            const float x = static_cast<float>(plat::Rand(SPARKLE_MARGIN, ScreenWidth - SPARKLE_MARGIN));
            const float y = static_cast<float>(plat::Rand(SPARKLE_MARGIN, ScreenHeight - SPARKLE_MARGIN));
            AddParticles(*VictoryParticles, x, y, sparkle, SPARKLE_COUNT);
        }
        NextSparkle = now + static_cast<uint32_t>(plat::Rand(250, 750));
    }
    VictoryParticles->Manage();
}

void TGameScreen::ManageBackground() {
    const uint32_t now = plat::MilliSecs();
    if (now - LastFade >= BACKGROUND_CHANGE_MS) {
        LastFade = now;
        const GameImagePtr old = Background;
        LastImage = LastImage % BACKGROUNDS + 1;
        Background = BackgroundImage(LastImage);
        CrossFade = TCrossFade::Create(old, Background, CROSS_FADE_MS);
        CrossFade->SetImage1Coords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
        CrossFade->SetImage2Coords(ScreenWidth / 2.0f, ScreenHeight / 2.0f);
    }
    if (CrossFade) {
        CrossFade->Manage();
        if (CrossFade->Finished()) CrossFade.reset();
    }
}

void TGameScreen::Logic() {
    ManageSparkles();
    ManageBackground();
    GameGUI().Logic();
    if (!GameState().disableButtons && !InEditorMode() && !AskingNoMovesQuestion()) GameMenu().Logic();
    if (!GameMenu().Active) GamePlay().Logic();
    ResumeKeeper().Manage();
    OfferKeyHint();
}

void TGameScreen::OfferKeyHint() {
    if (keyHint_.Offered()) return;
    const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get());
    if (mode && mode->CellBox && mode->CellBox->Cursor.Shown) keyHint_.Offer(DeviceText("Keys Hint Board"));
}

void TGameScreen::PauseBookkeeping() {
    const auto& game = Game();
    int reason = -1;
    if (game.Paused) {
        reason = 0;
    } else if (game.Suspended) {
        reason = 1;
    } else if (GameMenu().Active) {
        reason = 2;
    }
    const bool finished = GameState().stateFinished != 0;
    if (reason >= 0 && DidPauseOrSuspend < 0) {
        if (!finished) {
            LastTime = plat::MilliSecs();
            PlayClock().Pause();
            clockHeld_ = true;
        }
        DidPauseOrSuspend = reason;
    } else if (reason < 0 && DidPauseOrSuspend >= 0) {
        // The clock's own pause is the one record of the interruption.
        if (clockHeld_ && !finished) PlayClock().Resume();
        clockHeld_ = false;
        DidPauseOrSuspend = -1;
        LastTime = 0;
    }
}

namespace {

// The board whose floors can go on the composed picture: a match-3 board
// drawn at full strength (not fading in), outside the editor.
TCellBox* LayerableBox() {
    auto* mode = dynamic_cast<TGameModeMatch3*>(GamePlay().GameMode.get());
    if (!mode || !mode->CellBox || mode->StartGameAnimation || InEditorMode() || mode->CellBox->IsLevelEditor)
        return nullptr;
    return mode->CellBox.get();
}

}  // namespace

std::vector<TBoardLayer::TArea> TGameScreen::DrawnBeforeTheBoard() const {
    constexpr float MARGIN = 6;
    std::vector<TBoardLayer::TArea> areas;
    if (!GameState().stateCustomMode) {
        const auto font = GameFont(SCORE_FONT_SIZE);
        const std::string score = GameText().FindString("Score") + std::to_string(GamePlay().Score);
        const float height = font ? float(plat::FontHeight(*font)) : float(ScreenHeight);
        const float width = font ? float(plat::FontTextWidth(*font, score)) : float(ScreenWidth);
        areas.push_back({SCORE_X - MARGIN, SCORE_Y - MARGIN, width + 3 * MARGIN, height + 3 * MARGIN});
        areas.push_back({0, PUZZLE_LABEL_Y - MARGIN, float(ScreenWidth), float(ScreenHeight) - PUZZLE_LABEL_Y + MARGIN});
    }
    // Buttons may grow under the pointer: half their size again all round.
    if (const auto& menu = GameGUI().MainMenu)
        for (const auto& button : menu->Buttons)
            areas.push_back({button->x - float(button->w), button->y - float(button->h), 3.0f * float(button->w),
                             3.0f * float(button->h)});
    return areas;
}

TCellBox* TGameScreen::DrawBackground() {
    if (CrossFade) {
        CrossFade->Draw();
        return nullptr;
    }
    TCellBox* box = UseBoardLayer ? LayerableBox() : nullptr;
    if (box && Background && Background->image && BoardLayer.Draw(*Background->image, *box, DrawnBeforeTheBoard()))
        return box;
    plat::SetBlend(plat::SOLIDBLEND);
    DrawCentred(Background);
    plat::SetBlend(plat::ALPHABLEND);
    return nullptr;
}

void TGameScreen::Draw() {
    // The background covers the whole screen: a clear first would be wasted.
    const bool covered = CrossFade || (Background && Background->image && Background->w >= ScreenWidth &&
                                       Background->h >= ScreenHeight);
    if (!covered || plat::LetterboxShown()) plat::Cls();
    plat::SetBlend(plat::ALPHABLEND);
    SetTextShadow(2, 2, 0.6f);
    TCellBox* layered = DrawBackground();
    if (!GameState().stateCustomMode) {
        if (auto font = GameFont(SCORE_FONT_SIZE)) plat::SetImageFont(font);
        plat::SetColor(255, 255, 255);
        DrawTextWithShadow(SCORE_X, SCORE_Y, GameText().FindString("Score") + std::to_string(GamePlay().Score));
        // Which puzzle this is, in the strip below the board.
        SelectGameFont(1);
        DrawTextCentredX(PuzzleLabel(), PUZZLE_LABEL_Y, true, true);
    }
    // The board's help lines use the current font: the second one, as everywhere on this screen.
    SelectGameFont(2);
    PauseBookkeeping();
    auto& gui = GameGUI();
    if (InEditorMode()) {
        GamePlay().Draw();
        gui.DrawMenus();
    } else {
        gui.DrawMenus();
        GamePlay().Draw();
    }
    if (layered) layered->FloorsDrawn = false;
    plat::SetBlend(plat::ALPHABLEND);
    if (VictoryParticles) VictoryParticles->Draw();
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
    keyHint_.Draw(KEY_HINT_Y);
    GameMenu().Draw();
    gui.Draw();
}

void TGameScreen::Kill() {
    TScreen::Kill();
    Background.reset();
    CrossFade.reset();
    VictoryParticles.reset();
    BoardLayer.Reset();
    GameMenu().Kill();
}

void InstallGameScreenHooks() {
    InstallPuzzleFileHooks();
    if (!TSmashParticle::Image()) LoadParticleImage();
    if (!ScoreEffect(1) && !ScoreEffect(2)) LoadParticleEffects();
    auto& hooks = PuzzleHooks();
    hooks.PlaySound = PlayBankSound;
    hooks.StartVictoryParticles = [] { GameScreen().StartVictoryParticles(); };
    hooks.OpenQuestion = [](const std::string& textKey) -> std::unique_ptr<TPuzzleQuestion> {
        auto dialog = CreateYesNoDialog(GameText().FindString(textKey));
        const auto* mode = dynamic_cast<const TGameModeMatch3*>(GamePlay().GameMode.get());
        if (mode && mode->CellBox) {
            const auto [top, bottom] = FloorRows(*mode->CellBox);
            dialog->MoveClearOf(top, bottom);
        }
        return std::make_unique<TPuzzleDialogQuestion>(std::move(dialog));
    };
    hooks.SelectFont = SelectGameFont;
    hooks.InGameMenuShown = [] { return GameMenu().Active != 0; };
    InstallResumeKeeper();
    LoadEndLevelPanel();
    auto& table = GamePlay().HighscoreList;
    table.Create("highscores", 10);
    table.Load();
}

TScreen& StartFirstStandardPuzzle() {
    auto& play = GamePlay();
    play.Init(GAMEMODE_MATCH3);
    GameGUI().Start();
    play.GameMode->Init(StandardLevelPath(1), 0);
    return GameScreen();
}
