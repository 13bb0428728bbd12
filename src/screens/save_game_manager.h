#pragma once
// The file chooser: a dialog listing the files of one extension in one
// folder (saved games ".save", custom puzzles ".layout"), with Load, Delete
// (after a yes/no question) and Cancel, scroll arrows for the window of rows,
// double click to load and Escape to cancel. The first row is chosen from
// the start; Load without a row says why nothing happens. The owner builds
// the path of the chosen file from Directory, the chosen name and Extension,
// and loads it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gui/dialog.h"
#include "gui/list_box.h"

// One file of the list: its name (without the extension), the row shown
// (tab-separated columns) and its place in the list, highest first.
struct TChooserRow {
    std::string Name;
    std::string Text;
    int64_t Order = 0;
};

class TSaveGameManager : public TDialog {
public:
    static constexpr int MaxVisibleRows = 8;

    int ButtonGap = 10;
    int BoxBorderH = 20, BoxBorderV = 20;
    int BoxY = 0;  // 0 = below the caption
    int DimWhenActive = 0, DimWhenShowingDialogs = 0;
    int UpperFirstChar = 1;  // kept for the dialog family; names are listed as they are
    std::string Extension = "dat";
    std::string Directory;
    std::string DeleteMessage = "Do you want to delete this file?";
    // Its window of Limit rows from TopIndex is moved by the arrows only.
    PNListBoxPtr ListBox;
    std::function<DialogOKPtr(const std::string& text)> ErrorDialogFunc;
    std::function<DialogYesNoPtr(const std::string& text)> DialogYesNoFunc;
    DialogOKPtr DialogOK;
    DialogYesNoPtr DialogYesNo;
    MenuPtr MenuArrowUp, MenuArrowDown;
    int NavButtonsXPosition = -1;  // -1 = right of the list
    // Fills in a file's row (its path given), or answers false to leave the
    // file out. Without it rows are the names, sorted by name; with it they
    // are sorted by Order, highest first.
    std::function<bool(const std::string& path, TChooserRow& row)> DescribeRow;
    // The file names of the rows, in the list's order.
    std::vector<std::string> Names;
    // Shown in the empty list, and when Load finds nothing to load.
    std::string EmptyText;
    // Shown when Load finds no row chosen.
    std::string NothingChosenText;

    // A chooser of the files "*.extension" in directory (which ends in a
    // slash); not started: the caller dresses it and calls Start.
    static std::shared_ptr<TSaveGameManager> Create(const std::string& title, GameImagePtr image,
                                                    const std::string& extension, const std::string& directory,
                                                    const std::string& deleteMessage);
    void MenuArrowCreate();
    // Every regular file of Directory whose extension is Extension (exact
    // letter case), listed by name without the extension, sorted
    // case-insensitively (or as DescribeRow has it); the window shows the
    // first rows, the first one chosen.
    void FillList();
    // One update: -1 cancelled, 1 a file was chosen, else 0.
    int Manage() override;
    void DeleteSaveGameCheck();
    int OKClick();
    void CancelClick();
    void ClickSound();
    int Draw() override;
    void Kill() override;
    void Start() override;
    void CalcSize() override;
    void BoxSize();
    void MenuPosition() override;

    // The window of rows moves by one; nothing happens at either end.
    void ScrollUp();
    void ScrollDown();
    // The selected name ("" for none) and its full path.
    std::string ChosenName() const;
    std::string ChosenPath() const;
    // With SizedColumns the list's columns fit the widest text of each column
    // after the name (the rows as the language shown words them), right-aligned
    // on the row; the name keeps the rest. Done by FillList too.
    bool SizedColumns = false;
    void SizeColumns();
    // Rows the window holds (fits in the list box, at most MaxVisibleRows).
    int VisibleRows() const { return ListBox ? ListBox->Limit : 0; }

private:
    // The window shows the first rows, and the first row is chosen.
    void ShowFirstRows();
    void DrawEmptyText();
    void DeleteChosenFile();
    int ManageSubDialogs();
    void ManageArrows();
};
using SaveGameManagerPtr = std::shared_ptr<TSaveGameManager>;

// The game's choosers on the profile folder, on the "manager" panel, with the
// game's yes/no and message dialogs, started: saved games ("Choose Savegame",
// ".save") and custom puzzles ("Choose Layout", ".layout").
SaveGameManagerPtr CreateSaveGameChooser();
SaveGameManagerPtr CreateLayoutChooser();
// Either of them by title key and extension.
SaveGameManagerPtr CreateFileChooser(const std::string& titleKey, const std::string& extension);
