#pragma once
// The board: an 18 x 14 grid of floor cells and gems whose outer ring is
// always wall, the two selected cells and the swap animation, the light sweep,
// and the match-3 rules that move the gems.
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "puzzle/board_cursor.h"
#include "puzzle/cells.h"
#include "puzzle/layout_check.h"
#include "puzzle/match3_hint.h"
#include "resources/banks.h"

class TGameModeMatch3;

constexpr int CELL_SIZE = 36;
constexpr int GEM_KINDS = 6;

class TCellBox {
public:
    template <typename T>
    using Grid = std::array<std::array<T, BOARD_ROWS>, BOARD_COLUMNS>;

    TGameModeMatch3* GameMode = nullptr;
    Grid<TLayoutCell> Layout;
    Grid<std::shared_ptr<TCell>> Cells;
    std::vector<TGlow> CellsLights;  // column-major, empty until the first sweep
    int IsLevelEditor = 0;
    std::shared_ptr<TCell> MarkedCell1, MarkedCell2;

    plat::ImagePtr LayoutNormalImage, LayoutNormalMOImage, LayoutMarbleImage, LayoutMarbleMOImage;
    plat::ImagePtr LayoutChainImage, LayoutCreateImage, LayoutFillImage, LayoutEmptyImage;
    plat::ImagePtr LayoutMarkedImage, LayoutHintImage;
    GameImagePtr Score1Image, Score2Image;
    std::array<plat::ImagePtr, GEM_KINDS + 1> GemImages;  // "cell1" .. "cell6"; [0] unused

    int DecorationFull = 0, DecorationTopLeftRight = 0, DecorationBottomLeftRight = 0;
    int DecorationLeftTopBottom = 0, DecorationRightTopBottom = 0;
    int DecorationTopLeft = 0, DecorationTopRight = 0, DecorationBottomLeft = 0, DecorationBottomRight = 0;

    int AreaStartX = 76, AreaStartY = 48;
    int AreaEndX = 76 + BOARD_COLUMNS * CELL_SIZE, AreaEndY = 48 + BOARD_ROWS * CELL_SIZE;
    int DrawStartX = 76 + CELL_SIZE / 2, DrawStartY = 48 + CELL_SIZE / 2;

    int CellSwitchType = 0;
    std::optional<TLinePosition> CellSwitchPosition1, CellSwitchPosition2;
    int HasDraggedAndMatched = 0;
    float lightCounter = 0;
    // Input flushes seen by the last update (a screen switch, menu, dialog
    // or pause in between drops the selection).
    int SeenInputFlushes = 0;
    // The keyboard's way onto the board (match play only).
    TBoardCursor Cursor;

    // Gems created by creation cells since the box was made (for checks).
    int CreatedGems = 0;

    // While FloorsDrawn is set, the floors marked in FloorOnLayer (column
    // by column) are on the screen already, drawn by the game screen's
    // composed board picture: drawing skips them up to their light sweep.
    bool FloorsDrawn = false;
    std::array<bool, BOARD_COLUMNS * BOARD_ROWS> FloorOnLayer{};

    // New: empty grids, images loaded, flags cleared.
    TCellBox();
    static std::unique_ptr<TCellBox> New() { return std::make_unique<TCellBox>(); }
    TCellBox(const TCellBox&) = delete;
    TCellBox& operator=(const TCellBox&) = delete;

    void LoadImages();
    void Clear();
    void SetupCells(int cellContents, int layoutContents);
    std::unique_ptr<TCellBox> Clone() const;

    int GetCellLocationX(int px, int py) const;
    int GetCellLocationY(int px, int py) const;
    TCell* GetCellAtLocation(int column, int row) const;
    TCell* GetCellAtMouseLocation(int px, int py) const;
    int GetLayoutCellMarbleCount() const;
    int GetLayoutCellCreateCount() const;
    int GetLayoutCellFillCount() const;
    int GetLayoutCellNotEmptyCount() const;
    bool IsCellSwitchAnimation() const { return CellSwitchPosition1 || CellSwitchPosition2; }
    static bool IsCellsNextToEachOther(const TCell& a, const TCell& b);
    static bool IsInside(int column, int row) {
        return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
    }
    static bool IsInterior(int column, int row) {
        return column >= 1 && column < BOARD_COLUMNS - 1 && row >= 1 && row < BOARD_ROWS - 1;
    }
    TCell& CellAt(int column, int row) const { return *Cells[column][row]; }

    // True when no swap runs and no gem is falling, appearing or fading out.
    bool IsSettled() const;
    // Drops the selection and any swap under way, the gems back in place.
    void CancelSelection();
    // Ends every fall, fade-in and fade-out at once: falling gems rest where
    // they were going, fading gems are gone and their floor is cleared as a
    // match clears it (no points: those were counted when the fade began).
    void FinishAnimations();

    // ---- per tick ----------------------------------------------------------
    void Manage();
    void ManageInput();
    void ManageLights();

    // ---- drawing -----------------------------------------------------------
    void Draw() const;
    void DrawCells() const;
    // The floors, walls and decorations marked in FloorOnLayer, as DrawCells
    // draws them, without the light sweep.
    void DrawFloors() const;
    void DrawMarkedCell() const;
    void DrawLayoutImage(const plat::ImagePtr& image, int x, int y) const;
    // The editor's creation mark, drawn smaller than the cell so that the
    // floor under it (normal or marble) stays in sight around it.
    void DrawCreateMark(int x, int y) const;

    // ---- walls -------------------------------------------------------------
    void UpdateDrawWall();

    // ---- rules -------------------------------------------------------------
    void ManageCells();
    void ManageCellSwitch();
    void SetMarkedCell(TCell* cell);
    void StartCellSwitch(int type);
    bool CheckMarkedCells();
    // Exchanges the two selected gems when that makes a run (the first half
    // of CheckMarkedCells); answers whether it did.
    bool ExchangeMarkedCells();
    bool WillCreateMatch(int column, int row, int kind) const;
    int RemoveMatchCells(int column, int row, int kind);
    void CheckCells();
    void CheckCellsCheck(int column, int row);
    void CreateHintList(TMatch3HintList& list);
    void CreateHintListMainCheck(TMatch3HintList& list, int column, int row);
    void CreateHintListCheck(TMatch3HintList& list, int c1, int r1, int c2, int r2);
    // Deals random gems with no run of three until the board has a move, at
    // most maxAttempts times. Answers the number of attempts made; the last
    // attempt's board is kept even when it has no move (OwnHints then empty).
    int GenerateLevel(int maxAttempts = GENERATE_ATTEMPTS);
    void FillLevel(int kind, int includeCreate);
    static constexpr int GENERATE_ATTEMPTS = 1000;

    // The hint list ManageCells fills: the play mode's, or the box's own.
    TMatch3HintList& HintTarget();
    TMatch3HintList OwnHints;
    // A board still as it settled skips the rules' tick and runs only its
    // cells' effects; off, every tick runs the rules (tests compare the two).
    bool SkipSettledTicks = true;

private:
    void ClearMarks();
    void PlaceMarkedCell(TCell* cell, const TLinePosition& path, bool atEnd) const;
    int CountRun(int column, int row, int dc, int dr, int kind) const;
    int CollectRun(int column, int row, int dc, int dr, int kind, std::array<TCell*, 32>& out, int count) const;
    // What the hint list and the run checks read of the board, to tell
    // whether a board at rest changed since its hints were made.
    void RecordSettledBoard(std::vector<uintptr_t>& out, const TMatch3HintList& hints) const;
    // The board is as it settled with these hints.
    bool SameAsSettled(const TMatch3HintList& hints) const;
    bool NoCellBusy() const;

    // The board at rest whose hints the hint list holds; empty while moving.
    std::vector<uintptr_t> settledBoard_;
    // The settled board had no gem falling, appearing or fading.
    bool settledQuiet_ = false;
};
