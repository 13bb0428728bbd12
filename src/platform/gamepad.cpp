#include "platform/gamepad.h"

#include <SDL.h>

#include <cstdlib>
#include <map>

#include "platform/input.h"

namespace plat {

static_assert(int(PAD_A) == int(SDL_CONTROLLER_BUTTON_A) && int(PAD_START) == int(SDL_CONTROLLER_BUTTON_START) &&
              int(PAD_RIGHT) == int(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              int(PAD_AXIS_Y) == int(SDL_CONTROLLER_AXIS_LEFTY) &&
              int(PAD_LEFT_STICK) == int(SDL_CONTROLLER_BUTTON_LEFTSTICK) &&
              int(PAD_TRIGGER_RIGHT) == int(SDL_CONTROLLER_AXIS_TRIGGERRIGHT));

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
    // Per trigger (0 left, 1 right): pulled past the mark and not let go yet.
    bool triggerPulled[2] = {false, false};
    PadKind inUse = PadKind::None;
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
    // A puzzle in play stops for a pad that went away.
    PostVirtualKey(KEY_PAD_GONE, true);
    PostVirtualKey(KEY_PAD_GONE, false);
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
        case SDL_CONTROLLER_BUTTON_Y: return KEY_DELETE;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return KEY_TAB;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return KEY_PAD_PREVIOUS;
        case SDL_CONTROLLER_BUTTON_START: return KEY_PAD_START;
        case SDL_CONTROLLER_BUTTON_BACK: return KEY_PAD_BACK;
        case SDL_CONTROLLER_BUTTON_LEFTSTICK: return 'M';
        case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return 'T';
        default: return 0;
    }
}

PadKind KindOf(SDL_GameController* pad) {
    switch (SDL_GameControllerGetType(pad)) {
        case SDL_CONTROLLER_TYPE_PS3:
        case SDL_CONTROLLER_TYPE_PS4:
        case SDL_CONTROLLER_TYPE_PS5: return PadKind::PlayStation;
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO: return PadKind::Nintendo;
        default: return PadKind::Xbox;
    }
}

// A press on the pad: from now on prompts name its buttons.
void NotePadUsed(SDL_JoystickID id) {
    const auto it = Pads().open.find(id);
    Pads().inUse = it == Pads().open.end() ? PadKind::Xbox : KindOf(it->second);
}

void Button(int button, bool down) {
    if (const int key = KeyOfButton(button)) PostVirtualKey(key, down);
}

// The triggers are the editor's undo (left) and redo (right), once per pull.
void Trigger(int axis, int value) {
    const bool left = axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT;
    bool& pulled = Pads().triggerPulled[left ? 0 : 1];
    if (!pulled && value >= STICK_PRESS) {
        pulled = true;
        PostVirtualKey(left ? KEY_PAD_UNDO : KEY_PAD_REDO, true);
        PostVirtualKey(left ? KEY_PAD_UNDO : KEY_PAD_REDO, false);
    } else if (pulled && value < STICK_RELEASE) {
        pulled = false;
    }
}

void Stick(int axis, int value) {
    if (axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
        Trigger(axis, value);
        return;
    }
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

PadKind PadInUse() { return Pads().inUse; }

void NoteKeyboardUsed() { Pads().inUse = PadKind::None; }

bool TranslateGamepadEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); return true;
        case SDL_CONTROLLERDEVICEREMOVED: Close(e.cdevice.which); return true;
        case SDL_CONTROLLERBUTTONDOWN:
            NotePadUsed(e.cbutton.which);
            Button(e.cbutton.button, true);
            return true;
        case SDL_CONTROLLERBUTTONUP: Button(e.cbutton.button, false); return true;
        case SDL_CONTROLLERAXISMOTION:
            // A stick resting off-centre is no use of the pad.
            if (std::abs(e.caxis.value) >= STICK_PRESS) NotePadUsed(e.caxis.which);
            Stick(e.caxis.axis, e.caxis.value);
            return true;
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
    // Heard now: a press let go before the next pump of events is still a press.
    SDL_JoystickUpdate();
}

void TVirtualPad::Axis(PadAxis axis, int value) {
    SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(joystick_), axis, static_cast<Sint16>(value));
    SDL_JoystickUpdate();
}

}  // namespace plat
