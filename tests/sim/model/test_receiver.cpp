#include "sim/model/UnitModel.h"

#include <gtest/gtest.h>

// Whether the RX and GMAGIC calibrations land every unit where they should is the whole runs'
// to show (the complete runs, the soak's good units, the RX offset and GMAGIC flaws); here the
// model's own physics.

namespace {

void Tune(UnitModel& unit, int channel, int correction) {
    RadioSetting radio = unit.Radio();
    radio.rxChannel = channel;
    radio.rxCorrection = correction;
    unit.SetRadio(radio);
}

} // namespace

TEST(UnitReceiver, reportFollowsTheCellAndNeedsACall) {
    UnitModel unit({2});
    EXPECT_FALSE(unit.ReportedRxLev());
    unit.SetCallRequested(true);
    unit.SetCellPowerDbm(-110.0); // below the sensitivity: no call
    EXPECT_FALSE(unit.CallStarted());
    unit.SetCellPowerDbm(-60.0);
    Tune(unit, 62, 0);
    const int at60 = *unit.ReportedRxLev();
    unit.SetCellPowerDbm(-70.0);
    EXPECT_EQ(*unit.ReportedRxLev(), at60 - 10);
    Tune(unit, 62, 4); // 2 units per dB
    EXPECT_EQ(*unit.ReportedRxLev(), at60 - 8);
    unit.SetCellPowerDbm(-20.0);
    EXPECT_EQ(*unit.ReportedRxLev(), 63);
}

TEST(UnitReceiver, powerMeasurementNeedsTheReceiverAndATuneNearTheChannel) {
    UnitModel unit({3, UnitFlaw::kNone, 0.0});
    RadioSetting radio;
    radio.rxChannel = 62;
    radio.gmagicGsm = unit.Variation().gmagicGsm;
    unit.SetRadio(radio);
    unit.SetCellPowerDbm(UnitModel::kNoSignalDbm);
    unit.SetCwGenerator(true, 947333000.0, -74.5);
    EXPECT_EQ(unit.PowerMeasurement(), 0.0);
    radio.receiving = true;
    unit.SetRadio(radio);
    EXPECT_NEAR(unit.PowerMeasurement(), 55.0, 0.01); // the noise floor adds a little
    unit.SetCwGenerator(true, 948467000.0, -74.5);    // 1 MHz off
    EXPECT_LT(unit.PowerMeasurement(), 20.0);
}
