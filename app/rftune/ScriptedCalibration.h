#pragma once

#include "app/rftune/EventLoopGapMeter.h"
#include "app/startup/CalibrationOptions.h"
#include "base/MessageService.h"

#include <QObject>
#include <QPointer>
#include <QThread>

class CAutocalibDlg;
class CMainFrame;

// rftune --calibrate: one unit calibrated through the calibration window, as an operator does
// it. Opens the target, applies the configuration as the RF parameter dialog's OK would, opens
// AutoCalibration, fills the result file's header fields, presses "Instrument Check", waits for
// the phone (without a supply it is taken to be there), presses "AUTO CAL START" and waits for
// the end, closing the OK/FAIL popup. Then it keeps a picture of the screen when asked and quits
// with kSucceeded on "Calibration Success....", kCalibrationFailed on a failure, kStationFailed
// when the port or an instrument cannot be opened or no test set is configured. Status lines go
// to standard output as they change; message boxes to standard error, as nobody is there to
// close them.
class ScriptedCalibration : public QObject, private MessageSink {
    Q_OBJECT
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kCalibrationFailed = 1;
    static constexpr int kStationFailed = 2;

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
    void ConnectEngine();
    void OnStatus(const QString& text);
    void OnInstrumentsChecked(bool testSetOpen, bool supplyOpen);
    void PressStart();
    void OnFinished(int calibration);
    void OnOkFail(const QString& text);
    void AcknowledgeFailure();
    void StartMeasuring();
    void EndRun();
    void TakeScreenshot();
    void Fail(const QString& problem, int status);
    void Quit(int status);

    CMainFrame& frame_;
    Options options_;
    QPointer<CAutocalibDlg> window_;
    EventLoopGapMeter meter_;
    // The same measurement on a thread with nothing else to do: what the machine's scheduling
    // alone costs meanwhile.
    QThread idleThread_;
    EventLoopGapMeter* idleMeter_ = nullptr;
    QString lastStatus_;
    bool checked_ = false;
    bool started_ = false;
    bool over_ = false;
    MessageSink* previousSink_ = nullptr;
    bool sinkInstalled_ = false;
};
