#include "instruments/Supply.h"

// Every model powers the target at the operating point as soon as it is open: the sequencer's
// detection poll waits for a target that draws current, and a supply left off after its reset
// would never show one.
bool Supply::InitSupply() {
    CloseSupply();
    if (!Open())
        return false;
    SetSupply3V8();
    return true;
}

void Supply::CloseSupply() {
    if (session_ == 0)
        return;
    CloseSession();
    session_ = 0;
    identity_.clear();
}

int Supply::SetSupplyOutput(double volts, double amps) {
    ProgramOutput(volts, amps);
    return 0;
}

void Supply::SetSupply3V8() {
    SetSupplyOutput(3.8, 3.0);
}

void Supply::SetSupply4V18() {
    SetSupplyOutput(4.18, 3.0);
}

std::optional<double> Supply::ReadSupplyCurrent() {
    return MeasureCurrent();
}

void Supply::CheckSupplyStatus(ViSession session, ViStatus status) {
    if (status >= VI_SUCCESS)
        return;
    ClearAfterFailure(session, status);
    context_.instrumentFault = 1;
}
