#pragma once
// A fixture for widgets driven through the main loop's tick: a manual clock,
// fresh globals, and a current screen whose Logic runs a script.
#include <gtest/gtest.h>

#include <functional>

#include "app/game.h"
#include "resources/input_tables.h"
#include "platform/clock.h"
#include "platform/input.h"

class ScriptScreen : public TScreen {
public:
    std::function<void()> logic;
    void Logic() override {
        if (logic) logic();
    }
    void Draw() override {}
};

class TickTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetClock(&clock);
        clock.now = 100000;
        ResetGlobals();
        plat::ClearEvents();
        FlushInput();
        Game().CurrentTScreen = &screen;
    }
    void TearDown() override {
        plat::ClearEvents();
        Game().CurrentTScreen = nullptr;
        ResetGlobals();
        plat::SetClock(nullptr);
    }
    plat::TManualClock clock;
    ScriptScreen screen;
};
