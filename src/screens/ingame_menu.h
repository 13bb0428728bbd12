#pragma once
// The pause menu over a puzzle in progress: Escape or the "menu" button
// opens it; it dims the board, shows a panel with five buttons (four during
// a try of the editor's layout) and fades in and out. Its buttons only open the confirmation dialogs, which the in-game
// controls (TGameGUI) own and answer.
#include "resources/animation.h"
#include "app/screen.h"
#include "gui/focus_ring.h"
#include "resources/banks.h"

class TGameMenu : public TScreen {
public:
    int Active = 0;
    int MouseState = 0;
    GameSoundPtr ActivateSound;
    GameSoundPtr DeactivateSound;
    TAnimation FadeIn;
    TAnimation FadeOut;
    // The keyboard's way through the buttons.
    TFocusRing Focus;

    void Load() override;
    void Show(int playSound);
    void Hide();
    // Closed at once, without the fade (leaving a try).
    void Close();
    void Logic() override;
    void Draw() override;
    void Kill() override;

    // Open and not closing (the buttons are live).
    bool IsOpen() const { return Active && !FadeOut.Active; }

private:
    void PlayMenuSound(const GameSoundPtr& sound) const;
    void CheckButtons();
    // Shuffle and Save greyed while the puzzle is won, live otherwise.
    void GreyWhatAWinEnds();
    // The buttons of play, or of a try of the editor's layout: "Back to
    // Editor" in place of "Back to Menu" and no saving.
    void Build(bool trying);
    bool builtForTry_ = false;
};

// The one in-game menu of the program.
TGameMenu& GameMenu();
