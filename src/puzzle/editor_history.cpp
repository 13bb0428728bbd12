#include "puzzle/editor_history.h"

#include "puzzle/cell_box.h"

bool SameLayout(const TLayoutGrid& a, const TLayoutGrid& b) {
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row) {
            const TLayoutFlags& x = a[column][row];
            const TLayoutFlags& y = b[column][row];
            if (x.Contents != y.Contents || x.IsChain != y.IsChain || x.IsCreate != y.IsCreate ||
                x.IsFill != y.IsFill)
                return false;
        }
    return true;
}

void SetLayoutGrid(TCellBox& box, const TLayoutGrid& grid) {
    for (int column = 0; column < BOARD_COLUMNS; ++column)
        for (int row = 0; row < BOARD_ROWS; ++row) {
            TLayoutCell& cell = box.Layout[column][row];
            const TLayoutFlags& flags = grid[column][row];
            cell.Contents = flags.Contents;
            cell.IsChain = flags.IsChain;
            cell.IsCreate = flags.IsCreate;
            cell.IsFill = flags.IsFill;
        }
}

void TEditorHistory::Record(const TLayoutGrid& before) {
    undo_.push_back(before);
    if (undo_.size() > CAPACITY) undo_.pop_front();
    redo_.clear();
}

bool TEditorHistory::Undo(TLayoutGrid& layout) {
    if (undo_.empty()) return false;
    redo_.push_back(layout);
    layout = undo_.back();
    undo_.pop_back();
    return true;
}

bool TEditorHistory::Redo(TLayoutGrid& layout) {
    if (redo_.empty()) return false;
    undo_.push_back(layout);
    layout = redo_.back();
    redo_.pop_back();
    return true;
}

void TEditorHistory::Drop() {
    undo_.clear();
    redo_.clear();
}
