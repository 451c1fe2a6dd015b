#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

// Runs rftune-cmd against a bench that lives in the test's own event loop. The station refuses
// replies with a wrong checksum there, as it does on every simulated bench.
struct CmdRun {
    int exitCode = -1;
    QStringList out; // the lines rftune-cmd printed
    QString err;
};

inline CmdRun RunCmd(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(RFTUNE_CMD_PATH),
                  QStringList{"--reply-checksum", "reject"} + arguments);
    CmdRun run;
    if (!process.waitForStarted(5000))
        return run;
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
        process.kill();
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
