#include "InstrumentClock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<double> g_scale{1.0};
}

namespace InstrumentClock {

void Wait(double seconds) {
    const double scaled = seconds * g_scale.load();
    if (scaled > 0.0)
        std::this_thread::sleep_for(std::chrono::duration<double>(scaled));
}

void SetScale(double scale) {
    g_scale.store(scale < 0.0 ? 0.0 : scale);
}

double Scale() {
    return g_scale.load();
}

} // namespace InstrumentClock
