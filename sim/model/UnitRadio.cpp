#include "sim/model/Arfcn.h"
#include "sim/model/Transmitter.h"
#include "sim/model/UnitModel.h"

#include <algorithm>
#include <cmath>

// The RF side of the unit model: what it transmits and what it measures.

namespace {

constexpr double kNoiseFloorDbm = -115.0;
constexpr double kRxLevZeroDbm = -110.0; // RXLEV counts dB above this
constexpr int kMaxRxLev = 63;
constexpr double kCwAcceptHz = 200e3;      // a tone this close to the channel is received
constexpr double kPmReferenceDbm = -129.5; // -74.5 dBm reads 55
constexpr double kUnitsPerDb = 2.0;        // of the RX correction and the GMAGIC values

double PowerSumDbm(double a, double b) {
    return 10.0 * std::log10(std::pow(10.0, a / 10.0) + std::pow(10.0, b / 10.0));
}

} // namespace

double UnitModel::TransmittedPowerDbm() const {
    if (!powered_ || !radio_.transmitting)
        return kNotTransmittingDbm;
    const double position = BandPosition(radio_.txChannel);
    switch (BandOf(radio_.txChannel)) {
    case RadioBand::kGsm:
        return GsmPaCurve().OutputDbm(variation_.gsmPa, radio_.apcDac, position);
    case RadioBand::kDcs:
        return DcsPaCurve().OutputDbm(variation_.dcsPa, radio_.apcDac, position);
    case RadioBand::kNone:
        break;
    }
    return kNotTransmittingDbm;
}

double UnitModel::TransmitFrequencyHz() const {
    if (!powered_ || !radio_.transmitting)
        return 0.0;
    return UplinkMHz(radio_.txChannel) * 1e6; // 0 for no channel
}

// The test set follows the unit in a call, so the cell reaches it on any channel; a CW tone
// only on the channel it is tuned near.
double UnitModel::ReceivedDbm(int arfcn) const {
    double dbm = PowerSumDbm(kNoiseFloorDbm, cellDbm_);
    if (cwOn_ && std::abs(cwHz_ - DownlinkMHz(arfcn) * 1e6) <= kCwAcceptHz)
        dbm = PowerSumDbm(dbm, cwDbm_);
    return dbm;
}

double UnitModel::RxLevelDb() const {
    const RadioBand band = BandOf(radio_.rxChannel);
    if (!(radio_.receiving || CallStarted()) || band == RadioBand::kNone)
        return 0.0;
    const RxVariation& rx = band == RadioBand::kGsm ? variation_.gsmRx : variation_.dcsRx;
    const double error = rx.offsetDb + rx.response.At(BandPosition(radio_.rxChannel));
    const double level =
        ReceivedDbm(radio_.rxChannel) - kRxLevZeroDbm + error + radio_.rxCorrection / kUnitsPerDb;
    return std::max(level, 0.0);
}

std::optional<int> UnitModel::ReportedRxLev() const {
    if (!CallStarted())
        return std::nullopt;
    return std::clamp(static_cast<int>(std::lround(RxLevelDb())), 0, kMaxRxLev);
}

double UnitModel::PowerMeasurement() {
    const RadioBand band = BandOf(radio_.rxChannel);
    if (!powered_ || !radio_.receiving || band == RadioBand::kNone)
        return 0.0;
    const bool gsm = band == RadioBand::kGsm;
    const int written = gsm ? radio_.gmagicGsm : radio_.gmagicDcs;
    const int own = gsm ? variation_.gmagicGsm : variation_.gmagicDcs;
    const double pm = ReceivedDbm(radio_.rxChannel) - kPmReferenceDbm +
                      (written - own) / kUnitsPerDb + noise_.Normal(pmNoiseDb_);
    return std::max(pm, 0.0);
}
