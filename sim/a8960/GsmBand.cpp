#include "sim/a8960/GsmBand.h"

#include <cstdint>

namespace {

// A run of channels 200 kHz apart. Frequencies in kHz keep them exact.
struct ChannelRange {
    int low;
    int high;
    std::int64_t lowUplinkKhz;
};

struct BandPlan {
    const char* name;
    ChannelRange ranges[2];
    std::int64_t duplexKhz;
};

constexpr ChannelRange kNoRange{1, 0, 0};

// Indexed by GsmBand. E-GSM wraps: channels 975 to 1023 lie below channel 0.
constexpr BandPlan kPlans[kGsmBandCount] = {
    {"PGSM", {{1, 124, 890200}, kNoRange}, 45000},
    {"EGSM", {{0, 124, 890000}, {975, 1023, 880200}}, 45000},
    {"DCS", {{512, 885, 1710200}, kNoRange}, 95000},
    {"PCS", {{512, 810, 1850200}, kNoRange}, 80000},
    {"GSM850", {{128, 251, 824200}, kNoRange}, 45000},
};

const BandPlan& PlanOf(GsmBand band) {
    return kPlans[IndexOf(band)];
}

const ChannelRange* RangeOf(GsmBand band, int arfcn) {
    for (const ChannelRange& range : PlanOf(band).ranges) {
        if (arfcn >= range.low && arfcn <= range.high)
            return &range;
    }
    return nullptr;
}

} // namespace

std::optional<GsmBand> BandNamed(const QByteArray& name) {
    for (std::size_t i = 0; i < kGsmBandCount; ++i) {
        if (name == kPlans[i].name)
            return static_cast<GsmBand>(i);
    }
    return std::nullopt;
}

QByteArray BandName(GsmBand band) {
    return PlanOf(band).name;
}

bool ArfcnInBand(GsmBand band, int arfcn) {
    return RangeOf(band, arfcn) != nullptr;
}

double UplinkHz(GsmBand band, int arfcn) {
    const ChannelRange* range = RangeOf(band, arfcn);
    const std::int64_t khz = range ? range->lowUplinkKhz + 200 * (arfcn - range->low) : 0;
    return static_cast<double>(khz) * 1e3;
}

double DownlinkHz(GsmBand band, int arfcn) {
    return UplinkHz(band, arfcn) + static_cast<double>(PlanOf(band).duplexKhz) * 1e3;
}
