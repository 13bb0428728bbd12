#pragma once
#include <memory>
// Game controllers through SDL's game controller layer: pads plugged in
// before or during play become keys. The d-pad and the left stick are the
// arrow keys, A is Return, B is Escape, X is H (a hint), Y is Delete, the
// right shoulder is Tab, the stick buttons are M (mirror) and T (try). The
// rest are keys of their own: Start (the board's pause menu), Back (the
// editor's next brush), the left shoulder (back one focus stop, as
// Shift+Tab), the triggers (the editor's undo and redo). A pad unplugged
// sends KEY_PAD_GONE, which opens the pause menu and never closes it. A pad
// SDL has no mapping for is left alone (SDL knows it only as a joystick).
union SDL_Event;

namespace plat {

// Virtual key of a pad's Start button.
constexpr int KEY_PAD_START = 240;
constexpr int KEY_PAD_GONE = 241;
constexpr int KEY_PAD_BACK = 242;
constexpr int KEY_PAD_PREVIOUS = 243;
constexpr int KEY_PAD_UNDO = 244;
constexpr int KEY_PAD_REDO = 245;

// Starts the controller layer and opens every pad already plugged in; later
// pads open as they arrive. Safe to call more than once.
void OpenGamepads();
// How many pads are open.
int GamepadCount();

// For the event translation: true when the event was a pad's and was taken.
bool TranslateGamepadEvent(const SDL_Event& e);

// What the buttons of the pad used last are called, by the kind SDL reports.
enum class PadKind { None, Xbox, PlayStation, Nintendo };
// The kind of the pad pressed last; None once a keyboard key was pressed since.
PadKind PadInUse();
void NoteKeyboardUsed();

// A pad's buttons and the left stick's axes, numbered as SDL numbers them.
enum PadButton {
    PAD_A = 0, PAD_B = 1, PAD_X = 2, PAD_Y = 3, PAD_BACK = 4, PAD_START = 6,
    PAD_LEFT_STICK = 7, PAD_RIGHT_STICK = 8, PAD_LEFT_SHOULDER = 9, PAD_RIGHT_SHOULDER = 10,
    PAD_UP = 11, PAD_DOWN = 12, PAD_LEFT = 13, PAD_RIGHT = 14
};
enum PadAxis { PAD_AXIS_X = 0, PAD_AXIS_Y = 1, PAD_TRIGGER_LEFT = 4, PAD_TRIGGER_RIGHT = 5 };

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
