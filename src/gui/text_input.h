#pragma once
// The one-line text editor of the text dialogs, with a flashing caret,
// length limits, banned characters and the rules that keep a typed name safe
// as a file name.
#include <string>

#include "gui/sprite.h"
#include "platform/graphics.h"

// The eleven characters the player manager refuses in names.
extern const std::string NameBannedChars;

// A character the fonts can draw and a file system accepts: 32..126, and
// 160..255 when extended characters are allowed (127..159 are control codes).
bool IsPrintableChar(int ch, bool allowExtended);
// Leading and trailing blanks removed.
std::string TrimBlanks(const std::string& text);
// True when text can be used as a file name on every system the game runs on:
// not empty, not "." or "..", printable (extended allowed), no path separator,
// none of NameBannedChars, no "=", no leading or trailing blank.
bool IsSafeFileName(const std::string& text);
// Upper-cases the first character (ASCII and the Latin-1 small letters).
std::string UppercaseFirst(std::string text);
// "." and "..": safe in every other way, but the file system's own.
bool IsReservedName(const std::string& text);

// Why the editor refused the last key: a sign it never takes, a character
// its font cannot show (or beyond Latin-1), a blank to begin with, one past
// the length limit, a non-digit in a number, Enter on an empty line.
enum class ERefusal { None, Sign, Letter, Blank, Length, Digit, Empty };

class TTextInput {
public:
    std::string Text;
    int MaxLength = 10;
    int MaxPixelWidth = 0;
    int CurrentChar = 1;  // length + 1
    int Active = 0;
    int Done = 0;
    int X = 0, Y = 0;
    ColorPtr TextCol = TColor::Create(255, 255, 255);
    ShadowPtr TextShadow = TShadow::Create(1, 1, 0.5f);
    ColorPtr DotCol;
    ColorPtr CursorCol;
    plat::ImageFontPtr Font;
    int DrawDots = 0;
    int DrawUnderscore = 1;
    float CursorFlashCounter = 0;
    int CursorFlashSpeed = 50;
    int CursorOn = 1;
    int AllowEscToAbort = 1;
    int AllowNull = 1;
    std::string BannedChars;
    int AllowExtendedChars = 0;
    int NumbersOnly = 0;
    // For answers that lose their leading blanks anyway: a blank typed into
    // the empty line is refused, so it takes no room and nothing unseen is held.
    int NoLeadingBlanks = 0;
    // The last refusal, shown under the line for a few seconds, or until it
    // no longer matters (room made, the line no longer empty).
    ERefusal Refusal = ERefusal::None;
    float RefusalTicks = 0;

    void Init(plat::ImageFontPtr font, const std::string& text, int x, int y);
    void Reset();
    void SetCursorFlashSpeed(int ms);
    // One update over the characters typed since the last: 0 editing,
    // 1 finished with Enter, -1 aborted with Escape.
    int Manage();
    // One character as if typed (backspace, Enter and Escape as in Manage).
    int Type(int ch) { return TypeChar(ch); }
    // The caret's flashing and the refusal's time, once per update.
    void Tick();
    void Finish();
    // Width of Text + s in the editor's font.
    int GetWidth(const std::string& s) const;
    void Draw();
    void Refuse(ERefusal why);
    // The line that tells the player what the field takes, for the refusal
    // shown; empty when there is none.
    std::string RefusalText() const;

private:
    ERefusal RefusalOf(int ch) const;
    // Whether the font has a picture for ch (always, without a font of its own).
    bool Shows(int ch) const;
    void Append(int ch);
    // One typed character: 1 Enter, -1 Escape, else 0.
    int TypeChar(int ch);
};
