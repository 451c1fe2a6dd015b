#include "sim/model/UnitModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kRxChannels[] = {1,   20,  40,  62,  80,  100, 124,  512, 585,
                               660, 700, 790, 835, 885, 975, 1000, 1023};

void Tune(UnitModel& unit, int channel, int correction) {
    RadioSetting radio = unit.Radio();
    radio.rxChannel = channel;
    radio.rxCorrection = correction;
    unit.SetRadio(radio);
}

// The RX calibration's arithmetic: the difference to RXLEV 50 truncated, then doubled.
int NewCorrection(int readBack, int rxLev) {
    return readBack + 2 * static_cast<int>(std::trunc(50.0 - rxLev));
}

UnitModel InCall(const UnitOptions& options) {
    UnitModel unit(options);
    unit.SetCellPowerDbm(-60.0);
    unit.SetCallRequested(true);
    return unit;
}

struct GmagicResult {
    int value;
    double meanAfter; // mean of two samples with the value written
};

double Sample(UnitModel& unit, int gmagic) {
    RadioSetting radio = unit.Radio();
    radio.gmagicGsm = gmagic;
    unit.SetRadio(radio);
    return std::floor(unit.PowerMeasurement() * 64.0 + 0.5) / 64.0; // as the reply carries it
}

// The GMAGIC calibration's arithmetic on channel 62 with its -74.5 dBm tone.
GmagicResult CalibrateGmagic(UnitModel& unit, int readBack) {
    RadioSetting radio;
    radio.rxChannel = 62;
    radio.receiving = true;
    unit.SetRadio(radio);
    unit.SetCellPowerDbm(UnitModel::kNoSignalDbm);
    unit.SetCwGenerator(true, 947467000.0, -74.5);
    const double mean = (Sample(unit, readBack) + Sample(unit, readBack)) / 2.0;
    const int value = static_cast<int>(readBack + 2.0 * (55.0 - mean));
    return {value, (Sample(unit, value) + Sample(unit, value)) / 2.0};
}

} // namespace

TEST(UnitReceiver, onePassOfTheRxCalibrationLandsEveryChannelAtRxlev50) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        UnitModel unit = InCall({seed});
        ASSERT_TRUE(unit.CallStarted());
        for (int channel : kRxChannels) {
            const int readBack = seed % 3 == 0 ? 6 : 0; // a unit calibrated before, or not
            Tune(unit, channel, readBack);
            const int correction = NewCorrection(readBack, *unit.ReportedRxLev());
            EXPECT_GE(correction, -20) << "seed " << seed << " channel " << channel;
            EXPECT_LE(correction, 20) << "seed " << seed << " channel " << channel;
            Tune(unit, channel, correction);
            EXPECT_NEAR(*unit.ReportedRxLev(), 50, 1) << "seed " << seed << " channel " << channel;
        }
    }
}

TEST(UnitReceiver, unitWithAnRxOffsetNeedsACorrectionOutsideTheAcceptedRange) {
    UnitModel unit = InCall({5, UnitFlaw::kRxOffset});
    Tune(unit, 700, 0);
    EXPECT_LT(NewCorrection(0, *unit.ReportedRxLev()), -20);
}

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

TEST(UnitReceiver, gmagicCalibrationFindsTheUnitsOwnValue) {
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
        UnitModel unit({seed});
        const GmagicResult result = CalibrateGmagic(unit, 195);
        EXPECT_NEAR(result.value, unit.Variation().gmagicGsm, 1) << "seed " << seed;
        EXPECT_GE(result.value, 185);
        EXPECT_LE(result.value, 206);
        EXPECT_NEAR(result.meanAfter, 55.0, 0.8) << "seed " << seed;
    }
    UnitModel flawed({1, UnitFlaw::kGmagic});
    EXPECT_GT(CalibrateGmagic(flawed, 195).value, 206);
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
