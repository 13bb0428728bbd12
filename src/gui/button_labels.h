#pragma once
// The words on the game's buttons. The art gives the buttons blank faces;
// each face named here gets its label from the text table, set in the
// game's font in the caption look, at the size the face was drawn for, or
// smaller (down to a floor) when the player's language needs more room.
#include <string>

#include "gui/label.h"

struct TButtonLabel {
    const char* image;  // the face's image name, without "On"/"MO"
    const char* key;    // the text table's key
    int size;           // the font size the face was drawn for
    int textLeft;       // 0: centred on the face; else left-aligned this far in
};

// The label of a face (any letter case; "On" faces as their base); null for
// faces without one.
const TButtonLabel* ButtonLabelFor(const std::string& image);

// How much the label's font may shrink to fit: at least this share of its size.
constexpr float LABEL_SMALLEST_SHARE = 0.75f;
// Room left free either side of a centred label on its face.
constexpr int LABEL_SIDE_MARGIN = 8;

// How wide the label may be on a face of the width.
float LabelRoom(const TButtonLabel& label, int faceWidth);

// Sets the label's text in the largest font from size down to the floor at
// which it is at most room wide; past the floor it is scaled down to fit,
// never cut. Answers the font size chosen.
int FitLabel(TLabel& label, const std::string& text, int size, float room);
