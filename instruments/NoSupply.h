#pragma once

#include "instruments/Supply.h"

// No supply configured: opening succeeds without a driver call and nothing is ever programmed or
// read.
class NoSupply final : public Supply {
public:
    using Supply::Supply;

private:
    bool Open() override { return true; }
    void CloseSession() override {}
    void ProgramOutput(double, double) override {}
    std::optional<double> MeasureCurrent() override { return std::nullopt; }
    void ClearAfterFailure(ViSession, ViStatus) override {}
};
