#pragma once

#include <QObject>
#include <QTextStream>

#include <memory>

class QSocketNotifier;
class SimBench;

// rftune-sim's operator: bench commands from standard input ("insert", "remove", "status",
// "quit"), and a clean end on end of input or on SIGINT/SIGTERM.
class BenchConsole : public QObject {
    Q_OBJECT
public:
    BenchConsole(SimBench& bench, QTextStream& out);

    // Holds SIGINT and SIGTERM for the console to read. Call it first in main, before any
    // thread starts: threads inherit the mask, and an unblocked thread would die of the signal.
    static void HoldQuitSignals();
    ~BenchConsole() override;

    // Runs one command line; false for "quit".
    bool Execute(const QString& line);

signals:
    void quitRequested();

private:
    void OnInput();
    void OnSignal();

    SimBench& bench_;
    QTextStream& out_;
    QByteArray pending_;
    std::unique_ptr<QSocketNotifier> input_;
    std::unique_ptr<QSocketNotifier> signals_;
    int signalFd_ = -1;
};
