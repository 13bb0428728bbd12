#pragma once
// The logic clock: how many fixed-rate ticks each displayed frame runs, with
// the frame time averaged over recent frames to remove jitter.
#include <cstdint>
#include <string>
#include <vector>

// A value tracked for the debug panel.
class TTrackingVar {
public:
    explicit TTrackingVar(std::string label = "") : Label(std::move(label)) {}
    int current = 0;
    int maximum = 0;
    int displayLimit = 999;
    int displayLimitChars = 3;
    std::string Label;
};

// Milliseconds spent in a stretch of code, measured with Start and Calc.
class TDebugVar : public TTrackingVar {
public:
    using TTrackingVar::TTrackingVar;
    void Start();
    void Calc();

private:
    uint32_t started_ = 0;
};

// Frames per second over the last second.
class TFPSCounter : public TTrackingVar {
public:
    using TTrackingVar::TTrackingVar;
    void Frame();

private:
    uint32_t secondStart_ = 0;
    int frames_ = 0;
};

class TFixedRateLogic : public TTrackingVar {
public:
    TFixedRateLogic() : TTrackingVar("Ticks   ") {}

    int FramerateDefault = 200;
    float Framerate = 200.0f;
    double LastTime = 0;
    double TmpMS = 0;
    double NumTicks = 0;
    double LastNumTicks = 0;
    float MS = 0;
    float DeltaMultiplier = 1.0f;
    float FullDelta = 0;
    int Threshold = 50;
    int JitterCorrection = 1;
    int HistorySize = 1;
    int HistorySizeMax = 50;
    std::vector<int> History;
    int HistoryCounter = 0;
    int First = 0;
    int FirstMax = 5;
    int IgnoreHistoryOnSpeedUp = 1;

    void Init();
    void Create();
    void CalcMS();
    // Once per frame: measures the frame and sets NumTicks.
    void Calc();
    void SetDelta(float value);
    void HistoryClear();

private:
    double AverageFrameTime();
};

// The current tick's time factor: 1, or the fraction for a frame's last tick.
extern float Delta;
