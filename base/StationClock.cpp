#include "base/StationClock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<double> g_scale{1.0};
std::atomic<long long> g_waitedMicroseconds{0};
} // namespace

namespace StationClock {

void Wait(double seconds) {
    const double scaled = seconds * g_scale.load();
    if (scaled <= 0.0)
        return;
    std::this_thread::sleep_for(std::chrono::duration<double>(scaled));
    g_waitedMicroseconds += static_cast<long long>(scaled * 1e6);
}

void SetScale(double scale) {
    g_scale.store(scale < 0.0 ? 0.0 : scale);
}

double Scale() {
    return g_scale.load();
}

double WaitedSeconds() {
    return static_cast<double>(g_waitedMicroseconds.load()) / 1e6;
}

} // namespace StationClock
