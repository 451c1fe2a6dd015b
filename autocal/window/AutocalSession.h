#pragma once

#include "autocal/CalibrationResults.h"
#include "autocal/CalibrationThread.h"
#include "records/RecordWriter.h"
#include "records/RunRecorder.h"

#include <QObject>

#include <optional>

class CalibrationEngine;
class CComm;
class RfConfiguration;
class TargetSession;
struct CalibrationConfig;

// The calibration window without its widgets: the engine on a thread of its own, following the
// station's RF parameter configuration, and the operator's commands handed to it. The window is
// a view of the engine's signals; whoever holds the session can press what the window's buttons
// press.
class AutocalSession : public QObject {
    Q_OBJECT
public:
    AutocalSession(CComm& comm, RfConfiguration& configuration, QObject* parent = nullptr);
    // As the window closes: a run ends the safe way, then the engine closes the test set and the
    // supply as it goes.
    ~AutocalSession() override;

    // Its signals come from the engine's thread; connected with automatic connections they are
    // queued to the receiver's.
    CalibrationEngine& Engine() { return thread_.Engine(); }
    TargetSession& Target();
    // Where every run's record goes; its notices are the operator's to read.
    RecordWriter& Records() { return writer_; }

    void SetResultHeader(const ResultHeader& header);
    void SetResultDirectory(const QString& directory);
    void SetRfMode(bool rf);
    void SetMaxRepeats(int repeats);
    void InstrumentCheck();
    void TargetCheck();
    void StartAutoCal();
    void StartBoardCal();
    void EepFullReset();
    void Stop();
    void AcknowledgeOkFail();

private:
    void SetConfig(const CalibrationConfig& config);

    // Declared before the engine's thread, which calls the recorder: both outlive it.
    RecordWriter writer_;
    std::optional<RunRecorder> recorder_;
    CalibrationThread thread_;
};
