// The match-3 rules of the board: selecting and swapping, runs, falling,
// creation cells, hints and random filling.
#include "resources/fixed_rate_logic.h"
#include "platform/clock.h"
#include "puzzle/cell_box.h"
#include "puzzle/match3_mode.h"

namespace {

constexpr int SWAP_MS = 150;
constexpr int FALL_MS = 200;
constexpr float APPEAR_MS = 400;

// What the hint list and the run checks read of one position.
uintptr_t SettledWord(const TCell& cell, const TLayoutCell& floor) {
    return uintptr_t(cell.Contents) | uintptr_t(cell.IsBusy()) << 8 | uintptr_t(floor.Contents) << 9 |
           uintptr_t(floor.IsChain != 0) << 12 | uintptr_t(floor.IsCreate != 0) << 13 |
           uintptr_t(floor.IsFill != 0) << 14;
}

}  // namespace

// ---- falling and creation (TCell) ---------------------------------------------

bool TCell::IsFreeFloorAt(int column, int row) const {
    if (!TCellBox::IsInside(column, row)) return false;
    return CellBox->Layout[column][row].Contents != FLOOR_NONE && CellBox->CellAt(column, row).IsFree();
}

bool TCell::IsCellBelowEmpty() const { return ArrayY <= BOARD_ROWS - 3 && IsFreeFloorAt(ArrayX, ArrayY + 1); }

bool TCell::IsCellBelowLeftEmpty() const {
    return ArrayY <= BOARD_ROWS - 3 && ArrayX >= 2 && IsFreeFloorAt(ArrayX - 1, ArrayY + 1);
}

bool TCell::IsCellBelowRightEmpty() const {
    return ArrayY <= BOARD_ROWS - 3 && ArrayX <= BOARD_COLUMNS - 2 && IsFreeFloorAt(ArrayX + 1, ArrayY + 1);
}

bool TCell::IsCellBelowEmptyTopRow() const {
    if (ArrayY > BOARD_ROWS - 3 || Floor().Contents != FLOOR_NONE) return false;
    const TLayoutCell& below = CellBox->Layout[ArrayX][ArrayY + 1];
    return below.Contents != FLOOR_NONE && below.IsCreate && CellBox->CellAt(ArrayX, ArrayY + 1).IsFree();
}

void TCell::CheckEmptyTopRow() {
    if (!IsCellBelowEmptyTopRow()) return;
    TCell& below = CellBox->CellAt(ArrayX, ArrayY + 1);
    below.SetContents(plat::Rand(1, GEM_KINDS));
    below.AppearAnimation = TAnimation(APPEAR_MS);
    below.AppearAnimation->Start();
    ++CellBox->CreatedGems;
}

void TCell::CheckCellMoveDownSwitch(TCell& from, TCell& to) {
    to.SetContents(from.Contents);
    from.ClearContents();
    to.MoveLine = TLinePosition::Start(from.X, from.Y, to.GetCalculatedX(), to.GetCalculatedY(), FALL_MS);
    to.X = from.X;
    to.Y = from.Y;
    to.RotationDegree = from.RotationDegree;
    to.CurrentRotationDegree = from.CurrentRotationDegree;
}

void TCell::EndFall() {
    X = MoveLine->EndX;
    Y = MoveLine->EndY;
    RotationDegree += 180;
    if (RotationDegree > 359) RotationDegree = 0;
    CurrentRotationDegree = RotationDegree;
    MoveLine.reset();
}

void TCell::CheckCellMoveDown(int diagonal) {
    if (Contents == 0 || AppearAnimation || DestroyAnimation) return;
    if (MoveLine) {
        if (diagonal) return;
        if (!MoveLine->IsFinished()) {
            X = MoveLine->GetCurrentX();
            Y = MoveLine->GetCurrentY();
            CurrentRotationDegree =
                RotationDegree + static_cast<int>(180.0f * MoveLine->Animation.GetRatioInv());
            return;
        }
        EndFall();
        return;
    }
    if (Floor().IsChain) return;
    if (IsCellBelowEmpty()) {
        CheckCellMoveDownSwitch(*this, CellBox->CellAt(ArrayX, ArrayY + 1));
    } else if (diagonal && IsCellBelowLeftEmpty()) {
        CheckCellMoveDownSwitch(*this, CellBox->CellAt(ArrayX - 1, ArrayY + 1));
    } else if (diagonal && IsCellBelowRightEmpty()) {
        CheckCellMoveDownSwitch(*this, CellBox->CellAt(ArrayX + 1, ArrayY + 1));
    }
}

// ---- the board's tick -------------------------------------------------------------

bool TCellBox::NoCellBusy() const {
    for (const auto& column : Cells)
        for (const auto& cell : column)
            if (cell->IsBusy()) return false;
    return true;
}

void TCellBox::RecordSettledBoard(std::vector<uintptr_t>& out, const TMatch3HintList& hints) const {
    out.resize(1 + 2 * BOARD_COLUMNS * BOARD_ROWS);
    uintptr_t* next = out.data();
    *next++ = reinterpret_cast<uintptr_t>(&hints);
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            *next++ = reinterpret_cast<uintptr_t>(Cells[c][r].get());
            *next++ = SettledWord(*Cells[c][r], Layout[c][r]);
        }
}

bool TCellBox::SameAsSettled(const TMatch3HintList& hints) const {
    if (!hints.Exists || settledBoard_.empty()) return false;
    const uintptr_t* next = settledBoard_.data();
    if (*next++ != reinterpret_cast<uintptr_t>(&hints)) return false;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TCell* cell = Cells[c][r].get();
            if (next[0] != reinterpret_cast<uintptr_t>(cell) || next[1] != SettledWord(*cell, Layout[c][r]))
                return false;
            next += 2;
        }
    return true;
}

void TCellBox::ManageCells() {
    TMatch3HintList& hints = HintTarget();
    // A board that settled with no gem on the move and has not changed since
    // has nothing to fall, appear or match: a tick of the rules would change
    // nothing, so only the cells' effects go on.
    if (SkipSettledTicks && settledQuiet_ && SameAsSettled(hints)) {
        for (const auto& column : Cells)
            for (const auto& cell : column)
                if (cell->HasEffects()) cell->ManageEffects();
        return;
    }
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = BOARD_ROWS - 1; r >= 0; --r) {
            Layout[c][r].Manage();
            TCell& cell = *Cells[c][r];
            cell.Manage();
            cell.CheckCellMoveDown(0);
        }
    // A board at rest that did not change since the last tick has the same
    // runs (none) and the same moves: its hint list stands.
    const bool unchanged = SameAsSettled(hints);
    // Nothing was on the move then either, so nothing slides diagonally now.
    if (unchanged && settledQuiet_) return;
    if (!unchanged) hints.StartNew();
    bool moving = false;
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = BOARD_ROWS - 1; r >= 0; --r) {
            TCell& cell = *Cells[c][r];
            cell.CheckCellMoveDown(1);
            if (cell.Contents == 0) continue;
            // A gem landing on chained floor is on the move all the same.
            if (cell.IsBusy()) {
                moving = true;
                continue;
            }
            if (Layout[c][r].IsChain || unchanged) continue;
            CheckCellsCheck(c, r);
            // A cascade cleared just now is settling too: never judge the
            // board moveless in the tick a run starts to fade.
            if (cell.IsBusy()) moving = true;
            CreateHintListMainCheck(hints, c, r);
        }
    if (moving && hints.Items.empty()) hints.SetNone();
    if (moving) {
        settledBoard_.clear();
    } else if (!unchanged) {
        RecordSettledBoard(settledBoard_, hints);
        settledQuiet_ = NoCellBusy();
    }
}

// ---- selecting and swapping --------------------------------------------------------

void TCellBox::SetMarkedCell(TCell* cell) {
    // A gem already fading out can no longer be moved.
    if (!cell || cell->Contents == 0 || cell->DestroyAnimation) return;
    if (!IsInside(cell->ArrayX, cell->ArrayY) || Cells[cell->ArrayX][cell->ArrayY].get() != cell) return;
    const std::shared_ptr<TCell>& chosen = Cells[cell->ArrayX][cell->ArrayY];
    if (!MarkedCell1) {
        MarkedCell1 = chosen;
        MarkedCell1->SetMarked();
    } else if (!MarkedCell2) {
        MarkedCell2 = chosen;
        MarkedCell2->SetMarked();
        if (IsCellsNextToEachOther(*MarkedCell1, *MarkedCell2)) {
            StartCellSwitch(0);
        } else {
            MarkedCell1->ClearMarked();
            MarkedCell1 = MarkedCell2;
            MarkedCell2.reset();
        }
    }
}

void TCellBox::StartCellSwitch(int type) {
    if (!MarkedCell1 || !MarkedCell2) return;
    CellSwitchType = type;
    const TCell& from = type == 0 ? *MarkedCell1 : *MarkedCell2;
    const TCell& to = type == 0 ? *MarkedCell2 : *MarkedCell1;
    CellSwitchPosition1 = TLinePosition::Start(from.GetCalculatedX(), from.GetCalculatedY(), to.GetCalculatedX(),
                                               to.GetCalculatedY(), SWAP_MS);
    CellSwitchPosition2 = TLinePosition::Start(to.GetCalculatedX(), to.GetCalculatedY(), from.GetCalculatedX(),
                                               from.GetCalculatedY(), SWAP_MS);
}

void TCellBox::PlaceMarkedCell(TCell* cell, const TLinePosition& path, bool atEnd) const {
    if (!cell) return;
    if (atEnd) {
        cell->X = path.EndX;
        cell->Y = path.EndY;
    } else if (!path.IsFinished()) {
        cell->X = path.GetCurrentX();
        cell->Y = path.GetCurrentY();
    }
}

void TCellBox::ManageCellSwitch() {
    if (CellSwitchPosition1) {
        CellSwitchPosition1->Manage();
        PlaceMarkedCell(MarkedCell1.get(), *CellSwitchPosition1, false);
        if (CellSwitchPosition1->IsFinished()) {
            const TLinePosition path1 = *CellSwitchPosition1;
            const TLinePosition path2 = CellSwitchPosition2 ? *CellSwitchPosition2 : path1;
            PlaceMarkedCell(MarkedCell1.get(), path1, true);
            PlaceMarkedCell(MarkedCell2.get(), path2, true);
            if (CellSwitchType == 0 && !CheckMarkedCells()) {
                CellSwitchPosition1.reset();
                CellSwitchPosition2.reset();
                StartCellSwitch(1);
                if (GameMode) GameMode->PlayInvalidSound();
                return;
            }
            if (CellSwitchType == 0) {
                PlaceMarkedCell(MarkedCell1.get(), path2, true);
                PlaceMarkedCell(MarkedCell2.get(), path1, true);
                if (GameMode) {
                    ++GameMode->MovesMade;
                    ++GameMode->Tally.Moves;
                }
            }
            ClearMarks();
        }
    }
    if (CellSwitchPosition2) {
        CellSwitchPosition2->Manage();
        PlaceMarkedCell(MarkedCell2.get(), *CellSwitchPosition2, false);
    }
}

bool TCellBox::ExchangeMarkedCells() {
    if (!MarkedCell1 || !MarkedCell2) return false;
    TCell& a = *MarkedCell1;
    TCell& b = *MarkedCell2;
    const int kindA = a.Contents;
    const int kindB = b.Contents;
    // A selected gem may have fallen away or started to fade during the
    // slide: then there is nothing to swap.
    if (kindA == 0 || kindB == 0 || a.DestroyAnimation || b.DestroyAnimation) return false;
    a.SetContents(kindB);
    b.SetContents(kindA);
    if (WillCreateMatch(a.ArrayX, a.ArrayY, kindB) || WillCreateMatch(b.ArrayX, b.ArrayY, kindA)) return true;
    a.SetContents(kindA);
    b.SetContents(kindB);
    return false;
}

bool TCellBox::CheckMarkedCells() {
    if (!ExchangeMarkedCells()) return false;
    TCell& a = *MarkedCell1;
    TCell& b = *MarkedCell2;
    a.ClearMarked();
    b.ClearMarked();
    std::swap(a.RotationDegree, b.RotationDegree);
    std::swap(a.CurrentRotationDegree, b.CurrentRotationDegree);
    const bool matchA = WillCreateMatch(a.ArrayX, a.ArrayY, a.Contents);
    if (matchA) RemoveMatchCells(a.ArrayX, a.ArrayY, a.Contents);
    if (WillCreateMatch(b.ArrayX, b.ArrayY, b.Contents)) {
        RemoveMatchCells(b.ArrayX, b.ArrayY, b.Contents);
        if (matchA) a.ClearContents();
    }
    if (GameMode) GameMode->ResetHint();
    return true;
}

// ---- runs ---------------------------------------------------------------------------

int TCellBox::CountRun(int column, int row, int dc, int dr, int kind) const {
    int count = 0;
    for (int c = column + dc, r = row + dr; IsInside(c, r); c += dc, r += dr) {
        const TCell& cell = *Cells[c][r];
        if (cell.Contents != kind || cell.IsBusy()) break;
        ++count;
    }
    return count;
}

bool TCellBox::WillCreateMatch(int column, int row, int kind) const {
    if (kind <= 0 || !IsInterior(column, row)) return false;
    if (CountRun(column, row, -1, 0, kind) + CountRun(column, row, 1, 0, kind) >= 2) return true;
    return CountRun(column, row, 0, -1, kind) + CountRun(column, row, 0, 1, kind) >= 2;
}

int TCellBox::CollectRun(int column, int row, int dc, int dr, int kind, std::array<TCell*, 32>& out,
                         int count) const {
    for (int c = column, r = row; IsInside(c, r); c += dc, r += dr) {
        TCell* cell = Cells[c][r].get();
        if (cell->Contents != kind) break;
        out[count++] = cell;
    }
    return count;
}

int TCellBox::RemoveMatchCells(int column, int row, int kind) {
    if (kind <= 0 || !IsInterior(column, row)) return 0;
    bool matched = false;
    std::array<TCell*, 32> run{};
    for (int vertical = 0; vertical <= 1; ++vertical) {
        const int dc = vertical ? 0 : 1;
        const int dr = vertical ? 1 : 0;
        int count = CollectRun(column, row, -dc, -dr, kind, run, 0);
        count = CollectRun(column + dc, row + dr, dc, dr, kind, run, count);
        if (count < 3) continue;
        matched = true;
        // A gem already fading out is not cleared (nor scored) a second time.
        for (int i = 0; i < count; ++i) {
            if (run[i]->DestroyAnimation) continue;
            run[i]->StartDestroyAnimation();
            if (GameMode) ++GameMode->Tally.Gems;
        }
    }
    if (!matched) return 1;
    if (GameMode) {
        GameMode->PlayMatchSound();
        GameMode->ShowHelpMessage = 0;
        ++GameMode->BonusCounter;
        GameMode->CheckBonusCounter();
    }
    return 1;
}

void TCellBox::CheckCellsCheck(int column, int row) {
    const int kind = Cells[column][row]->Contents;
    if (WillCreateMatch(column, row, kind)) RemoveMatchCells(column, row, kind);
}

void TCellBox::CheckCells() {
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) {
            const TCell& cell = *Cells[c][r];
            if (cell.Contents != 0 && !cell.IsBusy() && !Layout[c][r].IsChain) CheckCellsCheck(c, r);
        }
}

// ---- hints ----------------------------------------------------------------------------

void TCellBox::CreateHintList(TMatch3HintList& list) {
    list.StartNew();
    for (int c = 0; c < BOARD_COLUMNS; ++c)
        for (int r = 0; r < BOARD_ROWS; ++r) CreateHintListMainCheck(list, c, r);
}

void TCellBox::CreateHintListMainCheck(TMatch3HintList& list, int column, int row) {
    if (Cells[column][row]->Contents == 0) return;
    CreateHintListCheck(list, column, row, column, row - 1);
    CreateHintListCheck(list, column, row, column, row + 1);
    CreateHintListCheck(list, column, row, column - 1, row);
    CreateHintListCheck(list, column, row, column + 1, row);
}

void TCellBox::CreateHintListCheck(TMatch3HintList& list, int c1, int r1, int c2, int r2) {
    if (!IsInside(c1, r1) || !IsInside(c2, r2)) return;
    TCell& first = *Cells[c1][r1];
    TCell& second = *Cells[c2][r2];
    if (second.Contents == 0 || Layout[c1][r1].IsChain || Layout[c2][r2].IsChain) return;
    // Only the kinds are exchanged for the test; the images stay as they are.
    std::swap(first.Contents, second.Contents);
    if (WillCreateMatch(c1, r1, first.Contents)) list.Add(&first, &second);
    if (WillCreateMatch(c2, r2, second.Contents)) list.Add(&first, &second);
    std::swap(first.Contents, second.Contents);
}

// ---- filling ----------------------------------------------------------------------------

int TCellBox::GenerateLevel(int maxAttempts) {
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r) {
                TCell& cell = *Cells[c][r];
                if (Layout[c][r].Contents == FLOOR_NONE || cell.Contents == 0) continue;
                cell.HasSetContents = 1;
                cell.ClearContents();
            }
        for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
            for (int r = 1; r < BOARD_ROWS - 1; ++r) {
                TCell& cell = *Cells[c][r];
                const TLayoutCell& floor = Layout[c][r];
                const bool fill = floor.Contents != FLOOR_NONE && floor.IsFill;
                if (!fill && !cell.HasSetContents) continue;
                int kind = 0;
                do {
                    kind = plat::Rand(1, GEM_KINDS);
                } while (WillCreateMatch(c, r, kind));
                cell.SetContents(kind);
                cell.HasSetContents = 0;
            }
        CreateHintList(OwnHints);
        if (!OwnHints.Items.empty()) return attempt;
    }
    return maxAttempts;
}

void TCellBox::FillLevel(int kind, int includeCreate) {
    for (int c = 1; c < BOARD_COLUMNS - 1; ++c)
        for (int r = 1; r < BOARD_ROWS - 1; ++r) {
            const TLayoutCell& floor = Layout[c][r];
            if (floor.Contents == FLOOR_NONE || !floor.IsFill) continue;
            if (includeCreate != 1 && floor.IsCreate) continue;
            Cells[c][r]->SetContents(kind);
        }
}
