#include "puzzle/editor_mode.h"

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/font.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_check.h"
#include "puzzle/layout_file.h"
#include "resources/resource_globals.h"

namespace {

// The editable area; everything around it is dimmed.
constexpr int AREA_X = 97, AREA_Y = 69, AREA_W = 606, AREA_H = 462;
constexpr float DIM_ALPHA = 0.5f;
constexpr float TOP_TEXT_Y = 25, BOTTOM_TEXT_Y = 535;
// The verdict line, between the top help line and the board.
constexpr float VERDICT_Y = 47;
// The mirror axis in the gold of the frames, and the brush's mirror images.
constexpr float AXIS_ALPHA = 0.8f;
constexpr float AXIS_WIDTH = 3;
constexpr int AXIS_RED = 240, AXIS_GREEN = 200, AXIS_BLUE = 100;
constexpr float MIRROR_PREVIEW_ALPHA = 0.55f;
// The verdict: green when the layout would be accepted, amber when not.
constexpr int READY_RED = 150, READY_GREEN = 235, READY_BLUE = 140;
constexpr int REFUSED_RED = 255, REFUSED_GREEN = 190, REFUSED_BLUE = 90;
constexpr int CHECKING_GREY = 200;

// The board's interior, where painting goes.
constexpr int FIRST_COLUMN = 1, LAST_COLUMN = BOARD_COLUMNS - 2;
constexpr int TOP_ROW = 1, BOTTOM_ROW = BOARD_ROWS - 2;

bool SameAsBrush(const TLayoutCell& cell, int contents, int chain, int create, int fill) {
    return cell.Contents == contents && cell.IsChain == chain && cell.IsCreate == create && cell.IsFill == fill;
}

void Toggle(int& flag) { flag = flag ? 0 : 1; }

bool Modifier(int key) {
    return key == plat::KEY_LCONTROL || key == plat::KEY_RCONTROL || key == plat::KEY_LSHIFT ||
           key == plat::KEY_RSHIFT || key == plat::KEY_LALT || key == plat::KEY_RALT;
}

// Takes the hits of every key but the modifiers; true when one was pressed
// or is held.
bool TakeOtherKeys() {
    TInputTables& in = Input();
    bool any = false;
    for (int key = 1; key < KEY_TABLE_SIZE; ++key) {
        if (Modifier(key)) continue;
        any = any || in.KeyHits[key] || in.KeysDown[key];
        in.KeyHits[key] = 0;
    }
    return any;
}

bool MirrorsColumns(EMirror mirror) { return mirror == EMirror::LeftRight || mirror == EMirror::FourWay; }
bool MirrorsRows(EMirror mirror) { return mirror == EMirror::TopBottom || mirror == EMirror::FourWay; }

}  // namespace

TMirrorCells MirrorCells(int column, int row, EMirror mirror, int first, int last, int top, int bottom) {
    TMirrorCells out;
    const auto add = [&out](int c, int r) {
        for (int i = 0; i < out.Count; ++i)
            if (out.Cells[i] == TCellPosition{c, r}) return;
        out.Cells[out.Count++] = {c, r};
    };
    const int mirroredColumn = first + last - column;
    const int mirroredRow = top + bottom - row;
    add(column, row);
    if (MirrorsColumns(mirror)) add(mirroredColumn, row);
    if (MirrorsRows(mirror)) add(column, mirroredRow);
    if (MirrorsColumns(mirror) && MirrorsRows(mirror)) add(mirroredColumn, mirroredRow);
    return out;
}

int TGameModeEditor::Init(const std::string& /*path*/, int /*custom*/) {
    CellBox.reset();
    History.Drop();
    strokeOpen_ = false;
    Clear();
    savedLayout_ = LayoutGridOf(*CellBox);
    return 1;
}

bool TGameModeEditor::HasUnsavedChanges() const {
    return CellBox && !SameLayout(LayoutGridOf(*CellBox), savedLayout_);
}

int TGameModeEditor::Clear() {
    EndStroke();
    std::optional<TLayoutGrid> before;
    if (CellBox) before = LayoutGridOf(*CellBox);
    CellBox = TCellBox::New();
    CellBox->Clear();
    CellBox->IsLevelEditor = 1;
    CellBox->GameMode = nullptr;
    if (before) RecordStep(*before);
    LayoutChanged();
    return 1;
}

void TGameModeEditor::LayoutChanged() {
    CellBox->UpdateDrawWall();
    FaultCell.reset();
    Verdict.Changed(*CellBox);
}

// ---- undo and redo -------------------------------------------------------------------

void TGameModeEditor::RecordStep(const TLayoutGrid& before) {
    if (!SameLayout(before, LayoutGridOf(*CellBox))) History.Record(before);
}

void TGameModeEditor::EndStroke() {
    if (!strokeOpen_) return;
    strokeOpen_ = false;
    if (CellBox) RecordStep(strokeBefore_);
}

bool TGameModeEditor::StepTo(bool redo) {
    if (!CellBox) Clear();
    EndStroke();
    TLayoutGrid layout = LayoutGridOf(*CellBox);
    if (!(redo ? History.Redo(layout) : History.Undo(layout))) return false;
    SetLayoutGrid(*CellBox, layout);
    LayoutChanged();
    return true;
}

bool TGameModeEditor::Undo() { return StepTo(false); }

bool TGameModeEditor::Redo() { return StepTo(true); }

void TGameModeEditor::CycleMirror() {
    switch (Mirror) {
        case EMirror::Off: Mirror = EMirror::LeftRight; break;
        case EMirror::LeftRight: Mirror = EMirror::TopBottom; break;
        case EMirror::TopBottom: Mirror = EMirror::FourWay; break;
        case EMirror::FourWay: Mirror = EMirror::Off; break;
    }
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
    // A stroke lasts from the press to the release and is one step.
    if (!mouse.MBL && !mouse.MBR) {
        EndStroke();
        return;
    }
    if (!strokeOpen_) {
        strokeOpen_ = true;
        strokeBefore_ = LayoutGridOf(*CellBox);
    }
    const int column = CellBox->GetCellLocationX(mouse.x, mouse.y);
    const int row = CellBox->GetCellLocationY(mouse.x, mouse.y);
    if (column < 0 || row < 0) return;
    ApplyAt(column, row, mouse.MBL != 0, mouse.MBR != 0);
}

bool TGameModeEditor::ApplyAt(int column, int row, bool paint, bool erase) {
    bool changed = false;
    const TMirrorCells cells = MirrorCells(column, row, Mirror, FIRST_COLUMN, LAST_COLUMN, TOP_ROW, BOTTOM_ROW);
    for (int i = 0; i < cells.Count; ++i) {
        TLayoutCell& cell = CellBox->Layout[cells.Cells[i].first][cells.Cells[i].second];
        if (paint) changed = PaintCell(cell) || changed;
        if (erase) changed = EraseCell(cell) || changed;
    }
    if (changed) LayoutChanged();
    return changed;
}

void TGameModeEditor::ApplyCursorKeys() {
    TBoardCursor& cursor = CellBox->Cursor;
    cursor.AnyCell = true;
    cursor.ManageMoves(*CellBox);
    const bool paint = KeyHit(plat::KEY_SPACE) != 0;
    const bool erase = KeyHit(plat::KEY_DELETE) != 0;
    if (!cursor.Shown || strokeOpen_ || !(paint || erase)) return;
    const TLayoutGrid before = LayoutGridOf(*CellBox);
    ApplyAt(cursor.Column, cursor.Row, paint, erase);
    RecordStep(before);
}

void TGameModeEditor::ReadKeys() {
    const bool ctrl = KeyDown(plat::KEY_LCONTROL) || KeyDown(plat::KEY_RCONTROL);
    const bool shift = KeyDown(plat::KEY_LSHIFT) || KeyDown(plat::KEY_RSHIFT);
    // Both Ctrl keys are read, so a hit on one is not left over for later.
    const bool left = KeyHit(plat::KEY_LCONTROL), right = KeyHit(plat::KEY_RCONTROL);
    if (left || right) ctrlAlone_ = true;
    // A key left unread from before Ctrl went down is no part of a chord.
    if ((left || right) && ctrl) TakeOtherKeys();
    // Ctrl with a click erases; it does not switch the floor kind too.
    const PNMouse& mouse = PNMouseObject();
    if (ctrl && (mouse.MBL || mouse.MBR)) ctrlAlone_ = false;
    if (KeyHit('Z')) {
        if (ctrl) {
            ctrlAlone_ = false;
            StepTo(shift);
        } else {
            Toggle(IsFill);
        }
    }
    if (KeyHit('Y') && ctrl) {
        ctrlAlone_ = false;
        Redo();
    }
    // Any other key with Ctrl makes a chord that does what it names or
    // nothing: Ctrl is no longer alone, and a letter with it is not the
    // brush's own key.
    if (ctrl && TakeOtherKeys()) ctrlAlone_ = false;
    if (KeyHit('X')) Toggle(IsChain);
    if (KeyHit('C')) Toggle(IsCreate);
    if (KeyHit('M')) CycleMirror();
    if (ctrlAlone_ && !ctrl) {
        ctrlAlone_ = false;
        LayoutContents = LayoutContents == FLOOR_MARBLE ? FLOOR_NORMAL : FLOOR_MARBLE;
    }
}

int TGameModeEditor::Logic() {
    if (!CellBox) Clear();
    if (GameState().disableButtons) {
        // The press that answers a dialog must not go on to paint.
        waitForRelease_ = true;
        EndStroke();
        return 0;
    }
    ApplyMouse();
    ReadKeys();
    ApplyCursorKeys();
    Verdict.Tick(*CellBox, Delta, strokeOpen_);
    return 1;
}

// ---- checks --------------------------------------------------------------------------

// The trial deals come from the layout itself, so a layout is accepted or
// refused the same way on every check; play goes on from the random state it
// had before.
bool TGameModeEditor::CanStart() const {
    TDealCheck deals(*CellBox);
    while (!deals.Step(TDealCheck::ATTEMPTS)) {
    }
    return deals.Passed();
}

int TGameModeEditor::IsLayoutValid() {
    if (!CellBox) Clear();
    FaultCell.reset();
    if (const int error = QuickLayoutError(*CellBox)) return error;
    if (!CanStart()) return LAYOUT_NO_START;
    return FairnessError(*CellBox, FaultCell);
}

// ---- files ---------------------------------------------------------------------------

std::string TGameModeEditor::SaveLayout(const std::string& path) {
    if (!CellBox) return "No puzzle to save";
    std::string error = ::SaveLayout(*CellBox, path);
    if (error.empty()) savedLayout_ = LayoutGridOf(*CellBox);
    return error;
}

std::string TGameModeEditor::LoadLayout(const std::string& path) {
    auto loaded = TCellBox::New();
    loaded->Clear();
    if (std::string error = ::LoadLayout(*loaded, path); !error.empty()) return error;
    loaded->IsLevelEditor = 1;
    loaded->GameMode = nullptr;
    EndStroke();
    std::optional<TLayoutGrid> before;
    if (CellBox) before = LayoutGridOf(*CellBox);
    CellBox = std::move(loaded);
    if (before) RecordStep(*before);
    LayoutChanged();
    savedLayout_ = LayoutGridOf(*CellBox);
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
    DrawMirrorAxis();
    DrawFaultCell();
    // No brush under an open dialog.
    if (!GameState().disableButtons) DrawMouseCell();
    DrawTextMessage();
    DrawVerdict();
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
    const TCellBox& box = *CellBox;
    const int column = box.GetCellLocationX(mouse.x, mouse.y);
    const int row = box.GetCellLocationY(mouse.x, mouse.y);
    if (column < 0 || row < 0) return;
    // The brush under the pointer, and fainter where the mirror lays it too.
    const TMirrorCells cells = MirrorCells(column, row, Mirror, FIRST_COLUMN, LAST_COLUMN, TOP_ROW, BOTTOM_ROW);
    for (int i = 0; i < cells.Count; ++i) {
        const TLayoutCell& cell = box.Layout[cells.Cells[i].first][cells.Cells[i].second];
        plat::SetAlpha(i == 0 ? 1.0f : MIRROR_PREVIEW_ALPHA);
        box.DrawLayoutImage(LayoutContents == FLOOR_MARBLE ? box.LayoutMarbleImage : box.LayoutNormalImage, cell.X,
                            cell.Y);
        if (IsChain) box.DrawLayoutImage(box.LayoutChainImage, cell.X, cell.Y);
        if (IsCreate) box.DrawCreateMark(cell.X, cell.Y);
        if (!IsFill) box.DrawLayoutImage(box.LayoutFillImage, cell.X, cell.Y);
    }
    plat::SetAlpha(1.0f);
}

void TGameModeEditor::DrawFaultCell() const {
    // A refused save marks its cell; otherwise the live verdict's.
    const std::optional<TCellPosition> fault = FaultCell ? FaultCell : Verdict.FaultCell();
    if (!fault) return;
    const TLayoutCell& cell = CellBox->Layout[fault->first][fault->second];
    CellBox->DrawLayoutImage(CellBox->LayoutHintImage, cell.X, cell.Y);
}

void TGameModeEditor::DrawMirrorAxis() const {
    if (Mirror == EMirror::Off) return;
    const TCellBox& box = *CellBox;
    const float left = float(box.AreaStartX + FIRST_COLUMN * CELL_SIZE);
    const float right = float(box.AreaStartX + (LAST_COLUMN + 1) * CELL_SIZE);
    const float top = float(box.AreaStartY + TOP_ROW * CELL_SIZE);
    const float bottom = float(box.AreaStartY + (BOTTOM_ROW + 1) * CELL_SIZE);
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(AXIS_ALPHA);
    plat::SetColor(AXIS_RED, AXIS_GREEN, AXIS_BLUE);
    if (MirrorsColumns(Mirror)) plat::DrawRect((left + right - AXIS_WIDTH) / 2, top, AXIS_WIDTH, bottom - top);
    if (MirrorsRows(Mirror)) plat::DrawRect(left, (top + bottom - AXIS_WIDTH) / 2, right - left, AXIS_WIDTH);
    plat::SetAlpha(1.0f);
    plat::SetColor(255, 255, 255);
}

void TGameModeEditor::DrawVerdict() const {
    const int answer = Verdict.Answer();
    std::string key = LayoutErrorTextKey(answer);
    if (answer == LAYOUT_VALID) {
        key = "Editor Verdict Ready";
        plat::SetColor(READY_RED, READY_GREEN, READY_BLUE);
    } else if (answer == TLiveVerdict::CHECKING) {
        key = "Editor Verdict Checking";
        plat::SetColor(CHECKING_GREY, CHECKING_GREY, CHECKING_GREY);
    } else {
        plat::SetColor(REFUSED_RED, REFUSED_GREEN, REFUSED_BLUE);
    }
    if (const auto font = FirstFont()) plat::SetImageFont(font);
    DrawTextCentredX(GameText().FindString(key), VERDICT_Y, true, true);
    plat::SetColor(255, 255, 255);
}

void TGameModeEditor::DrawTextMessage() const {
    const auto font = FirstFont();
    plat::SetColor(255, 255, 255);
    for (const auto& [key, y] : {std::pair{"Level Editor 1", TOP_TEXT_Y}, std::pair{"Level Editor 2", BOTTOM_TEXT_Y}})
        DrawTextLines(GameText().FindString(key), -1, y, font, true, true, true, ALIGN_CENTRE);
}
