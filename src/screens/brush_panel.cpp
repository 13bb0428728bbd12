#include "screens/brush_panel.h"

#include "app/game.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/graphics.h"
#include "puzzle/editor_mode.h"
#include "resources/resource_globals.h"

namespace {

constexpr float PANEL_X = 4, PANEL_W = 88;
constexpr float HEADING_Y = 74, PREVIEW_Y = 122;
constexpr float PLATE_TOP = 150, PLATE_H = 84, PLATE_GAP = 8;
constexpr float ICON_DOWN = 30, CAPTION_DOWN = 56;
constexpr float CENTRE_X = PANEL_X + PANEL_W / 2;
constexpr float OFF_ALPHA = 0.45f, PLATE_ALPHA = 0.35f;
constexpr int LIT_RED = 255, LIT_GREEN = 248, LIT_BLUE = 232;
constexpr int PLATE_RED = 200, PLATE_GREEN = 150, PLATE_BLUE = 60;
constexpr int OFF_GREY = 150;

void Outline(const TPlateRect& r) {
    const float right = r.x + r.w - 1, bottom = r.y + r.h - 1;
    plat::DrawLine(r.x, r.y, right, r.y);
    plat::DrawLine(right, r.y, right, bottom);
    plat::DrawLine(right, bottom, r.x, bottom);
    plat::DrawLine(r.x, bottom, r.x, r.y);
}

// The cell as the brush would paint it, at (x, y); only the parts asked for.
void DrawBrushCell(const TGameModeEditor& editor, float x, float y, bool chain, bool create, bool noGem) {
    const TCellBox& box = *editor.CellBox;
    const int cx = static_cast<int>(x), cy = static_cast<int>(y);
    box.DrawLayoutImage(editor.LayoutContents == FLOOR_MARBLE ? box.LayoutMarbleImage : box.LayoutNormalImage, cx, cy);
    if (chain) box.DrawLayoutImage(box.LayoutChainImage, cx, cy);
    if (create) box.DrawCreateMark(cx, cy);
    if (noGem) box.DrawLayoutImage(box.LayoutFillImage, cx, cy);
}

void DrawPlate(const TGameModeEditor& editor, EBrushPart part) {
    const TPlateRect r = BrushPlateRect(part);
    const bool lit = BrushPlateLit(editor, part);
    const auto& mouse = Game().Mouse;
    plat::SetBlend(plat::ALPHABLEND);
    plat::SetAlpha(lit ? PLATE_ALPHA : PLATE_ALPHA / 2);
    plat::SetColor(lit ? PLATE_RED : 0, lit ? PLATE_GREEN : 0, lit ? PLATE_BLUE : 0);
    plat::DrawRect(r.x, r.y, r.w, r.h);
    plat::SetAlpha(1.0f);
    const bool over = r.Holds(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    const int edge = over ? 255 : (lit ? PLATE_GREEN + 60 : OFF_GREY / 2);
    plat::SetColor(edge, edge, over ? 255 : edge * 3 / 4);
    Outline(r);
    plat::SetColor(255, 255, 255);
    plat::SetAlpha(lit ? 1.0f : OFF_ALPHA);
    const float iconY = r.y + ICON_DOWN;
    DrawBrushCell(editor, CENTRE_X, iconY, part == EBrushPart::Chain, part == EBrushPart::Create,
                  part == EBrushPart::Gem && !editor.IsFill);
    plat::SetAlpha(1.0f);
    if (part == EBrushPart::Gem && editor.IsFill && editor.CellBox->GemImages[1])
        editor.CellBox->DrawLayoutImage(editor.CellBox->GemImages[1], static_cast<int>(CENTRE_X), static_cast<int>(iconY));
    if (const auto font = SecondFont()) plat::SetImageFont(font);
    if (lit) {
        plat::SetColor(LIT_RED, LIT_GREEN, LIT_BLUE);
    } else {
        plat::SetColor(OFF_GREY, OFF_GREY, OFF_GREY);
    }
    DrawTextAligned(BrushPlateCaption(editor, part), CENTRE_X, r.y + CAPTION_DOWN, true, ALIGN_CENTRE, true);
    plat::SetColor(255, 255, 255);
}

}  // namespace

TPlateRect BrushPanelRect() {
    const TPlateRect last = BrushPlateRect(BRUSH_PARTS.back());
    return {PANEL_X, HEADING_Y, PANEL_W, last.y + last.h - HEADING_Y};
}

TPlateRect BrushPlateRect(EBrushPart part) {
    const auto index = static_cast<float>(static_cast<int>(part));
    return {PANEL_X, PLATE_TOP + index * (PLATE_H + PLATE_GAP), PANEL_W, PLATE_H};
}

std::string BrushPlateCaption(const TGameModeEditor& editor, EBrushPart part) {
    switch (part) {
        case EBrushPart::Floor:
            return GameText().FindString(editor.LayoutContents == FLOOR_MARBLE ? "Brush Marble" : "Brush Floor");
        case EBrushPart::Chain: return GameText().FindString("Brush Chain");
        case EBrushPart::Create: return GameText().FindString("Brush Create");
        case EBrushPart::Gem: return GameText().FindString(editor.IsFill ? "Brush Gem" : "Brush No Gem");
    }
    return {};
}

bool BrushPlateLit(const TGameModeEditor& editor, EBrushPart part) {
    switch (part) {
        case EBrushPart::Floor: return true;
        case EBrushPart::Chain: return editor.IsChain != 0;
        case EBrushPart::Create: return editor.IsCreate != 0;
        case EBrushPart::Gem: return editor.IsFill != 0;
    }
    return false;
}

void SwitchBrushPart(TGameModeEditor& editor, EBrushPart part) {
    switch (part) {
        case EBrushPart::Floor:
            editor.LayoutContents = editor.LayoutContents == FLOOR_MARBLE ? FLOOR_NORMAL : FLOOR_MARBLE;
            break;
        case EBrushPart::Chain: editor.IsChain = !editor.IsChain; break;
        case EBrushPart::Create: editor.IsCreate = !editor.IsCreate; break;
        case EBrushPart::Gem: editor.IsFill = !editor.IsFill; break;
    }
}

bool ClickBrushPanel(TGameModeEditor& editor) {
    if (PNMouseObject().LeftClick() != 1) return false;
    const auto& mouse = Game().Mouse;
    for (const EBrushPart part : BRUSH_PARTS) {
        if (!BrushPlateRect(part).Holds(static_cast<float>(mouse.x), static_cast<float>(mouse.y))) continue;
        SwitchBrushPart(editor, part);
        return true;
    }
    return false;
}

void DrawBrushPanel(const TGameModeEditor& editor) {
    if (!editor.CellBox) return;
    if (const auto font = SecondFont()) plat::SetImageFont(font);
    plat::SetColor(LIT_RED, LIT_GREEN, LIT_BLUE);
    DrawTextAligned(GameText().FindString("Brush Heading"), CENTRE_X, HEADING_Y, true, ALIGN_CENTRE, true);
    plat::SetColor(255, 255, 255);
    DrawBrushCell(editor, CENTRE_X, PREVIEW_Y, editor.IsChain != 0, editor.IsCreate != 0, !editor.IsFill);
    for (const EBrushPart part : BRUSH_PARTS) DrawPlate(editor, part);
}
