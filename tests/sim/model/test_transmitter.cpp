#include "sim/model/UnitModel.h"

#include <gtest/gtest.h>

// Whether the calibration's search finds every unit's DAC is the whole runs' to show (the complete
// runs, the soak's good units, the weak transmitter's failure); here the model's own physics.

namespace {

double PowerAt(UnitModel& unit, int channel, int dac) {
    RadioSetting radio;
    radio.txChannel = channel;
    radio.apcDac = dac;
    radio.transmitting = true;
    unit.SetRadio(radio);
    return unit.TransmittedPowerDbm();
}

} // namespace

TEST(UnitTransmitter, unitsDifferAndTheSameSeedGivesTheSameUnit) {
    UnitModel a({3});
    UnitModel again({3});
    UnitModel b({4});
    for (const int channel : {62, 698}) {
        EXPECT_EQ(PowerAt(a, channel, 600), PowerAt(again, channel, 600)) << channel;
        EXPECT_NE(PowerAt(a, channel, 600), PowerAt(b, channel, 600)) << channel;
    }
}

TEST(UnitTransmitter, powerRisesWithTheDacAndOnlyWhileTransmitting) {
    UnitModel unit;
    double previous = PowerAt(unit, 62, 0);
    for (int dac = 10; dac <= 1023; dac += 10) {
        const double power = PowerAt(unit, 62, dac);
        EXPECT_GE(power, previous) << dac;
        previous = power;
    }
    EXPECT_LT(previous, 36.0); // saturated, not running away
    EXPECT_DOUBLE_EQ(unit.TransmitFrequencyHz(), 902.4e6);

    RadioSetting off = unit.Radio();
    off.transmitting = false;
    unit.SetRadio(off);
    EXPECT_EQ(unit.TransmittedPowerDbm(), UnitModel::kNotTransmittingDbm);
    EXPECT_EQ(unit.TransmitFrequencyHz(), 0.0);
}
