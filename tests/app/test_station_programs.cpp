// What every executable does before its own work, seen from outside: usage errors, --help and
// --version, the simulated bench's link check, the exits of a scripted station window, and the
// EEPROM map read headless.
#include "app/startup/StationStartup.h"
#include "base/StationSettings.h"
#include "link/LinkSettings.h"
#include "sessions/EepromMapFiles.h"
#include "sessions/EepromMapSession.h"
#include "tests/app/ProgramRun.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs a program in a home of its own, so that no station settings of this machine apply (and
// Qt has a runtime directory, so that its warning about a missing one does not come first).
class Programs : public testing::Test {
protected:
    ProgramRun Run(const QString& program, const QStringList& arguments,
                   const QStringList& unset = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        for (const QString& name : unset)
            environment.remove(name);
        return RunProgram(program, arguments, environment, {}, 30000);
    }

    QTemporaryDir home;
};

const QStringList kWithoutDisplay{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

} // namespace

TEST_F(Programs, everyProgramRefusesAnUnknownOptionWithTwoAndTellsItsVersion) {
    const struct {
        const char* name;
        const char* path;
    } programs[] = {{"rftune", RFTUNE_PATH},           {"rftune-cal", RFTUNE_CAL_PATH},
                    {"rftune-cmd", RFTUNE_CMD_PATH},   {"rftune-sim", RFTUNE_SIM_PATH},
                    {"rftune-visa", RFTUNE_VISA_PATH}, {"rftune-eeprom", RFTUNE_EEPROM_PATH}};
    for (const auto& [name, path] : programs) {
        const ProgramRun unknown = Run(path, {"--no-such-option"});
        EXPECT_EQ(unknown.exitCode, 2) << name;
        EXPECT_TRUE(unknown.err.startsWith(
            QStringLiteral("%1: Unknown option 'no-such-option'").arg(QLatin1String(name))))
            << unknown.err.toStdString();
        const ProgramRun version = Run(path, {"--version"}, kWithoutDisplay);
        EXPECT_EQ(version.exitCode, 0) << name << version.err.toStdString();
        EXPECT_EQ(version.out, QStringLiteral("%1 1.4\n").arg(QLatin1String(name)));
    }
    const ProgramRun help = Run(RFTUNE_PATH, {"--help"}, kWithoutDisplay);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains("--open <NAME>")) << help.out.toStdString();
    const ProgramRun measure = Run(RFTUNE_PATH, {"--no-splash", "--measure-ui"});
    EXPECT_EQ(measure.exitCode, 2);
    EXPECT_TRUE(measure.err.contains("--measure-ui measures a run of --calibrate"));
}

TEST_F(Programs, aScriptedStationFailsWhenThePortDidNotOpenOrALineGotNoReply) {
    const QString picture = home.filePath("station.png");
    // The end of the script closes the tool windows it opened, then the port.
    const ProgramRun answered =
        Run(RFTUNE_PATH, {"--simulate", "--no-splash", "--open", "imei", "--open", "eeprom-map",
                          "--send", "tms 1", "--screenshot", picture});
    EXPECT_EQ(answered.exitCode, 0) << answered.err.toStdString();
    EXPECT_EQ(answered.out, "tms 1\ntestmode set\n");

    const ProgramRun closed = Run(
        RFTUNE_PATH, {"--port", "COM1=/dev/rftune-none", "--no-splash", "--screenshot", picture});
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_TRUE(closed.err.contains("serial port error !!!\n")) << closed.err.toStdString();

    const ProgramRun silent = Run(RFTUNE_PATH, {"--simulate", "--silent", "--no-splash", "--send",
                                                "tms 1", "--screenshot", picture});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_EQ(silent.out, "tms 1\nNo Response\n");
}

TEST_F(Programs, theEepromMapOfTheBenchUnitComesAsItsImageAndASilentTargetExitsOne) {
    // Every byte value, the stuffed ones included.
    const QString unit = home.filePath("unit.eep");
    QFile image(unit);
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    for (int address = 0; address < EepromMapSession::kEndAddress; ++address)
        image.putChar(static_cast<char>(address * 37));
    image.close();
    const ProgramRun dump = Run(RFTUNE_EEPROM_PATH, {"--simulate", "--eeprom", unit, "--format",
                                                     "hex", "--result-dir", home.path()});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    ASSERT_TRUE(image.open(QIODevice::ReadOnly)); // as the bench kept it, its version stamped
    EXPECT_EQ(dump.out.toLatin1(), EepromMapContents(image.readAll(), EepromMapFormat::HexDump));
    EXPECT_TRUE(QFile::exists(home.filePath("Eepresult.txt")));

    const ProgramRun silent = Run(RFTUNE_EEPROM_PATH, {"--simulate", "--silent", "--timeout", "100",
                                                       "--result-dir", home.path()});
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_EQ(silent.err, "rftune-eeprom: serial comm error at address 0\n");
    EXPECT_EQ(Run(RFTUNE_EEPROM_PATH, {"--format", "bin"}).exitCode, 2); // no image on a terminal
}

TEST_F(Programs, theBenchChecksAtStartThatItCanKeepTheEepromAndVisaNamesABadResource) {
    const ProgramRun bench = Run(RFTUNE_SIM_PATH, {"--eeprom", "/nonexistent/unit.eep"});
    EXPECT_EQ(bench.exitCode, 2);
    EXPECT_TRUE(bench.err.startsWith("rftune-sim: /nonexistent/unit.eep: "))
        << bench.err.toStdString();

    const ProgramRun visa =
        Run(RFTUNE_VISA_PATH, {"--visa-library", "/nonexistent/libvisa.so", "GPIB0:4", "*IDN?"});
    EXPECT_EQ(visa.exitCode, 2);
    EXPECT_TRUE(visa.err.startsWith("rftune-visa: GPIB0:4: bad resource name"))
        << visa.err.toStdString();
}

namespace {

// The start-up of a program with windows and --simulate, over a settings file of the test's own.
class StartupLinkSettings : public testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QSettings settings{QLatin1String(kSettingsOrganization),
                           QLatin1String(kSettingsApplication)};
        settings.setValue("Link/ReplyChecksum", "warn");
    }
    void TearDown() override { LinkSettings::SetReplyChecksumCheck(ReplyChecksum::Ignore); }

    static ReplyChecksum CheckAfter(const QStringList& arguments) {
        StationStartup startup("station", "A station.",
                               StationStartup::kPortOptions | StationStartup::kSimulate);
        QString error;
        EXPECT_TRUE(startup.Process(QStringList{"station"} + arguments, &error))
            << error.toStdString();
        return LinkSettings::ReplyChecksumCheck();
    }

    QTemporaryDir home;
};

} // namespace

TEST_F(StartupLinkSettings, aSimulatedBenchRejectsWrongChecksumsUnlessTheCommandLineSaysOtherwise) {
    EXPECT_EQ(CheckAfter({}), ReplyChecksum::Warn);
    EXPECT_EQ(CheckAfter({"--simulate"}), ReplyChecksum::Reject);
    EXPECT_EQ(CheckAfter({"--simulate", "--reply-checksum", "IGNORE"}), ReplyChecksum::Ignore);

    StationStartup startup("station", "A station.", StationStartup::kPortOptions);
    QString error;
    EXPECT_FALSE(startup.Process(QStringList{"station", "--reply-checksum", "maybe"}, &error));
    EXPECT_EQ(error, "bad --reply-checksum value \"maybe\" (ignore, warn, reject)");
}
