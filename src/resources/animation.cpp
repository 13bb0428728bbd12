#include "resources/animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/anim_timing.h"
#include "resources/fixed_rate_logic.h"

namespace {
float SinDegrees(float degrees) { return std::sin(degrees * std::numbers::pi_v<float> / 180.0f); }
}  // namespace

// ---- TAnimation ---------------------------------------------------------------

TAnimation::TAnimation(float ms, int leaveActive, int reverse, int cycle) {
    Init(ms, leaveActive, reverse, cycle);
}

TAnimation TAnimation::Create(float ms, int leaveActive, int reverse, int cycle) {
    return TAnimation(ms, leaveActive, reverse, cycle);
}

void TAnimation::Init(float ms, int leaveActive, int reverse, int cycle) {
    Length[0] = AnimTiming().CalcAnimLength(ms);
    TotalPhases = 1;
    CurrentPhase = 0;
    Finished = 0;
    LeaveActive = leaveActive;
    Reverse = reverse;
    Cycle = cycle;
}

int TAnimation::AddPhase(float ms) {
    if (TotalPhases < 1 || TotalPhases >= MAX_PHASES) return 0;
    Length[TotalPhases] = AnimTiming().CalcAnimLength(ms);
    ++TotalPhases;
    return 1;
}

int TAnimation::SetTotalPhases(int count) {
    if (count < 1 || count > MAX_PHASES) return 0;
    TotalPhases = count;
    if (CurrentPhase >= TotalPhases) CurrentPhase = TotalPhases - 1;
    return 1;
}

float TAnimation::PhaseLength(int phase) const {
    if (phase < 0 || phase >= MAX_PHASES) return 0;
    return Length[phase];
}

void TAnimation::Start() {
    if (Reverse) {
        Counter = 0;
    } else if (Counter <= 0) {
        Counter = PhaseLength(CurrentPhase);
    }
    CurrentPhase = 0;
    Active = 1;
    Finished = 0;
}

void TAnimation::Reset() {
    Counter = 0;
    Start();
}

void TAnimation::Clear() {
    Counter = 0;
    Active = 0;
    CurrentPhase = 0;
    TotalPhases = 1;
    Finished = 0;
}

int TAnimation::Manage() {
    if (!Active) return 0;
    if (Reverse) {
        Counter += Delta;
        if (Counter > PhaseLength(CurrentPhase)) {
            EndAnim();
            return 1;
        }
    } else {
        Counter -= Delta;
        if (Counter <= 0) {
            EndAnim();
            return 1;
        }
    }
    return 0;
}

int TAnimation::EndAnim() {
    ++CurrentPhase;
    if (CurrentPhase >= TotalPhases) {
        if (Cycle) {
            CurrentPhase = 0;
        } else if (LeaveActive) {
            Finished = 1;
            CurrentPhase = TotalPhases - 1;
            Counter = Reverse ? PhaseLength(CurrentPhase) : 0;
            return 1;
        } else {
            Finished = 1;
            Counter = 0;
            CurrentPhase = 0;
            Active = 0;
            return 1;
        }
    }
    Counter = Reverse ? 0 : PhaseLength(CurrentPhase);
    return 0;
}

void TAnimation::Stop() {
    CurrentPhase = TotalPhases - 1;
    EndAnim();
}

float TAnimation::GetRatio() const {
    const float length = PhaseLength(CurrentPhase);
    if (length == 0) return 0;
    return Counter / length;
}

float TAnimation::GetRatioInv() const { return 1.0f - GetRatio(); }

float TAnimation::GetRatioSine() const { return SinDegrees(GetRatio() * 90.0f); }

float TAnimation::GetRatioSine180() const { return GetRatioSine(); }

float TAnimation::GetRatioInvSine() const { return SinDegrees((1.0f - GetRatio()) * 90.0f); }

float TAnimation::GetRatioInvSine180() const {
    return 0.5f + SinDegrees((GetRatioInv() - 0.5f) * 180.0f) / 2.0f;
}

int TAnimation::GetAnimFrame(int frames) const {
    const int length = static_cast<int>(PhaseLength(CurrentPhase));
    if (length == 0 || frames <= 0) return 0;
    const float position = Counter / static_cast<float>(length);
    const float f = Reverse ? std::floor(position * frames) : std::floor(frames * (1.0f - position));
    return std::clamp(static_cast<int>(f), 0, frames - 1);
}

// ---- TSineCounter -------------------------------------------------------------

void TSineCounter::Init(float start, float end, float speed) {
    StartPoint = start;
    EndPoint = end;
    Speed = speed;
    Counter = start;
    ratio = 0;
}

void TSineCounter::Manage() {
    Counter += Speed * Delta;
    if (Counter >= EndPoint) Counter -= EndPoint - StartPoint;
    if (Counter < StartPoint) Counter += EndPoint - StartPoint;
    ratio = SinDegrees(Counter);
}

void TSineCounter::SetCounter(float angle) {
    Counter = angle;
    ratio = SinDegrees(angle);
}
