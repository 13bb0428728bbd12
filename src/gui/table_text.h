#pragma once
// Words from the text table set on the game's plates and panels in the
// game's font, in the looks the plates were drawn for: a caption line fitted
// to the room it has, and a screen's heading between its two gold rules.
#include <memory>
#include <string>

#include "gui/sprite.h"
#include "gui/text.h"

struct TTextPlace {
    float x = 0, y = 0;  // the line's anchor (by its alignment) and its middle
    float room = 0;      // the widest it may be
    int alignment = ALIGN_CENTRE;
};

// Cream and the pale gold of the panels' headings.
constexpr TTextLook::TRGB TEXT_CREAM{255, 248, 232};
constexpr TTextLook::TRGB TEXT_GOLD{255, 240, 192};

// The key's text at the size, or smaller to fit the room (gui/button_labels.h),
// in the look filled with the colour, at the current alpha. Answers the width drawn.
float DrawTableText(const std::string& key, int size, const TTextPlace& place, const TTextLook& look,
                    TTextLook::TRGB fill);
// The same for words made up already (a table text with numbers in it).
float DrawFittedText(const std::string& text, int size, const TTextPlace& place, const TTextLook& look,
                     TTextLook::TRGB fill);

// A screen's heading: the key's text in the title look centred on (x, y),
// a gold rule with a diamond either side of it running out to the plate's
// ends, and the sprite's glow over the letters.
class THeader : public TSprite {
public:
    static std::shared_ptr<THeader> Create(const std::string& key, float x, float y);
    void Draw() override;

    std::string Key;

private:
    GameImagePtr rule_, ruleLeft_;
};

// The heading's letters and how far its rules reach either side of its middle.
constexpr int HEADER_TEXT_SIZE = 46;
constexpr float HEADER_HALF_WIDTH = 232;
