#include "gui/list_box.h"

#include <algorithm>
#include <cmath>

#include "app/anim_timing.h"
#include "app/fixed_rate_logic.h"
#include "app/input_tables.h"
#include "gui/mouse_pointer.h"
#include "gui/text.h"
#include "platform/input.h"

namespace {

// The box a list is drawn in, made on first use.
void PlaceBox(BoxPtr& box, float x, float y, float w, float h) {
    if (!box) box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    box->X = x;
    box->Y = y;
    box->W = w;
    box->H = h;
}

// The text cut short with "..." where it is wider than room in the font (at
// a character's start, so a letter of several bytes stays whole).
std::string FitText(const TFont& font, const std::string& text, float room) {
    if (static_cast<float>(font.TextWidth(text)) <= room) return text;
    std::string cut = text;
    while (!cut.empty()) {
        do {
            cut.pop_back();
        } while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80);
        if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0xC0) cut.pop_back();
        if (static_cast<float>(font.TextWidth(cut + "...")) <= room) return cut + "...";
    }
    return cut;
}

// A line is the font's height plus the gap above and below; with roundHeight
// the box is cut down to whole lines.
int FitLines(const FontPtr& font, int gap, TBox* box, int roundHeight) {
    const float fontHeight = font ? font->CalcHeight() : 0.0f;
    const int lineHeight = static_cast<int>(std::lround(fontHeight)) + 2 * gap;
    if (box && roundHeight && lineHeight > 0) {
        box->H = std::floor(box->H / static_cast<float>(lineHeight)) * static_cast<float>(lineHeight);
    }
    return lineHeight;
}

// What both kinds of list hold and drop when killed.
void ReleaseList(BoxPtr& box, FontPtr& font, std::vector<std::string>& strings, plat::ChannelPtr& clickChannel) {
    if (box) box->Kill();
    if (font) font->Kill();
    box.reset();
    font.reset();
    strings.clear();
    if (clickChannel) plat::StopChannel(*clickChannel);
    clickChannel.reset();
}

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

plat::ChannelPtr OwnChannel() { return plat::AllocChannel(); }

}  // namespace

// ---- TListBox ---------------------------------------------------------------------

std::shared_ptr<TListBox> TListBox::Create(int ignored, int gap, int centred, int drawBox, int doubleClickMs) {
    auto box = std::make_shared<TListBox>();
    box->Init(ignored, gap, centred, drawBox);
    box->Font = TFont::Create(nullptr, TColor::Create(255, 255, 255), nullptr);
    box->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    box->HighlightCol = TColor::Create(0, 0, 150);
    box->DoubleClickTime = AnimTiming().CalcAnimLength(static_cast<float>(doubleClickMs));
    box->UpKeyRepeat = TKeyRepeat::Create(400, 100);
    box->DownKeyRepeat = TKeyRepeat::Create(400, 100);
    box->ClickChannel = OwnChannel();
    box->LastWheel = GameMouse().z;
    return box;
}

void TListBox::Init(int, int gap, int centred, int drawBox) {
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
}

void TListBox::CalcLineHeight() {
    LineHeight = FitLines(Font, Gap, Box.get(), RoundHeight);
    if (!Box || LineHeight <= 0) return;
    DisplayLines = static_cast<int>(std::lround(Box->H / static_cast<float>(LineHeight)));
}

void TListBox::ClearIndex() {
    Index = -1;
    Clicked = -1;
    Value.clear();
}

void TListBox::SetCoords(float x, float y, float w, float h) { PlaceBox(Box, x, y, w, h); }

void TListBox::SetupBox(ColorPtr color) {
    if (Box) Box->Color = std::move(color);
}

void TListBox::SetupFont(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow, ColorPtr inverseColor) {
    if (!inverseColor) inverseColor = TColor::Create(255, 255, 255);
    Font = TFont::Create(std::move(imageFont), std::move(color), std::move(shadow), 0, std::move(inverseColor));
    CalcLineHeight();
}

void TListBox::SetClickSound(GameSoundPtr sound) {
    ClickSound = std::move(sound);
    if (!ScrollBar || !ScrollBar->Menu) return;
    for (const auto& name : {ScrollBar->UpName, ScrollBar->DownName}) {
        if (auto button = ScrollBar->ArrowButton(name)) button->SoundClick2 = ClickSound;
    }
}

void TListBox::PlayClick() {
    if (ClickSound) PlayGuiSound(ClickSound, ClickChannel);
}

int TListBox::GetDoubleClicked() {
    const int line = DoubleClicked;
    DoubleClicked = -1;
    return line;
}

int TListBox::GetIndexY() const {
    return static_cast<int>(std::lround(Box->Y + static_cast<float>(Index - TopIndex) * static_cast<float>(LineHeight) * Scale));
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
    SyncScrollBar();
}

void TListBox::SetTopIndex(int i) {
    TopIndex = std::max(i, 0);
    if (Limit > 0) {
        if (Count() - 1 < TopIndex + Limit) TopIndex = Count() - Limit;
    } else {
        TopIndex = std::min(TopIndex, Count() - 1);
    }
    TopIndex = std::max(TopIndex, 0);
    SyncScrollBar();
}

void TListBox::SyncScrollBar() {
    if (!ScrollBar) return;
    ScrollBar->SliderSetPosition(TopIndex);
    ScrollBar->ValueCalc();
    ScrollBar->DisableButtons();
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
    if (steps == 0 || !Box || Limit <= 0 || Count() <= Limit) return;
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
    if (ScrollBar) {
        ScrollBar->Manage();
        TopIndex = ScrollBar->Value;
    }
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
            DrawTextAligned(Strings[static_cast<size_t>(i)], textX, lineY, shadowed, alignment, true);
            if (selected || locked) Font->Apply();
            lineY += static_cast<float>(LineHeight) * Scale;
        }
        TFont::RestoreScale();
        TextAlpha = 1.0f;
    }
    TColor::Restore();
    if (!HighlightUnder) DrawHighlight();
    if (ScrollBar) ScrollBar->Draw();
}

void TListBox::Kill() {
    ReleaseList(Box, Font, Strings, ClickChannel);
    if (ScrollBar) ScrollBar->Kill();
    ScrollBar.reset();
}

// ---- PNListBox ------------------------------------------------------------------

std::shared_ptr<PNListBox> PNListBox::Create(int ignored, int gap, int centred, int drawBox, int doubleClickMs) {
    auto box = std::make_shared<PNListBox>();
    box->Init(ignored, gap, centred, drawBox);
    box->Font = TFont::Create(nullptr, TColor::Create(255, 255, 255), nullptr);
    box->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    box->DoubleClickTime = AnimTiming().CalcAnimLength(static_cast<float>(doubleClickMs));
    box->ClickChannel = OwnChannel();
    return box;
}

void PNListBox::Init(int, int gap, int centred, int drawBox) {
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
}

void PNListBox::SetupFont(plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow) {
    Font = TFont::Create(std::move(imageFont), std::move(color), std::move(shadow), 0, TColor::Create(255, 255, 255));
    CalcLineHeight();
}

void PNListBox::SetCoords(float x, float y, float w, float h) { PlaceBox(Box, x, y, w, h); }

void PNListBox::SetupBox(ColorPtr color) {
    if (Box) Box->Color = std::move(color);
}

void PNListBox::CalcLineHeight() { LineHeight = FitLines(Font, Gap, Box.get(), RoundHeight); }

void PNListBox::ClearIndex() {
    Index = -1;
    Clicked = -1;
    Value.clear();
}

void PNListBox::SetIndex(int i) {
    if (i < 0 || i >= Count()) {
        ClearIndex();
        return;
    }
    Index = i;
    Value = Strings[static_cast<size_t>(i)];
}

int PNListBox::LastShown() const { return std::min(EndList, Count() - 1); }

int PNListBox::LineAt(int px, int py) const {
    if (!Box || StartList < 0) return -1;
    const int rows = LastShown() - StartList + 1;
    const int row = RowAt(*Box, 1.0f, LineHeight, rows, px, py);
    return row < 0 ? -1 : StartList + row;
}

void PNListBox::Manage() {
    // The double-click window closes after DoubleClickTime updates.
    if (DoubleClickCounter > 0) DoubleClickCounter = std::max(0.0f, DoubleClickCounter - Delta);
    auto& mouse = GameMouse();
    if (!mouse.mh || !Box || !InBox(*Box, 1.0f, mouse.x, mouse.y)) return;
    mouse.GetMh(1);
    const int line = LineAt(mouse.x, mouse.y);
    if (line < 0) return;
    const bool doubleClick = DoubleClickCounter > 0 && line == Index;
    if (doubleClick) {
        DoubleClicked = line;
    } else if (ClickSound) {
        PlayGuiSound(ClickSound, ClickChannel);
    }
    SetIndex(line);
    DoubleClickCounter = DoubleClickTime;
}

void PNListBox::DrawHighlight() {
    if (!Box || Index < StartList || Index > LastShown()) return;
    HighlightCol->Apply();
    plat::DrawRect(Box->X, Box->Y + static_cast<float>((Index - StartList) * LineHeight), Box->W,
                   static_cast<float>(LineHeight));
    TColor::Restore();
}

void PNListBox::Draw() {
    if (!Box) return;
    plat::SetBlend(plat::ALPHABLEND);
    if (DrawBox) Box->Draw();
    if (HighlightUnder) DrawHighlight();
    if (Font) {
        Font->Apply();
        const float textX = std::round(Centred ? Box->X + Box->W / 2.0f : Box->X + static_cast<float>(TextBorder));
        float lineY = std::round(Box->Y + static_cast<float>(Gap));
        TextAlpha = Font->Color ? Font->Color->Alpha : 1.0f;
        if (Font->Shadow) Font->Shadow->ApplyToText();
        for (int i = std::max(StartList, 0); i <= LastShown(); ++i) {
            const std::string& row = Strings[static_cast<size_t>(i)];
            if (Columns.empty() || Centred) {
                DrawTextAligned(row, textX, lineY, Font->Shadow != nullptr, Centred ? ALIGN_CENTRE : ALIGN_LEFT, true);
            } else {
                // Each part keeps clear of the next column.
                constexpr float COLUMN_GAP = 8;
                size_t start = 0;
                for (size_t column = 0; column < Columns.size() && start <= row.size(); ++column) {
                    const size_t end = std::min(row.find('\t', start), row.size());
                    const float right = column + 1 < Columns.size() ? Columns[column + 1] - COLUMN_GAP
                                                                     : Box->W - static_cast<float>(2 * TextBorder);
                    DrawTextAligned(FitText(*Font, row.substr(start, end - start), right - Columns[column]),
                                    textX + Columns[column], lineY, Font->Shadow != nullptr, ALIGN_LEFT, true);
                    start = end + 1;
                }
            }
            lineY += static_cast<float>(LineHeight);
        }
        TextAlpha = 1.0f;
    }
    TColor::Restore();
    if (!HighlightUnder) DrawHighlight();
}

void PNListBox::Kill() {
    ReleaseList(Box, Font, Strings, ClickChannel);
}
