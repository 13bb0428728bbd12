#include "resources/input_tables.h"

#include "platform/input.h"


int PolledInput = 0;

TInputTables& Input() {
    static TInputTables tables;
    return tables;
}

namespace {
int flushes = 0;

bool ValidKey(int key) { return key > 0 && key < KEY_TABLE_SIZE; }
bool IsModifier(int key) { return key >= plat::KEY_LSHIFT && key <= plat::KEY_RALT; }
}  // namespace

void StartEventBatch() {
    auto& in = Input();
    // Only modifiers are let go later or count presses under them.
    for (int key = plat::KEY_LSHIFT; key <= plat::KEY_RALT; ++key) {
        if (in.ReleaseLater[key]) in.KeysDown[key] = in.ReleaseLater[key] = 0;
        in.PressesAtDown[key] = 0;
    }
    in.BatchKeyPresses = 0;
}

void RecordKeyDown(int key) {
    if (!ValidKey(key)) return;
    auto& in = Input();
    in.KeysDown[key] = 1;
    in.KeyHits[key] += 1;
    in.ReleaseLater[key] = 0;
    if (IsModifier(key))
        in.PressesAtDown[key] = in.BatchKeyPresses;
    else
        ++in.BatchKeyPresses;
}

void RecordKeyUp(int key) {
    if (!ValidKey(key)) return;
    auto& in = Input();
    if (IsModifier(key) && in.KeysDown[key] && in.BatchKeyPresses > in.PressesAtDown[key]) {
        in.ReleaseLater[key] = 1;
        return;
    }
    in.KeysDown[key] = 0;
}

void RecordChar(int ch) {
    auto& in = Input();
    if (in.CharPut - in.CharGet >= CHAR_QUEUE_SIZE) return;
    in.CharQueue[in.CharPut % CHAR_QUEUE_SIZE] = ch;
    in.CharPut += 1;
}

int KeyHit(int key) {
    if (PolledInput) return plat::PolledKeyHit(key) ? 1 : 0;
    if (!ValidKey(key) || Input().KeyHits[key] == 0) return 0;
    Input().KeyHits[key] = 0;
    return 1;
}

int KeyDown(int key) {
    if (PolledInput) return plat::PolledKeyDown(key);
    return ValidKey(key) ? Input().KeysDown[key] : 0;
}

void UnreadKeyHit(int key) {
    if (ValidKey(key)) Input().KeyHits[key] += 1;
}

int GetChar() {
    if (PolledInput) return plat::PolledGetChar();
    auto& in = Input();
    if (in.CharGet >= in.CharPut) return 0;
    const int ch = in.CharQueue[in.CharGet % CHAR_QUEUE_SIZE];
    in.CharGet += 1;
    return ch;
}

void FlushKeys() {
    auto& in = Input();
    for (int i = 0; i < KEY_TABLE_SIZE; ++i) {
        in.KeyHits[i] = 0;
        in.KeysDown[i] = 0;
        in.ReleaseLater[i] = 0;
    }
    in.BatchKeyPresses = 0;
    in.CharPut = 0;
    in.CharGet = 0;
    plat::PolledFlushKeys();
}

void FlushInput() {
    FlushKeys();
    plat::PolledFlushMouse();
    if (InputFlushHook()) InputFlushHook()();
    ++flushes;
}

int InputFlushes() { return flushes; }

std::function<void()>& InputFlushHook() {
    static std::function<void()> hook;
    return hook;
}

