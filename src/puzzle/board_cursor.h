#pragma once
// The board's keyboard cursor: the arrow keys move it over the board's
// cells, Space or Return chooses the gem under it (or lets a chosen gem go),
// and an arrow key while a gem is chosen swaps it with that neighbour, as a
// drag with the mouse would. It shows from the first key and hides when the
// mouse moves, so the two ways of playing never fight over the board. The
// editor moves it over every cell of the board's area and paints with it.
class TCellBox;

class TBoardCursor {
public:
    int Column = -1, Row = -1;
    bool Shown = false;
    // Every cell of the area is a stop (the editor), not only floor.
    bool AnyCell = false;

    // One tick of keys for the box (not while a swap runs).
    void Manage(TCellBox& box);
    // The arrows alone: the first shows the cursor, the next move it.
    void ManageMoves(const TCellBox& box);
    void Draw(const TCellBox& box) const;
    // Moves the cursor to the next board cell straight that way, or else to
    // the nearest one on that side, if there is one.
    void Step(const TCellBox& box, int dc, int dr);

private:
    bool Stop(const TCellBox& box, int column, int row) const;
    void PlaceIfLost(const TCellBox& box);
    void Choose(TCellBox& box);
    // A chosen gem under the cursor goes to that neighbour: true if it tried.
    bool SwapToward(TCellBox& box, int dc, int dr);
    void HideOnMouseMove();

    int lastMouseX_ = -1, lastMouseY_ = -1;
};
