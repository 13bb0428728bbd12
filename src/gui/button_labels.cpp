#include "gui/button_labels.h"

#include <algorithm>
#include <cmath>

#include "resources/resource_globals.h"

namespace {

// Sizes as the faces were drawn: half the face's height, at most 26 pixels;
// the check box's label 0.6 of its height, right of the box.
constexpr TButtonLabel LABELS[] = {
    {"play", "Button Play", 26, 0},
    {"help", "Button Help", 26, 0},
    {"options", "Button Options", 26, 0},
    {"highscore", "Button High Scores", 26, 0},
    {"exit", "Button Exit", 26, 0},
    {"continue", "Button Continue", 26, 0},
    {"changeplayer", "Button Change Player", 18, 0},
    {"playsmall", "Button Play", 21, 0},
    {"load", "Button Load", 21, 0},
    {"customsmall", "Button Editor", 21, 0},
    {"backsmall", "Button Back", 21, 0},
    {"standardlevel", "Button Standard Puzzles", 20, 0},
    {"customlevel", "Button My Puzzles", 20, 0},
    {"dailylevel", "Button Daily Puzzle", 20, 0},
    {"menu", "Button Menu", 18, 0},
    {"hint", "Button Hint", 18, 0},
    {"savecustom", "Button Save", 17, 0},
    {"loadcustom", "Button Load", 17, 0},
    {"reset", "Button Clear", 17, 0},
    {"backtomenu", "Button Back to Menu", 17, 0},
    {"undo", "Editor Undo", 18, 0},
    {"redo", "Editor Redo", 18, 0},
    {"mirror", "Editor Mirror", 18, 0},
    {"try", "Editor Try", 18, 0},
    {"backtoeditor", "Back to Editor", 17, 0},
    {"resume", "Button Resume", 17, 0},
    {"restartpuzzle", "Button Restart Puzzle", 17, 0},
    {"shufflepuzzle", "Button Shuffle Gems", 17, 0},
    {"savegame", "Button Save Game", 17, 0},
    {"nextpuzzle", "Button Next Puzzle", 17, 0},
    {"oksmall", "Button OK", 20, 0},
    {"clear", "Button Clear", 20, 0},
    {"stats", "Button Statistics", 20, 0},
    // The same plate while the statistics show: back to the table.
    {"statsback", "Button High Scores", 20, 0},
    {"check", "Button Full Screen", 22, 38},
    {"ok", "Button OK", 18, 0},
    {"yes", "Button Yes", 18, 0},
    {"no", "Button No", 18, 0},
    {"cancel", "Button Cancel", 18, 0},
    {"create", "Button Create", 18, 0},
    {"delete", "Button Delete", 18, 0},
    // The plain small plate, named for what a screen puts on it.
    {"optionscancel", "Button Cancel", 20, 0},
    {"helpkeys", "Help Keys Button", 20, 0},
    {"helprules", "Help Rules Button", 20, 0},
    {"sharecode", "Button Share", 20, 0},
    {"pastecode", "Button Paste", 20, 0},
};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

const TButtonLabel* ButtonLabelFor(const std::string& image) {
    std::string name = Lower(image);
    if (name.size() > 2 && name.ends_with("on")) {
        const std::string base = name.substr(0, name.size() - 2);
        const auto* found = std::find_if(std::begin(LABELS), std::end(LABELS),
                                         [&](const TButtonLabel& label) { return base == label.image; });
        if (found != std::end(LABELS)) return found;
    }
    const auto* found = std::find_if(std::begin(LABELS), std::end(LABELS),
                                     [&](const TButtonLabel& label) { return name == label.image; });
    return found == std::end(LABELS) ? nullptr : found;
}

float LabelRoom(const TButtonLabel& label, int faceWidth) {
    return static_cast<float>(label.textLeft ? faceWidth - label.textLeft - 2 : faceWidth - 2 * LABEL_SIDE_MARGIN);
}

int FitLabel(TLabel& label, const std::string& text, int size, float room) {
    label.Text = text;
    label.Scale = 1.0f;
    const int floor = std::max(1, static_cast<int>(std::ceil(static_cast<float>(size) * LABEL_SMALLEST_SHARE)));
    for (int s = size; s >= floor; --s) {
        label.ImageFont = GameFont(s);
        if (!label.ImageFont || label.CalcWidth() <= room || s == floor) {
            label.CalcHeight();
            label.AutoScale(room);
            return s;
        }
    }
    return size;
}
