#pragma once
// The screen around a puzzle in progress: a random background that
// cross-fades to the next one every 150 seconds, the score, the buttons and
// board, the victory sparkles, the in-game menu and the dialogs of play. It
// also keeps the play clock still while the game is paused, suspended or the
// in-game menu is open.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/cross_fade.h"
#include "app/screen.h"
#include "gui/dialog.h"
#include "gui/key_hint.h"
#include "gui/particles.h"
#include "puzzle/puzzle_hooks.h"
#include "resources/banks.h"
#include "screens/board_layer.h"

class TCellBox;

class TGameScreen : public TScreen {
public:
    TGameScreen() { name = "game"; }

    std::unique_ptr<TCrossFade> CrossFade;
    uint32_t LastFade = 0;
    int LastMouseZ = 0;
    uint32_t LastTime = 0;
    int DidPauseOrSuspend = -1;  // -1 none, 0 paused, 1 suspended, 2 in-game menu open
    int LastImage = 1;
    GameImagePtr Background;
    // The sparkles of a won puzzle or a big chain bonus; none until started.
    std::unique_ptr<TParticleList> VictoryParticles;
    uint32_t NextSparkle = 0;
    // The background and the board's floors composed into one picture; off,
    // everything is drawn piece by piece every frame (the same pixels).
    TBoardLayer BoardLayer;
    bool UseBoardLayer = true;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;

    // A new, empty sparkle list; bursts follow while the puzzle is won or
    // the victory particles are on.
    void StartVictoryParticles();
    // One tick of the sparkles (bursts every 250 to 750 ms) and the background change.
    void ManageSparkles();
    void ManageBackground();
    // Called every frame: pauses and resumes the play clock.
    void PauseBookkeeping();

private:
    // The background, through the board picture where it can be used;
    // answers the box whose floors it drew, if any.
    TCellBox* DrawBackground();
    // What the screen draws between the background and the board.
    std::vector<TBoardLayer::TArea> DrawnBeforeTheBoard() const;

    // The keys, told once when the board's cursor first shows.
    void OfferKeyHint();

    bool clockHeld_ = false;
    TKeyHint keyHint_;
};

TGameScreen& GameScreen();

// The board's no-moves question as the game's standard yes/no dialog.
class TPuzzleDialogQuestion : public TPuzzleQuestion {
public:
    explicit TPuzzleDialogQuestion(DialogYesNoPtr dialog) : Dialog(std::move(dialog)) {}
    ~TPuzzleDialogQuestion() override;
    int Manage() override { return Dialog->Manage(); }
    void Draw() override { Dialog->Draw(); }
    DialogYesNoPtr Dialog;
};

// The puzzle being played as the game screen names it: "Puzzle 7" for a
// standard one, "Puzzle: name" for one of the player's own, a line of its
// own for a try of the editor's layout ("" for none).
std::string PuzzleLabel();
// The same for a puzzle's file and whether it is one of the player's own.
std::string PuzzleLabelOf(const std::string& path, int custom);

// The puzzle hooks of play: sounds through the channel pool, the bursts of
// cleared gems, the victory sparkles, the no-moves yes/no dialog, the fonts,
// the in-game menu; plus the layout reader, the particle strip and effects,
// the end-level panel and the high-score table. Call once after the banks
// have loaded.
void InstallGameScreenHooks();

// Loads standard puzzle 001 into a new match-3 game and answers the game
// screen, to be made the loading screen's destination.
TScreen& StartFirstStandardPuzzle();
