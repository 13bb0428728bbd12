#pragma once
// What widgets and effects read of the running game beyond time: the keys the
// framework must leave alone, whether the screen fades, and
// the amount of particles the player chose.
#include "resources/registered.h"

// The logical screen every picture is drawn on, and the usual fade in ms.
constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr int DefaultFadeTime = 500;

struct TViewState : TRegistered<TViewState> {
    virtual ~TViewState() = default;
    // A screen fade is running: widgets take no input meanwhile.
    virtual bool ScreenFading() const { return false; }

    // A text field has the keyboard: no global keys.
    bool BlockKeys = false;
    bool IgnoreEscapeKey = false, IgnoreFrameworkKeys = false, IgnoreDebugKey = false;
    // 0..100: how many particles effects emit.
    int Particles = 80;
};

inline TViewState& ViewState() { return TViewState::Current(); }
