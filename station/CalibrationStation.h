#pragma once

#include "records/RecordDatabase.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QThread>

#include <functional>
#include <optional>

class CalibrationEngine;
class CComm;
class RecordWriter;
class RunRecorder;

// One calibration station: the engine on a thread of its own, so that its fixed delays and
// blocking instrument calls never freeze a window, with the recorder that makes a record of
// each run and the writer that keeps it. All three are made, run and destroyed on that thread,
// so that no run's end is lost and nothing of the station is left when the thread has ended.
// Talk to the engine through Call; listen to its signals with queued connections.
class CalibrationStation : public QObject {
    Q_OBJECT
public:
    // Without a records location, runs are not recorded (measurements, tests).
    CalibrationStation(CComm& comm, const std::optional<DatabaseLocation>& records,
                       QObject* parent = nullptr);
    // Ends the station as End does and waits for it, for the headless programs and tests, where
    // nobody waits on the event loop meanwhile.
    ~CalibrationStation() override;
    CalibrationStation(const CalibrationStation&) = delete;
    CalibrationStation& operator=(const CalibrationStation&) = delete;

    // Not after End.
    CalibrationEngine& Engine() const { return *engine_; }
    // Where the runs' records go; nullptr without records.
    RecordWriter* Records() const { return writer_; }

    // Runs work on the engine's thread after what it is doing now; dropped once End was called.
    void Call(std::function<void(CalibrationEngine&)> work);
    // Ends the station without waiting for it: a run ends the safe way, as STOP ends it, and
    // stopped() follows; then the engine closes the instruments and goes, the writer writes the
    // last record, and ended() follows once the thread has finished. Later calls do nothing.
    void End();
    bool Ending() const { return ending_; }
    // Waits for the end that End began; false when the deadline came first.
    bool WaitForEnd(QDeadlineTimer deadline);

signals:
    void stopped();
    void ended();

private:
    void Make(CComm& comm, const std::optional<DatabaseLocation>& records);

    QThread thread_;
    QObject* anchor_; // on the thread: runs the calls there
    CalibrationEngine* engine_ = nullptr;
    RecordWriter* writer_ = nullptr;
    RunRecorder* recorder_ = nullptr;
    bool engineGone_ = false; // on the engine's thread
    bool ending_ = false;
};
