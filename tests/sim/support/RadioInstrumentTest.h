#pragma once

#include "tests/instruments/support/FakeRadio.h"
#include "tests/sim/support/VirtualInstrumentTest.h"

// A test of a virtual test set on the radio double.
template <typename TestSet> class RadioInstrumentTest : public VirtualInstrumentTest {
protected:
    ScpiInstrument& Instrument() override { return instrument; }

    FakeRadio radio;
    TestSet instrument{radio};
};
