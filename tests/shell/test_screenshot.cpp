#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The calibration waits at a hundredth of real time, the simulated phone paced as fast as it
// answers.
const QStringList kQuickBench{"--simulate", "--time-scale", "0.01", "--command-gap-ms", "0"};

} // namespace

TEST(Screenshot, theSimulatedStationUnderAVirtualXServerAnswersThroughTheWindow) {
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    QFile::remove(RFTUNE_SCREENSHOT_PATH);

    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    // The X libraries keep caches for the life of the process; the program's own leaks are
    // checked by the offscreen tests.
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    station.setProcessEnvironment(env);
    station.start(xvfbRun, {"-a", "-s", "-screen 0 1280x800x24", RFTUNE_PATH, "--simulate",
                            "--no-splash", "--open", "manual", "--send", "spr 21", "--send", "se 1",
                            "--screenshot", RFTUNE_SCREENSHOT_PATH});
    ASSERT_TRUE(station.waitForStarted(5000));
    if (!station.waitForFinished(30000))
        station.kill();
    const QString out = QString::fromLocal8Bit(station.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(station.readAllStandardError());

    EXPECT_EQ(station.exitCode(), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains("serial port opened...")) << errors.toStdString();
    EXPECT_TRUE(QRegularExpression("^spr 21\n Battery ADC value is \\d+\nse 1\nSaved to EEPROM\n$")
                    .match(out)
                    .hasMatch())
        << out.toStdString();
    EXPECT_EQ(QImage(RFTUNE_SCREENSHOT_PATH).size(), QSize(1280, 800));
}

TEST(Screenshot, openTakesOnlyTheNamesOfRegisteredWindowsAndHelpListsThem) {
    QProcess help;
    help.start(RFTUNE_PATH, {"--help"});
    ASSERT_TRUE(help.waitForFinished(10000));
    EXPECT_TRUE(help.readAllStandardOutput().simplified().contains(
        "NAME is one of: manual, rf-config, autocal, ramp, rf-test, logic-test, imei, "
        "eeprom-map, records, eeprom-reset."));

    QProcess unknown;
    unknown.start(RFTUNE_PATH, {"--no-splash", "--open", "manual", "--open", "nosuch"});
    ASSERT_TRUE(unknown.waitForFinished(10000));
    EXPECT_EQ(unknown.exitCode(), 2);
    const QString errors = QString::fromLocal8Bit(unknown.readAllStandardError());
    EXPECT_TRUE(
        errors.contains("rftune: unknown window \"nosuch\" for --open; the windows are: "
                        "manual, rf-config, autocal, ramp, rf-test, logic-test, imei, eeprom-map, "
                        "records, eeprom-reset\n"))
        << errors.toStdString();
}

TEST(Screenshot, aScriptedStartGoesOnUnderAModalWindowAndKeepsItOnTheScreen) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("rf-config.png");
    QProcess station;
    station.start(RFTUNE_PATH,
                  {"--simulate", "--no-splash", "--open", "rf-config", "--screenshot", picture});
    ASSERT_TRUE(station.waitForFinished(30000));
    EXPECT_EQ(station.exitCode(), 0) << station.readAllStandardError().toStdString();
    EXPECT_FALSE(QImage(picture).isNull());
}

TEST(Screenshot, calibrateRunsACompleteCalibrationThroughTheWindowAndKeepsTheScreen) {
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    QFile::remove(RFTUNE_CALIBRATION_SCREENSHOT_PATH);
    QTemporaryDir results;

    QProcess station;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    station.setProcessEnvironment(env);
    station.start(xvfbRun, QStringList{"-a", "-s", "-screen 0 1280x800x24", RFTUNE_PATH,
                                       "--no-splash", "--calibrate", "--measure-ui", "--phone-name",
                                       "screen unit", "--result-dir", results.path(),
                                       "--screenshot", RFTUNE_CALIBRATION_SCREENSHOT_PATH} +
                               kQuickBench);
    ASSERT_TRUE(station.waitForStarted(5000));
    if (!station.waitForFinished(300000))
        station.kill();
    const QString out = QString::fromLocal8Bit(station.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(station.readAllStandardError());

    EXPECT_EQ(station.exitCode(), 0) << out.toStdString() << errors.toStdString();
    EXPECT_TRUE(out.contains("Checking the PHONE. Wait a moment !\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("Calibration Success....\nelapsed time ")) << out.toStdString();
    EXPECT_TRUE(out.contains("largest gap between two turns of the window's event loop"));
    EXPECT_EQ(QImage(RFTUNE_CALIBRATION_SCREENSHOT_PATH).size(), QSize(1280, 800));
    QFile log(results.filePath("calresult.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("name : screen unit  ##########"));
}
