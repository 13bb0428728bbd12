#pragma once
// List boxes: TListBox shows lines of text in a box, selectable with the
// mouse, the wheel and the arrow keys, with double clicks, locked lines, an
// optional scroll bar and a scale; PNListBox is the small list whose owner
// moves its window of lines.
#include <memory>
#include <string>
#include <vector>

#include "gui/font.h"
#include "gui/scroll_bar.h"
#include "gui/sprite.h"
#include "platform/audio.h"

#include "gui/button.h"

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
    ScrollBarPtr ScrollBar;
    float Scale = 1.0f;
    double OldScale = 0;
    std::shared_ptr<TKeyRepeat> UpKeyRepeat, DownKeyRepeat;
    int LastWheel = 0;  // the pointer's wheel position seen by the previous update

    static std::shared_ptr<TListBox> Create(int ignored, int gap, int centred, int drawBox, int doubleClickMs);
    void CalcLineHeight();
    void ClearIndex();
    void Draw();
    void DrawHighlight();
    int GetDoubleClicked();
    int GetIndexY() const;
    // One past the last visible line, never past the end of the list.
    int GetTempLimit() const;
    void Init(int ignored, int gap, int centred, int drawBox);
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

private:
    void ManageMouse();
    void ManageWheel();
    void ManageKeys();
    void SyncScrollBar();
    bool IsLocked(int i) const;
};
using ListBoxPtr = std::shared_ptr<TListBox>;

class PNListBox {
public:
    static constexpr int LastItemInList = -1;

    FontPtr Font;
    int DrawBox = 1;
    BoxPtr Box;
    int TextBorder = 10;
    int Gap = 5;
    int LineHeight = 0;
    int Centred = 0;
    std::vector<std::string> Strings;
    int Index = -1;
    std::string Value;
    int Clicked = -1;
    ColorPtr HighlightCol = TColor::Create(0, 0, 150);
    int HighlightUnder = 1;
    int DoubleClicked = -1;
    float DoubleClickTime = 500;
    float DoubleClickCounter = 0;
    int RoundHeight = 1;
    GameSoundPtr ClickSound;
    plat::ChannelPtr ClickChannel;
    int StartList = 0;
    int EndList = 7;
    // Where each tab-separated part of a row starts, right of the text's left
    // edge; empty: rows are drawn as they are.
    std::vector<float> Columns;

    static std::shared_ptr<PNListBox> Create(int ignored, int gap, int centred, int drawBox, int doubleClickMs);
    void Init(int ignored, int gap, int centred, int drawBox);
    void SetupFont(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow);
    void SetCoords(float x, float y, float w, float h);
    void SetupBox(ColorPtr color);
    void CalcLineHeight();
    void ClearIndex();
    void SetIndex(int i);
    void Manage();
    void Draw();
    void DrawHighlight();
    void Kill();
    int Count() const { return static_cast<int>(Strings.size()); }
    // Last line of the window that exists in the list.
    int LastShown() const;
    int LineAt(int px, int py) const;
};
using PNListBoxPtr = std::shared_ptr<PNListBox>;
