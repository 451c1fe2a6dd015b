// rftune-cal as a process, on its own simulated bench, and the operator's cycle it shares with
// rftune --calibrate.
#include "tests/app/ProgramRun.h"
#include "tests/support/FakeTarget.h"
#include "tests/support/PtyPair.h"
#include "tests/support/QtPrinting.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RftuneCal : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid() && results.isValid()); }

    // Runs rftune-cal (or program) on a shortened clock, with settings of its own and
    // "calresult.txt" in a directory of the test's, while the test's event loop runs (a fake
    // target may answer).
    ProgramRun Run(const QStringList& arguments, const QStringList& program = {RFTUNE_CAL_PATH}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path());
        return RunProgram(program[0],
                          program.mid(1) +
                              QStringList{"--time-scale", "0.01", "--result-dir", results.path()} +
                              arguments,
                          environment);
    }

    // The header and block title lines of "calresult.txt", in order.
    QStringList ResultTitles() const {
        QFile file(results.filePath("calresult.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {"(no calresult.txt)"};
        QStringList titles;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("#####"))
                titles << "header";
            else if (line.startsWith("*****"))
                titles << QString::fromLatin1(line.trimmed());
        }
        return titles;
    }

    QTemporaryDir home;
    QTemporaryDir results;
};

const QString kGmagic = "***** Gmagic Calibration *****";
const QString kRx = "***** RX CHANNEL Calibration *****";

// The 8960 where the test set does not matter: its driver waits for every answer, while the
// Willtek's generator lines go out unanswered, and on this clock a very slow machine can have the
// target measure before the simulated Willtek has read them.
const QStringList k8960{"--test-set", "A8960 E5515B"};

} // namespace

class EitherProgram : public RftuneCal, public testing::WithParamInterface<QStringList> {};

// rftune-cal and rftune --calibrate run one operator's cycle: a flawed unit fails with its popup's
// text last and 1, adding no result; without a test set nothing starts, nothing goes to the
// target, and they say why with 2.
TEST_P(EitherProgram, aFlawedUnitExitsOneWithItsTextLastAndNoTestSetTwoSendingNothing) {
    const ProgramRun flawed =
        Run(QStringList{"--simulate", "--flaw", "gmagic"} + k8960, GetParam());
    EXPECT_EQ(flawed.exitCode, 1) << flawed.err.toStdString();
    EXPECT_TRUE(flawed.out.endsWith("\nGMAGIC CAL FAIL\n")) << flawed.out.toStdString();
    EXPECT_FALSE(QFile::exists(results.filePath("calresult.txt")));

    PtyPair pty;
    FakeTarget target(pty);
    const ProgramRun unconfigured =
        Run({"--port", "COM1=" + pty.SlavePath(), "--test-set", "NOT USED", "--supply", "NOT USED"},
            GetParam());
    EXPECT_EQ(unconfigured.exitCode, 2) << unconfigured.err.toStdString();
    EXPECT_EQ(unconfigured.out, "No test set configured: Auto Cal > RF Parameter Setting\n");
    EXPECT_TRUE(target.Packets().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OneCycle, EitherProgram,
                         testing::Values(QStringList{RFTUNE_CAL_PATH},
                                         QStringList{RFTUNE_PATH, "--no-splash", "--calibrate"}));

TEST_F(RftuneCal, aUsageErrorOrATestSetThatCannotBeOpenedExitsTwoAndSaysWhich) {
    const ProgramRun unknown = Run({"--simulate", "--run", "everything"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("unknown --run \"everything\"")) << unknown.err.toStdString();
    const ProgramRun noUnits = Run({"--simulate", "--units", "0"});
    EXPECT_EQ(noUnits.exitCode, 2);
    EXPECT_TRUE(noUnits.err.contains("--units")) << noUnits.err.toStdString();

    // An 8960 aliased to a port nobody listens on.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    PtyPair pty;
    FakeTarget target(pty);
    const ProgramRun noTestSet =
        Run({"--port", "COM1=" + pty.SlavePath(), "--test-set", "A8960 E5515B", "--visa-alias",
             QStringLiteral("GPIB0::14::INSTR=TCPIP0::127.0.0.1::%1::SOCKET").arg(port)});
    EXPECT_EQ(noTestSet.exitCode, 2);
    EXPECT_TRUE(noTestSet.err.contains("cannot open the test set A8960 E5515B at GPIB0::14::INSTR"))
        << noTestSet.err.toStdString();
}

// The default run of all four is the records soak's (tests/records/test_records_soak.cpp).
TEST_F(RftuneCal, oneCalibrationAloneRunsThatOnly) {
    const ProgramRun gmagic = Run(QStringList{"--simulate", "--run", "gmagic"} + k8960);
    EXPECT_EQ(gmagic.exitCode, 0) << gmagic.err.toStdString();
    EXPECT_TRUE(gmagic.out.contains("GMAGIC CAL END\n"));
    EXPECT_FALSE(gmagic.out.contains("RX CAL Processing..."));
    EXPECT_EQ(ResultTitles(), (QStringList{"header", kGmagic}));

    const ProgramRun rx = Run(QStringList{"--simulate", "--run", "rx"} + k8960);
    EXPECT_EQ(rx.exitCode, 0) << rx.err.toStdString();
    EXPECT_TRUE(rx.out.contains("RX CAL END\n"));
    EXPECT_FALSE(rx.out.contains("GMAGIC CAL Processing..."));
    EXPECT_FALSE(rx.out.contains("GSMTX CAL Processing..."));
    EXPECT_EQ(ResultTitles(), (QStringList{"header", kGmagic, kRx}));

    // The board calibration needs no test set.
    const ProgramRun board = Run({"--simulate", "--run", "board", "--test-set", "NOT USED"});
    EXPECT_EQ(board.exitCode, 0) << board.err.toStdString();
    EXPECT_TRUE(board.out.contains("!!!  SUCCESS  !!!\n")) << board.out.toStdString();
    EXPECT_EQ(ResultTitles(),
              (QStringList{"header", kGmagic, kRx, "header", "***** Battery Calibration *****"}));
}
