#pragma once
// Time and random numbers. Game logic reads time only through here, so tests
// can install a clock of their own and drive the loop frame by frame.
#include <cstdint>
#include <memory>
#include <random>
#include <string>

namespace plat {

class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds since an arbitrary start; 32-bit, may wrap.
    virtual uint32_t MilliSecs() = 0;
    virtual void Delay(int ms) = 0;
};

// The real clock (steady, monotonic).
class TSystemClock : public TClock {
public:
    uint32_t MilliSecs() override;
    void Delay(int ms) override;
};

// A clock that only moves when told to; Delay advances it.
class TManualClock : public TClock {
public:
    uint32_t MilliSecs() override { return now; }
    void Delay(int ms) override { now += static_cast<uint32_t>(ms); }
    uint32_t now = 0;
};

// Installs a clock (null restores the system clock). The caller keeps it alive.
void SetClock(TClock* clock);
TClock& Clock();
inline uint32_t MilliSecs() { return Clock().MilliSecs(); }
inline void Delay(int ms) { Clock().Delay(ms); }

// "%d %b %Y" and "%H:%M:%S" of the local time.
std::string CurrentDate();
std::string CurrentTime();
// Seconds since 1970 by the calendar clock, which dates what the player saves.
int64_t CalendarSeconds();
// A calendar time as local time through the strftime pattern, with C-locale
// month names ("" for a time the system cannot show).
std::string FormatLocalTime(int64_t seconds, const char* pattern);

// One generator for the whole program.
void SeedRnd(uint32_t seed);
// A seed that differs from run to run: the installed clock's milliseconds
// mixed with the system's time since boot. (The game's own clock starts near
// zero with the process, so alone it would deal the same gems every time.)
uint32_t StartupSeed();
// A random sequence of its own: while it lives, Rand and the others draw
// from `state`, which they advance; the game's own sequence is left as it was.
class TScopedRnd {
public:
    explicit TScopedRnd(std::mt19937& state);
    ~TScopedRnd();
    TScopedRnd(const TScopedRnd&) = delete;
    TScopedRnd& operator=(const TScopedRnd&) = delete;

private:
    std::mt19937& state_;
    std::mt19937 saved_;
};
int Rand(int a, int b);            // integer in [a, b] (either order)
double Rnd(double a, double b);    // float in [a, b)
float RndF(float a, float b);

// Degrees.
double SinD(double deg);

}  // namespace plat
