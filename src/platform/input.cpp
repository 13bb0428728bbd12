// Window and input events: SDL events translated in arrival order into the
// game's events, and the polled key and mouse tables fed by them.
#include "platform/input.h"

#include "platform/gamepad.h"
#include "platform/gfx_internal.h"
#include "platform/utf8.h"

#include <SDL.h>

#include <array>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

namespace plat {

namespace {

struct TPolledTables {
    bool enabled = true;
    std::array<int, 256> keyHits{};
    std::array<bool, 256> keysDown{};
    std::deque<int> chars;
    int mouseX = 0, mouseY = 0;
    std::array<int, 4> mouseHits{};
    std::array<bool, 4> mouseDown{};
};

std::deque<Event>& Queue() {
    static std::deque<Event> queue;
    return queue;
}

TPolledTables& Tables() {
    static TPolledTables tables;
    return tables;
}

constexpr size_t MAX_WAITING_CHARS = 256;

bool ValidKey(int key) { return key > 0 && key < 256; }
bool ValidButton(int button) { return button >= 1 && button <= 3; }

void Feed(const Event& e) {
    TPolledTables& t = Tables();
    switch (e.kind) {
        case EventKind::KeyDown:
            if (ValidKey(e.data)) {
                t.keysDown[size_t(e.data)] = true;
                ++t.keyHits[size_t(e.data)];
            }
            break;
        case EventKind::KeyUp:
            if (ValidKey(e.data)) t.keysDown[size_t(e.data)] = false;
            break;
        case EventKind::KeyChar:
            if (t.chars.size() < MAX_WAITING_CHARS) t.chars.push_back(e.data);
            break;
        case EventKind::MouseDown:
            if (!ValidButton(e.data)) break;
            t.mouseDown[size_t(e.data)] = true;
            ++t.mouseHits[size_t(e.data)];
            t.mouseX = e.x;
            t.mouseY = e.y;
            break;
        case EventKind::MouseUp:
            if (!ValidButton(e.data)) break;
            t.mouseDown[size_t(e.data)] = false;
            t.mouseX = e.x;
            t.mouseY = e.y;
            break;
        case EventKind::MouseMove:
            t.mouseX = e.x;
            t.mouseY = e.y;
            break;
        default:
            break;
    }
}

void Push(EventKind kind, int data = 0, int x = 0, int y = 0) { Queue().push_back({kind, data, x, y}); }

int Button(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 3;
        default: return 0;
    }
}

// Characters that arrive with their key rather than as typed text.
int CharOfKey(int key) {
    switch (key) {
        case KEY_BACKSPACE:
        case KEY_TAB:
        case KEY_ENTER:
        case KEY_ESCAPE: return key;
        default: return 0;
    }
}

// Files dropped on the window, oldest first; a few at most.
constexpr size_t MAX_DROPPED = 8;
std::deque<std::string>& DroppedFiles() {
    static std::deque<std::string> files;
    return files;
}

void Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            if (Queue().empty() || Queue().back().kind != EventKind::AppTerminate) Push(EventKind::AppTerminate);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) Push(EventKind::AppSuspend);
            else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) Push(EventKind::AppResume);
            else if (e.window.event == SDL_WINDOWEVENT_CLOSE) Push(EventKind::AppTerminate);
            // Uncovered, resized or shown again: the next frame is shown even if unchanged.
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                e.window.event == SDL_WINDOWEVENT_SHOWN || e.window.event == SDL_WINDOWEVENT_RESTORED)
                ContentChanged();
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            PostSDLKey(e.key.keysym.sym, e.type == SDL_KEYDOWN, e.key.repeat != 0);
            break;
        case SDL_TEXTINPUT:
            PostTextInput(e.text.text);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = Button(e.button.button);
            if (button == 0) break;
            Push(e.type == SDL_MOUSEBUTTONDOWN ? EventKind::MouseDown : EventKind::MouseUp, button, e.button.x,
                 e.button.y);
            break;
        }
        case SDL_MOUSEMOTION:
            Push(EventKind::MouseMove, 0, e.motion.x, e.motion.y);
            break;
        case SDL_DROPFILE:
            if (e.drop.file) {
                DroppedFiles().push_back(e.drop.file);
                if (DroppedFiles().size() > MAX_DROPPED) DroppedFiles().pop_front();
                SDL_free(e.drop.file);
            }
            break;
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            if (steps != 0) Push(EventKind::MouseWheel, steps, Tables().mouseX, Tables().mouseY);
            break;
        }
        default:
            TranslateGamepadEvent(e);
            break;
    }
}

}  // namespace

int VirtualKeyFromSDL(int32_t sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
    if (sym >= SDLK_F1 && sym <= SDLK_F12) return KEY_F1 + (sym - SDLK_F1);
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return KEY_NUM0 + 1 + (sym - SDLK_KP_1);
    switch (sym) {
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_TAB: return KEY_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KEY_ENTER;
        case SDLK_ESCAPE: return KEY_ESCAPE;
        case SDLK_SPACE: return KEY_SPACE;
        case SDLK_PAGEUP: return KEY_PAGEUP;
        case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
        case SDLK_END: return KEY_END;
        case SDLK_HOME: return KEY_HOME;
        case SDLK_LEFT: return KEY_LEFT;
        case SDLK_UP: return KEY_UP;
        case SDLK_RIGHT: return KEY_RIGHT;
        case SDLK_DOWN: return KEY_DOWN;
        case SDLK_INSERT: return KEY_INSERT;
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_KP_0: return KEY_NUM0;
        case SDLK_LSHIFT: return KEY_LSHIFT;
        case SDLK_RSHIFT: return KEY_RSHIFT;
        case SDLK_LCTRL: return KEY_LCONTROL;
        case SDLK_RCTRL: return KEY_RCONTROL;
        case SDLK_LALT: return KEY_LALT;
        case SDLK_RALT: return KEY_RALT;
        case SDLK_SEMICOLON: return 186;
        case SDLK_EQUALS: return KEY_EQUALS;
        case SDLK_COMMA: return 188;
        case SDLK_MINUS: return KEY_MINUS;
        case SDLK_PERIOD: return 190;
        case SDLK_SLASH: return 191;
        case SDLK_BACKQUOTE: return 192;
        case SDLK_LEFTBRACKET: return 219;
        case SDLK_BACKSLASH: return 220;
        case SDLK_RIGHTBRACKET: return 221;
        case SDLK_QUOTE: return 222;
        default: return 0;
    }
}

void PostWindowMouse(EventKind kind, int button, int windowX, int windowY) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Window* window = Gfx().window;
    SDL_Event e{};
    if (kind == EventKind::MouseMove) {
        e.type = SDL_MOUSEMOTION;
        e.motion.x = windowX;
        e.motion.y = windowY;
        if (window) e.motion.windowID = SDL_GetWindowID(window);
    } else {
        e.type = kind == EventKind::MouseDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = static_cast<Uint8>(button == 2 ? SDL_BUTTON_RIGHT : button == 3 ? SDL_BUTTON_MIDDLE : SDL_BUTTON_LEFT);
        e.button.state = kind == EventKind::MouseDown ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = windowX;
        e.button.y = windowY;
        if (window) e.button.windowID = SDL_GetWindowID(window);
    }
    SDL_PushEvent(&e);
    PumpEvents();
}

namespace {

// Asking the window system for news costs a round trip; the game asks before
// every logic tick, several times a frame. Within this long after the last
// time, only what is already in SDL's queue is taken (events pushed by SDL_PushEvent
// included), so nothing waits longer than this for its turn.
constexpr auto PUMP_INTERVAL = std::chrono::microseconds(1000);

bool PumpDue() {
    static std::chrono::steady_clock::time_point last;
    const auto now = std::chrono::steady_clock::now();
    if (now - last < PUMP_INTERVAL) return false;
    last = now;
    return true;
}

}  // namespace

void PumpEvents() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    OpenGamepads();
    if (PumpDue()) SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Translate(e);
}

namespace {
uint64_t taken = 0;
}  // namespace

uint64_t EventsTaken() { return taken; }

bool TakeEvent(Event& out) {
    if (Queue().empty()) return false;
    out = Queue().front();
    Queue().pop_front();
    ++taken;
    Feed(out);
    return true;
}

void PostSDLKey(int32_t sdlKeycode, bool down, bool repeat) {
    const int key = VirtualKeyFromSDL(sdlKeycode);
    if (key == 0) return;
    if (!down) {
        Push(EventKind::KeyUp, key);
        return;
    }
    if (!repeat) Push(EventKind::KeyDown, key);
    if (const int c = CharOfKey(key)) Push(EventKind::KeyChar, c);
    NoteKeyboardUsed();
}

void PostVirtualKey(int key, bool down) {
    if (!down) {
        Push(EventKind::KeyUp, key);
        return;
    }
    Push(EventKind::KeyDown, key);
    if (const int c = CharOfKey(key)) Push(EventKind::KeyChar, c);
}

void PostTextInput(const char* utf8) {
    if (!utf8) return;
    std::u32string codes;
    DecodeUtf8(utf8, codes);
    for (const char32_t code : codes) Push(EventKind::KeyChar, static_cast<int>(code));
}

void PostEvent(const Event& event) { Queue().push_back(event); }

void PostKeyPress(int key) {
    Push(EventKind::KeyDown, key);
    Push(EventKind::KeyUp, key);
}

void PostChars(const std::string& text) {
    for (const char c : text) Push(EventKind::KeyChar, static_cast<unsigned char>(c));
}
void ClearEvents() { Queue().clear(); }

std::vector<std::string> TakeDroppedFiles() {
    std::vector<std::string> files(DroppedFiles().begin(), DroppedFiles().end());
    DroppedFiles().clear();
    return files;
}

void DropFileForTest(const std::string& path) { DroppedFiles().push_back(path); }

bool SetClipboardText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

std::string GetClipboardText() {
    if (!SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

void EnablePolledInput(bool on) { Tables().enabled = on; }

int PolledKeyHit(int key) {
    if (!ValidKey(key)) return 0;
    int& hits = Tables().keyHits[size_t(key)];
    const int n = hits;
    hits = 0;
    return n;
}

int PolledKeyDown(int key) { return ValidKey(key) && Tables().keysDown[size_t(key)] ? 1 : 0; }

int PolledGetChar() {
    auto& chars = Tables().chars;
    if (chars.empty()) return 0;
    const int c = chars.front();
    chars.pop_front();
    return c;
}

void PolledFlushKeys() {
    TPolledTables& t = Tables();
    t.keyHits.fill(0);
    t.keysDown.fill(false);
    t.chars.clear();
}

int PolledMouseX() { return Tables().mouseX; }
int PolledMouseY() { return Tables().mouseY; }

int PolledMouseHit(int button) {
    if (!ValidButton(button)) return 0;
    int& hits = Tables().mouseHits[size_t(button)];
    const int n = hits;
    hits = 0;
    return n;
}

int PolledMouseDown(int button) { return ValidButton(button) && Tables().mouseDown[size_t(button)] ? 1 : 0; }

void PolledFlushMouse() {
    TPolledTables& t = Tables();
    t.mouseHits.fill(0);
    t.mouseDown.fill(false);
}

void PollAllEvents() {
    PumpEvents();
    Event e;
    while (TakeEvent(e)) {
    }
}

}  // namespace plat
