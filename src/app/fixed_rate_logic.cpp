#include "app/fixed_rate_logic.h"

#include <cmath>

#include "app/game.h"
#include "platform/clock.h"
#include "platform/graphics.h"

float Delta = 1.0f;

void TDebugVar::Start() { started_ = plat::MilliSecs(); }

void TDebugVar::Calc() {
    current = static_cast<int>(plat::MilliSecs() - started_);
    if (current > maximum) maximum = current;
}

void TFPSCounter::Frame() {
    const uint32_t now = plat::MilliSecs();
    frames_ += 1;
    if (now - secondStart_ >= 1000) {
        current = frames_;
        if (current > maximum) maximum = current;
        frames_ = 0;
        secondStart_ = now;
    }
}

void TFixedRateLogic::Create() {
    History.assign(static_cast<size_t>(HistorySizeMax), 0);
    Init();
}

void TFixedRateLogic::CalcMS() { MS = 1000.0f / std::floor(Framerate); }

void TFixedRateLogic::Init() {
    CalcMS();
    LastTime = plat::MilliSecs();
    NumTicks = 0;
    LastNumTicks = 1.0;
    SetDelta(1.0f);
    current = 0;
    maximum = 0;
    displayLimit = 999;
    displayLimitChars = 3;
    First = FirstMax;
}

void TFixedRateLogic::HistoryClear() {
    for (int i = 0; i < HistorySize && i < static_cast<int>(History.size()); ++i) History[i] = 0;
    HistorySize = 1;
    HistoryCounter = 0;
}

void TFixedRateLogic::SetDelta(float value) {
    Delta = value * DeltaMultiplier;
    FullDelta = value;
}

double TFixedRateLogic::AverageFrameTime() {
    if (First > 0) {
        First -= 1;
        return TmpMS;
    }
    if (History.size() < static_cast<size_t>(HistorySizeMax)) History.resize(static_cast<size_t>(HistorySizeMax), 0);
    History[HistoryCounter] = static_cast<int>(TmpMS);
    double sum = 0;
    for (int i = 0; i < HistorySize; ++i) sum += History[i];
    const double average = sum / HistorySize;
    HistoryCounter += 1;
    if (HistorySize < HistorySizeMax) HistorySize += 1;
    if (HistoryCounter >= HistorySize) HistoryCounter = 0;
    return average;
}

void TFixedRateLogic::Calc() {
    auto& game = Game();
    if (game.Fast) {
        NumTicks = 1.0;
        current = static_cast<int>(NumTicks);
        return;
    }
    if (plat::GraphicsOpen()) {
        const plat::Rect outer = plat::WindowOuterRect();
        if (outer.x != game.WindowX || outer.y != game.WindowY) {
            Init();
            game.SetWindowCoords();
            game.SetClientCoords();
        }
    }
    const double now = plat::MilliSecs();
    if (now < LastTime) {
        NumTicks = LastNumTicks;
    } else {
        TmpMS = now - LastTime;
        if (TmpMS > Threshold) TmpMS = Threshold;
        double average = AverageFrameTime();
        if (JitterCorrection) {
            if (IgnoreHistoryOnSpeedUp && game.VSync == 1 && TmpMS < average - 1) average = TmpMS;
            NumTicks = average / MS;
        } else {
            NumTicks = TmpMS / MS;
        }
    }
    LastTime = now;
    LastNumTicks = NumTicks;
    if (NumTicks > maximum) maximum = static_cast<int>(NumTicks);
    current = static_cast<int>(NumTicks);
}
