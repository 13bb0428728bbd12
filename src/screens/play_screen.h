#pragma once
// Where the player chooses what to play: the grid of the standard puzzles
// or of the player's own (two option buttons switch them), Play, Load (the
// saved-game chooser), the level editor and Back to the title screen.
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "app/screen.h"
#include "gui/dialog.h"
#include "gui/focus_ring.h"
#include "gui/menu.h"
#include "screens/level_list.h"
#include "screens/puzzle_sharing.h"
#include "screens/save_game_manager.h"

class TPlayScreen : public TScreen {
public:
    TPlayScreen() { name = "play"; }

    float x = 0, y = 0;
    MenuPtr MainMenu;
    MenuPtr LevelTypeMenu;
    // Share and Paste under the player's own puzzles.
    MenuPtr ShareMenu;
    // Tab walks the tabs and buttons; the arrows stay with the puzzle grid.
    TFocusRing Focus;
    std::string CurrentLevelType = "standardlevel";
    SaveGameManagerPtr SaveGameManager;
    std::unique_ptr<PNLevelList> StandardLevelList;
    std::unique_ptr<PNLevelList> CustomLevelList;
    // The last seven days' daily puzzles, today's last.
    std::unique_ptr<PNLevelList> DailyLevelList;
    // Why a chosen puzzle or saved game could not be opened, while shown.
    DialogOKPtr MessageDialog;
    // A puzzle come in under a name already used, while the player is asked.
    DialogYesNoPtr ReplaceDialog;
    std::optional<TIncomingPuzzle> PendingPuzzle;

    void Load() override;
    void Start() override;
    void Logic() override;
    void Draw() override;
    void Kill() override;
    int SetEscDestination() override;

    void ShowStandardLevelList();
    void ShowCustomLevelList();
    // Makes the daily puzzles not yet made and shows them, today's selected.
    void ShowDailyLevelList();
    // The selected puzzle of the player's own as a code: on the clipboard and
    // shown to be written down.
    void ShareSelected();
    // A puzzle from a code or a dropped file (refusals are told, nothing changes).
    void TakeCode(const std::string& code);
    void TakeDroppedFile(const std::string& path);
    // Starts the selected puzzle of the shown grid (nothing while a fade
    // runs, without a selection, or for a file that cannot be read).
    void StartLevel();
    void ShowSaveGameManager();
    // Opens the level editor on an empty puzzle and fades to it (the
    // "custom" button); answers false, changing nothing, while a fade runs.
    bool StartEditor();

    // The grid on show, or null.
    PNLevelList* ShownLevelList() const;

private:
    void ManageSaveGameManager();
    void LoadChosenGame(const std::string& path);
    void ShowMessage(const std::string& text);
    void SelectLevelType(const std::string& type);
    enum class EGrid { Standard, Custom, Daily };
    std::unique_ptr<PNLevelList> MakeLevelList(EGrid grid) const;
    void ShowLevelList(EGrid grid);
    void ManageSharing();
    void Take(const std::string& refusal, const TIncomingPuzzle& puzzle);
    void AddPuzzle(const TIncomingPuzzle& puzzle);
    void DrawDailyLines() const;
    // Today's best and the streak, read when the daily grid is shown.
    std::string dailyBestLine_, dailyStreakLine_;
    std::deque<std::string> droppedFiles_;
    void DropLevelLists();
    void FadeTo(TScreen& screen);
};

TPlayScreen& PlayScreen();

class TGameModeMatch3;
// The mode becomes the game's match-3 play, as TGamePlay::Init(2) would make it.
void UseMatch3Mode(std::unique_ptr<TGameModeMatch3> mode);
