#pragma once

#include "autocal/CalibrationCodes.h"
#include "autocal/CalibrationConfig.h"
#include "autocal/CalibrationResults.h"

#include <QObject>
#include <QString>

#include <functional>

class CalibrationStation;
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

// What the cycle presses at the station.
struct StationButtons {
    std::function<void()> instrumentCheck;
    std::function<void()> start; // "AUTO CAL START", or the one calibration
    std::function<void()> stop;
    std::function<void()> closePopup;
};

// The operator's cycle without an operator, for rftune-cal and rftune --calibrate alike: check
// the instruments, wait for a target to draw current (without a supply: start at once), run,
// and for each further unit wait for the removal and the next target. What the status line, the
// OK/FAIL popup and the elapsed time show comes out as lines, each status once; the popup is
// closed when its run's end has been counted, except the one that ends the cycle, which stays
// for a picture of the screen until the station's end closes it.
class StationCycle : public QObject {
    Q_OBJECT
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kCalibrationFailed = 1;
    // An instrument or the target port is not there, or an RF run has no test set configured.
    static constexpr int kStationFailed = 2;

    StationCycle(CalibrationStation& station, CComm& comm, CycleOptions options,
                 StationButtons buttons, QObject* parent = nullptr);

    // The buttons as calls of the engine; the instrument check first sets the engine up as the
    // window's controls would have it.
    static StationButtons EngineButtons(CalibrationStation& station, const CycleOptions& options);

    void Start();
    // The program is asked to end (a signal): a run ends the safe way, as STOP ends it, and the
    // cycle finishes with status once the engine has done so. Nothing more is started.
    void Interrupt(int status);

signals:
    void lineShown(const QString& line);
    // Something wrong with the station rather than the target, in words.
    void problemShown(const QString& text);
    void runStarted();
    void runEnded(const RunEnd& end);
    // The cycle is over: kSucceeded when every unit passed. Nothing more is shown after it.
    void finished(int status);

private:
    void Connect(CComm& comm);
    void Show(const QString& line);
    void OnStatus(const QString& text);
    void OnInstrumentsChecked(bool testSetOpen, bool supplyOpen);
    void OnOkFail(const QString& text);
    void OnRunEnded(const RunEnd& end);
    void StartRun();
    void Fail(const QString& problem);
    void Finish(int status);

    CalibrationStation& station_;
    CycleOptions options_;
    StationButtons buttons_;
    QString lastStatus_;
    bool checked_ = false;
    bool running_ = false;
    bool popupOpen_ = false;
    bool over_ = false;
    bool interrupted_ = false;
    int unitsDone_ = 0;
    int status_ = kSucceeded;
};
