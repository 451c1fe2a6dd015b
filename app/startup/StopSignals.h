#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that ask a station program to end: Ctrl-C (SIGINT), SIGTERM and SIGHUP (a closed
// terminal, a logout). The first is delivered on the event loop of the thread that made this
// object, so that the program can end what it is doing the safe way; a second one ends the
// process at once. One per process.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // What a program stopped by signal number exits with, as a shell reports a process the
    // signal ended.
    static int ExitStatus(int signalNumber) { return 128 + signalNumber; }

signals:
    void stopRequested(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* notifier_ = nullptr;
};
