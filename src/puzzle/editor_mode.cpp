#include "puzzle/editor_mode.h"

#include "app/game.h"
#include "app/input_tables.h"
#include "gui/font.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_check.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_hint.h"
#include "resources/resource_globals.h"

namespace {

// The editable area; everything around it is dimmed.
constexpr int AREA_X = 97, AREA_Y = 69, AREA_W = 606, AREA_H = 462;
constexpr float DIM_ALPHA = 0.5f;
constexpr float TOP_TEXT_Y = 25, BOTTOM_TEXT_Y = 535;

bool SameAsBrush(const TLayoutCell& cell, int contents, int chain, int create, int fill) {
    return cell.Contents == contents && cell.IsChain == chain && cell.IsCreate == create && cell.IsFill == fill;
}

void Toggle(int& flag) { flag = flag ? 0 : 1; }

}  // namespace

int TGameModeEditor::Init(const std::string& /*path*/, int /*custom*/) { return Clear(); }

int TGameModeEditor::Clear() {
    CellBox = TCellBox::New();
    CellBox->Clear();
    CellBox->IsLevelEditor = 1;
    CellBox->GameMode = nullptr;
    CellBox->UpdateDrawWall();
    FaultCell.reset();
    return 1;
}

// ---- painting ------------------------------------------------------------------------

bool TGameModeEditor::PaintCell(TLayoutCell& cell) const {
    if (SameAsBrush(cell, LayoutContents, IsChain, IsCreate, IsFill)) return false;
    cell.Contents = LayoutContents;
    cell.IsChain = IsChain;
    cell.IsCreate = IsCreate;
    cell.IsFill = IsFill;
    return true;
}

bool TGameModeEditor::EraseCell(TLayoutCell& cell) {
    if (cell.Contents == FLOOR_NONE) return false;
    cell.Contents = FLOOR_NONE;
    cell.IsChain = cell.IsCreate = cell.IsFill = 0;
    return true;
}

void TGameModeEditor::ApplyMouse() {
    const PNMouse& mouse = PNMouseObject();
    if (waitForRelease_) {
        // The buttons themselves: closing a dialog clears the click counts.
        const auto& pointer = Game().Mouse;
        waitForRelease_ = pointer.b1 || pointer.b2;
        return;
    }
    bool changed = false;
    if (mouse.MBL)
        if (TLayoutCell* cell = CellBox->GetLayoutCellAtMouseLocation(mouse.x, mouse.y)) changed = PaintCell(*cell);
    if (mouse.MBR)
        if (TLayoutCell* cell = CellBox->GetLayoutCellAtMouseLocation(mouse.x, mouse.y))
            changed = EraseCell(*cell) || changed;
    if (!changed) return;
    CellBox->UpdateDrawWall();
    FaultCell.reset();
}

void TGameModeEditor::ToggleBrush() {
    // Both Ctrl keys are read, so a hit on one is not left over for later.
    const bool left = KeyHit(plat::KEY_LCONTROL), right = KeyHit(plat::KEY_RCONTROL);
    if (left || right) LayoutContents = LayoutContents == FLOOR_MARBLE ? FLOOR_NORMAL : FLOOR_MARBLE;
    if (KeyHit('X')) Toggle(IsChain);
    if (KeyHit('C')) Toggle(IsCreate);
    if (KeyHit('Z')) Toggle(IsFill);
}

int TGameModeEditor::Logic() {
    if (!CellBox) Clear();
    if (GameState().disableButtons) {
        // The press that answers a dialog must not go on to paint.
        waitForRelease_ = true;
        return 0;
    }
    ApplyMouse();
    ToggleBrush();
    return 1;
}

// ---- checks --------------------------------------------------------------------------

// The trial deals come from the layout itself, so a layout is accepted or
// refused the same way on every check; play goes on from the random state it
// had before.
bool TGameModeEditor::CanStart() const {
    const plat::TScopedRndSeed seeded(LayoutSeed(LayoutGridOf(*CellBox)));
    for (int deal = 0; deal < TRIAL_DEALS; ++deal) {
        const auto trial = CellBox->Clone();
        trial->GenerateLevel(TRIAL_ATTEMPTS);
        if (trial->OwnHints.Items.empty()) return false;
    }
    return true;
}

int TGameModeEditor::FirstFairnessError() {
    const auto faults = LayoutFaults(LayoutGridOf(*CellBox));
    for (const auto& [kind, error] : {std::pair{ELayoutFault::CreateUnderFloor, LAYOUT_CREATE_UNDER_FLOOR},
                                      std::pair{ELayoutFault::Unfed, LAYOUT_UNFED},
                                      std::pair{ELayoutFault::MarbleOutsideLine, LAYOUT_MARBLE_NO_LINE}})
        for (const TLayoutFault& fault : faults)
            if (fault.Kind == kind) {
                FaultCell = std::pair{fault.Column, fault.Row};
                return error;
            }
    return LAYOUT_VALID;
}

int TGameModeEditor::IsLayoutValid() {
    if (!CellBox) Clear();
    FaultCell.reset();
    TCellBox& box = *CellBox;
    if (box.GetLayoutCellNotEmptyCount() == 0) return LAYOUT_NO_FLOOR;
    if (box.GetLayoutCellMarbleCount() == 0) return LAYOUT_NO_MARBLE;
    if (box.GetLayoutCellFillCount() == 0) return LAYOUT_NO_FILL;
    if (box.GetLayoutCellCreateCount() == 0) return LAYOUT_NO_CREATE;
    // One gem kind on every starting gem: is any swap able to line gems up at all?
    TMatch3HintList hints;
    box.FillLevel(1, 0);
    box.CreateHintList(hints);
    box.FillLevel(0, 0);
    if (hints.Items.empty()) {
        // The trial leaves creation cells empty: say so when gems there would have made the move.
        box.FillLevel(1, 1);
        box.CreateHintList(hints);
        box.FillLevel(0, 1);
        return hints.Items.empty() ? LAYOUT_NO_MOVE : LAYOUT_CREATE_EMPTY;
    }
    if (!CanStart()) return LAYOUT_NO_START;
    return FirstFairnessError();
}

// ---- files ---------------------------------------------------------------------------

std::string TGameModeEditor::SaveLayout(const std::string& path) const {
    if (!CellBox) return "No puzzle to save";
    return ::SaveLayout(*CellBox, path);
}

std::string TGameModeEditor::LoadLayout(const std::string& path) {
    auto loaded = TCellBox::New();
    loaded->Clear();
    if (std::string error = ::LoadLayout(*loaded, path); !error.empty()) return error;
    loaded->IsLevelEditor = 1;
    loaded->GameMode = nullptr;
    loaded->UpdateDrawWall();
    CellBox = std::move(loaded);
    FaultCell.reset();
    return {};
}

int TGameModeEditor::LoadGame(const std::string& path) {
    FileError = LoadLayout(path);
    return FileError.empty() ? 1 : 0;
}

// ---- drawing -------------------------------------------------------------------------

int TGameModeEditor::Draw() {
    if (!CellBox) return 0;
    DrawBounds();
    CellBox->Draw();
    DrawFaultCell();
    // No brush under an open dialog.
    if (!GameState().disableButtons) DrawMouseCell();
    DrawTextMessage();
    return 1;
}

void TGameModeEditor::DrawBounds() const {
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(DIM_ALPHA);
    plat::SetColor(0, 0, 0);
    const float width = ScreenWidth, height = ScreenHeight;
    plat::DrawRect(0, 0, width, AREA_Y);
    plat::DrawRect(0, AREA_Y + AREA_H, width, height);
    plat::DrawRect(0, AREA_Y, AREA_X, AREA_H);
    plat::DrawRect(AREA_X + AREA_W, AREA_Y, width, AREA_H);
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
    const float left = AREA_X, top = AREA_Y, right = AREA_X + AREA_W - 1, bottom = AREA_Y + AREA_H - 1;
    plat::DrawLine(left, top, right, top);
    plat::DrawLine(right, top, right, bottom);
    plat::DrawLine(right, bottom, left, bottom);
    plat::DrawLine(left, bottom, left, top);
}

void TGameModeEditor::DrawMouseCell() const {
    const auto& mouse = Game().Mouse;
    const TLayoutCell* cell = CellBox->GetLayoutCellAtMouseLocation(mouse.x, mouse.y);
    if (!cell) return;
    const TCellBox& box = *CellBox;
    box.DrawLayoutImage(LayoutContents == FLOOR_MARBLE ? box.LayoutMarbleImage : box.LayoutNormalImage, cell->X,
                        cell->Y);
    if (IsChain) box.DrawLayoutImage(box.LayoutChainImage, cell->X, cell->Y);
    if (IsCreate) box.DrawLayoutImage(box.LayoutCreateImage, cell->X, cell->Y);
    if (!IsFill) box.DrawLayoutImage(box.LayoutFillImage, cell->X, cell->Y);
}

void TGameModeEditor::DrawFaultCell() const {
    if (!FaultCell) return;
    const TLayoutCell& cell = CellBox->Layout[FaultCell->first][FaultCell->second];
    CellBox->DrawLayoutImage(CellBox->LayoutHintImage, cell.X, cell.Y);
}

void TGameModeEditor::DrawTextMessage() const {
    const auto font = FirstFont();
    plat::SetColor(255, 255, 255);
    for (const auto& [key, y] : {std::pair{"Level Editor 1", TOP_TEXT_Y}, std::pair{"Level Editor 2", BOTTOM_TEXT_Y}})
        DrawTextLines(GameText().FindString(key), -1, y, font, true, true, true, ALIGN_CENTRE);
}
