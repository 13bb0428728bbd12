#pragma once
#include <functional>
// The key, character and mouse tables the main loop fills from window
// events, and the framework's key queries over them.


constexpr int KEY_TABLE_SIZE = 256;
constexpr int CHAR_QUEUE_SIZE = 256;

struct TInputTables {
    int KeyHits[KEY_TABLE_SIZE] = {};
    int KeysDown[KEY_TABLE_SIZE] = {};
    int CharQueue[CHAR_QUEUE_SIZE] = {};
    int CharPut = 0;  // characters put since the last flush
    int CharGet = 0;  // characters taken since the last flush
    // Modifiers let go in this batch of events after a key was pressed
    // while they were held: they read as held until the next batch (see
    // StartEventBatch). The presses of other keys in the batch, and their
    // count when each modifier went down.
    int ReleaseLater[KEY_TABLE_SIZE] = {};
    int PressesAtDown[KEY_TABLE_SIZE] = {};
    int BatchKeyPresses = 0;
};

TInputTables& Input();

// 1 = the queries below go to the platform's polled input (modal waits).
extern int PolledInput;

// A quick chord (Shift+Tab, Ctrl+Z) may come whole in one batch of events,
// its modifier let go before the key is read: a modifier let go in the
// batch that pressed another key still reads as held until the next batch
// starts, so that the key is read with it.
void StartEventBatch();
void RecordKeyDown(int key);
void RecordKeyUp(int key);
void RecordChar(int ch);

// Answers 1 once for any number of presses since the last query.
int KeyHit(int key);
int KeyDown(int key);
// Puts a hit back, so a later reader sees it (Escape for screens that handle it).
void UnreadKeyHit(int key);
// Next typed character, or 0.
int GetChar();
void FlushKeys();
// Forgets pending key hits, typed characters and mouse clicks; a mouse
// button still held counts as released until it is pressed again.
void FlushInput();
// How many times input was flushed: a reader that notes it can tell that a
// screen switch or a modal step (menu, dialog, pause) came in between.
int InputFlushes();
// Run by FlushInput after the tables are cleared: the owner of the mouse
// pointer makes the press still held count as taken.
std::function<void()>& InputFlushHook();

