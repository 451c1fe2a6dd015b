#pragma once

#include "drivers/supplies/supplies.h"
#include "instruments/Supply.h"

// What every model shares through our supplies driver: opening, closing, the current reading and
// the error read. The model family programs the output and recovers from a failure.
class ScpiSupply : public Supply {
public:
    ScpiSupply(InstrumentContext& context, SupplyModel model) : Supply(context), model_(model) {}

protected:
    static constexpr ViInt16 kTargetOutput = 1; // the E3631A's +6 V output; the others have one

    bool Open() override;
    void CloseSession() override;
    std::optional<double> MeasureCurrent() override;
    // Reading the text empties the instrument's error queue; nobody is shown it.
    static void ReadError(ViSession session, ViStatus status);

private:
    SupplyModel model_;
};
