#pragma once
// What the options, help and high-score screens share: the title picture
// behind a dark panel, a glowing header, a menu with the small OK button
// that fades back to the title screen, and Escape leading there too.
#include <string>

#include "app/screen.h"
#include "gui/focus_ring.h"
#include "resources/banks.h"

class TPanelScreen : public TScreen {
public:
    // Offset of the background from the screen centre.
    float x = 0, y = 0;

    void Start() override;
    // The focus keys, then the menu.
    void Logic() override;
    void Kill() override;
    int SetEscDestination() override;

    TFocusRing Focus;

protected:
    // The stops of the keyboard focus, in Tab order: the menu's buttons
    // unless the screen has more to offer.
    virtual void BuildFocus();
    // The background, the panel image, the header (glowing) and the menu
    // with its OK button named "ok"; the music keeps playing through fades.
    void LoadPanel(const std::string& headerKey);
    // The header's glow, once per update.
    void AnimateHeader();
    // A fade-out to the title screen that lets the screen move on.
    void LeaveToTitle();
    // The title picture (solid), then alpha blending.
    void DrawBackground() const;
    // The dark panel centred at (400, centreY).
    void DrawPanel(float centreY) const;
    // A bank image fetched at Load, drawn at (px, py) by its handle.
    static void DrawImage(const GameImagePtr& image, float px, float py);

private:
    GameImagePtr background_;
    GameImagePtr panel_;
};
