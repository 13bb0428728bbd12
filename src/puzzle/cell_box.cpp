#include "puzzle/cell_box.h"

#include <string>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "platform/graphics.h"
#include "puzzle/match3_mode.h"
#include "resources/resource_globals.h"

namespace {

constexpr float LIGHT_START = 3000;   // updates into the cycle before the band starts
constexpr float LIGHT_CYCLE = 6000;   // updates per cycle
constexpr float LIGHT_STEP = 20;      // updates per diagonal step
constexpr float CREATE_MARK_SCALE = 0.62f;  // of the cell, leaving a ring of floor in sight
// The picked gem's band: gold between dark lines, just inside the cursor's frame.
constexpr float PICKED_INSET = 3, PICKED_BAND = 4;
constexpr int PICKED_RED = 255, PICKED_GREEN = 196, PICKED_BLUE = 40;
constexpr int PICKED_DARK_RED = 40, PICKED_DARK_GREEN = 24, PICKED_DARK_BLUE = 0;

// A square frame of the given line width.
void DrawCellFrame(float x, float y, float size, float width) {
    plat::DrawRect(x, y, size, width);
    plat::DrawRect(x, y + size - width, size, width);
    plat::DrawRect(x, y + width, width, size - 2 * width);
    plat::DrawRect(x + size - width, y + width, width, size - 2 * width);
}

// Missing images (a board made before the banks are filled, or in a test)
// leave the picture out rather than end the game.
plat::ImagePtr CellImage(const std::string& name) { return CellBank().FindTImage(name); }

float LightStart(int column, int row) { return static_cast<float>(column + row) * LIGHT_STEP + LIGHT_START; }

}  // namespace

TCellBox::TCellBox() : SeenInputFlushes(InputFlushes()) {
    LoadImages();
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            Layout[c][r].Create(this, c, r);
            Cells[c][r] = TCell::Create(this, c, r);
        }
}

void TCellBox::LoadImages() {
    LayoutNormalImage = CellImage("cellnormal");
    LayoutNormalMOImage = CellImage("cellnormalmo");
    LayoutMarbleImage = CellImage("cellmarble");
    LayoutMarbleMOImage = CellImage("cellmarblemo");
    LayoutChainImage = CellImage("cellchain");
    LayoutCreateImage = CellImage("cellcreate");
    LayoutFillImage = CellImage("cellfill");
    LayoutEmptyImage = CellImage("cellempty");
    LayoutMarkedImage = CellImage("cellmarked");
    LayoutHintImage = CellImage("cellhint");
    Score1Image = ImageBank().FindOrNull("score1");
    Score2Image = ImageBank().FindOrNull("score2");
    for (int kind = 1; kind <= GEM_KINDS; ++kind) GemImages[kind] = CellImage("cell" + std::to_string(kind));
}

void TCellBox::Clear() {
    CellsLights.clear();
    IsLevelEditor = 0;
    SetupCells(0, 0);
}

void TCellBox::SetupCells(int cellContents, int layoutContents) {
    ClearMarks();
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            Layout[c][r].Create(this, c, r);
            Cells[c][r] = TCell::Create(this, c, r);
            if (IsInterior(c, r)) {
                Cells[c][r]->SetContents(cellContents);
                Layout[c][r].Contents = layoutContents;
            }
        }
    UpdateDrawWall();
}

std::unique_ptr<TCellBox> TCellBox::Clone() const {
    auto copy = New();
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            copy->Layout[c][r] = Layout[c][r].Clone(copy.get());
            copy->Cells[c][r] = Cells[c][r]->Clone(copy.get());
        }
    // The selection is carried over onto the copy's own cells, so that a
    // restored board can go on with the move the player had begun.
    if (MarkedCell1) copy->MarkedCell1 = copy->Cells[MarkedCell1->ArrayX][MarkedCell1->ArrayY];
    if (MarkedCell2) copy->MarkedCell2 = copy->Cells[MarkedCell2->ArrayX][MarkedCell2->ArrayY];
    copy->IsLevelEditor = IsLevelEditor;
    copy->SeenInputFlushes = SeenInputFlushes;
    copy->DecorationFull = DecorationFull;
    copy->DecorationTopLeftRight = DecorationTopLeftRight;
    copy->DecorationBottomLeftRight = DecorationBottomLeftRight;
    copy->DecorationLeftTopBottom = DecorationLeftTopBottom;
    copy->DecorationRightTopBottom = DecorationRightTopBottom;
    copy->DecorationTopLeft = DecorationTopLeft;
    copy->DecorationTopRight = DecorationTopRight;
    copy->DecorationBottomLeft = DecorationBottomLeft;
    copy->DecorationBottomRight = DecorationBottomRight;
    return copy;
}

// ---- lookups ------------------------------------------------------------------

int TCellBox::GetCellLocationX(int px, int py) const {
    if (px < AreaStartX || px > AreaEndX || py < AreaStartY || py > AreaEndY) return -1;
    const int c = (px - AreaStartX) / CELL_SIZE;
    return (c >= 1 && c <= BOARD_COLUMNS - 2) ? c : -1;
}

int TCellBox::GetCellLocationY(int px, int py) const {
    if (px < AreaStartX || px > AreaEndX || py < AreaStartY || py > AreaEndY) return -1;
    const int r = (py - AreaStartY) / CELL_SIZE;
    return (r >= 1 && r <= BOARD_ROWS - 2) ? r : -1;
}

TCell* TCellBox::GetCellAtLocation(int column, int row) const {
    if (!IsInside(column, row) || Layout[column][row].Contents == FLOOR_NONE) return nullptr;
    return Cells[column][row].get();
}

TCell* TCellBox::GetCellAtMouseLocation(int px, int py) const {
    return GetCellAtLocation(GetCellLocationX(px, py), GetCellLocationY(px, py));
}

int TCellBox::GetLayoutCellMarbleCount() const {
    int count = 0;
    for (const auto& column : Layout)
        for (const auto& floor : column) count += floor.Contents == FLOOR_MARBLE;
    return count;
}

int TCellBox::GetLayoutCellCreateCount() const {
    int count = 0;
    for (const auto& column : Layout)
        for (const auto& floor : column) count += floor.IsCreate != 0;
    return count;
}

int TCellBox::GetLayoutCellFillCount() const {
    int count = 0;
    for (const auto& column : Layout)
        for (const auto& floor : column) count += floor.IsFill != 0;
    return count;
}

int TCellBox::GetLayoutCellNotEmptyCount() const {
    int count = 0;
    for (const auto& column : Layout)
        for (const auto& floor : column) count += floor.Contents != FLOOR_NONE;
    return count;
}

bool TCellBox::IsCellsNextToEachOther(const TCell& a, const TCell& b) {
    const int dc = a.ArrayX - b.ArrayX;
    const int dr = a.ArrayY - b.ArrayY;
    return (dr == 0 && (dc == 1 || dc == -1)) || (dc == 0 && (dr == 1 || dr == -1));
}

bool TCellBox::IsSettled() const {
    if (IsCellSwitchAnimation()) return false;
    for (const auto& column : Cells)
        for (const auto& cell : column)
            if (cell->IsBusy()) return false;
    return true;
}

void TCellBox::CancelSelection() {
    for (TCell* cell : {MarkedCell1.get(), MarkedCell2.get()}) {
        if (!cell) continue;
        cell->X = cell->GetCalculatedX();
        cell->Y = cell->GetCalculatedY();
    }
    ClearMarks();
}

void TCellBox::FinishAnimations() {
    for (const auto& column : Cells)
        for (const auto& cell : column) cell->FinishAnimations();
}

TMatch3HintList& TCellBox::HintTarget() { return GameMode ? GameMode->HintList : OwnHints; }

void TCellBox::ClearMarks() {
    if (MarkedCell1) MarkedCell1->ClearMarked();
    if (MarkedCell2) MarkedCell2->ClearMarked();
    MarkedCell1.reset();
    MarkedCell2.reset();
    CellSwitchPosition1.reset();
    CellSwitchPosition2.reset();
}

// ---- per tick -------------------------------------------------------------------

void TCellBox::Manage() {
    ManageCells();
    ManageCellSwitch();
    ManageInput();
    ManageLights();
}

void TCellBox::ManageInput() {
    // A gem chosen before a screen switch, a menu, a dialog or a pause is no
    // longer chosen after it; a swap under way ends by itself.
    if (SeenInputFlushes != InputFlushes()) {
        SeenInputFlushes = InputFlushes();
        if (!IsCellSwitchAnimation()) ClearMarks();
    }
    auto& mouse = PNMouseObject();
    auto selectable = [this, &mouse]() -> TCell* {
        TCell* cell = GetCellAtMouseLocation(mouse.x, mouse.y);
        if (!cell || cell->IsCellInAnimation() || cell->Floor().IsChain) return nullptr;
        return cell;
    };
    if (!IsCellSwitchAnimation() && mouse.LeftClick() >= 1) {
        if (TCell* cell = selectable()) SetMarkedCell(cell);
    }
    const bool dragging = mouse.Drag() != 0;
    if (!IsCellSwitchAnimation() && dragging && !HasDraggedAndMatched) {
        if (TCell* cell = selectable()) {
            if (!MarkedCell1) SetMarkedCell(cell);
            if (MarkedCell1 && cell != MarkedCell1.get()) {
                SetMarkedCell(cell);
                HasDraggedAndMatched = 1;
            }
        }
    }
    if (!dragging) HasDraggedAndMatched = 0;
    if (!IsLevelEditor) Cursor.Manage(*this);
}

void TCellBox::ManageLights() {
    lightCounter += Delta;
    if (CellsLights.empty()) CellsLights.assign(BOARD_COLUMNS * BOARD_ROWS, TGlow::Create(1.7f, 0.3f, 0, 180));
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            // A position shines in its glow's second half-turn only: once
            // past it, its glow rests until the next sweep.
            TGlow& glow = CellsLights[c * BOARD_ROWS + r];
            if (LightStart(c, r) < lightCounter && glow.numWraps < 2) {
                glow.Logic();
                glow.CheckCounter();
            }
        }
    if (lightCounter > LIGHT_CYCLE) {
        for (auto& glow : CellsLights) glow.Reset();
        lightCounter = 0;
    }
}

// ---- drawing --------------------------------------------------------------------

void TCellBox::Draw() const {
    DrawCells();
    DrawMarkedCell();
    Cursor.Draw(*this);
}

void TCellBox::DrawLayoutImage(const plat::ImagePtr& image, int x, int y) const {
    if (image) plat::DrawImage(*image, static_cast<float>(x), static_cast<float>(y));
}

void TCellBox::DrawCreateMark(int x, int y) const {
    if (!LayoutCreateImage) return;
    float sx = 1, sy = 1;
    plat::GetScale(sx, sy);
    plat::SetScale(sx * CREATE_MARK_SCALE, sy * CREATE_MARK_SCALE);
    DrawLayoutImage(LayoutCreateImage, x, y);
    plat::SetScale(sx, sy);
}

void TCellBox::DrawCells() const {
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TLayoutCell& floor = Layout[c][r];
            if (!FloorsDrawn || !FloorOnLayer[c * BOARD_ROWS + r]) floor.Draw();
            if (CellsLights.empty() || LightStart(c, r) >= lightCounter) continue;
            const TGlow& glow = CellsLights[c * BOARD_ROWS + r];
            if (glow.numWraps != 1) continue;
            glow.Process1_StartGlow();
            floor.Draw();
            TGlow::Process2_EndGlow();
        }
    // Falling gems are drawn last, on top of the resting ones.
    std::array<const TCell*, BOARD_COLUMNS * BOARD_ROWS> falling{};
    int fallingCount = 0;
    for (const auto& column : Cells)
        for (const auto& cell : column) {
            if (cell->IsCellInAnimation()) {
                falling[fallingCount++] = cell.get();
            } else {
                cell->Draw();
            }
        }
    for (int i = 0; i < fallingCount; ++i) falling[i]->Draw();
}

void TCellBox::DrawFloors() const {
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r)
            if (FloorOnLayer[c * BOARD_ROWS + r]) Layout[c][r].Draw();
}

void TCellBox::DrawMarkedCell() const {
    if (!MarkedCell1 || IsCellSwitchAnimation()) return;
    DrawLayoutImage(LayoutMarkedImage, MarkedCell1->X, MarkedCell1->Y);
    // A picked gem wears a broad gold band between dark lines, inside where
    // the thin white cursor goes: it reads on every gem and floor, and
    // unlike the cursor.
    const float x = static_cast<float>(AreaStartX + MarkedCell1->ArrayX * CELL_SIZE);
    const float y = static_cast<float>(AreaStartY + MarkedCell1->ArrayY * CELL_SIZE);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(1.0f);
    plat::SetColor(PICKED_DARK_RED, PICKED_DARK_GREEN, PICKED_DARK_BLUE);
    DrawCellFrame(x + PICKED_INSET, y + PICKED_INSET, CELL_SIZE - 2 * PICKED_INSET, PICKED_BAND + 2);
    plat::SetColor(PICKED_RED, PICKED_GREEN, PICKED_BLUE);
    DrawCellFrame(x + PICKED_INSET + 1, y + PICKED_INSET + 1, CELL_SIZE - 2 * PICKED_INSET - 2, PICKED_BAND);
    plat::SetColor(255, 255, 255);
}
