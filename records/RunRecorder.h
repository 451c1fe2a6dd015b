#pragma once

#include "autocal/CalibrationResults.h"
#include "records/RunRecord.h"

#include <QElapsedTimer>
#include <QObject>

#include <optional>

class CalibrationEngine;
class RecordWriter;

// Listens to a calibration engine and hands one record per run to the writer: what the run
// started with, every value it found and measured, and how it ended. It is called on the
// engine's thread, as the engine signals (so that no run's end is lost to a window that closes),
// and only collects values there: the writer's thread does the writing.
class RunRecorder : public QObject {
    Q_OBJECT
public:
    RunRecorder(CalibrationEngine& engine, RecordWriter& writer, QObject* parent = nullptr);

signals:
    // A run ended and its record went to the writer (emitted on the engine's thread).
    void recorded(const RunRecord& record);

private:
    void OnStarted(const RunSetup& setup);
    void OnResults(int calibration, const CalibrationResults& results);
    void OnEnded(const RunEnd& end);

    RecordWriter& writer_;
    QString testSetIdentity_;
    QString supplyIdentity_;
    std::optional<RunRecord> run_;
    QElapsedTimer clock_;
};
