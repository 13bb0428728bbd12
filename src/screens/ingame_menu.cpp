#include "screens/ingame_menu.h"

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/menu.h"
#include "gui/table_text.h"
#include "gui/text.h"
#include "platform/graphics.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "puzzle/game_play.h"
#include "resources/resource_globals.h"
#include "screens/game_gui.h"

namespace {

constexpr float FADE_MS = 200;
constexpr float DIM_ALPHA = 0.7f;
constexpr int PANEL_ABOVE_MENU = 50;

}  // namespace

TGameMenu& GameMenu() {
    static TGameMenu menu;
    return menu;
}

void TGameMenu::Build(bool trying) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
    for (const char* name : {"resume", "restartpuzzle", "shufflepuzzle"}) Menu->AddQuick(name, name);
    if (trying) {
        Menu->AddQuick("backtoeditor", "backtoeditor");
    } else {
        Menu->AddQuick("savegame", "savegame");
        Menu->AddQuick("backtomenu", "backtomenu");
    }
    if (auto resume = Menu->FindButton("resume")) resume->OKButton = 1;
    // Greyed over a won puzzle: neither takes a click nor the focus then.
    for (const char* name : {"shufflepuzzle", "savegame"})
        if (auto button = Menu->FindButton(name)) button->ClickDisabled = 0;
    Menu->Centre();
    Focus.Clear();
    Focus.AddMenu(*Menu);
    builtForTry_ = trying;
}

void TGameMenu::Load() {
    Build(GamePlay().IsTrying());
    ActivateSound = SoundBank().FindOrNull("buttonclick");
    FadeIn = TAnimation::Create(FADE_MS, 0, 0, 0);
    FadeOut = TAnimation::Create(FADE_MS, 0, 0, 0);
    Active = 0;
    Menu->Precache();
}

void TGameMenu::PlayMenuSound(const GameSoundPtr& sound) const {
    auto& game = Game();
    if (sound && game.Channels) game.Channels->PlayGameSound(*sound, nullptr, 1.0f, 0.0f);
}

void TGameMenu::Show(int playSound) {
    if (builtForTry_ != GamePlay().IsTrying()) {
        Build(GamePlay().IsTrying());
        Menu->Precache();
    }
    Active = 1;
    GreyWhatAWinEnds();
    if (Menu) Menu->ManageNoSound();
    auto& mouse = Game().Mouse;
    MouseState = mouse.Active;
    mouse.On();
    if (playSound) PlayMenuSound(ActivateSound);
    FadeOut.Active = 0;
    FadeIn.Reset();
    FlushInput();
}

void TGameMenu::GreyWhatAWinEnds() {
    if (!Menu) return;
    const int finished = GameState().stateFinished != 0 ? 1 : 0;
    for (const char* name : {"shufflepuzzle", "savegame"})
        if (auto button = Menu->FindButton(name)) button->Disabled = finished;
}

void TGameMenu::Hide() {
    if (!MouseState) Game().Mouse.Off();
    PlayMenuSound(DeactivateSound);
    FadeOut.Reset();
    // A menu closed half-way through opening fades out from where it was.
    FadeOut.Counter = FadeIn.Active ? FadeIn.Length[FadeIn.CurrentPhase] - FadeIn.Counter : FadeOut.Length[0];
    FadeIn.Active = 0;
    FlushInput();
}

void TGameMenu::Close() {
    if (!Active) return;
    if (!MouseState) Game().Mouse.Off();
    Active = 0;
    FadeIn.Active = 0;
    FadeOut.Active = 0;
    FlushInput();
}

void TGameMenu::Logic() {
    if (Active) {
        FadeIn.Manage();
        if (FadeOut.Manage() && !FadeOut.Active) {
            Active = 0;
            return;
        }
        if (!FadeOut.Active) {
            Focus.Manage();
            TScreen::Logic();
        }
    }
    if (FadeOut.Active) return;
    // Escape, or a pad's Start, opens the menu and closes it again.
    if (KeyHit(plat::KEY_ESCAPE) | KeyHit(plat::KEY_PAD_START)) {
        if (!Active) {
            Show(1);
        } else {
            Game().Audio.EscapeSoundPlay();
            Hide();
        }
        return;
    }
    if (Active) CheckButtons();
}

void TGameMenu::CheckButtons() {
    if (!Menu) return;
    auto& gui = GameGUI();
    const TGameText& text = GameText();
    if (Menu->Clicked("resume")) Hide();
    if (Menu->Clicked("restartpuzzle")) gui.RestartInput = CreateYesNoDialog(text.FindString("Restart Puzzle"));
    // Once a puzzle is won, nothing here may change the board or the score.
    const bool finished = GameState().stateFinished != 0;
    if (Menu->Clicked("shufflepuzzle") && !finished)
        gui.ShuffleInput = CreateYesNoDialog(text.FindString("Reshuffle Puzzle"));
    if (Menu->Clicked("savegame") && !finished) gui.AskSaveName({});
    if (Menu->Clicked("backtomenu")) gui.LeavePuzzle();
    if (Menu->Clicked("backtoeditor")) gui.LeaveTry();
}

void TGameMenu::Draw() {
    if (!Active) return;
    plat::SetBlend(plat::ALPHABLEND);
    float dim = DIM_ALPHA;
    if (FadeIn.Active) {
        dim = FadeIn.GetRatioInvSine() * DIM_ALPHA;
    } else if (FadeOut.Active) {
        dim = FadeOut.GetRatioSine() * DIM_ALPHA;
    }
    DimScreen(dim);
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);

    float c = 1.0f;
    if (FadeOut.Active) {
        c = FadeOut.GetRatio();
    } else if (FadeIn.Active) {
        c = FadeIn.GetRatioInv();
    }
    const bool faded = c != 1.0f;
    if (faded) {
        plat::SetAlpha(c);
        if (Menu) Menu->SetAlpha(c);
    }
    if (auto panel = ImageBank().FindOrNull("menu"); panel && panel->image && Menu) {
        plat::DrawImage(*panel->image, ScreenWidth / 2.0f, Menu->y - PANEL_ABOVE_MENU);
        // Between the gems at the plate's ends, on the face above its shadow.
        TTextLook look = CaptionLook();
        look.outlineWidth = 2;
        DrawTableText("Game Menu", 30, {ScreenWidth / 2.0f, Menu->y - PANEL_ABOVE_MENU - 1.5f, 164}, look, TEXT_GOLD);
    }
    plat::SetBlend(plat::ALPHABLEND);
    SetTextShadow(3, 3, 0.4f);
    if (Menu) Menu->Draw(0, 0);
    if (!faded) Focus.Draw();
    if (faded) {
        plat::SetAlpha(1.0f);
        if (Menu) Menu->SetAlpha(1.0f);
    }
}

void TGameMenu::Kill() {
    TScreen::Kill();
    ActivateSound.reset();
    DeactivateSound.reset();
    FadeIn.Clear();
    FadeOut.Clear();
    Active = 0;
}
