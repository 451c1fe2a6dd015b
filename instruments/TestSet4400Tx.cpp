// The Willtek's part of the TX calibration.
#include "drivers/wt4400/wt4400.h"
#include "instruments/TestSet4400.h"
#include "instruments/TestSetLevels.h"

void TestSet4400::SetupTx() {
    Step(wt4400_selectCallSystem(Session(), 3)); // the generator mode
}

void TestSet4400::ConfigureTx() {
    UseCouplingTable() && Step(WriteLine("RFG:LEV ", static_cast<int>(kCellLevelDbm))) &&
        Step(SendAnalyserFrequency());
}

// The Willtek measures whatever level the target transmits.
void TestSet4400::SendMsPowerLevel() {}

std::optional<TxPowerReading> TestSet4400::ReadTxPower() {
    if (!Step(wt4400_setResultMode(Session(), 0))) // the average
        return std::nullopt;
    TxPowerReading reading;
    if (!Succeeded(wt4400_measureTxPower(Session(), &reading.dbm, 1)))
        return std::nullopt;
    return reading;
}

void TestSet4400::SendTxLevelAndChannel() {
    Step(SendAnalyserFrequency());
}

// The coupling table makes up for the cable.
void TestSet4400::SendAmplitudeOffset() {}
