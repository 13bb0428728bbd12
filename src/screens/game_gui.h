#pragma once
// The in-game controls: the buttons beside the board ("menu", "hint"; the
// editor's row), every dialog of play and what its answer does, finishing a
// level (applause, victory particles, completion record, high score, the
// end-level menu) and going on to the next standard puzzle.
#include <memory>
#include <string>

#include "resources/animation.h"
#include "gui/dialog.h"
#include "gui/menu.h"
#include "screens/end_level_menu.h"
#include "screens/save_game_manager.h"

class TGameMode;

class TGameGUI {
public:
    DialogYesNoPtr ShuffleInput, RestartInput, QuitInput, ResetInput;
    DialogOKPtr OKInput;
    DialogTextInputPtr SaveGameNameInput;
    SaveGameManagerPtr SaveGameManager;
    // Asks before a save replaces the file of the same name.
    DialogYesNoPtr OverwriteInput;
    // The base path (without ".save") waiting for that answer.
    std::string PendingSavePath;
    std::string LastFileName;
    // "Replace it?" when a custom puzzle of the typed name exists, with that name.
    DialogYesNoPtr ReplaceInput;
    std::string PendingLayoutName;
    // The name refused as another player's save, asked again once the message is read.
    std::string ReaskSaveName;
    std::unique_ptr<PNEndLevelMenu> endLevelMenu;
    // A line the player reads in passing ("Saved as ..."), while its
    // animation runs: shown, then fading.
    std::string Notice;
    TAnimation NoticeAnimation;
    MenuPtr MainMenu;
    MenuPtr CustomMenu;
    // The editor's column right of the board: undo, redo, mirror, try.
    MenuPtr EditorTools;
    // Tab walks the buttons beside the board (play) or around it (editor);
    // the arrows stay with the board's cursor.
    TFocusRing PlayFocus, EditorFocus;
    // Game ticks since a try was won; it goes back to the editor after a while.
    float TryWonTicks = 0;

    // No dialogs, a new end-level menu.
    void Load();
    // The two button menus.
    void Start();
    void Logic();
    void CheckLevelFinished();
    void CheckEndGameMenu();
    void CheckInputDialogs();
    // The save-name prompt, holding name when one is given.
    void AskSaveName(const std::string& name);
    // "Back to Menu": asks first unless the puzzle is won.
    void LeavePuzzle();
    // Back to the level grids from the editor, its history dropped.
    void LeaveEditor();
    void Match3Next();
    void Shuffle();
    void CheckButtonClicks();
    void Draw();
    void DrawMenus();
    TFocusRing& ActiveFocus();
    void DrawDialogs();
    // The file chooser on the profile folder: custom puzzles in the editor,
    // saved games in play.
    void ShowSaveGameManager();

    // The editor's buttons and Escape (editor_commands.cpp).
    void CheckEditorButtons();
    void StartEditorTools();
    // The two rings of focus over the buttons (Start builds them).
    void StartFocus();
    // Undo and redo greyed when there is nothing to take back or forward,
    // the mirror lit while on.
    void UpdateEditorTools();
    void DrawEditorTools();
    // Plays the editor's layout as it stands when it passes the checks of
    // Save; otherwise shows the same refusal.
    void TryLayout();
    // Back from a try to the editor as it was left.
    void LeaveTry();
    // A try: Escape leaves it, and a win goes back after a moment or a click.
    void CheckTry();
    // The answer to "Replace it?": yes saves, no asks for another name.
    void AnswerReplace(int answer);
    // The name prompt of "savecustom", pre-filled with the given name.
    void AskLayoutName(const std::string& name);
    // A name accepted in the editor: asks before replacing, then saves.
    void SaveCustomLayout(const std::string& name);

    bool AnyDialogOpen() const;
    // Saves the game in play to basePath + ".save"; a failure is shown.
    void SavePlayedGame(const std::string& basePath);
    // Opens OKInput with the text (replacing one that is open).
    void ShowMessage(const std::string& text);
    // Tells the player, without a dialog, that the game or puzzle was saved under the name.
    void ShowSavedNotice(const std::string& name);
    void DrawNotice();

private:
    // What the end-of-puzzle panel tells of the win just recorded.
    static TPuzzleSummary SummaryOfTheWin(int place);
    // The mirror button shows its lit images.
    bool mirrorLit_ = false;
};

TGameGUI& GameGUI();

// "layouts/" under the data prefix + the number in three digits + ".layout".
std::string StandardLevelPath(int number);
// The standard puzzle after the given one: the next number when it is
// between 1 and 79 and its file exists, otherwise puzzle 001.
std::string NextStandardLevelPath(const std::string& currentPath);
// A level just won: the current puzzle goes into the player's completion
// list and the score into the high-score table when it makes it (the table
// is saved). Answers the place the score took (0 none) and the message to
// show when the table could not be saved ("" none).
struct TLevelRecord {
    int Place = 0;
    std::string Problem;
};
TLevelRecord RecordLevelFinished();
// The name the completion lists and the high-score table use for the
// current player.
std::string CurrentPlayerName();
// The puzzle in play as the player knows it: its number without leading
// zeros ("7"), or a custom puzzle's name; "" when it has no file.
std::string CurrentPuzzleName();
