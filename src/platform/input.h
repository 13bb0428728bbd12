#pragma once
// Window and input events in arrival order, with SDL keys translated to the
// Windows virtual-key codes the game uses, and the platform's own polled
// key and mouse tables for modal waits.
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

enum class EventKind {
    None,
    AppSuspend,      // the window lost the focus
    AppResume,       // the window got the focus back
    AppTerminate,    // close requested
    KeyDown,         // data = virtual-key code
    KeyUp,           // data = virtual-key code
    KeyChar,         // data = the character's code point: Latin-1 below 256, the game's own text
                     // (Backspace 8, Tab 9, Enter 13, Escape 27 too); above, one it cannot take
    MouseDown,       // data = 1 left, 2 right, 3 middle; x, y logical
    MouseUp,
    MouseMove,       // x, y logical
    MouseWheel,      // data = steps (positive away from the player)
};

struct Event {
    EventKind kind = EventKind::None;
    int data = 0;
    int x = 0;
    int y = 0;
};

// Virtual-key codes used by the game.
enum VirtualKey {
    KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_SPACE = 32,
    KEY_PAGEUP = 33, KEY_PAGEDOWN = 34, KEY_END = 35, KEY_HOME = 36,
    KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40,
    KEY_INSERT = 45, KEY_DELETE = 46,
    KEY_0 = 48, KEY_A = 65, KEY_Z = 90,
    KEY_NUM0 = 96, KEY_F1 = 112, KEY_F12 = 123,
    KEY_LSHIFT = 160, KEY_RSHIFT = 161, KEY_LCONTROL = 162, KEY_RCONTROL = 163,
    KEY_LALT = 164, KEY_RALT = 165,
    KEY_MINUS = 189, KEY_EQUALS = 187,
};

// Moves pending window events into the queue (Flip does this too).
void PumpEvents();
// Takes the next event; false when none is waiting.
bool TakeEvent(Event& out);
// How many events the game has taken so far.
uint64_t EventsTaken();
// Appends an event to the queue, as if it came from the window (tests,
// replays). Updates the polled tables when the event is taken.
void PostEvent(const Event& event);
// A key press, as key down then key up (no characters), for tests and replays.
void PostKeyPress(int key);
// One character event per byte of text, as typed (tests and replays).
void PostChars(const std::string& text);
void ClearEvents();
// Paths of files dropped on the window since the last call, oldest first.
std::vector<std::string> TakeDroppedFiles();
// As if the file were dropped on the window (tests).
void DropFileForTest(const std::string& path);
// The system clipboard's text (UTF-8); false / "" when it cannot be reached.
bool SetClipboardText(const std::string& text);
std::string GetClipboardText();
// Queues what a key press or release (SDL keycode) gives, as the window does:
// key down (not for auto-repeats), the characters Backspace, Tab, Enter and
// Escape (repeats too), key up. Keys without a code give nothing.
void PostSDLKey(int32_t sdlKeycode, bool down, bool repeat = false);
// Queues a virtual key pressed or let go, as a key of the keyboard would
// (a game controller's buttons come this way).
void PostVirtualKey(int key, bool down);
// Queues typed UTF-8 text as characters, as the window does: one event per
// character, with its code point, so that a text field can refuse, visibly,
// one beyond Latin-1.
void PostTextInput(const char* utf8);
// Sends a mouse event in window pixels through SDL, as the real pointer
// would; it arrives in the queue converted to logical pixels. kind is
// MouseMove, MouseDown or MouseUp.
void PostWindowMouse(EventKind kind, int button, int windowX, int windowY);

// Translation of an SDL keycode to a virtual-key code; 0 when the key has no code.
int VirtualKeyFromSDL(int32_t sdlKeycode);

// ---- polled input -------------------------------------------------------------
// The platform keeps its own tables, fed by every event taken from the queue.
void EnablePolledInput(bool on);
int PolledKeyHit(int key);   // presses since the last query, then reset
int PolledKeyDown(int key);
int PolledGetChar();          // next typed character or 0
void PolledFlushKeys();
int PolledMouseX();
int PolledMouseY();
int PolledMouseHit(int button);
int PolledMouseDown(int button);
void PolledFlushMouse();
// Takes and discards every waiting event, feeding only the polled tables.
void PollAllEvents();

}  // namespace plat
