// Coupling tables, RF generator and base-station settings, and what reaches the target.
#include "sim/wt4400/Virtual4400.h"
#include "sim/wt4400/Virtual4400Settings.h"

#include <algorithm>

namespace {

using System = Virtual4400State::CallSystem;

// 3GPP TS 45.005, 2: downlink carriers of GSM 900 (with E-GSM) and DCS 1800.
double DownlinkHz(int arfcn) {
    if (arfcn >= 512 && arfcn <= 885)
        return (1805.2 + 0.2 * (arfcn - 512)) * 1e6;
    return (935.0 + 0.2 * (arfcn >= 975 ? arfcn - 1024 : arfcn)) * 1e6;
}

double UplinkHz(int arfcn) {
    return DownlinkHz(arfcn) - (arfcn >= 512 && arfcn <= 885 ? 95e6 : 45e6);
}

struct IdentityRange {
    const char* node;
    int high;
};

const IdentityRange kIdentityRanges[] = {{"MCC", 999}, {"MNC", 99}, {"LAC", 65535}, {"NCC", 7},
                                         {"BCC", 7},   {"CBA", 1},  {"CI", 65535},  {"DRX", 9}};

// The cable's GSM loss holds below it, its DCS loss above.
constexpr double kCableBandEdgeHz = 1e9;

} // namespace

double Virtual4400::CableLossDb(double hz) const {
    return hz < kCableBandEdgeHz ? gsmCableLossDb_ : dcsCableLossDb_;
}

double Virtual4400::CouplingLossDb(double hz) const {
    const auto table = couplingTables_.find(state_.couplingName);
    if (!state_.couplingOn || table == couplingTables_.end() || table->empty())
        return 0.0;
    const double mhz = hz / 1e6;
    const LossTable& points = *table;
    if (mhz <= points.front().first)
        return points.front().second;
    for (size_t i = 1; i < points.size(); ++i) {
        if (mhz <= points[i].first) {
            const auto& [f0, l0] = points[i - 1];
            const auto& [f1, l1] = points[i];
            return l0 + (l1 - l0) * (mhz - f0) / (f1 - f0);
        }
    }
    return points.back().second;
}

// Only a carrier on the channel the analyser is tuned to is measured.
std::optional<double> Virtual4400::MeasuredTxPowerDbm() const {
    const double hz = state_.analyzerHz > 0.0 ? state_.analyzerHz : UplinkHz(state_.tchArfcn);
    if (!radio_.TransmitsOnChannel(hz))
        return std::nullopt;
    return radio_.TransmittedPowerDbm() - CableLossDb(hz) + CouplingLossDb(hz);
}

// The coupling table makes up for the cable: with the right table the target sees the level set.
void Virtual4400::UpdateRadio() {
    const auto atTargetDbm = [this](double levelDbm, double hz) {
        return levelDbm + CouplingLossDb(hz) - CableLossDb(hz);
    };
    const double cellHz = DownlinkHz(state_.bchArfcn);
    radio_.SetCellPowerDbm(CellOn() ? atTargetDbm(state_.baseStationDbm, cellHz)
                                    : RadioPath::kCellOffDbm);
    radio_.SetCwGenerator(GeneratorSends(), state_.generatorHz,
                          atTargetDbm(state_.generatorDbm, state_.generatorHz));
}

int Virtual4400::SetCouplingName(const ScpiUnit& unit, QByteArray*) {
    QByteArray name;
    if (!ParseString(unit.parameters.value(0), &name))
        return ScpiError::kDataType;
    if (!couplingTables_.contains(name))
        return ScpiError::kIllegalValue;
    state_.couplingName = name;
    UpdateRadio();
    return 0;
}

int Virtual4400::SetCouplingState(const ScpiUnit& unit, QByteArray*) {
    if (const int error = Boolean(unit.parameters[0], &state_.couplingOn))
        return error;
    UpdateRadio();
    return 0;
}

int Virtual4400::SetCouplingLoss(const ScpiUnit& unit, QByteArray*) {
    QByteArray name;
    if (!ParseString(unit.parameters.value(0), &name))
        return ScpiError::kDataType;
    if (unit.parameters.size() % 2 == 0)
        return ScpiError::kMissingParameter;
    LossTable points;
    for (int i = 1; i + 1 < unit.parameters.size(); i += 2) {
        double mhz = 0.0;
        double db = 0.0;
        if (const int error =
                Number(unit.parameters[i], Unit::None, kMinHz / 1e6, kMaxHz / 1e6, &mhz))
            return error;
        if (const int error = Number(unit.parameters[i + 1], Unit::None, -50.0, 50.0, &db))
            return error;
        points.emplace_back(mhz, db);
    }
    std::sort(points.begin(), points.end());
    couplingTables_.insert(name, points);
    UpdateRadio();
    return 0;
}

int Virtual4400::SetGeneratorState(const ScpiUnit& unit, QByteArray*) {
    if (const int error = Boolean(unit.parameters[0], &state_.generatorOn))
        return error;
    UpdateRadio();
    return 0;
}

int Virtual4400::SetWordSetting(const ScpiUnit& unit, QByteArray*) {
    const WordSetting* setting = FindSetting(unit, WordSettings());
    return setting ? Choice(unit.parameters[0], setting->words, &(state_.*setting->field))
                   : ScpiError::kUndefinedHeader;
}

int Virtual4400::SetNumberSetting(const ScpiUnit& unit, QByteArray*) {
    const NumberSetting* setting = FindSetting(unit, NumberSettings());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    if (const int error =
            Integer(unit.parameters[0], setting->low, setting->high, &(state_.*setting->field)))
        return error;
    UpdateRadio();
    return 0;
}

int Virtual4400::SetRealSetting(const ScpiUnit& unit, QByteArray*) {
    const RealSetting* setting = FindSetting(unit, RealSettings());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    if (const int error = Number(unit.parameters[0], Unit::None, setting->low, setting->high,
                                 &(state_.*setting->field)))
        return error;
    state_.generatorOn = state_.generatorOn || setting->switchesGeneratorOn;
    UpdateRadio();
    return 0;
}

int Virtual4400::QuerySetting(const ScpiUnit& unit, QByteArray* reply) {
    if (const WordSetting* word = FindSetting(unit, WordSettings()))
        *reply = state_.*word->field;
    else if (const NumberSetting* number = FindSetting(unit, NumberSettings()))
        *reply = QByteArray::number(state_.*number->field);
    else if (const RealSetting* real = FindSetting(unit, RealSettings()))
        *reply = QByteArray::number(state_.*real->field, 'f', 2);
    else
        return ScpiError::kUndefinedHeader;
    return 0;
}

int Virtual4400::AssignAll(const ScpiUnit& unit, QByteArray*) {
    int arfcn = 0;
    int level = 0;
    if (const int error = Integer(unit.parameters[0], 0, 1023, &arfcn))
        return error;
    if (const int error = Integer(unit.parameters[1], 0, 31, &level))
        return error;
    state_.tchArfcn = arfcn;
    state_.msPowerLevel = level;
    return 0;
}

// Range-checked as the instrument does; the values do not change what the bench models.
int Virtual4400::SetCellIdentity(const ScpiUnit& unit, QByteArray*) {
    const QByteArray& node = unit.path.last();
    for (const IdentityRange& range : kIdentityRanges) {
        int value = 0;
        if (node == range.node)
            return Integer(unit.parameters[0], 0, range.high, &value);
    }
    return ScpiError::kUndefinedHeader;
}
