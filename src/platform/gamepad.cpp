#include "platform/gamepad.h"

#include <SDL.h>

#include <map>

#include "platform/input.h"

namespace plat {

static_assert(int(PAD_A) == int(SDL_CONTROLLER_BUTTON_A) && int(PAD_START) == int(SDL_CONTROLLER_BUTTON_START) &&
              int(PAD_RIGHT) == int(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              int(PAD_AXIS_Y) == int(SDL_CONTROLLER_AXIS_LEFTY));

namespace {

// The stick counts as pushed past this, and as let go again below the lower
// mark, so a stick resting near the edge does not flicker.
constexpr int STICK_PRESS = 16000, STICK_RELEASE = 8000;

struct TPads {
    bool started = false;
    bool refused = false;
    std::map<SDL_JoystickID, SDL_GameController*> open;
    // Per axis (0 x, 1 y): the arrow key the stick holds down, or 0.
    int stickKey[2] = {0, 0};
};

TPads& Pads() {
    static TPads pads;
    return pads;
}

void Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (Pads().open.count(id)) {
        SDL_GameControllerClose(pad);
        return;
    }
    Pads().open[id] = pad;
}

void Close(SDL_JoystickID id) {
    auto& open = Pads().open;
    const auto it = open.find(id);
    if (it == open.end()) return;
    SDL_GameControllerClose(it->second);
    open.erase(it);
}

int KeyOfButton(int button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP: return KEY_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return KEY_DOWN;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return KEY_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return KEY_RIGHT;
        case SDL_CONTROLLER_BUTTON_A: return KEY_ENTER;
        case SDL_CONTROLLER_BUTTON_B: return KEY_ESCAPE;
        case SDL_CONTROLLER_BUTTON_X: return 'H';
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return KEY_TAB;
        case SDL_CONTROLLER_BUTTON_START: return KEY_PAD_START;
        default: return 0;
    }
}

void Button(int button, bool down) {
    if (button == SDL_CONTROLLER_BUTTON_LEFTSHOULDER) {
        // Shift+Tab: the shift held around the tab.
        if (!down) return;
        PostVirtualKey(KEY_LSHIFT, true);
        PostVirtualKey(KEY_TAB, true);
        PostVirtualKey(KEY_TAB, false);
        PostVirtualKey(KEY_LSHIFT, false);
        return;
    }
    if (const int key = KeyOfButton(button)) PostVirtualKey(key, down);
}

void Stick(int axis, int value) {
    const int index = axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : axis == SDL_CONTROLLER_AXIS_LEFTY ? 1 : -1;
    if (index < 0) return;
    int& held = Pads().stickKey[index];
    const int minus = index == 0 ? KEY_LEFT : KEY_UP, plus = index == 0 ? KEY_RIGHT : KEY_DOWN;
    int wanted = held;
    if (value <= -STICK_PRESS) wanted = minus;
    else if (value >= STICK_PRESS) wanted = plus;
    else if (value > -STICK_RELEASE && value < STICK_RELEASE) wanted = 0;
    if (wanted == held) return;
    if (held) PostVirtualKey(held, false);
    if (wanted) PostVirtualKey(wanted, true);
    held = wanted;
}

}  // namespace

void OpenGamepads() {
    TPads& pads = Pads();
    // Called before every pump of events: a layer that would not start is
    // not asked again.
    if (pads.started || pads.refused) return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        pads.refused = true;
        return;
    }
    pads.started = true;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

int GamepadCount() { return static_cast<int>(Pads().open.size()); }

bool TranslateGamepadEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); return true;
        case SDL_CONTROLLERDEVICEREMOVED: Close(e.cdevice.which); return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: Button(e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN); return true;
        case SDL_CONTROLLERAXISMOTION: Stick(e.caxis.axis, e.caxis.value); return true;
        default: return false;
    }
}

}  // namespace plat

namespace plat {

std::unique_ptr<TVirtualPad> TVirtualPad::Plug() {
    // A made-up pad drives a game whose window may never get the focus
    // (headless); a real pad is heard only while the window has it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    OpenGamepads();
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return nullptr;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        SDL_JoystickDetachVirtual(index);
        return nullptr;
    }
    return std::make_unique<TVirtualPad>(TPlugged{}, index, joystick);
}

TVirtualPad::~TVirtualPad() {
    SDL_JoystickClose(static_cast<SDL_Joystick*>(joystick_));
    SDL_JoystickDetachVirtual(deviceIndex_);
}

void TVirtualPad::Button(PadButton button, bool down) {
    SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick_), button, down ? SDL_PRESSED : SDL_RELEASED);
}

void TVirtualPad::Axis(PadAxis axis, int value) {
    SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(joystick_), axis, static_cast<Sint16>(value));
}

}  // namespace plat
