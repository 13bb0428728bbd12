#pragma once
#include <memory>
// Game controllers through SDL's game controller layer: pads plugged in
// before or during play become keys. The d-pad and the left stick are the
// arrow keys, A is Return, B is Escape, X is H (a hint), the shoulder
// buttons are Tab and Shift+Tab, and Start is its own key, KEY_PAD_START,
// which the board reads as "open the pause menu". A pad SDL has no mapping
// for is left alone (SDL knows it only as a joystick).
union SDL_Event;

namespace plat {

// Virtual key of a pad's Start button.
constexpr int KEY_PAD_START = 240;

// Starts the controller layer and opens every pad already plugged in; later
// pads open as they arrive. Safe to call more than once.
void OpenGamepads();
// How many pads are open.
int GamepadCount();

// For the event translation: true when the event was a pad's and was taken.
bool TranslateGamepadEvent(const SDL_Event& e);

// A pad's buttons and the left stick's axes, numbered as SDL numbers them.
enum PadButton {
    PAD_A = 0, PAD_B = 1, PAD_X = 2, PAD_Y = 3, PAD_BACK = 4, PAD_START = 6,
    PAD_LEFT_SHOULDER = 9, PAD_RIGHT_SHOULDER = 10,
    PAD_UP = 11, PAD_DOWN = 12, PAD_LEFT = 13, PAD_RIGHT = 14
};
enum PadAxis { PAD_AXIS_X = 0, PAD_AXIS_Y = 1 };

// A pad made in software (SDL's virtual joystick), plugged in while it lives:
// tests drive the game with it as a player would with a real one.
class TVirtualPad {
public:
    static std::unique_ptr<TVirtualPad> Plug();
    ~TVirtualPad();
    TVirtualPad(const TVirtualPad&) = delete;
    TVirtualPad& operator=(const TVirtualPad&) = delete;
    void Button(PadButton button, bool down);
    void Axis(PadAxis axis, int value);

private:
    struct TPlugged {
        explicit TPlugged() = default;
    };

public:
    TVirtualPad(TPlugged, int deviceIndex, void* joystick) : deviceIndex_(deviceIndex), joystick_(joystick) {}

private:
    int deviceIndex_;
    void* joystick_;
};

}  // namespace plat
