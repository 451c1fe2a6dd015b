#include "sim/model/Battery.h"

#include <cmath>

namespace {

constexpr double kFirstExcessCounts = 6.0; // the first reading after power-up
constexpr double kSettlingPerReading = 0.5;

} // namespace

int BatteryAdc::Read(double volts) {
    const double excess = kFirstExcessCounts * std::pow(kSettlingPerReading, readings_);
    if (readings_ < 64)
        ++readings_;
    return static_cast<int>(std::lround(volts * kNominalCountsPerVolt * gain_ + excess));
}
