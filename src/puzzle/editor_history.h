#pragma once
// The level editor's undo and redo: the whole layout as it was before each
// step (a stroke, a clear, a load), and the layouts undone since, for a
// redo. A layout is small (four flags on 252 cells), so whole copies are
// kept rather than the changes; the oldest step goes once CAPACITY are kept.
#include <cstddef>
#include <deque>

#include "puzzle/layout_check.h"

class TCellBox;

bool SameLayout(const TLayoutGrid& a, const TLayoutGrid& b);
// Lays the grid's floor and flags on the box (the caller refreshes the walls).
void SetLayoutGrid(TCellBox& box, const TLayoutGrid& grid);

class TEditorHistory {
public:
    static constexpr size_t CAPACITY = 200;

    // A step has turned `before` into the layout now in place; what could be
    // redone is gone.
    void Record(const TLayoutGrid& before);
    // Exchanges `layout` (the one in place) for the one a step back or
    // forward; false, with `layout` untouched, when there is none.
    bool Undo(TLayoutGrid& layout);
    bool Redo(TLayoutGrid& layout);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    size_t UndoSteps() const { return undo_.size(); }
    void Drop();

private:
    std::deque<TLayoutGrid> undo_, redo_;
};
