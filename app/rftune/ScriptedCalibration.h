#pragma once

#include "app/rftune/EventLoopGapMeter.h"
#include "app/startup/CalibrationOptions.h"
#include "base/MessageService.h"
#include "station/StationCycle.h"

#include <QObject>
#include <QPointer>
#include <QThread>

#include <memory>

class CAutocalibDlg;
class CMainFrame;

// rftune --calibrate: one unit calibrated through the calibration window, as an operator does
// it. Opens the target, applies the configuration as the RF parameter dialog's OK would, opens
// AutoCalibration, fills the result file's header fields, presses "Instrument Check", waits for
// the phone (without a supply it is taken to be there), presses "AUTO CAL START" and waits for
// the end: the operator's cycle of rftune-cal, pressing the window's buttons. Then it keeps a
// picture of the screen (with the OK/FAIL popup of a failure) when asked and quits with the
// cycle's status. Status lines go to standard output as they change; message boxes to standard
// error, as nobody is there to close them.
class ScriptedCalibration : public QObject, private MessageSink {
    Q_OBJECT
public:
    struct Options {
        CalibrationSetup setup;
        QString screenshotFile;
        // Prints the largest gap between two turns of the window's event loop during the run.
        bool measureUi = false;
    };

    ScriptedCalibration(CMainFrame& frame, Options options);
    ~ScriptedCalibration() override;

    void Start();
    // The program is asked to end (a signal): a run is stopped as STOP stops it, then the program
    // quits with status.
    void Interrupt(int status);

private:
    void Show(const QString& text, MessageIcon icon) override;
    bool OpenWindow();
    void MakeCycle();
    StationButtons WindowButtons();
    void OnFinished(int status);
    void StartMeasuring();
    void StopMeasuring();
    void TakeScreenshot();
    void Fail(const QString& problem, int status);
    void Quit(int status);

    CMainFrame& frame_;
    Options options_;
    QPointer<CAutocalibDlg> window_;
    // Goes with the window, whose station it drives.
    std::unique_ptr<StationCycle> cycle_;
    EventLoopGapMeter meter_;
    // The same measurement on a thread with nothing else to do: what the machine's scheduling
    // alone costs meanwhile.
    QThread idleThread_;
    EventLoopGapMeter* idleMeter_ = nullptr;
    bool over_ = false;
    MessageSink* previousSink_ = nullptr;
    bool sinkInstalled_ = false;
};
