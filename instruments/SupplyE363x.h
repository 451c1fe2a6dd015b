#pragma once

#include "instruments/ScpiSupply.h"

// The E3631A and E3632A/E3633A: voltage and current limit one by one, a moment to settle, then
// the output on; a device clear before the error is read.
class SupplyE363x final : public ScpiSupply {
public:
    using ScpiSupply::ScpiSupply;

private:
    void ProgramOutput(double volts, double amps) override;
    void ClearAfterFailure(ViSession session, ViStatus status) override;
};
