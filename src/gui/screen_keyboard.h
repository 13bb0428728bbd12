#pragma once
// A keyboard drawn on the screen, for typing a name with a pad: digits, the
// letters of the language shown (its own accented letters come from the
// text table's "Keyboard Letters"), a few signs, and Shift, Space, Delete and
// OK, in a grid at the foot of the screen. The arrows (d-pad, stick) move
// the highlight and wrap at the edges; Return (A) presses the key; Escape
// (B) deletes a character, or closes the keyboard when the line is empty;
// Delete (Y) deletes; a pad's X is Shift; Start is OK. Keys can be clicked.
#include <string>
#include <vector>

class TScreenKeyboard {
public:
    enum class EAction { None, Type, Erase, Done, Close };

    // The keys for the letters of the language (Latin-1 codes, lower case).
    void Build(const std::string& extraLetters);
    // Reads this update's keys and clicks: what the player did. For Type,
    // Typed() is the character (upper case while Shift is on).
    EAction Manage(bool lineEmpty);
    int Typed() const { return typed_; }
    void Draw() const;
    // The top edge of the keyboard's plate: a dialog keeps above it.
    float Top() const;
    float PlateHeight() const;

    bool Shown = false;
    bool Shifted = false;
    // The index of the key highlighted.
    size_t Highlight = 0;

    struct TKey {
        int ch = 0;  // the character typed, or one of the special keys below
        int column = 0, row = 0, span = 1;
    };
    static constexpr int KEY_SHIFT = -1, KEY_SPACE = -2, KEY_ERASE = -3, KEY_OK = -4;
    const std::vector<TKey>& Keys() const { return keys_; }
    // Moves the highlight a key that way, round to the far side at an edge.
    void Move(int dx, int dy);

private:
    EAction Press(const TKey& key);
    std::string Label(const TKey& key) const;
    int KeyAtPointer() const;

    std::vector<TKey> keys_;
    int rows_ = 0;
    int typed_ = 0;
};
