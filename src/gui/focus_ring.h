#pragma once
// The keyboard focus over a screen's (or a dialog's) widgets. Tab and
// Shift+Tab walk them in the order they were added; the arrow keys go to the
// nearest one that way; Return or Space presses the focused one, and Left and
// Right move a focused slider. The focused widget looks hovered and wears an
// outline; moving the mouse hides both until the next key, so the mouse
// works as ever.
#include <functional>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/slider.h"

class TMenu;

struct TFocusBounds {
    float x = 0, y = 0, w = 0, h = 0;
};

// One stop of the focus: where it is, whether it can take the focus now,
// and what its keys do.
struct TFocusItem {
    std::string name;
    std::function<TFocusBounds()> bounds;
    std::function<bool()> usable;
    std::function<void()> press;
    // Left (-1) or Right (1) on the focused widget: true when it took the key.
    std::function<bool(int)> adjust;
    std::function<void(bool)> showFocus;
};

class TFocusRing {
public:
    void Clear();
    void Add(TFocusItem item);
    void AddButton(const ButtonPtr& button);
    // Every button of the menu, in its order.
    void AddMenu(const TMenu& menu);
    void AddSlider(const SliderPtr& slider);

    // Reads the focus keys; true when one was taken. Call before the widgets'
    // own Manage, so a press lands in this update.
    bool Manage();
    // The outline, over everything else of the screen.
    void Draw() const;

    // The focused stop's name as its widget keeps it (menus: in capitals), or empty.
    std::string FocusedName() const;
    bool Shown() const { return shown_; }
    bool Empty() const { return items_.empty(); }
    // Stops taking keys (a dialog above has them) without losing the place.
    bool Paused = false;
    // Up and Down, or Left and Right, belong to a list or grid on the same
    // screen: Tab still walks.
    bool LeaveUpDown = false, LeaveLeftRight = false;
    // The arrows move a cursor elsewhere (a board beside the buttons): one
    // hides the outline, so Return and Space go back to that cursor.
    bool ArrowsHide = false;

private:
    bool Usable(size_t i) const;
    void Show(int index);
    void Hide();
    void Next(int step);
    void Toward(int dx, int dy);
    void FirstUsable();
    bool HideOnMouseMove();
    // An arrow key pressed and not yet read (left for the cursor to read).
    static bool ArrowWaiting();

    std::vector<TFocusItem> items_;
    int focused_ = -1;
    bool shown_ = false;
    int lastMouseX_ = -1, lastMouseY_ = -1;
};
