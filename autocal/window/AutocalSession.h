#pragma once

#include "autocal/CalibrationResults.h"

#include <QObject>

#include <memory>

class CalibrationEngine;
class CalibrationStation;
class CComm;
class EndingStations;
class RecordWriter;
class RfConfiguration;
class TargetSession;
struct CalibrationConfig;

// The calibration window without its widgets: a calibration station following the station's RF
// parameter configuration, and the operator's commands handed to its engine. The window is a view
// of the engine's signals; whoever holds the session can press what the window's buttons press.
class AutocalSession : public QObject {
    Q_OBJECT
public:
    // ending keeps the station once the session has gone, until it has ended.
    AutocalSession(CComm& comm, RfConfiguration& configuration, EndingStations& ending,
                   QObject* parent = nullptr);
    // The station goes on ending on its own: a run ends the safe way, the instruments close.
    ~AutocalSession() override;

    // Its signals come from the engine's thread; connected with automatic connections they are
    // queued to the receiver's.
    CalibrationEngine& Engine();
    CalibrationStation& Station() { return *station_; }
    TargetSession& Target();
    // Where every run's record goes; its notices are the operator's to read.
    RecordWriter& Records();

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
    // The window is closing: a run ends the safe way, and stopped() follows once it has; the
    // engine takes no command any more.
    void Leave();
    bool HasStopped() const { return stopped_; }

signals:
    void stopped();

private:
    void SetConfig(const CalibrationConfig& config);

    EndingStations& ending_;
    std::unique_ptr<CalibrationStation> station_;
    bool stopped_ = false;
};
