#include "sim/wt4400/RadioPath.h"

#include <cmath>

namespace {

// GSM carriers are 200 kHz apart (3GPP TS 45.005, 2).
constexpr double kHalfChannelHz = 100e3;

} // namespace

RadioPath::~RadioPath() = default;

bool RadioPath::TransmitsOnChannel(double hz) const {
    const double carrierHz = TransmitFrequencyHz();
    return carrierHz > 0.0 && std::abs(carrierHz - hz) < kHalfChannelHz;
}
