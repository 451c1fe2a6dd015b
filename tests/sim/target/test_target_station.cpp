#include "tests/sim/target/StationTalk.h"

#include <QString>

// Each command family through the station's encoder and decoder: what a write stores, the
// matching read returns, in the form the station reads it.

namespace {

QString Field(const char* text, int width) {
    return QString(text).rightJustified(width);
}

QString ParameterSetLine(int a, int b, int c, int d, int e) {
    return QString::asprintf(
        "   %d           %d           %d                    %d                          %d", a, b,
        c, d, e);
}

} // namespace

TEST(TargetWithStation, everyParameterFamilyReadsBackWhatWasWritten) {
    const struct {
        const char* write;
        const char* read;
        QStringList texts;
    } cases[] = {
        {"rfpw 1 80", "rfpr 1", {"BCH Channel is 80"}},
        {"rfpw 2 698", "rfpr 2", {"TCH Channel is 698"}},
        {"rfpw 9 -1.5", "rfpr 9", {"AFC DAC : " + Field("-1.500", 13)}},
        {"rfpw 10 2.99", "rfpr 10", {"INIT_AFC : " + Field("2.875", 13)}},
        {"rftw 47 201,40,0,41,42",
         "rftr 47",
         {"G_magic   Ina_att   cal_freq1    Ina_switch_thr_low     Ina_switch_thr_high",
          ParameterSetLine(201, 40, 0, 41, 42)}},
        {"rxpw 1 7", "rxpr 1", {"AGC Gain = 7"}},
        {"rxpw 2 3", "rxpr 2", {"rx timeslot = 3"}},
        {"rxpw 8 0", "rxpr 8", {"AGC algorithm Enable = 0"}},
        {"rxpw 10 42", "rxpr 10", {"rx_frontdelay = 42"}},
        {"txpw 1 112", "txpr 1", {"Tx level is 112"}},
        {"txpw 4 555", "txpr 4", {"APC DAC value is 555"}},
        {"spw 11 -6", "spr 11", {"Reading Rx AGC value is 65530"}},
        {"spw 21 612", "spr 21", {" Battery ADC value is 612"}}, // the window's label for 21
        {"spw 32 444", "spr 32", {"Unknown value : 444"}},
        {"spw 52 63", "spr 52", {"Unknown value : 63"}},
        {"spw 73 255", "spr 73", {"Unknown value : 255"}},
        {"spw 100 2", "spr 100", {"Unknown value : 2"}},
    };
    StationTalk station;
    for (const auto& c : cases) {
        station.Ask(c.write);
        EXPECT_EQ(station.Texts(c.read), c.texts) << c.write;
    }
    station.Ask("txpw 5 7");
    EXPECT_EQ(station.Area("txpr 5").U16le(5), 7);
    station.Ask("scw 3 77");
    EXPECT_EQ(station.Area("scr 3").U16le(5), 77);
    station.Ask("mpw 4 9");
    EXPECT_EQ(station.Area("mpr 4").U16le(5), 9);
}

TEST(TargetWithStation, commandsWithoutValuesGiveTheStationsTexts) {
    StationTalk station;
    EXPECT_EQ(station.Texts("11"), QStringList{"test code success"});
    EXPECT_EQ(station.Texts("tms 1"), QStringList{"testmode set"});
    EXPECT_EQ(station.Texts("se 1"), QStringList{"Saved to EEPROM"});
    EXPECT_EQ(station.Texts("se 5"), QStringList{"Target Resetted"});
    for (const char* line : {"ti", "vg 0xe0", "rfe 7", "rfe 0", "se 30", "se 50", "se 51", "se 53",
                             "se 54", "se 56", "se 59", "se 100", "se 101", "se 6", "se 11",
                             "spw 55 64", "spw 56 7", "spw 72 1", "spw 74 0"})
        EXPECT_TRUE(station.Texts(line).isEmpty()) << line;
}

TEST(TargetWithStation, clockRunsOnFromWhenItWasSet) {
    StationTalk station;
    station.now = 5000;
    station.Ask("stw 20 0x6 0x1a 0xc 0x5 0x9 0x7 0x3"); // Saturday 5 December 2026, 09:07:03
    station.now += 24 * 3600 * 1000 + 57 * 1000;
    const ReplyWorkArea reply = station.Area("str 20");
    const int expected[] = {0, 26, 12, 6, 9, 8, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(reply.At(5 + i), expected[i]) << i;
}

TEST(TargetWithStation, rampTemplateSurvivesWriteAndRead) {
    StationTalk station;
    station.Ask("ttw 30 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,31,30,29,28,27,26,25,24,23,22,21,"
                "20,19,18,17,16");
    const ReplyWorkArea reply = station.Area("ttr 30");
    EXPECT_EQ(reply.Index(), 30);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(reply.S8(5 + i), i);
        EXPECT_EQ(reply.S8(21 + i), 31 - i);
    }
    EXPECT_EQ(station.Texts("ttr 30").front(), "Up Ramp Templete #30");
    const std::vector<QByteArray> noTemplate = station.Send("ttr 31");
    ASSERT_EQ(noTemplate.size(), 1u);
    EXPECT_NE(noTemplate[0][3], '\0'); // the status byte
}
