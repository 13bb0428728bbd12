#pragma once
// The logic clock: how many fixed-rate ticks each displayed frame runs, with
// the frame time averaged over recent frames to remove jitter.
#include <vector>

class TFixedRateLogic {
public:
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
    // Once per frame: measures the frame and sets NumTicks (one tick a
    // frame when fast; a frame quicker than the average counts as it is
    // when the display waits for its refresh).
    void Calc(bool fast, bool vsync);
    void SetDelta(float value);
    void HistoryClear();

private:
    double AverageFrameTime();
};

// The current tick's time factor: 1, or the fraction for a frame's last tick.
extern float Delta;
