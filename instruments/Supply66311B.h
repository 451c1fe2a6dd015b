#pragma once

#include "instruments/ScpiSupply.h"

// The 66311B: voltage, current limit and output on in one call; no device clear.
class Supply66311B final : public ScpiSupply {
public:
    explicit Supply66311B(InstrumentContext& context) : ScpiSupply(context, SupplyModel::k66311B) {}

private:
    void ProgramOutput(double volts, double amps) override;
    void ClearAfterFailure(ViSession session, ViStatus status) override;
};
