#include "instruments/SupplyE363x.h"

#include "instruments/DelayMs.h"

namespace {

constexpr int kSettleBeforeOutputMs = 1000;

} // namespace

void SupplyE363x::ProgramOutput(double volts, double amps) {
    const ViSession session = Session();
    Check(supply_setVoltage(session, kTargetOutput, volts));
    Check(supply_setCurrent(session, kTargetOutput, amps));
    DelayMs(kSettleBeforeOutputMs);
    supply_outputOn(session, 1);
}

void SupplyE363x::ClearAfterFailure(ViSession session, ViStatus status) {
    supply_dcl(session);
    ReadError(session, status);
}
