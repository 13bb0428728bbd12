#include "puzzle/board_cursor.h"

#include <cstdlib>

#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/cell_box.h"

namespace {

struct TArrow {
    int key, dc, dr;
};
// A cell off to the side counts this many times as far as one ahead.
constexpr int SIDEWAYS_WEIGHT = 2;
constexpr TArrow ARROWS[] = {{plat::KEY_LEFT, -1, 0}, {plat::KEY_RIGHT, 1, 0}, {plat::KEY_UP, 0, -1}, {plat::KEY_DOWN, 0, 1}};

// A frame of two lines, light inside dark, that reads on every floor and gem.
constexpr float FRAME = 2;
constexpr int LIGHT_RED = 255, LIGHT_GREEN = 255, LIGHT_BLUE = 255;
constexpr int DARK_RED = 20, DARK_GREEN = 30, DARK_BLUE = 60;

bool OnBoard(const TCellBox& box, int column, int row) {
    return TCellBox::IsInside(column, row) && box.Layout[column][row].Contents != FLOOR_NONE;
}

// A gem the player may pick up: resting, not chained.
TCell* Selectable(const TCellBox& box, int column, int row) {
    if (!OnBoard(box, column, row)) return nullptr;
    TCell* cell = box.GetCellAtLocation(column, row);
    if (!cell || cell->Contents == 0 || cell->IsCellInAnimation() || cell->Floor().IsChain) return nullptr;
    return cell;
}

void DrawFrame(float x, float y, float size, float width) {
    plat::DrawRect(x, y, size, width);
    plat::DrawRect(x, y + size - width, size, width);
    plat::DrawRect(x, y + width, width, size - 2 * width);
    plat::DrawRect(x + size - width, y + width, width, size - 2 * width);
}

}  // namespace

void TBoardCursor::Manage(TCellBox& box) {
    HideOnMouseMove();
    for (const TArrow& arrow : ARROWS) {
        if (!KeyHit(arrow.key)) continue;
        if (!Shown) {
            // The first key only shows where the cursor is.
            Shown = true;
            PlaceIfLost(box);
            continue;
        }
        PlaceIfLost(box);
        if (!SwapToward(box, arrow.dc, arrow.dr)) Step(box, arrow.dc, arrow.dr);
    }
    if (KeyHit(plat::KEY_SPACE) | KeyHit(plat::KEY_ENTER)) {
        PlaceIfLost(box);
        if (Shown) Choose(box);
        Shown = true;
    }
}

void TBoardCursor::ManageMoves(const TCellBox& box) {
    HideOnMouseMove();
    for (const TArrow& arrow : ARROWS) {
        if (!KeyHit(arrow.key)) continue;
        const bool wasShown = Shown;
        Shown = true;
        PlaceIfLost(box);
        if (wasShown) Step(box, arrow.dc, arrow.dr);
    }
}

bool TBoardCursor::Stop(const TCellBox& box, int column, int row) const {
    return AnyCell ? TCellBox::IsInterior(column, row) : OnBoard(box, column, row);
}

void TBoardCursor::HideOnMouseMove() {
    const auto& mouse = GameMouse();
    if (lastMouseX_ >= 0 && (mouse.x != lastMouseX_ || mouse.y != lastMouseY_)) Shown = false;
    lastMouseX_ = mouse.x;
    lastMouseY_ = mouse.y;
}

// Where a chosen gem is, or the board cell nearest the middle.
void TBoardCursor::PlaceIfLost(const TCellBox& box) {
    if (box.MarkedCell1 && !box.MarkedCell2) {
        Column = box.MarkedCell1->ArrayX;
        Row = box.MarkedCell1->ArrayY;
        return;
    }
    if (Stop(box, Column, Row)) return;
    int best = -1;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            if (!Stop(box, c, r)) continue;
            const int dc = 2 * c - (BOARD_COLUMNS - 1), dr = 2 * r - (BOARD_ROWS - 1);
            const int distance = dc * dc + dr * dr;
            if (best >= 0 && distance >= best) continue;
            best = distance;
            Column = c;
            Row = r;
        }
}

// The next stop straight that way; with none, the nearest stop on that side,
// one off to the side counting twice as far as one ahead.
void TBoardCursor::Step(const TCellBox& box, int dc, int dr) {
    for (int c = Column + dc, r = Row + dr; TCellBox::IsInside(c, r); c += dc, r += dr) {
        if (!Stop(box, c, r)) continue;
        Column = c;
        Row = r;
        return;
    }
    int best = -1, bestColumn = Column, bestRow = Row;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const int ahead = (c - Column) * dc + (r - Row) * dr;
            if (ahead <= 0 || !Stop(box, c, r)) continue;
            const int aside = std::abs((c - Column) * dr) + std::abs((r - Row) * dc);
            const int distance = ahead + SIDEWAYS_WEIGHT * aside;
            if (best >= 0 && distance >= best) continue;
            best = distance;
            bestColumn = c;
            bestRow = r;
        }
    Column = bestColumn;
    Row = bestRow;
}

void TBoardCursor::Choose(TCellBox& box) {
    TCell* cell = Selectable(box, Column, Row);
    if (!cell || box.IsCellSwitchAnimation()) return;
    if (box.MarkedCell1.get() == cell && !box.MarkedCell2) {
        box.CancelSelection();
        return;
    }
    box.SetMarkedCell(cell);
}

bool TBoardCursor::SwapToward(TCellBox& box, int dc, int dr) {
    const TCell* chosen = box.MarkedCell1.get();
    if (!chosen || box.MarkedCell2 || chosen->ArrayX != Column || chosen->ArrayY != Row) return false;
    if (box.IsCellSwitchAnimation()) return true;
    TCell* neighbour = Selectable(box, Column + dc, Row + dr);
    if (!neighbour) return true;
    box.SetMarkedCell(neighbour);
    Column += dc;
    Row += dr;
    return true;
}

void TBoardCursor::Draw(const TCellBox& box) const {
    if (!Shown || !Stop(box, Column, Row)) return;
    const float x = static_cast<float>(box.AreaStartX + Column * CELL_SIZE);
    const float y = static_cast<float>(box.AreaStartY + Row * CELL_SIZE);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(1.0f);
    plat::SetColor(DARK_RED, DARK_GREEN, DARK_BLUE);
    DrawFrame(x - 1, y - 1, CELL_SIZE + 2, FRAME + 2);
    plat::SetColor(LIGHT_RED, LIGHT_GREEN, LIGHT_BLUE);
    DrawFrame(x, y, CELL_SIZE, FRAME);
    plat::SetColor(255, 255, 255);
}
