#include "platform/clock.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <ctime>
#include <random>
#include <thread>

namespace plat {

uint32_t TSystemClock::MilliSecs() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

uint32_t StartupSeed() {
    using namespace std::chrono;
    const auto sinceBoot = duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    const auto wall = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    const uint64_t mixed = static_cast<uint64_t>(sinceBoot) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(wall);
    return static_cast<uint32_t>(mixed ^ (mixed >> 32)) ^ Clock().MilliSecs();
}

void TSystemClock::Delay(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

TSystemClock systemClock;
TClock* currentClock = &systemClock;

std::mt19937& Generator() {
    static std::mt19937 generator(0x1234u);
    return generator;
}

// strftime of a calendar time, local, with C-locale names, whatever the program's locale.
std::string FormatLocal(std::time_t when, const char* pattern) {
    std::tm local{};
    if (!localtime_r(&when, &local)) return {};
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    char buffer[64] = {};
    size_t n = 0;
    if (c) {
        n = strftime_l(buffer, sizeof buffer, pattern, &local, c);
        freelocale(c);
    } else {
        n = std::strftime(buffer, sizeof buffer, pattern, &local);
    }
    return std::string(buffer, n);
}

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void SetClock(TClock* clock) { currentClock = clock ? clock : &systemClock; }

TClock& Clock() { return *currentClock; }

std::string CurrentDate() { return FormatLocal(std::time(nullptr), "%d %b %Y"); }
std::string CurrentTime() { return FormatLocal(std::time(nullptr), "%H:%M:%S"); }

int64_t CalendarSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

std::string FormatLocalTime(int64_t seconds, const char* pattern) {
    return FormatLocal(static_cast<std::time_t>(seconds), pattern);
}

void SeedRnd(uint32_t seed) { Generator().seed(seed); }

TScopedRnd::TScopedRnd(std::mt19937& state) : state_(state), saved_(Generator()) { Generator() = state; }

TScopedRnd::~TScopedRnd() {
    state_ = Generator();
    Generator() = saved_;
}

int Rand(int a, int b) {
    if (a > b) std::swap(a, b);
    return std::uniform_int_distribution<int>(a, b)(Generator());
}

double Rnd(double a, double b) {
    if (a == b) return a;
    if (a > b) std::swap(a, b);
    // 32 random bits give a fraction in [0, 1): exactly reproducible from the seed.
    const double f = static_cast<double>(Generator()()) / 4294967296.0;
    const double v = a + (b - a) * f;
    return v < b ? v : std::nextafter(b, a);
}

float RndF(float a, float b) {
    if (a == b) return a;
    const float v = static_cast<float>(Rnd(a, b));
    const float hi = std::max(a, b);
    return v < hi ? v : std::nextafter(hi, std::min(a, b));
}

double SinD(double deg) { return std::sin(deg * kPi / 180.0); }

}  // namespace plat
