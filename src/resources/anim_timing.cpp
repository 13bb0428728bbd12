#include "resources/anim_timing.h"

#include <cmath>

float TAnimTiming::CalcAnimLength(float milliseconds) const {
    return milliseconds / FixedRateLogic.MS / CurrentSpeed;
}

int TAnimTiming::CalcMilliSecsFromFrames(float frames) const {
    return static_cast<int>(std::floor(frames * FixedRateLogic.MS * CurrentSpeed));
}
