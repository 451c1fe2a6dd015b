#include "tests/sim/target/StationTalk.h"

// What the target's commands do to the unit's radio, through the lines the calibration sends.

TEST(TargetRadio, dacInEffectFollowsTheSubBandOfTheChannelAndTheLevel) {
    StationTalk station;
    for (const char* line : {"ti", "tms 1", "rfpw 2 62", "txpw 1 5", "spw 21 640", "txpw 1 6",
                             "spw 21 600", "txpw 1 100", "txpw 4 590"})
        station.Ask(line);
    EXPECT_EQ(station.Area("txpr 4").U16le(5), 590); // DCS sub-band 1 at PCL 0
    station.Ask("txpw 1 5");
    EXPECT_EQ(station.Area("spr 21").U16le(5), 640); // level 5 kept its own DAC
    EXPECT_EQ(station.Area("txpr 4").U16le(5), 600); // GSM sub-band 1 untouched: the default

    EXPECT_FALSE(station.unit.Radio().transmitting);
    station.Ask("rfe 7");
    EXPECT_EQ(station.unit.Radio().apcDac, 640);
    const double at640 = station.unit.TransmittedPowerDbm();
    station.Ask("spw 21 660");
    EXPECT_GT(station.unit.TransmittedPowerDbm(), at640);
    station.Ask("rfpw 2 1"); // sub-band 1 at level 5
    EXPECT_EQ(station.unit.Radio().apcDac, 600);
    station.Ask("rfe 0");
    EXPECT_EQ(station.unit.TransmittedPowerDbm(), UnitModel::kNotTransmittingDbm);

    EXPECT_EQ(station.Send("txpw 4 1024").size(), 1u); // answered, refused: a 10-bit DAC
    EXPECT_EQ(station.Area("txpr 4").U16le(5), 600);
}

TEST(TargetRadio, rxCorrectionPerChannelReachesTheReportInACall) {
    StationTalk station({6});
    station.Ask("se 100");
    ASSERT_TRUE(station.unit.CallStarted());
    station.Ask("spw 1 512");
    const int before = *station.unit.ReportedRxLev();
    station.Ask("spw 11 8");
    EXPECT_EQ(*station.unit.ReportedRxLev(), std::min(before + 4, 63));
    EXPECT_EQ(station.Area("spr 11").S16le(5), 8);
    station.Ask("spw 1 62");
    EXPECT_EQ(station.Area("spr 11").S16le(5), 0); // another channel, another correction
    station.Ask("spw 1 512");
    EXPECT_EQ(station.Area("spr 11").S16le(5), 8);
    station.Ask("se 101");
    EXPECT_FALSE(station.unit.CallStarted());
}

TEST(TargetRadio, statsReadGivesTheLevelAndTheGmagicMeasurementAtTheirPositions) {
    StationTalk station({9, UnitFlaw::kNone, 0.0});
    station.unit.SetCellPowerDbm(UnitModel::kNoSignalDbm);
    station.unit.SetCwGenerator(true, 947467000.0, -74.5);
    station.Ask("rfpw 2 62");
    station.Ask("rfe 1");
    station.Ask("rftw 31 " + std::to_string(station.unit.Variation().gmagicGsm) + ",40,0,39,40");

    const ReplyWorkArea pm = station.Area("sr 1 2");
    EXPECT_EQ(pm.At(6), 2);
    EXPECT_NEAR(pm.U16le(8) / 64.0, 55.0, 0.05);
    const ReplyWorkArea both = station.Area("sr 1 3");
    EXPECT_EQ(both.At(6), 3);
    EXPECT_NEAR(both.U16le(9) / 64.0, 55.0, 0.05);
    EXPECT_EQ(both.U16be(7) / 2, static_cast<int>(station.unit.RxLevelDb()));
    const QStringList level = station.Texts("sr 1 1");
    EXPECT_TRUE(level.value(0).startsWith("RX level is ")) << level.join('|').toStdString();
    EXPECT_EQ(station.Send("sr 1 4").size(), 1u); // no such type: an error status
}
