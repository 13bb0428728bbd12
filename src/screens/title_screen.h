#pragma once
// The title screen, the hub of the game: the title picture, the glowing logo,
// the main menu (Play, Help, Options, High Scores, Exit), Continue beside
// Play while the player has a puzzle left in play, a button to change the
// player, a welcome line and the version. Escape asks before the game
// ends. On its first arrival after
// loading it starts the music and makes sure somebody is playing: it asks
// for a name when there are no players, takes up the last player, or opens
// the player manager.
#include <optional>

#include "app/screen.h"
#include "gui/dialog.h"
#include "gui/focus_ring.h"
#include "gui/key_hint.h"
#include "puzzle/board_text.h"
#include "resources/banks.h"
#include "screens/player_manager.h"

class TTitleScreen : public TScreen {
public:
    TTitleScreen() { name = "title"; }

    float x = 0, y = 0;  // the background's offset from the screen centre
    DialogTextInputPtr EnterName;
    std::shared_ptr<PNPlayerManager> PlayerManager;
    // A problem with the players' files, told to the player.
    DialogOKPtr Message;
    // "Quit Vellichorns?", asked when Escape is pressed on the title.
    DialogYesNoPtr QuitQuestion;
    // The keyboard's way through the menu.
    TFocusRing Focus;

    void Load() override;
    void Start() override;
    void PromptForName();
    void SetupPrompt();
    void Logic() override;
    void Draw() override;
    void DrawWelcome();
    void ShowPlayerManager();
    int SetEscDestination() override;
    void Kill() override;

    // Forgets the first arrival, for a new start of the game.
    void NewStart();
    bool DialogOpen() const { return EnterName || PlayerManager || Message || QuitQuestion; }

    // The current player's resume point, read again (a player chosen or
    // made); Continue shows while there is one.
    void RefreshContinue();
    // The puzzle left in play, as it was left, on the game screen.
    void ContinueGame();
    // "Puzzle 7, score 1200" under the Continue button.
    std::string ContinueDetails() const;

private:
    bool FirstArrival() const;
    // Runs the open dialog; false while one is still open.
    bool ManageDialogs();
    void ShowMessage(const std::string& text);
    void FadeTo(TScreen& destination);
    void AskToQuit();

    void DrawContinueDetails();

    GameImagePtr background_;
    TKeyHint keyHint_;
    std::optional<TSaveGameData> resume_;
    bool loaded_ = false;
    bool arrived_ = false;
};

TTitleScreen& TitleScreen();
