#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>

// How a station program ended and what it printed.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs program to its end with input on its standard input while this thread's events run, so
// that a fake target of the test's can answer; one that has not ended after timeoutMs is killed.
inline ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment, const QByteArray& input = {},
                             int timeoutMs = 120000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs))
        process.kill();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
