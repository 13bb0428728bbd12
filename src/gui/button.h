#pragma once
// A sprite the mouse can hover and click: normal, mouse-over, pressed and
// disabled images, hover and click sounds, glow or growth while hovered, an
// optional caption, Enter/Space for the OK button, and auto-repeat while the
// mouse button is held. Button images are top-left handled.
#include <functional>
#include <memory>
#include <string>

#include "gui/button_labels.h"
#include "gui/label.h"
#include "gui/sprite.h"
#include "platform/audio.h"

// Turns a held key into repeated presses: one at the press, one after the
// initial delay, then one every delay (both in ms).
class TKeyRepeat {
public:
    int InitialDelayLength = 0;
    float InitialDelayCounter = 0;
    int DelayLength = 0;
    int DelayCounter = 0;
    int LastState = 0;

    static std::shared_ptr<TKeyRepeat> Create(int initialDelay, int delay);
    // One call per update: 1 on a press or a repeat, else 0.
    int GetKey(int key);
    void ClearDelays();

protected:
    // The shared timing: 1 for the first press, 2 for a repeat, 0 otherwise.
    int Step(bool down);
};

// A button or menu sound by name: the sound bank's entry when it has one
// (names are case-insensitive), else SoundPath + name + ".wav". Empty: none.
GameSoundPtr GuiSound(const std::string& name);
// Plays a widget sound, centred: on a channel of the application's pool when
// there is one, else on the widget's own channel (allocated on first use).
void PlayGuiSound(const GameSoundPtr& sound, plat::ChannelPtr& channel);

// How much the menu buttons of the full screens grow under the pointer.
constexpr float BUTTON_GROWTH = 1.15f;

class TButton;
using ButtonPtr = std::shared_ptr<TButton>;

class TButton : public TSprite {
public:
    GameImagePtr ImageDisabled;
    GameImagePtr ImageMouseClick;
    GameImagePtr ImageMouseOver;
    GameSoundPtr SoundMouseOver;
    GameSoundPtr SoundClick;
    GameSoundPtr SoundClick2;
    LabelPtr Caption;
    // A label from the text table (gui/button_labels.h), its text following
    // the table's language; SetupCaption drops it.
    const TButtonLabel* TableLabel = nullptr;
    ColorPtr CaptionDisabledColor;
    int Active = 1;
    int AlwaysDraw = 0;
    int Animated = 0;
    int ClickDisabled = 1;
    int ClickWhenDown = 0;
    int Disabled = 0;
    int OKButton = 0;
    int OKButtonUseSpace = 1;
    int UseMenuPath = 0;
    // When set and non-zero, the pointer counts as not over the button.
    std::function<int()> MouseOverUserFunction;
    int Clicked = 0;
    int MouseOver = 0;
    // Holds the keyboard focus: looks hovered, though the pointer is elsewhere.
    int Focused = 0;
    // A press from the keyboard focus, taken as a click at the next Manage.
    int KeyPress = 0;
    int AutoGlowOnMO = 0;
    ColorPtr CaptionDownColor;
    float CaptionDownScale = 1.0f;
    float CaptionDownOffsetX = 0, CaptionDownOffsetY = 0;
    plat::ChannelPtr ChannelMouseOver, ChannelClick;
    int FixedGlowOnMO = 0;
    int FixedGlowOnMOUseMO = 0;
    float MouseClickCounter = 0;
    float MouseClickDuration = 0;
    int NoSound = 0;
    int OldRoundedCoords = 0;
    float ScaleOnMOMax = 1.0f;
    float ScaleOnMO = 1.0f;
    float ScaleOnMOUpSpeed = 0.03f;
    float ScaleOnMODownSpeed = 0.01f;

    void ClearClick();
    // 1 when the click was accepted (not while the click image shows, unless ClickWhenDown).
    int Click(int isRepeat);
    void DrawCaption();
    void FixedGlowOnMOActivate();
    std::string GetPath() const;
    void Load(const std::string& image, const std::string& moImage, const std::string& soundMO,
              const std::string& soundClick, int frameW = 0, int frameH = 0, int frames = 1);
    // The normal image is required (fatal when missing); a missing mouse-over
    // image falls back to the normal one.
    void LoadImages(const std::string& image, const std::string& moImage, int frameW = 0, int frameH = 0,
                    int frames = 1);
    void Manage();
    void ManageNoSound();
    void ManageScaleOnMO();
    void MoveBy(float dx, float dy);
    void MoveTo(float nx, float ny);
    void PlayClick();
    void PlayClick2();
    void PlayMouseOver();
    void Precache();
    void SetupCaption(const std::string& text, plat::ImageFontPtr imageFont, ColorPtr color, ShadowPtr shadow,
                      ColorPtr inverseColor);
    // The face's label from the text table, when it has one (no caption yet).
    void SetupTableCaption(const std::string& image);
    // Brings a table caption up to the table's language and onto the face.
    void RefreshTableCaption();
    void SetupScaleOnMO(float max, float upSpeed, float downSpeed);
    void SimulateClick();

    void CentreX(float y) override;
    void Draw() override;
    void Init() override;
    void Kill() override;

    // True while the pointer is over the button's rectangle (scale not applied).
    bool PointerInside() const;

private:
    bool Live() const;
    void DrawFace(const GameImagePtr& face, int frame, float px, float py, bool glow, bool dim);
    // Draws the caption at scale s, moved by (dx, dy); useColour: in its own colour.
    void DrawCaptionScaled(float s, float dx, float dy, bool rounded, bool useColour);
};
