// The command tree of the virtual supplies, their outputs and measurements.
#include "sim/supply/VirtualSupply.h"

#include <algorithm>
#include <cmath>

using V = VirtualSupply;

namespace {

// NR3 as the supplies answer: "+4.18000000E+00".
QByteArray Nr3(double value) {
    const QByteArray digits = QByteArray::number(value, 'E', 8);
    return value < 0.0 ? digits : '+' + digits;
}

} // namespace

std::span<const V::Command> V::Commands(bool severalOutputs) {
    static const std::vector<Command> single = {
        {"*RST", false, 0, 0, &V::Reset},
        {"[SOURce:]VOLTage[:LEVel][:IMMediate][:AMPLitude]", false, 1, 1, &V::SetVoltage},
        {"[SOURce:]VOLTage[:LEVel][:IMMediate][:AMPLitude]", true, 0, 0, &V::QueryVoltage},
        {"[SOURce:]CURRent[:LEVel][:IMMediate][:AMPLitude]", false, 1, 1, &V::SetCurrent},
        {"[SOURce:]CURRent[:LEVel][:IMMediate][:AMPLitude]", true, 0, 0, &V::QueryCurrent},
        {"OUTPut[:STATe]", false, 1, 1, &V::SetOutputState},
        {"OUTPut[:STATe]", true, 0, 0, &V::QueryOutputState},
        // Only a model with several outputs takes the output to measure; the others refuse it.
        {"MEASure:CURRent[:DC]", true, 0, 1, &V::MeasureCurrent},
        {"MEASure[:VOLTage][:DC]", true, 0, 1, &V::MeasureVoltage},
    };
    static const std::vector<Command> several = [] {
        std::vector<Command> list = {
            {"INSTrument[:SELect]", false, 1, 1, &V::SelectByName},
            {"INSTrument[:SELect]", true, 0, 0, &V::QuerySelectedName},
            {"INSTrument:NSELect", false, 1, 1, &V::SelectByNumber},
            {"INSTrument:NSELect", true, 0, 0, &V::QuerySelectedNumber},
        };
        list.insert(list.begin(), single.begin(), single.end());
        return list;
    }();
    return severalOutputs ? several : single;
}

// A level between 0 and limit (which may be negative), or MIN (0) or MAX (limit).
int V::Level(const ScpiUnit& unit, double limit, double* value) {
    const QByteArray given = unit.parameters.value(0).toUpper();
    if (given == "MIN" || given == "MINIMUM") {
        *value = 0.0;
        return 0;
    }
    if (given == "MAX" || given == "MAXIMUM") {
        *value = limit;
        return 0;
    }
    double number = 0.0;
    if (!ParseNumber(given, &number))
        return ScpiError::kDataType;
    if (number < std::min(0.0, limit) || number > std::max(0.0, limit))
        return ScpiError::kOutOfRange;
    *value = number;
    return 0;
}

int V::OutputNamed(const QByteArray& name, int* index) const {
    for (size_t i = 0; i < ratings_.outputs.size(); ++i) {
        if (ratings_.outputs[i].name && name.toUpper() == ratings_.outputs[i].name) {
            *index = static_cast<int>(i);
            return 0;
        }
    }
    return ScpiError::kIllegalValue;
}

int V::MeasuredOutput(const ScpiUnit& unit, int* index) const {
    if (unit.parameters.isEmpty()) {
        *index = selected_;
        return 0;
    }
    if (!HasSelection())
        return ScpiError::kParameterNotAllowed;
    return OutputNamed(unit.parameters[0], index);
}

int V::SetVoltage(const ScpiUnit& unit, QByteArray*) {
    const size_t output = static_cast<size_t>(selected_);
    if (const int error = Level(unit, ratings_.outputs[output].voltsLimit, &outputs_[output].volts))
        return error;
    UpdateLoad();
    return 0;
}

int V::QueryVoltage(const ScpiUnit&, QByteArray* reply) {
    *reply = Nr3(outputs_[static_cast<size_t>(selected_)].volts);
    return 0;
}

int V::SetCurrent(const ScpiUnit& unit, QByteArray*) {
    const size_t output = static_cast<size_t>(selected_);
    return Level(unit, ratings_.outputs[output].ampsLimit, &outputs_[output].amps);
}

int V::QueryCurrent(const ScpiUnit&, QByteArray* reply) {
    *reply = Nr3(outputs_[static_cast<size_t>(selected_)].amps);
    return 0;
}

// One switch for every output, as on the E3631A.
int V::SetOutputState(const ScpiUnit& unit, QByteArray*) {
    if (const int error = Boolean(unit.parameters[0], &outputOn_))
        return error;
    UpdateLoad();
    return 0;
}

int V::QueryOutputState(const ScpiUnit&, QByteArray* reply) {
    *reply = outputOn_ ? "1" : "0";
    return 0;
}

int V::SelectByName(const ScpiUnit& unit, QByteArray*) {
    return OutputNamed(unit.parameters[0], &selected_);
}

int V::QuerySelectedName(const ScpiUnit&, QByteArray* reply) {
    *reply = ratings_.outputs[static_cast<size_t>(selected_)].name;
    return 0;
}

int V::SelectByNumber(const ScpiUnit& unit, QByteArray*) {
    double number = 0.0;
    if (!ParseNumber(unit.parameters[0], &number) || number != std::floor(number))
        return ScpiError::kDataType;
    if (number < 1 || number > static_cast<double>(outputs_.size()))
        return ScpiError::kOutOfRange;
    selected_ = static_cast<int>(number) - 1;
    return 0;
}

int V::QuerySelectedNumber(const ScpiUnit&, QByteArray* reply) {
    *reply = QByteArray::number(selected_ + 1);
    return 0;
}

// Only the first output has the unit on it; the others run without a load.
int V::MeasureCurrent(const ScpiUnit& unit, QByteArray* reply) {
    int output = 0;
    if (const int error = MeasuredOutput(unit, &output))
        return error;
    const bool loaded = outputOn_ && output == 0;
    *reply = Nr3(loaded ? std::min(load_.DrawA(), outputs_.front().amps) : 0.0);
    return 0;
}

int V::MeasureVoltage(const ScpiUnit& unit, QByteArray* reply) {
    int output = 0;
    if (const int error = MeasuredOutput(unit, &output))
        return error;
    *reply = Nr3(outputOn_ ? outputs_[static_cast<size_t>(output)].volts : 0.0);
    return 0;
}
