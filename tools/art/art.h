#pragma once
// The parts of the art generator; each writes its PNG/JPEG files into the
// folders it is given (paths end with "/").
#include <cairo.h>

#include <string>

namespace art {

// Gems, floor, overlays and wall tiles into the graphics folder.
void MakeBoardArt(const std::string& graphics);
// Draws gem kind 1..6 centred on (cx, cy) at its board size.
void DrawGemImage(cairo_t* cr, int kind, double cx, double cy);
// Buttons into the menus folder.
void MakeButtons(const std::string& menus);
// Panels, labels, headers, slider, pointer and loading bar into the graphics folder.
void MakePanels(const std::string& graphics);
// Backgrounds and the two sparkles into the archive folder, the particle strip,
// title logo and splash logo into the graphics folder.
void MakeScenes(const std::string& graphics, const std::string& archive);

}  // namespace art
