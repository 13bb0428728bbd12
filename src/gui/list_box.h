#pragma once
// The list box: lines of text in a box, selectable with the mouse and the
// arrow keys, with double clicks, locked lines and a scale. With Limit set it
// shows a window of that many lines from TopIndex, which the wheel or the
// owner moves.
#include <memory>
#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/font.h"
#include "gui/sprite.h"
#include "platform/audio.h"

class TListBox {
public:
    FontPtr Font;
    int DrawBox = 1;
    BoxPtr Box;
    GameImagePtr Background;
    int BackgroundOffsetX = 0, BackgroundOffsetY = 0;
    int TextBorder = 10;
    int Gap = 5;
    int LineYOffset = 0;
    int LineHeight = 0;
    int Centred = 0;
    std::vector<std::string> Strings;
    int Index = -1;
    int TopIndex = 0;
    std::string Value;
    int Clicked = -1;
    ColorPtr HighlightCol = TColor::Create(0, 0, 150);
    int HighlightUnder = 1;
    int DoubleClicked = -1;
    float DoubleClickTime = 100;
    float DoubleClickCounter = 0;
    int Limit = 0;
    int RoundHeight = 1;
    int DisplayLines = 0;
    GameSoundPtr ClickSound;
    plat::ChannelPtr ClickChannel;
    int NoShadowOnHighlighted = 0;
    int ArrowKeysMoveHighlight = 1;
    std::vector<int> LockedArray;
    ColorPtr LockedColor;
    float Scale = 1.0f;
    double OldScale = 0;
    std::shared_ptr<TKeyRepeat> UpKeyRepeat, DownKeyRepeat;
    int WheelScrolls = 1;  // the wheel moves the window of a list longer than Limit
    int LastWheel = 0;     // the pointer's wheel position seen by the previous update
    // Where each tab-separated part of a line starts, right of the text's left
    // edge (unscaled); a part too wide for its column is cut short with "...".
    // Empty: lines are drawn as they are.
    std::vector<float> Columns;

    static std::shared_ptr<TListBox> Create(int gap, int centred, int drawBox, int doubleClickMs);
    void CalcLineHeight();
    void ClearIndex();
    void Draw();
    void DrawHighlight();
    int GetDoubleClicked();
    // One past the last visible line, never past the end of the list.
    int GetTempLimit() const;
    void Init(int gap, int centred, int drawBox);
    void Kill();
    void Manage();
    void PlayClick();
    void SetClickSound(GameSoundPtr sound);
    void SetCoords(float x, float y, float w, float h);
    // A line outside the list clears the selection.
    void SetIndex(int i);
    void SetTopIndex(int i);
    void SetupBox(ColorPtr color);
    void SetupFont(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, ColorPtr inverseColor = nullptr);
    int Count() const { return static_cast<int>(Strings.size()); }
    // The line under the pointer, -1 for none (empty rows, borders, outside).
    int LineAt(int px, int py) const;

    // The parts of a row of columns as they are drawn, each cut short (with
    // "...") where it would reach the next column; the last part of a row
    // with fewer parts than columns runs to the row's end.
    std::vector<std::string> ShownParts(const std::string& line) const;

private:
    void DrawLine(const std::string& line, float x, float y, bool shadowed, int alignment) const;
    void ManageMouse();
    void ManageWheel();
    void ManageKeys();
    bool IsLocked(int i) const;
};
using ListBoxPtr = std::shared_ptr<TListBox>;

// The name the saved-file chooser's list goes by: a list box whose window of
// rows its owner moves.
using PNListBox = TListBox;
using PNListBoxPtr = ListBoxPtr;
