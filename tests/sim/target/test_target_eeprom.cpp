#include "tests/sim/target/StationTalk.h"

#include <QFile>
#include <QTemporaryDir>

// What the target keeps: "se 1" and "se 11" commit, a restart loses the rest, "se 5" and
// "se 6" erase, and the image goes to and comes from a file.

namespace {

void Restart(StationTalk& station) {
    EXPECT_TRUE(station.Send("se 300").empty());
    station.now += VirtualTarget::kDefaultRestartTimeMs;
}

int Dac(StationTalk& station) {
    return station.Area("txpr 4").U16le(5);
}

} // namespace

TEST(TargetEeprom, commitsSurviveARestartAndUncommittedValuesDoNot) {
    StationTalk station;
    station.Ask("txpw 4 611");
    Restart(station);
    EXPECT_EQ(Dac(station), 600);

    station.Ask("txpw 4 611");
    station.Ask("spw 54 619");
    station.Ask("se 1");
    station.Ask("txpw 4 622"); // after the commit: lost
    Restart(station);
    EXPECT_EQ(Dac(station), 611);
    EXPECT_EQ(station.target.CommitCount(), 1);
    EXPECT_EQ(station.target.State().Logic().batteryCalibration, 0); // not committed

    station.Ask("spw 54 619");
    station.Ask("se 11");
    Restart(station);
    EXPECT_EQ(station.target.State().Logic().batteryCalibration, 619);
}

TEST(TargetEeprom, valuesLiveAtTheirMappedAddresses) {
    StationTalk station;
    station.Ask("txpw 1 5");
    station.Ask("txpw 4 611"); // 0x263
    station.Ask("se 1");
    station.Ask("stw 60 0x53 0x76 0x98 0x10 0x32 0x54 0x76 0x8");
    station.Ask("spw 100 1");
    const QByteArray& image = station.target.Eeprom().Bytes();
    EXPECT_EQ(image.size(), EepromImage::kSize);
    EXPECT_EQ(image[0x000], '\xA5');
    EXPECT_EQ(image.mid(0x040 + 2 * 5, 2), QByteArray("\x63\x02", 2));
    EXPECT_EQ(image.mid(0x640, 8), QByteArray("\x53\x76\x98\x10\x32\x54\x76\x08", 8));
    EXPECT_EQ(image[0x655], '\x01');
    EXPECT_EQ(image.mid(0x660, 11), QByteArray("SIMFW V1.00"));
}

TEST(TargetEeprom, rfResetErasesTheCalibrationAndFullResetEverythingButTheVersion) {
    StationTalk station;
    station.Ask("txpw 4 611");
    station.Ask("se 1");
    station.Ask("spw 54 619");
    station.Ask("se 11");
    station.Ask("stw 61 0x12 0x34 0x56");

    station.Ask("rftw 31 201,40,0,39,40");
    station.Ask("se 5");
    EXPECT_EQ(Dac(station), 600);
    EXPECT_EQ(station.target.State().Rf().gmagicGsm[0], 195); // back to the firmware's default
    Restart(station);
    EXPECT_EQ(Dac(station), 600);
    EXPECT_EQ(station.target.State().Logic().batteryCalibration, 619);
    EXPECT_EQ(station.Texts("str 61"), QStringList{"1193046"});

    station.Ask("se 6");
    EXPECT_EQ(station.Texts("str 61"), QStringList{"-65793"}); // 0xFF 0xFF 0xFF as signed sums
    EXPECT_EQ(station.target.State().Logic().batteryCalibration, 0);
    EXPECT_EQ(station.Texts("str 10"), QStringList{"SIMFW V1."});
}

TEST(TargetEeprom, imageGoesToAFileAndComesBackIntoAnotherUnit) {
    QTemporaryDir dir;
    const QString path = dir.filePath("unit.eep");
    QString error;
    StationTalk first;
    EXPECT_TRUE(first.target.LoadEeprom(path, &error)) << error.toStdString(); // fresh
    first.Ask("txpw 4 611");
    first.Ask("se 1");
    first.Ask("stw 60 0x53 0x76 0x98 0x10 0x32 0x54 0x76 0x8");
    ASSERT_TRUE(first.target.SaveEeprom(path, &error)) << error.toStdString();

    StationTalk second({2});
    ASSERT_TRUE(second.target.LoadEeprom(path, &error)) << error.toStdString();
    EXPECT_EQ(Dac(second), 611);
    EXPECT_EQ(second.Texts("str 60").value(0).left(15), "356789012345678");

    QFile truncated(dir.filePath("short.eep"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write("abc");
    truncated.close();
    EXPECT_FALSE(second.target.LoadEeprom(truncated.fileName(), &error));
    EXPECT_TRUE(error.contains("short.eep"));
    EXPECT_FALSE(second.target.SaveEeprom(dir.filePath("no/such/dir/x.eep"), &error));
    EXPECT_EQ(Dac(second), 611); // a failed load leaves the unit as it was
}
