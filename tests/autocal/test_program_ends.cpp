// How the station programs end when a line stops them or a unit never answers: rftune-cal and
// rftune --calibrate as processes on a bench of the test's own, their target line tapped.
#include "records/RecordDatabase.h"
#include "records/RecordStore.h"
#include "sim/bench/SimBench.h"
#include "tests/autocal/TargetTap.h"
#include "tests/autocal/WireLines.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr double kTimeScale = 0.01;

struct Stop {
    const char* program;
    const char* ownOptions; // what makes the program calibrate, separated by blanks
    int signalNumber;
    const char* signalAfter; // the line on the target's line after which the signal is sent
    const char* safeStop;    // the line that must follow it
};

void PrintTo(const Stop& stop, std::ostream* os) {
    *os << QFileInfo(QString::fromLatin1(stop.program)).fileName().toStdString() << " signal "
        << stop.signalNumber << " after \"" << stop.signalAfter << "\"";
}

class ProgramEnds : public testing::TestWithParam<Stop> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        BenchOptions options;
        options.restartMs = static_cast<int>(options.restartMs * kTimeScale);
        bench = std::make_unique<SimBench>(options);
        QString error;
        ASSERT_TRUE(bench->Start(&error)) << error.toStdString();
        ASSERT_TRUE(tap.Open(bench->TargetDevice(), &error)) << error.toStdString();
    }

    void TearDown() override {
        if (process.state() != QProcess::NotRunning)
            process.kill();
        process.waitForFinished(5000);
        QString error;
        EXPECT_TRUE(bench->Stop(&error)) << error.toStdString();
    }

    // The program on the bench: the target through the tap, the instruments at their aliases,
    // its records in a file of the test's.
    void Start(const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        environment.insert("XDG_DATA_HOME", dir.filePath("data"));
        process.setProcessEnvironment(environment);
        QStringList all{"--port",           "COM1=" + tap.StationDevice(),
                        "--time-scale",     QString::number(kTimeScale),
                        "--test-set",       "A8960 E5515B",
                        "--records",        RecordsPath(),
                        "--result-dir",     dir.path(),
                        "--reply-checksum", "reject"};
        for (const QString& alias : bench->VisaAliases())
            all << "--visa-alias" << alias;
        process.start(program, all + arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
    }

    bool WaitForLine(const QString& line) {
        return QTest::qWaitFor([&] { return Lines().contains(line); }, 60000);
    }

    bool WaitForEnd() {
        return QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000);
    }

    QStringList Lines() const { return wire.LinesOf(tap.Packets()); }
    QString Out() { return out += QString::fromUtf8(process.readAllStandardOutput()); }
    QString RecordsPath() const { return dir.filePath("runs.sqlite"); }

    QList<RunRecord> Runs() {
        RecordStore store(*ParseDatabaseUrl(RecordsPath(), nullptr));
        QString error;
        EXPECT_TRUE(store.Open(&error)) << error.toStdString();
        const std::optional<QList<RunRecord>> runs = store.Runs({}, false, &error);
        EXPECT_TRUE(runs) << error.toStdString();
        return runs.value_or(QList<RunRecord>{});
    }

    QTemporaryDir dir;
    WireLines wire;
    std::unique_ptr<SimBench> bench;
    TargetTap tap;
    QProcess process;
    QString out;
};

} // namespace

// The first signal is the window's STOP: the phone's transmitter or call goes off, the test set is
// preset, the run is recorded as stopped, and the exit status tells which signal it was.
TEST_P(ProgramEnds, aSignalStopsTheRunTheSafeWayRecordsItAndExitsWithItsNumber) {
    const Stop stop = GetParam();
    Start(QString::fromLatin1(stop.program), QString::fromLatin1(stop.ownOptions).split(' '));
    ASSERT_TRUE(WaitForLine(QString::fromLatin1(stop.signalAfter))) << Out().toStdString();
    const qsizetype sent = tap.Packets().size();
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), stop.signalNumber), 0);
    ASSERT_TRUE(WaitForEnd()) << Out().toStdString();

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + stop.signalNumber);
    EXPECT_TRUE(Out().contains("Calibration Stopped....\n")) << out.toStdString();
    const QStringList after = Lines().mid(sent);
    EXPECT_TRUE(after.contains(QString::fromLatin1(stop.safeStop)))
        << after.join(", ").toStdString();
    const QList<RunRecord> runs = Runs();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].outcome, RunOutcome::Stopped);
}

INSTANTIATE_TEST_SUITE_P(
    EachWayOfStopping, ProgramEnds,
    testing::Values(Stop{RFTUNE_CAL_PATH, "--run=rx", SIGINT, "se 100", "se 101"},
                    Stop{RFTUNE_CAL_PATH, "--run=gsm-tx", SIGTERM, "rfe 7", "rfe 0"},
                    Stop{RFTUNE_CAL_PATH, "--run=gsm-tx", SIGHUP, "rfe 7", "rfe 0"},
                    Stop{RFTUNE_PATH, "--no-splash --calibrate", SIGTERM, "rfe 7", "rfe 0"}));

class SilentUnit : public ProgramEnds {};

// A dead unit is given up after the repeats allowed: it fails with the command that got no answer,
// is recorded so, and the station goes on to the next unit.
TEST_F(SilentUnit, failsAfterItsRepeatsWithTheUnansweredLineAndTheStationGoesOn) {
    TargetFaults silent;
    silent.silent = true;
    bench->Target().SetFaults(silent);
    Start(QStringLiteral(RFTUNE_CAL_PATH),
          {"--max-repeats", "2", "--units", "2", "--supply", "NOT USED"});
    ASSERT_TRUE(WaitForEnd()) << Out().toStdString();
    EXPECT_EQ(process.exitCode(), 1);
    const QStringList lines = Out().split('\n');
    EXPECT_EQ(lines.count("No Response (2)"), 2) << out.toStdString();
    EXPECT_FALSE(lines.contains("No Response (3)"));
    EXPECT_EQ(lines.count("No Response: ti"), 2);
    const QList<RunRecord> runs = Runs();
    ASSERT_EQ(runs.size(), 2);
    for (const RunRecord& run : runs) {
        EXPECT_EQ(run.outcome, RunOutcome::Failed);
        EXPECT_EQ(run.failureText, "No Response: ti");
        EXPECT_EQ(run.failedCalibration, "GMAGIC");
    }
}
