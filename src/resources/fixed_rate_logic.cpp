#include "resources/fixed_rate_logic.h"

#include <cmath>

#include "platform/clock.h"

float Delta = 1.0f;

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

void TFixedRateLogic::Calc(bool fast, bool vsync) {
    if (fast) {
        NumTicks = 1.0;
        return;
    }
    const double now = plat::MilliSecs();
    if (now < LastTime) {
        NumTicks = LastNumTicks;
    } else {
        TmpMS = now - LastTime;
        if (TmpMS > Threshold) TmpMS = Threshold;
        double average = AverageFrameTime();
        if (JitterCorrection) {
            if (IgnoreHistoryOnSpeedUp && vsync && TmpMS < average - 1) average = TmpMS;
            NumTicks = average / MS;
        } else {
            NumTicks = TmpMS / MS;
        }
    }
    LastTime = now;
    LastNumTicks = NumTicks;
}
