// What reaches the target and what the instrument measures of it: the cable, the amplitude
// offset, the TX power, the call and the target's reports.
#include "sim/a8960/Virtual8960.h"

namespace {

using State = Virtual8960State;

// The GSM bands lie below it, DCS and PCS above.
constexpr double kCableBandEdgeHz = 1e9;
// Below it at the instrument's input there is no burst to measure.
constexpr double kNoSignalDbm = -50.0;
constexpr double kMaxConnectTimeoutS = 100.0;

} // namespace

double Virtual8960::CableLossDb(double hz) const {
    return hz < kCableBandEdgeHz ? gsmCableLossDb_ : dcsCableLossDb_;
}

// The offset raises the level the instrument puts out to make up for a loss (a negative gain).
double Virtual8960::LevelAtTargetDbm(double levelDbm, double hz) const {
    return levelDbm - offset_.GainDb(hz) - CableLossDb(hz);
}

double Virtual8960::GeneratorHz() const {
    const GsmBand band = state_.generatorBand;
    return state_.generatorHz.value_or(DownlinkHz(band, state_.generatorArfcn[IndexOf(band)]));
}

bool Virtual8960::Connected() const {
    return state_.mode == State::Mode::ActiveCell && state_.cellOn && radio_.CallStarted();
}

// The model's cell is what the target hears in a call: the traffic channel, whose bursts follow
// the BCH power, with the offset and the cable's loss at the TCH's frequency (in the RX
// calibration a DCS traffic channel lies under a GSM BCH). In test mode a CW downlink takes the
// place of the cell, at the cell's level.
void Virtual8960::UpdateRadio() {
    const bool cw = state_.mode == State::Mode::Test && state_.downlink == State::Downlink::Cw;
    const GsmBand tchBand = state_.tchBand;
    const double cellHz = DownlinkHz(tchBand, state_.tchArfcn[IndexOf(tchBand)]);
    radio_.SetCellPowerDbm(state_.cellOn && !cw ? LevelAtTargetDbm(state_.cellDbm, cellHz)
                                                : RadioPath::kCellOffDbm);
    const double cwHz = GeneratorHz();
    radio_.SetCwGenerator(state_.cellOn && cw, cwHz, LevelAtTargetDbm(state_.cellDbm, cwHz));
}

// "<integrity>,<power>": integrity 0 for a good result, 1 and no value when there is none. It
// measures only a burst on its traffic channel, in the TCH band.
int Virtual8960::ReadTxPower(const ScpiUnit&, QByteArray* reply) {
    if (MeasurementFails())
        return FailedMeasurement(QByteArray("1,") + kNoValue, reply);
    const GsmBand band = state_.tchBand;
    const double hz = UplinkHz(band, state_.tchArfcn[IndexOf(band)]);
    const double atInputDbm = radio_.TransmittedPowerDbm() - CableLossDb(hz);
    const bool burst = radio_.TransmitsOnChannel(hz) && atInputDbm >= kNoSignalDbm;
    *reply = burst ? "0," + Nr3(atInputDbm - offset_.GainDb(hz)) : QByteArray("1,") + kNoValue;
    return 0;
}

int Virtual8960::QueryConnected(const ScpiUnit&, QByteArray* reply) {
    *reply = Connected() ? "1" : "0";
    return 0;
}

int Virtual8960::SetConnectTimeout(const ScpiUnit& unit, QByteArray*) {
    return Number(unit.parameters[0], Unit::Second, 0.0, kMaxConnectTimeoutS,
                  &state_.connectTimeoutS);
}

int Virtual8960::QueryConnectTimeout(const ScpiUnit&, QByteArray* reply) {
    *reply = Nr3(state_.connectTimeoutS);
    return 0;
}

// The last report or the next one alike: the model's reports do not change between two, so a
// query for the next needs no wait. NAN outside a call.
int Virtual8960::ReportedRxLevel(const ScpiUnit&, QByteArray* reply) {
    if (MeasurementFails())
        return FailedMeasurement(kNoValue, reply);
    const std::optional<int> rxLev = Connected() ? radio_.ReportedRxLev() : std::nullopt;
    *reply = rxLev ? QByteArray::number(*rxLev) : QByteArray(kNoValue);
    return 0;
}

// A measurement that failed answers no value, with the error in the queue that the driver's check
// after the query finds; the call and the settings stay as they were.
int Virtual8960::FailedMeasurement(const QByteArray& noValue, QByteArray* reply) {
    Queue(ScpiError::kDataStale);
    *reply = noValue;
    return 0;
}
