#pragma once

#include "ScpiSupply.h"

// The E3631A and E3632A/E3633A: voltage and current limit one by one, a moment to settle, then
// the output on; a device clear before the error is read.
class SupplyE363x : public ScpiSupply {
public:
    using ScpiSupply::ScpiSupply;

protected:
    void ProgramOutput(double volts, double amps) override;
    void ClearAfterFailure(ViSession session, ViStatus status) override;
};

// The E3631A, programmed only by the battery calibration.
class SupplyE3631A final : public SupplyE363x {
public:
    explicit SupplyE3631A(InstrumentContext& context)
        : SupplyE363x(context, SupplyModel::kE3631A) {}
};

// The E3632A, and the E3633A that takes the same commands: powers the target at 3.8 V / 3.0 A
// as soon as it is open.
class SupplyE3632A final : public SupplyE363x {
public:
    explicit SupplyE3632A(InstrumentContext& context)
        : SupplyE363x(context, SupplyModel::kE3632A) {}

private:
    bool Open() override;
};
