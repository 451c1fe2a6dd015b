#pragma once

#include "tests/sim/support/VirtualInstrumentTest.h"
#include "tests/support/FakeRadio.h"

// A test of a virtual test set on the radio double.
template <typename TestSet> class RadioInstrumentTest : public VirtualInstrumentTest {
protected:
    ScpiInstrument& Instrument() override { return instrument; }

    FakeRadio radio;
    TestSet instrument{radio};
};
