#pragma once

#include "drivers/supplies/supplies.h"

#include <QByteArray>

#include <initializer_list>
#include <utility>

namespace supplies {

// The SCPI of each supply model, in one place so that a line found wrong on a real instrument is
// corrected here. A pattern holds placeholders: {V} volts, {A} amps, {N} the output number,
// {O} the output's name, {S} ON or OFF. A null pattern is a role the model does not have.
struct SupplyCommands {
    const char* identities[2]; // substrings of the "*IDN?" reply; either names the model
    ViInt16 outputs;           // numbered 1 to outputs
    const char* outputNames[3];
    const char* voltageAndCurrent;
    const char* voltage;
    const char* current;
    const char* output;
    const char* measureCurrent;
};

using SupplyRole = const char* SupplyCommands::*;
using Substitutions = std::initializer_list<std::pair<const char*, QByteArray>>;

bool IsKnownModel(SupplyModel model);
// For a known model only.
const SupplyCommands& CommandsOf(SupplyModel model);
bool Identifies(const SupplyCommands& commands, const QByteArray& identity);
// Single-output models take any output number, as they ignore it.
bool HasOutput(const SupplyCommands& commands, ViInt16 output);
// The pattern with the output's number and name and the given values filled in.
QByteArray FillPattern(const SupplyCommands& commands, const char* pattern, ViInt16 output,
                       Substitutions values);

} // namespace supplies
