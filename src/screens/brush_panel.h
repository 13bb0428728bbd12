#pragma once
// The editor's brush, always in sight: a panel in the dimmed strip left of
// the board with the whole brush as it paints, then a plate for the floor
// kind and one for each of its flags (chain, creation cell, starts with a
// gem), lit while on. A click on a plate switches it as its key does.
#include <array>
#include <string>

class TGameModeEditor;

enum class EBrushPart { Floor, Chain, Create, Gem };
constexpr std::array<EBrushPart, 4> BRUSH_PARTS = {EBrushPart::Floor, EBrushPart::Chain, EBrushPart::Create,
                                                   EBrushPart::Gem};

struct TPlateRect {
    float x = 0, y = 0, w = 0, h = 0;
    bool Holds(float px, float py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// Where the whole panel sits, and the plate of one part within it.
TPlateRect BrushPanelRect();
TPlateRect BrushPlateRect(EBrushPart part);
// The plate's caption as the player reads it ("Marble", "No gem", ...).
std::string BrushPlateCaption(const TGameModeEditor& editor, EBrushPart part);
// The plate shows its part on (the floor plate always is).
bool BrushPlateLit(const TGameModeEditor& editor, EBrushPart part);
// Switches the part of the brush: floor kind, or the flag on and off.
void SwitchBrushPart(TGameModeEditor& editor, EBrushPart part);

// A left click on a plate switches its part; true when one was clicked.
bool ClickBrushPanel(TGameModeEditor& editor);
void DrawBrushPanel(const TGameModeEditor& editor);
