// Call system, calls, the status conditions, mobile reports and the TX power measurement.
#include "sim/wt4400/Virtual4400.h"

#include <algorithm>

namespace {

using System = Virtual4400State::CallSystem;

QByteArray Level(double dbm) {
    return QByteArray::number(dbm, 'f', 2);
}

// SCPI's "not a number" (SCPI-99, 7.2.1.5): what a measurement without a result reads, and the
// instrument's own error for it (4400 User's Guide, 4460 GSM System Option, SCPI command errors).
const char kNoResult[] = "9.91E37";
constexpr int kNoResultsError = 370;
const char kNoResultsText[] = "No results available";
constexpr int kMaxArrayCount = 1000;

} // namespace

int Virtual4400::SelectCallSystem(const ScpiUnit& unit, QByteArray*) {
    QByteArray word;
    if (const int error = Choice(unit.parameters[0], {"NONE", "GSM", "GEN", "GPRS"}, &word))
        return error;
    const System system = word == "GSM"    ? System::Gsm
                          : word == "GEN"  ? System::Generator
                          : word == "GPRS" ? System::Gprs
                                           : System::None;
    if (system != state_.callSystem) {
        state_.callSystem = system;
        state_.readyPollsLeft = readyAfterPolls_;
        state_.bsOriginated = false;
        state_.released = false;
        state_.generatorOn = false; // the generator mode's line switches it on after
    }
    UpdateRadio();
    return 0;
}

int Virtual4400::OperationCondition(const ScpiUnit&, QByteArray* reply) {
    int condition = 0;
    if (state_.callSystem != System::None) {
        if (state_.readyPollsLeft > 0)
            --state_.readyPollsLeft;
        else
            condition = kReadyBit;
    }
    *reply = QByteArray::number(condition);
    return 0;
}

// The station's GMAGIC configures the generator in the GSM call system without switching it on
// (RFG:STAT ON comes only with the generator mode's line), and it worked with the real 4400:
// there the generator sends, in any call system, once it is switched on or given a frequency or
// level. It sends that signal in place of the cell's here, because the unit model hears the cell
// on every channel and the cell would drown the tone; a call system chosen afresh gives the
// downlink back to the cell.
bool Virtual4400::GeneratorSends() const {
    return state_.callSystem != System::None && state_.generatorOn;
}

bool Virtual4400::CellOn() const {
    const bool callSystem = state_.callSystem == System::Gsm || state_.callSystem == System::Gprs;
    return callSystem && !state_.generatorOn;
}

bool Virtual4400::Connected() {
    if (!CellOn())
        return false;
    const bool started = radio_.CallStarted();
    if (state_.released && !started)
        state_.released = false; // the target gave the call up; its next one may connect
    return !state_.released && (state_.bsOriginated || started);
}

int Virtual4400::SignallingCondition(const ScpiUnit&, QByteArray* reply) {
    *reply = QByteArray::number(Connected() ? kConnectedBit : 0);
    return 0;
}

int Virtual4400::GprsCondition(const ScpiUnit&, QByteArray* reply) {
    *reply = state_.callSystem == System::Gprs && Connected() ? "1" : "0";
    return 0;
}

// A base-station call is answered by the target's test mode at once.
int Virtual4400::Originate(const ScpiUnit&, QByteArray*) {
    if (!CellOn())
        return ScpiError::kSettingsConflict;
    state_.bsOriginated = true;
    state_.released = false;
    return 0;
}

int Virtual4400::Release(const ScpiUnit&, QByteArray*) {
    state_.bsOriginated = false;
    state_.released = true;
    return 0;
}

int Virtual4400::Resignal(const ScpiUnit&, QByteArray*) {
    return CellOn() ? 0 : ScpiError::kSettingsConflict;
}

// Without a call there is no report: 0, as the instrument answers until the first one.
int Virtual4400::MsReport(const ScpiUnit& unit, QByteArray* reply) {
    if (MeasurementFails())
        return NoResult(reply);
    const bool level = PathMatches(unit.path, "CALL:MSINfo:RXLevel");
    *reply = QByteArray::number(level && Connected() ? radio_.ReportedRxLev().value_or(0) : 0);
    return 0;
}

int Virtual4400::MeasureTxPower(const ScpiUnit&, QByteArray*) {
    state_.txPowerDbm = MeasuredTxPowerDbm();
    return 0;
}

int Virtual4400::FetchTxPower(const ScpiUnit&, QByteArray* reply) {
    if (MeasurementFails() || !state_.txPowerDbm)
        return NoResult(reply);
    *reply = Level(*state_.txPowerDbm);
    return 0;
}

int Virtual4400::MeasureTxPowerArray(const ScpiUnit& unit, QByteArray*) {
    int count = 0;
    if (const int error = Integer(unit.parameters[0], 1, kMaxArrayCount, &count))
        return error;
    state_.txPowerArray.reset();
    Virtual4400State::Statistics statistics{0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        const std::optional<double> dbm = MeasuredTxPowerDbm();
        if (!dbm)
            return 0; // no carrier: no statistics
        statistics.mean += *dbm / count;
        statistics.minimum = i == 0 ? *dbm : std::min(statistics.minimum, *dbm);
        statistics.maximum = i == 0 ? *dbm : std::max(statistics.maximum, *dbm);
    }
    state_.txPowerArray = statistics;
    return 0; // no reply: the statistics are asked for
}

int Virtual4400::Statistic(const ScpiUnit& unit, QByteArray* reply) {
    if (MeasurementFails() || !state_.txPowerArray)
        return NoResult(reply);
    const QByteArray& which = unit.path.last();
    const Virtual4400State::Statistics& s = *state_.txPowerArray;
    *reply = Level(which.startsWith("MMIN")   ? s.minimum
                   : which.startsWith("MMAX") ? s.maximum
                                              : s.mean);
    return 0;
}

// A measurement without a result, or one that failed: the instrument's error reply.
int Virtual4400::NoResult(QByteArray* reply) {
    Queue(kNoResultsError, kNoResultsText);
    *reply = kNoResult;
    return 0;
}
