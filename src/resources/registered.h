#pragma once
// A service that the application object offers the floors below it. The object
// registers itself while it lives; lower code reaches it through Current(),
// which answers a default instance while none is registered (tests that build
// one floor alone).
template <class T>
class TRegistered {
public:
    TRegistered() : previous_(Slot()) { Slot() = this; }
    TRegistered(const TRegistered&) = delete;
    TRegistered& operator=(const TRegistered&) = delete;
    ~TRegistered() {
        if (Slot() == this) Slot() = previous_;
    }

    static T& Current() {
        if (!Slot()) {
            static T fallback;
            Slot() = nullptr;  // the fallback does not stay registered
            return fallback;
        }
        return static_cast<T&>(*Slot());
    }

private:
    static TRegistered*& Slot() {
        static TRegistered* slot = nullptr;
        return slot;
    }
    TRegistered* previous_;
};
