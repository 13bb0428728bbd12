#pragma once
// A one-line hint about the keys, shown at the foot of a screen the first
// time the player reaches for the keyboard or a pad there, and fading after a
// few seconds. Once per screen and run: a player who has seen it knows.
#include <cstdint>
#include <string>

class TKeyHint {
public:
    static constexpr uint32_t SHOW_MS = 6000, FADE_MS = 800;

    // Shows the text from now, unless it was shown already.
    void Offer(const std::string& text);
    // Draws it centred on the line at y while it lasts.
    void Draw(float y) const;
    bool Showing() const;
    bool Offered() const { return offered_; }

private:
    std::string text_;
    uint32_t since_ = 0;
    bool offered_ = false;
};
