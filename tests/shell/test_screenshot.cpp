#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

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
        "NAME is one of: manual, rf-config, autocal."));

    QProcess unknown;
    unknown.start(RFTUNE_PATH, {"--no-splash", "--open", "manual", "--open", "nosuch"});
    ASSERT_TRUE(unknown.waitForFinished(10000));
    EXPECT_EQ(unknown.exitCode(), 2);
    const QString errors = QString::fromLocal8Bit(unknown.readAllStandardError());
    EXPECT_TRUE(
        errors.contains("rftune: unknown window \"nosuch\" for --open; the windows are: manual, "
                        "rf-config, autocal\n"))
        << errors.toStdString();
}
