#include "gui/list_box.h"

#include <algorithm>
#include <cmath>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"
#include "resources/input_tables.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/input.h"

namespace {

bool InBox(const TBox& box, float scale, int px, int py) {
    const auto fx = static_cast<float>(px);
    const auto fy = static_cast<float>(py);
    return fx >= box.X && fx < box.X + box.W * scale && fy >= box.Y && fy < box.Y + box.H * scale;
}

// Row r under the pointer in a column of rows LineHeight x scale high, or -1.
// A pointer exactly on a boundary between rows hits nothing.
int RowAt(const TBox& box, float scale, int lineHeight, int rows, int px, int py) {
    const auto fx = static_cast<float>(px);
    const auto fy = static_cast<float>(py);
    if (fx < box.X || fx >= box.X + box.W * scale) return -1;
    const float step = static_cast<float>(lineHeight) * scale;
    if (step <= 0) return -1;
    for (int r = 0; r < rows; ++r) {
        const float top = box.Y + static_cast<float>(r) * step;
        if (top < fy && fy < top + step) return r;
    }
    return -1;
}

}  // namespace

std::shared_ptr<TListBox> TListBox::Create(int gap, int centred, int drawBox, int doubleClickMs) {
    auto box = std::make_shared<TListBox>();
    box->Init(gap, centred, drawBox);
    box->Font = TFont::Create(nullptr, TColor::Create(255, 255, 255), nullptr);
    box->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    box->HighlightCol = TColor::Create(0, 0, 150);
    box->DoubleClickTime = AnimTiming().CalcAnimLength(static_cast<float>(doubleClickMs));
    box->UpKeyRepeat = TKeyRepeat::Create(400, 100);
    box->DownKeyRepeat = TKeyRepeat::Create(400, 100);
    box->ClickChannel = plat::AllocChannel();
    box->LastWheel = GameMouse().z;
    return box;
}

void TListBox::Init(int gap, int centred, int drawBox) {
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
}

// A line is the font's height plus the gap above and below; with RoundHeight
// the box is cut down to whole lines.
void TListBox::CalcLineHeight() {
    const float fontHeight = Font ? Font->CalcHeight() : 0.0f;
    LineHeight = static_cast<int>(std::lround(fontHeight)) + 2 * Gap;
    if (!Box || LineHeight <= 0) return;
    if (RoundHeight) Box->H = std::floor(Box->H / static_cast<float>(LineHeight)) * static_cast<float>(LineHeight);
    DisplayLines = static_cast<int>(std::lround(Box->H / static_cast<float>(LineHeight)));
}

void TListBox::ClearIndex() {
    Index = -1;
    Clicked = -1;
    Value.clear();
}

void TListBox::SetCoords(float x, float y, float w, float h) {
    if (!Box) Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    Box->X = x;
    Box->Y = y;
    Box->W = w;
    Box->H = h;
}

void TListBox::SetupBox(ColorPtr color) {
    if (Box) Box->Color = std::move(color);
}

void TListBox::SetupFont(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, ColorPtr inverseColor) {
    if (!inverseColor) inverseColor = TColor::Create(255, 255, 255);
    Font = TFont::Create(std::move(imageFont), std::move(color), std::move(shadow), 0, std::move(inverseColor));
    CalcLineHeight();
}

void TListBox::SetClickSound(GameSoundPtr sound) { ClickSound = std::move(sound); }

void TListBox::PlayClick() {
    if (ClickSound) PlayGuiSound(ClickSound, ClickChannel);
}

int TListBox::GetDoubleClicked() {
    const int line = DoubleClicked;
    DoubleClicked = -1;
    return line;
}

int TListBox::GetTempLimit() const {
    if (Limit > 0 && Count() >= Limit) return std::min(TopIndex + Limit, Count());
    return Count();
}

void TListBox::SetIndex(int i) {
    if (i < 0 || i >= Count()) {
        ClearIndex();
        return;
    }
    Index = i;
    Value = Strings[static_cast<size_t>(i)];
    if (Index < TopIndex) TopIndex = Index;
    if (Limit > 0 && TopIndex < Index - Limit + 1) TopIndex = Index - Limit + 1;
}

void TListBox::SetTopIndex(int i) {
    TopIndex = std::max(i, 0);
    if (Limit > 0) {
        if (Count() - 1 < TopIndex + Limit) TopIndex = Count() - Limit;
    } else {
        TopIndex = std::min(TopIndex, Count() - 1);
    }
    TopIndex = std::max(TopIndex, 0);
}

int TListBox::LineAt(int px, int py) const {
    if (!Box) return -1;
    const int rows = GetTempLimit() - TopIndex;
    const int row = RowAt(*Box, Scale, LineHeight, rows, px, py);
    return row < 0 ? -1 : TopIndex + row;
}

void TListBox::ManageMouse() {
    auto& mouse = GameMouse();
    if (!mouse.mh || !Box || !InBox(*Box, Scale, mouse.x, mouse.y)) return;
    mouse.GetMh(1);
    const int line = LineAt(mouse.x, mouse.y);
    if (line < 0) return;
    const bool doubleClick = DoubleClickCounter > 0 && line == Index;
    if (doubleClick) {
        DoubleClicked = line;
    } else {
        PlayClick();
    }
    SetIndex(line);
    DoubleClickCounter = doubleClick ? 0 : DoubleClickTime;
}

void TListBox::ManageWheel() {
    const int wheel = GameMouse().z;
    const int steps = wheel - LastWheel;
    LastWheel = wheel;
    if (steps == 0 || !WheelScrolls || !Box || Limit <= 0 || Count() <= Limit) return;
    const auto& mouse = GameMouse();
    if (!InBox(*Box, Scale, mouse.x, mouse.y)) return;
    SetTopIndex(TopIndex - steps);
}

void TListBox::ManageKeys() {
    if (!ArrowKeysMoveHighlight || !UpKeyRepeat || !DownKeyRepeat) return;
    if (UpKeyRepeat->GetKey(plat::KEY_UP) && Index > 0) {
        PlayClick();
        SetIndex(Index - 1);
    }
    if (DownKeyRepeat->GetKey(plat::KEY_DOWN) && Index < Count() - 1) {
        PlayClick();
        SetIndex(Index + 1);
    }
}

void TListBox::Manage() {
    ManageWheel();
    ManageMouse();
    ManageKeys();
    if (DoubleClickCounter > 0) DoubleClickCounter = std::max(0.0f, DoubleClickCounter - Delta);
}

bool TListBox::IsLocked(int i) const {
    return i >= 0 && i < static_cast<int>(LockedArray.size()) && LockedArray[static_cast<size_t>(i)] != 0;
}

void TListBox::DrawHighlight() {
    if (!Box || Index < TopIndex || Index >= GetTempLimit()) return;
    HighlightCol->Apply();
    plat::DrawRect(Box->X, Box->Y + static_cast<float>(Index - TopIndex) * static_cast<float>(LineHeight) * Scale,
                   Box->W * Scale, static_cast<float>(LineHeight) * Scale);
    TColor::Restore();
}

std::vector<std::string> TListBox::ShownParts(const std::string& line) const {
    std::vector<std::string> parts;
    constexpr float COLUMN_GAP = 8;
    const float lastRight = (Box ? Box->W : 0.0f) - static_cast<float>(2 * TextBorder);
    size_t start = 0;
    for (size_t column = 0; column < Columns.size() && start <= line.size(); ++column) {
        const size_t end = std::min(line.find('\t', start), line.size());
        const bool last = end == line.size();
        const float right = column + 1 < Columns.size() && !last ? Columns[column + 1] - COLUMN_GAP : lastRight;
        parts.push_back(FitToWidth(line.substr(start, end - start), right - Columns[column], Font.get()));
        start = end + 1;
    }
    return parts;
}

void TListBox::DrawLine(const std::string& line, float x, float y, bool shadowed, int alignment) const {
    if (Columns.empty() || Centred) {
        DrawTextAligned(line, x, y, shadowed, alignment, true);
        return;
    }
    const auto parts = ShownParts(line);
    for (size_t column = 0; column < parts.size(); ++column)
        DrawTextAligned(parts[column], x + Columns[column] * Scale, y, shadowed, ALIGN_LEFT, true);
}

void TListBox::Draw() {
    if (!Box) return;
    plat::SetBlend(plat::ALPHABLEND);
    if (Background && Background->image) {
        plat::DrawImage(*Background->image, Box->X + static_cast<float>(BackgroundOffsetX),
                        Box->Y + static_cast<float>(BackgroundOffsetY));
    }
    if (DrawBox) Box->Draw();
    const float textX = Centred ? Box->X + Scale * Box->W / 2.0f : Box->X + static_cast<float>(TextBorder) * Scale;
    const int alignment = Centred ? ALIGN_CENTRE : ALIGN_LEFT;
    if (HighlightUnder) DrawHighlight();

    if (Font) {
        Font->Apply();
        TFont::ApplyScale(Scale);
        float lineY = Box->Y + Scale * static_cast<float>(Gap + LineYOffset);
        const float fontAlpha = Font->Color ? Font->Color->Alpha : 1.0f;
        for (int i = TopIndex; i < GetTempLimit(); ++i) {
            const bool selected = i == Index;
            const bool locked = IsLocked(i);
            if (selected) Font->ApplyInverse();
            if (locked && LockedColor) LockedColor->ApplyNoAlpha();
            TextAlpha = (locked && LockedColor) ? LockedColor->Alpha : fontAlpha;
            const bool shadowed = Font->Shadow && !(selected && NoShadowOnHighlighted);
            if (shadowed) Font->Shadow->ApplyToText();
            plat::SetAlpha(TextAlpha);
            DrawLine(Strings[static_cast<size_t>(i)], textX, lineY, shadowed, alignment);
            if (selected || locked) Font->Apply();
            lineY += static_cast<float>(LineHeight) * Scale;
        }
        TFont::RestoreScale();
        TextAlpha = 1.0f;
    }
    TColor::Restore();
    if (!HighlightUnder) DrawHighlight();
}

void TListBox::Kill() {
    if (Box) Box->Kill();
    if (Font) Font->Kill();
    Box.reset();
    Font.reset();
    Strings.clear();
    if (ClickChannel) plat::StopChannel(*ClickChannel);
    ClickChannel.reset();
}
