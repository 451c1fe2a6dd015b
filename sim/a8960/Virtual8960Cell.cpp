// Operating mode, downlink, bands, channels, the cell's power, the RF generator and the amplitude
// offset: the settings, and the radio kept up to date after each.
#include "sim/a8960/Virtual8960.h"
#include "sim/a8960/Virtual8960Settings.h"

namespace {

using State = Virtual8960State;

// The instrument's ranges.
constexpr double kMinCellDbm = -127.0;
constexpr double kMaxCellDbm = -10.0;
constexpr double kMinHz = 292.5e6;
constexpr double kMaxHz = 2700e6;
constexpr double kMaxGainDb = 100.0;

QByteArray List(const QList<double>& values) {
    QList<QByteArray> texts;
    for (double value : values)
        texts.append(Nr3(value));
    return texts.join(',');
}

} // namespace

int Virtual8960::SetMode(const ScpiUnit& unit, QByteArray*) {
    QByteArray word;
    if (const int error = Choice(unit.parameters[0], {"CALL", "CELL", "TEST"}, &word))
        return error;
    state_.mode = word == "TEST" ? State::Mode::Test : State::Mode::ActiveCell;
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryMode(const ScpiUnit&, QByteArray* reply) {
    *reply = state_.mode == State::Mode::Test ? "TEST" : "CALL";
    return 0;
}

int Virtual8960::SetDownlink(const ScpiUnit& unit, QByteArray*) {
    QByteArray word;
    if (const int error = Choice(unit.parameters[0], {"CW", "BCH", "BCHTCH"}, &word))
        return error;
    state_.downlink = word == "CW"    ? State::Downlink::Cw
                      : word == "BCH" ? State::Downlink::Bch
                                      : State::Downlink::BchTch;
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryDownlink(const ScpiUnit&, QByteArray* reply) {
    *reply = state_.downlink == State::Downlink::Cw    ? "CW"
             : state_.downlink == State::Downlink::Bch ? "BCH"
                                                       : "BCHTCH";
    return 0;
}

int Virtual8960::SetBand(const ScpiUnit& unit, QByteArray*) {
    const BandSetting* setting = FindSetting(unit, BandSettings());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    const std::optional<GsmBand> band = BandNamed(unit.parameters[0].toUpper());
    if (!band)
        return ScpiError::kIllegalValue;
    state_.*setting->band = *band;
    if (setting->retunesGenerator)
        state_.generatorHz.reset();
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryBand(const ScpiUnit& unit, QByteArray* reply) {
    const BandSetting* setting = FindSetting(unit, BandSettings());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    *reply = BandName(state_.*setting->band);
    return 0;
}

int Virtual8960::SetPerBand(const ScpiUnit& unit, QByteArray*) {
    const PerBandSetting* setting = FindSetting(unit, PerBandSettings(), BandPlaceholders());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    const GsmBand band = BandNamed(unit.path.last()).value_or(state_.*setting->selected);
    int value = 0;
    if (const int error =
            Integer(unit.parameters[0], 0, setting->arfcn ? 1023 : kMaxMsTxLevel, &value))
        return error;
    if (setting->arfcn && !ArfcnInBand(band, value))
        return ScpiError::kOutOfRange;
    (state_.*setting->values)[IndexOf(band)] = value;
    if (setting->retunesGenerator)
        state_.generatorHz.reset();
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryPerBand(const ScpiUnit& unit, QByteArray* reply) {
    const PerBandSetting* setting = FindSetting(unit, PerBandSettings(), BandPlaceholders());
    if (!setting)
        return ScpiError::kUndefinedHeader;
    const GsmBand band = BandNamed(unit.path.last()).value_or(state_.*setting->selected);
    *reply = QByteArray::number((state_.*setting->values)[IndexOf(band)]);
    return 0;
}

// The level of the cell, or of the CW tone in its place; setting it switches it on.
int Virtual8960::SetCellPower(const ScpiUnit& unit, QByteArray*) {
    if (const int error = Number(unit.parameters[0], Unit::DecibelMilliwatt, kMinCellDbm,
                                 kMaxCellDbm, &state_.cellDbm))
        return error;
    state_.cellOn = true;
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryCellPower(const ScpiUnit&, QByteArray* reply) {
    *reply = Nr3(state_.cellDbm);
    return 0;
}

int Virtual8960::SetCellState(const ScpiUnit& unit, QByteArray*) {
    if (const int error = Boolean(unit.parameters[0], &state_.cellOn))
        return error;
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryCellState(const ScpiUnit&, QByteArray* reply) {
    *reply = state_.cellOn ? "1" : "0";
    return 0;
}

int Virtual8960::SetGeneratorFrequency(const ScpiUnit& unit, QByteArray*) {
    double hz = 0.0;
    if (const int error = Number(unit.parameters[0], Unit::Hertz, kMinHz, kMaxHz, &hz))
        return error;
    state_.generatorHz = hz;
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryGeneratorFrequency(const ScpiUnit&, QByteArray* reply) {
    *reply = Nr3(GeneratorHz());
    return 0;
}

int Virtual8960::SetOffsetFrequencies(const ScpiUnit& unit, QByteArray*) {
    QList<double> frequencies;
    for (const QByteArray& parameter : unit.parameters) {
        double hz = 0.0;
        if (const int error = Number(parameter, Unit::Hertz, kMinHz, kMaxHz, &hz))
            return error;
        frequencies.append(hz);
    }
    offset_.SetFrequencies(frequencies);
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryOffsetFrequencies(const ScpiUnit&, QByteArray* reply) {
    *reply = List(offset_.Frequencies());
    return 0;
}

int Virtual8960::SetOffsetGains(const ScpiUnit& unit, QByteArray*) {
    QList<double> gains;
    for (const QByteArray& parameter : unit.parameters) {
        double db = 0.0;
        if (const int error = Number(parameter, Unit::Decibel, -kMaxGainDb, kMaxGainDb, &db))
            return error;
        gains.append(db);
    }
    offset_.SetGains(gains);
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryOffsetGains(const ScpiUnit&, QByteArray* reply) {
    *reply = List(offset_.Gains());
    return 0;
}

int Virtual8960::SetOffsetState(const ScpiUnit& unit, QByteArray*) {
    bool enabled = false;
    if (const int error = Boolean(unit.parameters[0], &enabled))
        return error;
    offset_.SetEnabled(enabled);
    UpdateRadio();
    return 0;
}

int Virtual8960::QueryOffsetState(const ScpiUnit&, QByteArray* reply) {
    *reply = offset_.Enabled() ? "1" : "0";
    return 0;
}
