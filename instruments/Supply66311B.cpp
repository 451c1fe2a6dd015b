#include "instruments/Supply66311B.h"

void Supply66311B::ProgramOutput(double volts, double amps) {
    Check(supply_outputVoltCurr(Session(), volts, amps));
}

void Supply66311B::ClearAfterFailure(ViSession session, ViStatus status) {
    ReadError(session, status);
}
