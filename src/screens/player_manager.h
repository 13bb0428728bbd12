#pragma once
// The player manager: a dialog listing the players, in which the user
// chooses, creates and deletes players; and the game's name prompt, shared
// with the title screen's first-run question.
#include <functional>
#include <memory>
#include <string>

#include "gui/dialog.h"
#include "gui/list_box.h"

class TPlayerManager : public TDialog {
public:
    int Limit = 10;  // players at most; 0 or less: no limit
    int ButtonGap = 10;
    int BoxBorderH = 20, BoxBorderV = 20;
    int BoxY = 0;  // list top inside the panel; 0: below the caption
    int DimWhenActive = 0;
    int DimWhenShowingDialogs = 0;
    int UpperFirstChar = 1;
    GameImagePtr FrontFrame;
    int FrontFrameX = 0, FrontFrameY = 0;
    ListBoxPtr ListBox;
    std::function<DialogOKPtr(const std::string& text)> ErrorDialogFunc;
    std::function<DialogYesNoPtr(const std::string& text)> DialogYesNoFunc;
    // The name prompt, with or without a Cancel button; not started.
    std::function<DialogTextInputPtr(int withCancel)> EnterNamePromptFunc;
    DialogOKPtr DialogOK;
    DialogYesNoPtr DialogYesNo;
    DialogTextInputPtr EnterName;
    // Creates the player; answers a message for the user when something went
    // wrong, else an empty text.
    std::function<std::string(const std::string& name)> CreateProfileFunc;
    int DrawDisabled = 0;  // 1: the manager is not drawn under an open sub-dialog
    int AutoAcceptAfterCreate = 1;
    std::string MessageCannotCreate = "You cannot create any more players!";
    std::string MessageCannotDelete = "The list must contain at least one player!";
    std::string MessageConfirmDelete = "Are you sure you want to delete this player?";
    // The question before deleting the named player, when set (instead of MessageConfirmDelete).
    std::function<std::string(const std::string& name)> ConfirmDeleteFunc;

    void FillList();
    void HighlightCurrentPlayer();
    // A line under the title, such as a player that could not be found; the
    // list makes room for it. An empty text takes it away.
    void SetNotice(const std::string& text);
    const std::string& NoticeText() const;
    // One update: 0 while open, 1 closed with a player chosen, -1 cancelled.
    int Manage() override;
    // Makes the selected player current and closes: 1; 0 without a selection.
    int OKClick();
    // Closes, keeping a current player: the current one when it is still
    // listed (or when nothing is listed), else the first listed one. With no
    // player at all it asks for a name instead and answers 0.
    int CancelClick();
    void DeleteProfileCheck();
    // The question about the marked player stands clear of that player's row,
    // at the screen's top or bottom edge, whichever hides less of the list.
    void PlaceClearOfMarked(TDialog& question) const;
    void ClickSound();
    int Draw() override;
    void Kill() override;
    void MenuPosition() override;

protected:
    // The panel with the title and image, the list (at most limit players)
    // and the buttons "OK", "Cancel", "Create" and "Delete"; filled and
    // started.
    void Build(const std::string& title, GameImagePtr image, int limit);
    virtual void OpenNamePrompt(int withCancel);
    // The players' file deleted; the game's extra clean-up.
    virtual void DeleteSelected();
    void ShowMessage(const std::string& text);
    bool SubDialogOpen() const { return DialogOK || DialogYesNo || EnterName; }

private:
    void CreateClick();
    int NameEntered(std::string name);
    void PlaceList(int buttonsLeft);
    // Lets the buttons settle without sounds after a sub-dialog has closed.
    void Settle();

    // A player was created whose file could not be written.
    bool unwrittenPlayer_ = false;
    LabelPtr notice_;
};

class PNPlayerManager : public TPlayerManager {
public:
    // Runs after a player's file has been deleted (the name is still the
    // list's selected value).
    std::function<void(PNPlayerManager&)> CustomDeleteFunction;

    static std::shared_ptr<PNPlayerManager> Create(const std::string& title, GameImagePtr image, int limit);

protected:
    // The prompt refuses the characters that file systems do not allow in
    // names and accepts the extended ones.
    void OpenNamePrompt(int withCancel) override;
    void DeleteSelected() override;
};

// ---- the game's players ---------------------------------------------------------

// Names are at most this long.
constexpr int PLAYER_NAME_LENGTH = 10;
// Whether name can become a new player: not when it is not safe as a file
// name, too long, or taken (compared without letter case).
bool NewPlayerNameAllowed(const std::string& name);
// The player whose file the name would take, as listed ("Ana" for "ana");
// empty when the name is free.
std::string PlayerNameOwner(const std::string& name);
// The game's name prompt ("Enter Name" on "entername.png"), not started.
DialogTextInputPtr CreatePlayerNamePrompt(int withCancel);
