#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationResults.h"
#include "autocal/CalibrationThread.h"

#include <QObject>
#include <QString>

#include <optional>

class CComm;

// What the operator's cycle is asked to do: the RF parameter configuration, what to run, for
// how many targets, and where the results go.
struct CycleOptions {
    CalibrationConfig config = DefaultConfig();
    ResultHeader header;
    bool runAll = true;
    ActiveCalibration calibration = CAL_NONE; // the one calibration without run all
    int units = 1;
    QString resultDirectory;
    int maxRepeats = 0; // repeats of an unanswered command before the unit fails; 0 for ever
};

// The operator's cycle without the window: check the instruments, wait for a target to draw
// current (without a supply: start at once), run, and for each further unit wait for the
// removal and the next target. Everything the window would show comes out as lines; the OK/FAIL
// popup is acknowledged at once.
class StationCycle : public QObject {
    Q_OBJECT
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kCalibrationFailed = 1;
    // An instrument or the target port is not there, or an RF run has no test set configured.
    static constexpr int kStationFailed = 2;

    StationCycle(CComm& comm, CycleOptions options, QObject* parent = nullptr);

    void Start();
    CalibrationThread& Thread() { return thread_; }
    // The program is asked to end (a signal): a run ends the safe way, as STOP ends it, and the
    // cycle finishes with status once the engine has done so. Nothing more is started.
    void Interrupt(int status);

signals:
    // A line of what the window shows: status lines, result tables, outcome, elapsed time.
    void lineShown(const QString& line);
    // Something wrong with the station rather than the target, in words.
    void problemShown(const QString& text);
    void runStarted();
    void runEnded(bool success);
    // The cycle is over: kSucceeded when every unit passed.
    void finished(int status);

private:
    void Connect();
    void OnStatus(const QString& text);
    void OnInstrumentsChecked(bool testSetOpen, bool supplyOpen);
    void OnResults(int calibration, const CalibrationResults& results);
    void OnOkFail(const QString& text);
    void OnFinished(int calibration);
    void OnFailed();
    void StartRun();
    void EndRun(bool success);
    void Finish(int status);
    bool WatchesSupply() const;
    bool BoardModeCheck() const;

    CycleOptions options_;
    CalibrationThread thread_;
    QString lastStatus_;
    bool checked_ = false;
    bool running_ = false;
    bool over_ = false;
    bool interrupted_ = false;
    int unitsDone_ = 0;
    // The run is over and the popup that tells how is still to come: whether it succeeded.
    std::optional<bool> endAtPopup_;
    int status_ = kSucceeded;
};
