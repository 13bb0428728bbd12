#include "gui/text_input.h"

#include <algorithm>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "resources/input_tables.h"
#include "resources/view_state.h"
#include "gui/text.h"
#include "platform/input.h"
#include "resources/game_text.h"
#include "resources/resource_globals.h"

const std::string NameBannedChars = "\"|*\\/:;~?<>";

namespace {

constexpr int CHAR_BACKSPACE = 8;
constexpr int CHAR_ENTER = 13;
constexpr int CHAR_ESCAPE = 27;
// How long a refusal stays under the line without another key.
constexpr float REFUSAL_MS = 4000;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Keys that type nothing: control codes, not characters a name could hold.
bool IsControl(int ch) { return ch < 32 || (ch >= 127 && ch < 160); }

// "a/b" as "a / b": each sign readable on its own.
std::string SpacedOut(const std::string& signs) {
    std::string out;
    for (const char c : signs) {
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

}  // namespace

bool IsPrintableChar(int ch, bool allowExtended) {
    if (ch >= 32 && ch < 127) return true;
    return allowExtended && ch >= 160 && ch <= 255;
}

std::string TrimBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool IsSafeFileName(const std::string& text) {
    if (text.empty() || text == "." || text == "..") return false;
    if (TrimBlanks(text) != text) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        const int ch = static_cast<unsigned char>(c);
        return IsPrintableChar(ch, true) && NameBannedChars.find(c) == std::string::npos && c != '=';
    });
}

bool IsReservedName(const std::string& text) { return text == "." || text == ".."; }

std::string UppercaseFirst(std::string text) {
    if (text.empty()) return text;
    const int ch = static_cast<unsigned char>(text[0]);
    if (ch >= 'a' && ch <= 'z') text[0] = static_cast<char>(ch - 32);
    // Latin-1 small letters à..þ map 32 down, except the division sign.
    if (ch >= 224 && ch <= 254 && ch != 247) text[0] = static_cast<char>(ch - 32);
    return text;
}

// ---- TTextInput ---------------------------------------------------------------

void TTextInput::Init(plat::ImageFontPtr font, const std::string& text, int x, int y) {
    Font = std::move(font);
    Text = text;
    CurrentChar = static_cast<int>(Text.size()) + 1;
    X = x;
    Y = y;
    TextCol = TColor::Create(255, 255, 255);
    DotCol = TColor::Create(150, 150, 150);
    CursorCol = TColor::Create(0, 255, 255);
    SetCursorFlashSpeed(250);
    Reset();
}

void TTextInput::Reset() {
    Active = 1;
    Done = 0;
    ViewState().BlockKeys = 1;
    FlushKeys();
}

void TTextInput::SetCursorFlashSpeed(int ms) {
    CursorFlashSpeed = static_cast<int>(AnimTiming().CalcAnimLength(static_cast<float>(ms)));
}

void TTextInput::Finish() {
    Active = 0;
    Done = 1;
    ViewState().BlockKeys = 0;
    FlushInput();
}

int TTextInput::GetWidth(const std::string& s) const {
    const std::string all = Text + s;
    if (Font) return plat::FontTextWidth(*Font, all);
    return plat::TextWidth(all);
}

bool TTextInput::Shows(int ch) const {
    return !Font || ch == ' ' || plat::FontTextWidth(*Font, std::string(1, static_cast<char>(ch))) > 0;
}

ERefusal TTextInput::RefusalOf(int ch) const {
    if (ch < 256 && BannedChars.find(static_cast<char>(ch)) != std::string::npos) return ERefusal::Sign;
    if (NumbersOnly && (ch < '0' || ch > '9')) return ERefusal::Digit;
    if (!IsPrintableChar(ch, AllowExtendedChars != 0) || !Shows(ch)) return ERefusal::Letter;
    if (NoLeadingBlanks && Text.empty() && IsBlank(static_cast<char>(ch))) return ERefusal::Blank;
    if (MaxLength < CurrentChar) return ERefusal::Length;
    if (MaxPixelWidth > 0 && GetWidth(std::string(1, static_cast<char>(ch))) > MaxPixelWidth) return ERefusal::Length;
    return ERefusal::None;
}

void TTextInput::Refuse(ERefusal why) {
    Refusal = why;
    RefusalTicks = AnimTiming().CalcAnimLength(REFUSAL_MS);
}

std::string TTextInput::RefusalText() const {
    const TGameText& text = GameText();
    switch (Refusal) {
        case ERefusal::None: return {};
        case ERefusal::Sign: return text.FindString("Name Refused Sign") + SpacedOut(BannedChars);
        case ERefusal::Letter: return text.FindString("Name Refused Letter");
        case ERefusal::Blank: return text.FindString("Name Refused Blank");
        case ERefusal::Length: return text.FindString("Name Refused Length", std::to_string(MaxLength));
        case ERefusal::Digit: return text.FindString("Name Refused Digit");
        case ERefusal::Empty: return text.FindString("Name Refused Empty");
    }
    return {};
}

void TTextInput::Append(int ch) {
    if (IsControl(ch)) return;
    if (const ERefusal why = RefusalOf(ch); why != ERefusal::None) {
        Refuse(why);
        return;
    }
    Text += static_cast<char>(ch);
    CurrentChar = static_cast<int>(Text.size()) + 1;
    // A refused character stays told for its time, so that it shows even
    // when typed fast between others; a line no longer empty needs no word.
    if (Refusal == ERefusal::Empty) Refusal = ERefusal::None;
}

int TTextInput::TypeChar(int ch) {
    if (ch == CHAR_BACKSPACE) {
        if (!Text.empty()) Text.pop_back();
        CurrentChar = static_cast<int>(Text.size()) + 1;
        // Room made: the limit no longer matters.
        if (Refusal == ERefusal::Length) Refusal = ERefusal::None;
        return 0;
    }
    if (ch == CHAR_ENTER) {
        if (!AllowNull && Text.empty()) {
            Refuse(ERefusal::Empty);
            return 0;
        }
        Finish();
        return 1;
    }
    if (ch == CHAR_ESCAPE) {
        if (!AllowEscToAbort) return 0;
        Text.clear();
        CurrentChar = 1;
        Finish();
        return -1;
    }
    Append(ch);
    return 0;
}

int TTextInput::Manage() {
    if (!Active) return 0;
    // Everything typed since the last update, so that pasted or fast text
    // is in place before Enter is seen.
    while (const int ch = GetChar()) {
        if (const int result = TypeChar(ch)) return result;
    }
    Tick();
    return 0;
}

void TTextInput::Tick() {
    if (RefusalTicks > 0) {
        RefusalTicks -= Delta;
        if (RefusalTicks <= 0) Refusal = ERefusal::None;
    }
    CursorFlashCounter += Delta;
    if (CursorFlashCounter >= static_cast<float>(CursorFlashSpeed)) {
        CursorOn = CursorOn ? 0 : 1;
        CursorFlashCounter = 0;
    }
}

void TTextInput::Draw() {
    if (!Active) return;
    if (Font) plat::SetImageFont(Font);
    plat::SetBlend(plat::ALPHABLEND);
    const float x = static_cast<float>(X);
    const float y = static_cast<float>(Y);
    TextCol->Apply();
    TextAlpha = TextCol->Alpha;
    if (TextShadow) {
        TextShadow->ApplyToText();
        DrawTextWithShadow(x, y, Text);
    } else {
        plat::DrawText(Text, x, y);
    }
    std::string drawn = Text;
    const int length = static_cast<int>(Text.size());
    if (DrawUnderscore && length < MaxLength) {
        if (CursorOn) {
            CursorCol->Apply();
            plat::DrawText("_", x + static_cast<float>(plat::TextWidth(drawn)), y);
        }
        drawn += "_";
    }
    if (DrawDots) {
        const int dots = MaxLength - static_cast<int>(drawn.size());
        if (dots > 0) {
            DotCol->Apply();
            plat::DrawText(std::string(static_cast<size_t>(dots), '.'), x + static_cast<float>(plat::TextWidth(drawn)), y);
        }
    }
    TextAlpha = 1.0f;
    TColor::Restore();
}
