#include "sim/model/Arfcn.h"

namespace {

constexpr double kGsmLowMHz = 880.2;   // ARFCN 975
constexpr double kGsmHighMHz = 914.8;  // ARFCN 124
constexpr double kDcsLowMHz = 1710.2;  // ARFCN 512
constexpr double kDcsHighMHz = 1784.8; // ARFCN 885

double Position(double mhz, double low, double high) {
    return 2.0 * (mhz - low) / (high - low) - 1.0;
}

} // namespace

RadioBand BandOf(int arfcn) {
    if ((arfcn >= 1 && arfcn <= 124) || (arfcn >= 975 && arfcn <= 1023))
        return RadioBand::kGsm;
    if (arfcn >= 512 && arfcn <= 885)
        return RadioBand::kDcs;
    return RadioBand::kNone;
}

double UplinkMHz(int arfcn) {
    if (arfcn >= 1 && arfcn <= 124)
        return 890.0 + 0.2 * arfcn;
    if (arfcn >= 975 && arfcn <= 1023)
        return 890.0 + 0.2 * (arfcn - 1024);
    if (arfcn >= 512 && arfcn <= 885)
        return 1710.0 + 0.2 * (arfcn - 511);
    return 0.0;
}

double DownlinkMHz(int arfcn) {
    switch (BandOf(arfcn)) {
    case RadioBand::kGsm:
        return UplinkMHz(arfcn) + 45.0;
    case RadioBand::kDcs:
        return UplinkMHz(arfcn) + 95.0;
    case RadioBand::kNone:
        break;
    }
    return 0.0;
}

double BandPosition(int arfcn) {
    switch (BandOf(arfcn)) {
    case RadioBand::kGsm:
        return Position(UplinkMHz(arfcn), kGsmLowMHz, kGsmHighMHz);
    case RadioBand::kDcs:
        return Position(UplinkMHz(arfcn), kDcsLowMHz, kDcsHighMHz);
    case RadioBand::kNone:
        break;
    }
    return 0.0;
}
