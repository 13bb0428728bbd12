#pragma once
// Phase timers and wrapping sine counters. Lengths are given in milliseconds
// and converted once into logic updates; the timers then advance by Delta.

// A timer of one or more consecutive phases, counting down (or up when
// Reverse is set), optionally cycling.
class TAnimation {
public:
    static constexpr int MAX_PHASES = 50;

    int Active = 0;
    float Counter = 0;
    int CurrentPhase = 0;
    int Finished = 0;
    int TotalPhases = 1;
    int Cycle = 0;
    float Length[MAX_PHASES] = {};
    int LeaveActive = 0;
    int Reverse = 0;

    TAnimation() = default;
    // Not started: call Start or Reset.
    TAnimation(float ms, int leaveActive = 0, int reverse = 0, int cycle = 0);
    static TAnimation Create(float ms, int leaveActive = 0, int reverse = 0, int cycle = 0);

    void Init(float ms, int leaveActive = 0, int reverse = 0, int cycle = 0);
    // Answers 0 when all MAX_PHASES phases are in use (nothing is added).
    int AddPhase(float ms);
    // Sets the phase count, as a loaded animation would; answers 0 and keeps
    // the old count when the count is not within 1..MAX_PHASES.
    int SetTotalPhases(int count);
    void Start();
    void Reset();
    void Clear();
    // One logic update; 1 when a phase ended during this call.
    int Manage();
    // Ends the current phase now; 1 when that ended the whole animation.
    int EndAnim();
    void Stop();

    float GetRatio() const;  // 0 for a phase of length 0
    float GetRatioInv() const;
    float GetRatioSine() const;
    float GetRatioSine180() const;
    float GetRatioInvSine() const;
    float GetRatioInvSine180() const;
    // 0 .. frames - 1 over each phase, in both directions.
    int GetAnimFrame(int frames) const;

private:
    float PhaseLength(int phase) const;
};

// An endlessly wrapping angle (degrees) with its sine in ratio.
class TSineCounter {
public:
    float Counter = 0;
    float Speed = 1.0f;
    float StartPoint = 0;
    float EndPoint = 360.0f;
    float ratio = 0;

    void Init(float start, float end, float speed);
    void Manage();
    void SetCounter(float angle);
};
