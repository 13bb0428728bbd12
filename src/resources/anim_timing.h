#pragma once
// Game time: the fixed-rate logic clock and the conversion of milliseconds to
// logic ticks at the current speed, as the application object keeps them.
#include "resources/fixed_rate_logic.h"
#include "resources/registered.h"

struct TAnimTiming : TRegistered<TAnimTiming> {
    TAnimTiming() { FixedRateLogic.Create(); }

    TFixedRateLogic FixedRateLogic;
    // 1 at normal speed; slow motion makes it smaller.
    float CurrentSpeed = 1.0f;

    float CalcAnimLength(float milliseconds) const;
    int CalcMilliSecsFromFrames(float frames) const;
};

inline TAnimTiming& AnimTiming() { return TAnimTiming::Current(); }
