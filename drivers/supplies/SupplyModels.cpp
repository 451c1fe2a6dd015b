#include "drivers/supplies/SupplyModels.h"

namespace supplies {

namespace {

const SupplyCommands k66311B = {
    .identities = {"66311", nullptr},
    .outputs = 1,
    .outputNames = {},
    .voltageAndCurrent = "VOLT {V};CURR {A};OUTP ON",
    .voltage = nullptr,
    .current = nullptr,
    .output = nullptr,
    .measureCurrent = "MEAS:CURR?",
};
// Outputs numbered as INST:NSEL numbers them: 1 is +6 V, 2 is +25 V, 3 is -25 V. The ";:" goes
// back to the root: after "INST:NSEL 1;" a bare "VOLT" would be read as INST:VOLT.
const SupplyCommands kE3631A = {
    .identities = {"E3631", nullptr},
    .outputs = 3,
    .outputNames = {"P6V", "P25V", "N25V"},
    .voltageAndCurrent = nullptr,
    .voltage = "INST:NSEL {N};:VOLT {V}",
    .current = "INST:NSEL {N};:CURR {A}",
    .output = "OUTP {S}",
    .measureCurrent = "MEAS:CURR? {O}",
};
const SupplyCommands kE3632A = {
    .identities = {"E3632", "E3633"},
    .outputs = 1,
    .outputNames = {},
    .voltageAndCurrent = nullptr,
    .voltage = "VOLT {V}",
    .current = "CURR {A}",
    .output = "OUTP {S}",
    .measureCurrent = "MEAS:CURR?",
};

} // namespace

bool IsKnownModel(SupplyModel model) {
    return model == SupplyModel::k66311B || model == SupplyModel::kE3631A ||
           model == SupplyModel::kE3632A;
}

const SupplyCommands& CommandsOf(SupplyModel model) {
    switch (model) {
    case SupplyModel::k66311B:
        return k66311B;
    case SupplyModel::kE3631A:
        return kE3631A;
    case SupplyModel::kE3632A:
        break;
    }
    return kE3632A;
}

bool Identifies(const SupplyCommands& commands, const QByteArray& identity) {
    for (const char* name : commands.identities) {
        if (name && identity.contains(name))
            return true;
    }
    return false;
}

bool HasOutput(const SupplyCommands& commands, ViInt16 output) {
    return commands.outputs == 1 || (output >= 1 && output <= commands.outputs);
}

QByteArray FillPattern(const SupplyCommands& commands, const char* pattern, ViInt16 output,
                       Substitutions values) {
    QByteArray line(pattern);
    if (commands.outputs > 1) {
        line.replace("{N}", QByteArray::number(output));
        line.replace("{O}", commands.outputNames[output - 1]);
    }
    for (const auto& [placeholder, value] : values)
        line.replace(placeholder, value);
    return line;
}

} // namespace supplies
