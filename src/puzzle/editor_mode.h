#pragma once
// The level editor: the player paints floor, marble, chains, creation cells
// and starting gems on the 18 x 14 grid with a brush, checks the layout and
// saves it as a ".layout" file of their own. The buttons and dialogs around it
// belong to the in-game controls (TGameGUI); this mode owns the board.
#include <memory>
#include <optional>
#include <string>

#include "puzzle/cell_box.h"
#include "puzzle/game_mode.h"

// Answers of TGameModeEditor::IsLayoutValid beyond the first five checks.
enum ELayoutError {
    LAYOUT_VALID = 0,
    LAYOUT_NO_FLOOR = 1,
    LAYOUT_NO_MARBLE = 2,
    LAYOUT_NO_FILL = 3,
    LAYOUT_NO_CREATE = 4,
    LAYOUT_NO_MOVE = 5,
    LAYOUT_NO_START = 6,           // the game cannot deal a starting board with a move
    LAYOUT_CREATE_UNDER_FLOOR = 7,  // a creation cell that can never spawn
    LAYOUT_UNFED = 8,               // floor no falling gem can reach
    LAYOUT_MARBLE_NO_LINE = 9,      // marble that can never be lined up
    LAYOUT_CREATE_EMPTY = 10,       // a move only if creation cells started with gems
    LAYOUT_LAST_ERROR = LAYOUT_CREATE_EMPTY,
};

class TGameModeEditor : public TGameMode {
public:
    // Every trial deal must find a board with a move within this many
    // attempts: a tenth of what the game allows itself when it starts a
    // puzzle, so a layout that passes is all but sure to start.
    static constexpr int TRIAL_DEALS = 3;
    static constexpr int TRIAL_ATTEMPTS = TCellBox::GENERATE_ATTEMPTS / 10;

    std::unique_ptr<TCellBox> CellBox;
    int LayoutContents = FLOOR_NORMAL;
    int IsChain = 0;
    int IsCreate = 0;
    int IsFill = 1;
    // The cell the last refused check was about, marked until the next stroke.
    std::optional<std::pair<int, int>> FaultCell;

    int Init(const std::string& path, int custom) override;
    int Clear() override;
    int Logic() override;
    int Draw() override;
    int GameFinished() override { return 0; }
    // A chosen layout file into the editor: 1, or 0 with FileError set.
    int LoadGame(const std::string& path) override;

    // 0 when the layout may be saved, otherwise the first ELayoutError found.
    int IsLayoutValid();

    // Writes the layout ("" or the message; the board is kept either way).
    std::string SaveLayout(const std::string& path) const;
    // Reads a layout into the editor ("" or the message); a refused file
    // leaves the board being edited as it was.
    std::string LoadLayout(const std::string& path);

    void DrawBounds() const;
    void DrawMouseCell() const;
    void DrawTextMessage() const;

private:
    // Copies the brush into the cell; true when anything changed.
    bool PaintCell(TLayoutCell& cell) const;
    static bool EraseCell(TLayoutCell& cell);
    void ApplyMouse();
    void ToggleBrush();
    bool CanStart() const;
    int FirstFairnessError();
    void DrawFaultCell() const;

    // A button still held from a dialog that has just closed paints nothing.
    bool waitForRelease_ = false;
};
