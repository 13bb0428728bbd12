#pragma once
// A paged grid of puzzle thumbnails: the ".layout" files of one folder,
// eight to a page, with the player's completion marks, the floor-cell count
// of the selected puzzle, page arrows and the cursor keys. A click selects a
// puzzle; a double click asks for it to be started (StartLevel, for one
// update). A file that cannot be read keeps its slot, marked, and cannot be
// started.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/animation.h"
#include "gui/menu.h"
#include "gui/text_image.h"
#include "platform/graphics.h"
#include "persistence/personal_bests.h"
#include "puzzle/completion_list.h"

class PNLevelList {
public:
    // Thumbnail of the layout at path with its floor-cell count; null when
    // the file cannot be read as a layout.
    using LevelImageFunction = std::function<plat::ImagePtr(const std::string& path, int& floorCells, int index)>;

    MenuPtr NavigationMenu;
    std::string FolderPath;
    std::string FilePrefix = "layout";
    std::string LevelCompletedFile, LevelCompletedPath;
    std::vector<std::string> LevelList;
    std::vector<plat::ImagePtr> ImageList;
    std::vector<std::string> LevelSizeList;
    std::vector<std::string> LevelCompletedList;
    // The completion file's entries while a page is being built.
    std::optional<std::vector<TCompletionEntry>> CompletedIniFile;
    // The completion list was damaged when it was read (and is set aside).
    bool CompletionListDamaged = false;
    int CurrentPagePosition = -1;
    std::string CurrentLevel;
    int CurrentLevelID = 0;
    int StartLevel = 0;
    std::string LevelSizeText = "Cards";
    std::string NoLevelsText = "There are no levels currently available";
    int TrimLevelTextZeros = 1;
    int DrawOffsetX = 0, DrawOffsetY = 0;
    TSineCounter GlowCounter;
    float Glow = 0;
    int NumLevelItems = 8;
    LevelImageFunction CreateLevelImageFunction = [](const std::string&, int&, int) { return plat::ImagePtr(); };
    // Drawn over the slot of a file that cannot be read.
    std::string UnreadableText = "?";
    // "Page NNN of MMM" between the arrows; empty: no page line.
    std::string PageText;
    // The player's best of a puzzle by its completion key (null: none). Each
    // played slot shows its stars and best score in place of the check mark.
    std::function<const TPersonalBest*(const std::string& key)> FindBest;
    std::vector<std::optional<TPersonalBest>> SlotBests;
    // Stars won on the shown page and in the whole grid, with the lines that
    // tell them ("Stars: NNN of MMM"; empty: not shown).
    int PageStars = 0, AllStars = 0;
    std::string PageStarsText, AllStarsText;
    // 0 to 3 stars, a frame each (made with the grid).
    plat::ImagePtr StarImage;

    static std::unique_ptr<PNLevelList> Create(const std::string& folderPath, const std::string& filePrefix,
                                               const std::string& currentLevel, const std::string& levelSizeText,
                                               const std::string& noLevelsText, int trimZeros, int drawOffsetX,
                                               int drawOffsetY, const std::string& levelCompletedFile,
                                               const std::string& levelCompletedPath);
    void Init();
    // The names of the folder's "*.FilePrefix" entries: numbered names in
    // numeric order, then the others by name, ignoring letter case.
    void ScanLevelFolder();
    // Rebuilds the thumbnails, counts and marks of the page (first placing
    // the page on the selected level when updatePage is set).
    void CreateImages(int updatePage);
    void UpdateCurrentPagePosition();
    // First index of the page holding level k: the last page is always full.
    int PageStartFor(int k) const;
    // The shown page (1-based) and how many there are (0 without levels).
    int PageNumber() const;
    int PageCount() const;
    // The page line as the player reads it ("Page 3 of 10"); "" without levels.
    std::string PageLine() const;
    // The star lines as the player reads them ("" without FindBest or text).
    std::string PageStarsLine() const;
    std::string AllStarsLine() const;
    // The arrows greyed, and not clickable, where they cannot page any further.
    void UpdateArrows();
    // The level after the last (in grid order) the player has completed, or
    // the first level when none is; the last level when it is the one completed.
    std::string LevelAfterLastCompleted();

    void Manage();
    void ManageMenu();
    void ManageGlowAnimation();
    void ManageLevels();
    void ManageKeyboard();
    void Draw();
    void DrawLevels();
    void DrawMenu();
    void MoveLeft();
    void MoveRight();
    bool CheckLevelCompleted(const std::string& file);
    void CreateMenu();
    void Kill();

    int LevelCount() const { return static_cast<int>(LevelList.size()); }
    // Thumbnails on the shown page.
    int PageItems() const { return static_cast<int>(ImageList.size()); }
    // FolderPath + name + "." + FilePrefix.
    std::string LevelPath(const std::string& name) const;
    // A level is selected (one that could not be read says why when started).
    bool CanStartSelected() const;
    // The name as the grid shows it ("007" -> "7" when trimming zeros).
    std::string DisplayName(const std::string& name) const;
    // Centre of slot 0..7.
    static float SlotX(int slot);
    static float SlotY(int slot);

private:
    void SelectSlot(int slot);
    void DrawSlot(int slot);
    void DrawBest(int slot, float x, float y);
    void DrawStarTotals();
    void CountAllStars();
    // Makes the page's lines into pictures while the page is built, so that
    // each draws as one image and the first frame of a page costs no more.
    void PrepareLines();

    std::vector<TTextImage> nameImages_, bestImages_;
    TTextImage pageStarsImage_, allStarsImage_, pageLineImage_, sizeImage_, unreadableImage_;
};

// The game's thumbnail: the board's interior at a quarter of its size (9 x 9
// pixels a cell, normal and marble floor from the cell images, no walls),
// composed in memory so that it never depends on the window. Null for a file
// that is not a readable layout.
plat::ImagePtr CreateLevelThumbnail(const std::string& path, int& floorCells, int index);

// Three stars in a row, gold for each won and dim for the rest: frame n
// shows n won (0 to 3).
plat::ImagePtr CreateStarImage();
