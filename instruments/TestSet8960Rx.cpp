// The 8960's part of the call check and the RX calibration.
#include "drivers/age1960/age1960.h"
#include "instruments/TestSet8960.h"
#include "instruments/TestSetLevels.h"

namespace {

constexpr double kConnectSeconds = 5.0;

} // namespace

bool TestSet8960::WaitForCall() {
    const ViSession session = Session();
    if (!Step(age1960_prepareCallState(session)))
        return false;
    const ViStatus status = age1960_waitForConnect(session, kConnectSeconds);
    Step(status);
    return status == VI_SUCCESS;
}

void TestSet8960::SetupRx() {
    const InstrumentContext& context = Context();
    const ViSession session = Session();
    Step(age1960_cellBand(session, 1, context.band)) &&
        Step(age1960_BCHARFCN(session, 1, context.bchChannel, context.band, 1)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0));
}

void TestSet8960::SendRxLossAndLevel() {
    const InstrumentContext& context = Context();
    const ViSession session = Session();
    // The RX calibration keeps plain levels, so the level goes to the 8960 unchanged.
    if (Step(age1960_TCHBand(session, context.band)) &&
        Step(age1960_amplitudeOffset(session, context.cableLossDb)) &&
        Step(age1960_cellPower(session, 1, kCellLevelDbm, 0, 0)))
        age1960_MSTXLevel(session, context.powerLevel, context.band, 1);
}

void TestSet8960::SendTrafficChannel() {
    Step(SendTchChannel());
}

std::optional<double> TestSet8960::ReadRxLevel() {
    const ViSession session = Session();
    double level = 0.0;
    // Each NEW? waits for the next report; the first ones may predate the new setting.
    if (!Step(age1960_cmdReal64_Q(session, "CALL:MS:REPorted:RXLevel:NEW?;NEW?;NEW?", &level)) ||
        !Succeeded(age1960_cmdReal64_Q(session, "CALL:MS:REPorted:RXLevel:LAST?", &level)))
        return std::nullopt;
    return level;
}
