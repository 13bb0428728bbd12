#pragma once
// A possible move: two neighbouring cells whose swap makes a run.
#include <vector>

class TCell;

class TMatch3Hint {
public:
    // Non-owning: the cells belong to the board the list was built from, and
    // every list is rebuilt or dropped whenever that board is replaced.
    TCell* FirstCell = nullptr;
    TCell* SecondCell = nullptr;

};

// A hint list that may also be "none" (while the board is still settling).
// Kept as one reused vector so that rebuilding it every tick allocates nothing.
class TMatch3HintList {
public:
    std::vector<TMatch3Hint> Items;
    bool Exists = false;

    void StartNew() {
        Items.clear();
        Exists = true;
    }
    void SetNone() {
        Items.clear();
        Exists = false;
    }
    bool IsEmptyList() const { return Exists && Items.empty(); }
    void Add(TCell* first, TCell* second) { Items.push_back(TMatch3Hint{first, second}); }
};
