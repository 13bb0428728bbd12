#include "gui/screen_keyboard.h"

#include <algorithm>

#include "gui/font.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/gamepad.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "resources/input_tables.h"
#include "resources/resource_globals.h"
#include "resources/view_state.h"

namespace {

constexpr int COLUMNS = 12;
constexpr float KEY_W = 52, KEY_H = 34, GAP = 4, MARGIN = 8;
constexpr int MAX_ROWS = 7;
// Room under the plate for the line a screen keeps at its foot (the version).
constexpr float FOOT = 28;
// The signs a name may well hold; the field refuses any it does not take.
constexpr const char* SIGNS = "-._'";
// Spans of the last row: Shift, Space, Delete, OK.
constexpr int SHIFT_SPAN = 3, SPACE_SPAN = 4, ERASE_SPAN = 3, OK_SPAN = 2;

float Left() { return (static_cast<float>(ScreenWidth) - COLUMNS * (KEY_W + GAP) + GAP) / 2; }

// Latin-1 upper case: a-z, and à..þ but for ÷; ß and ÿ have none here.
int Upper(int ch) {
    if (ch >= 'a' && ch <= 'z') return ch - 32;
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return ch - 32;
    return ch;
}

struct TBounds {
    float x, y, w, h;
};

TBounds BoundsOf(const TScreenKeyboard::TKey& key, float top) {
    return {Left() + static_cast<float>(key.column) * (KEY_W + GAP), top + MARGIN + static_cast<float>(key.row) * (KEY_H + GAP),
            static_cast<float>(key.span) * (KEY_W + GAP) - GAP, KEY_H};
}

}  // namespace

float TScreenKeyboard::PlateHeight() const {
    return static_cast<float>(rows_) * (KEY_H + GAP) - GAP + 2 * MARGIN;
}

float TScreenKeyboard::Top() const {
    return static_cast<float>(ScreenHeight) - FOOT - PlateHeight();
}

void TScreenKeyboard::Build(const std::string& extraLetters) {
    std::string chars = "1234567890abcdefghijklmnopqrstuvwxyz";
    for (const char c : extraLetters)
        if (static_cast<unsigned char>(c) > ' ' && chars.find(c) == std::string::npos) chars += c;
    chars += SIGNS;
    keys_.clear();
    int index = 0;
    for (const char c : chars) {
        // The digits have a row of their own.
        const int at = index < 10 ? index : index - 10 + COLUMNS;
        keys_.push_back({static_cast<unsigned char>(c), at % COLUMNS, at / COLUMNS, 1});
        ++index;
    }
    const int lastRow = std::min(keys_.back().row + 1, MAX_ROWS - 1);
    int column = 0;
    for (const auto& [ch, span] : {std::pair{KEY_SHIFT, SHIFT_SPAN}, std::pair{KEY_SPACE, SPACE_SPAN},
                                   std::pair{KEY_ERASE, ERASE_SPAN}, std::pair{KEY_OK, OK_SPAN}}) {
        keys_.push_back({ch, column, lastRow, span});
        column += span;
    }
    rows_ = lastRow + 1;
    Highlight = std::min(Highlight, keys_.size() - 1);
}

void TScreenKeyboard::Move(int dx, int dy) {
    if (keys_.empty()) return;
    const TKey& from = keys_[Highlight];
    if (dx != 0) {
        std::vector<size_t> row;
        for (size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i].row == from.row) row.push_back(i);
        const auto at = std::find(row.begin(), row.end(), Highlight) - row.begin();
        const auto count = static_cast<long>(row.size());
        Highlight = row[static_cast<size_t>(((at + dx) % count + count) % count)];
        return;
    }
    // Up or down: the key of the next row under the middle of this one, or
    // the row's last key when the row is short.
    const int targetRow = ((from.row + dy) % rows_ + rows_) % rows_;
    const int middle = from.column + (from.span - 1) / 2;
    size_t best = Highlight;
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i].row != targetRow) continue;
        best = i;
        if (keys_[i].column + keys_[i].span > middle) break;
    }
    Highlight = best;
}

TScreenKeyboard::EAction TScreenKeyboard::Press(const TKey& key) {
    switch (key.ch) {
        case KEY_SHIFT: Shifted = !Shifted; return EAction::None;
        case KEY_SPACE: typed_ = ' '; return EAction::Type;
        case KEY_ERASE: return EAction::Erase;
        case KEY_OK: return EAction::Done;
        default: typed_ = Shifted ? Upper(key.ch) : key.ch; return EAction::Type;
    }
}

int TScreenKeyboard::KeyAtPointer() const {
    const auto& mouse = GameMouse();
    const auto mx = static_cast<float>(mouse.x), my = static_cast<float>(mouse.y);
    for (size_t i = 0; i < keys_.size(); ++i) {
        const TBounds b = BoundsOf(keys_[i], Top());
        if (mx >= b.x && mx < b.x + b.w && my >= b.y && my < b.y + b.h) return static_cast<int>(i);
    }
    return -1;
}

TScreenKeyboard::EAction TScreenKeyboard::Manage(bool lineEmpty) {
    if (!Shown || keys_.empty()) return EAction::None;
    // Every key is read, so none is left over for the dialog under the keys.
    const int dx = KeyHit(plat::KEY_RIGHT) - KeyHit(plat::KEY_LEFT);
    const int dy = KeyHit(plat::KEY_DOWN) - KeyHit(plat::KEY_UP);
    // A pad's X is Shift; the letter H typed on a keyboard is only a letter.
    const bool shift = KeyHit('H') && plat::PadInUse() != plat::PadKind::None;
    const bool done = KeyHit(plat::KEY_PAD_START), erase = KeyHit(plat::KEY_DELETE);
    const bool escape = KeyHit(plat::KEY_ESCAPE), enter = KeyHit(plat::KEY_ENTER);
    if (dx != 0) Move(dx, 0);
    if (dy != 0) Move(0, dy);
    if (shift) Shifted = !Shifted;
    if (done) return EAction::Done;
    if (erase) return EAction::Erase;
    if (escape) return lineEmpty ? EAction::Close : EAction::Erase;
    if (GameMouse().mh > 0) {
        if (const int at = KeyAtPointer(); at >= 0) {
            GameMouse().GetMh(1);
            Highlight = static_cast<size_t>(at);
            return Press(keys_[Highlight]);
        }
    }
    return enter ? Press(keys_[Highlight]) : EAction::None;
}

std::string TScreenKeyboard::Label(const TKey& key) const {
    switch (key.ch) {
        case KEY_SHIFT: return GameText().FindString("Keyboard Shift");
        case KEY_SPACE: return GameText().FindString("Keyboard Space");
        case KEY_ERASE: return GameText().FindString("Keyboard Delete");
        case KEY_OK: return GameText().FindString("Keyboard OK");
        default: return std::string(1, static_cast<char>(Shifted ? Upper(key.ch) : key.ch));
    }
}

void TScreenKeyboard::Draw() const {
    if (!Shown) return;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetScale(1.0f, 1.0f);
    const float plateW = COLUMNS * (KEY_W + GAP) - GAP + 2 * MARGIN;
    plat::SetColor(12, 16, 34);
    plat::SetAlpha(0.85f);
    plat::DrawRect(Left() - MARGIN, Top(), plateW, PlateHeight());
    const auto font = DialogFont();
    if (font) plat::SetImageFont(font);
    const float textH = font ? static_cast<float>(plat::FontHeight(*font)) : 0.0f;
    for (size_t i = 0; i < keys_.size(); ++i) {
        const TBounds b = BoundsOf(keys_[i], Top());
        const bool lit = i == Highlight || (keys_[i].ch == KEY_SHIFT && Shifted);
        if (i == Highlight) {
            plat::SetColor(255, 236, 140);
            plat::SetAlpha(1.0f);
            plat::DrawRect(b.x - 2, b.y - 2, b.w + 4, b.h + 4);
        }
        plat::SetColor(lit ? 70 : 40, lit ? 110 : 52, lit ? 190 : 90);
        plat::SetAlpha(0.95f);
        plat::DrawRect(b.x, b.y, b.w, b.h);
        plat::SetColor(255, 255, 255);
        plat::SetAlpha(1.0f);
        DrawTextAligned(Label(keys_[i]), b.x + b.w / 2, b.y + (b.h - textH) / 2, true, ALIGN_CENTRE, true);
    }
    plat::SetColor(255, 255, 255);
}
