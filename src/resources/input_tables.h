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
};

TInputTables& Input();

// 1 = the queries below go to the platform's polled input (modal waits).
extern int PolledInput;

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

