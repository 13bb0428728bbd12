#pragma once
// The level editor: the player paints floor, marble, chains, creation cells
// and starting gems on the 18 x 14 grid with a brush, checks the layout and
// saves it as a ".layout" file of their own. The buttons and dialogs around it
// belong to the in-game controls (TGameGUI); this mode owns the board.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "puzzle/cell_box.h"
#include "puzzle/editor_checks.h"
#include "puzzle/editor_history.h"
#include "puzzle/game_mode.h"

// Painting with a mirror: each stroke is also laid on its images across
// the middle of the board, left-right, top-bottom or both (four-way).
enum class EMirror { Off, LeftRight, TopBottom, FourWay };

struct TMirrorCells {
    std::array<TCellPosition, 4> Cells{};
    int Count = 0;
};

// The cell [column, row] first, then its images across the middle of the
// columns first..last and the rows top..bottom, each cell once (a cell on
// an axis is its own image).
TMirrorCells MirrorCells(int column, int row, EMirror mirror, int first, int last, int top, int bottom);

class TGameModeEditor : public TGameMode {
public:
    std::unique_ptr<TCellBox> CellBox;
    int LayoutContents = FLOOR_NORMAL;
    int IsChain = 0;
    int IsCreate = 0;
    int IsFill = 1;
    EMirror Mirror = EMirror::Off;
    // The cell the last refused check was about, marked until the next stroke.
    std::optional<TCellPosition> FaultCell;
    TEditorHistory History;
    // What a save would answer now, kept up to date while painting.
    TLiveVerdict Verdict;

    // A new, empty board with no history.
    int Init(const std::string& path, int custom) override;
    // An empty board; the clear is a step that can be undone.
    int Clear() override;
    int Logic() override;
    int Draw() override;
    int GameFinished() override { return 0; }
    // A chosen layout file into the editor: 1, or 0 with FileError set.
    int LoadGame(const std::string& path) override;

    // 0 when the layout may be saved, otherwise the first ELayoutError found.
    int IsLayoutValid();

    // Writes the layout ("" or the message; the board is kept either way).
    std::string SaveLayout(const std::string& path);
    // The layout differs from the one last saved or loaded (a new editor's
    // empty board counts as saved).
    bool HasUnsavedChanges() const;
    // Reads a layout into the editor ("" or the message); a refused file
    // leaves the board being edited as it was. The load can be undone.
    std::string LoadLayout(const std::string& path);

    // One step back or forward; false when there is none.
    bool Undo();
    bool Redo();
    // Off, left-right, top-bottom, four-way, off again.
    void CycleMirror();

    void DrawBounds() const;
    void DrawMouseCell() const;
    void DrawTextMessage() const;
    void DrawMirrorAxis() const;
    void DrawVerdict() const;

private:
    // Copies the brush into the cell; true when anything changed.
    bool PaintCell(TLayoutCell& cell) const;
    static bool EraseCell(TLayoutCell& cell);
    void ApplyMouse();
    // Paints (or erases) the cell and its mirror images; true when anything changed.
    bool ApplyAt(int column, int row, bool paint, bool erase);
    // The board's cursor as a brush: Space paints, Delete erases, a step each.
    void ApplyCursorKeys();
    void ReadKeys();
    bool CanStart() const;
    void DrawFaultCell() const;
    // The layout in the box changed: walls, the refusal's mark, the verdict.
    void LayoutChanged();
    // A step from `before` to the layout now in place, unless nothing changed.
    void RecordStep(const TLayoutGrid& before);
    // The stroke under way, if any, becomes a step.
    void EndStroke();
    bool StepTo(bool redo);

    // A button still held from a dialog that has just closed paints nothing.
    bool waitForRelease_ = false;
    // A stroke is under way; the layout as it was when it began.
    bool strokeOpen_ = false;
    TLayoutGrid strokeBefore_{};
    // Ctrl went down and nothing else has been done with it yet: on its
    // release it switches the floor kind.
    bool ctrlAlone_ = false;
    // The layout as last saved or loaded.
    TLayoutGrid savedLayout_{};
};
