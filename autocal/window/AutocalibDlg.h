#pragma once

#include "autocal/CalibrationResults.h"
#include "autocal/StationStatus.h"
#include "widgets/OkfaildispDlg.h"
#include "widgets/TargetWindow.h"

#include <QPointer>

class AutocalSession;
class ChannelFollower;
class CComm;
class CLabel;
class EndingStations;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class ResultPanel;
class RfConfiguration;

// "RF Calibration QM310QT310 V1.4": the operator's station for calibrating one target after
// another. Every button hands its command to the calibration engine, which runs on its own
// thread, and every control shows what the engine reports, so the window answers the operator
// while the engine waits on the target and the instruments. Closing it ends a run the safe way
// and closes the test set and the supply; the window goes once the run has stopped, and the
// station, kept by ending, closes the instruments and writes the record after it.
class CAutocalibDlg : public TargetWindow {
    Q_OBJECT
public:
    CAutocalibDlg(CComm& comm, RfConfiguration& configuration, EndingStations& ending,
                  QWidget* parent = nullptr);

    AutocalSession& Session() { return *session_; }
    // "Battery CAL", "CLEAR", the mode, "EEP FULL RESET" and "EXIT" are disabled on the line; an
    // engineer's station enables them (the [AutoCal] EngineerControls setting).
    void EnableEngineerControls(bool on);
    // Fills "MODEL", "Phone Stage" and "Phone name" as the operator would.
    void FillHeader(const ResultHeader& header);

    CLabel& StatusLine() { return *status_; }
    QLabel& InstrumentResult() { return *instrumentResult_; }
    QLabel& TargetResult() { return *targetResult_; }
    QLabel& ElapsedTime() { return *elapsed_; }
    QProgressBar& Progress() { return *progress_; }
    ResultPanel& Results() { return *results_; }
    // By object name: "instrumentCheck", "targetCheck", "start", "stop", "batteryCal", "clear",
    // "eepFullReset", "exit".
    QPushButton& Button(const char* name) const;
    // The OK/FAIL popup while it is shown.
    COkfaildispDlg* Popup() const { return popup_.data(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* MakeHeaderRow();
    QWidget* MakeSideColumn();
    QWidget* MakeGmagicGroup();
    QWidget* MakeBatteryGroup();
    QWidget* MakeChecks();
    QWidget* MakeRunButtons();
    QWidget* MakeStatusRows();
    void ConnectButtons();
    void ConnectEngine();

    void SendHeader();
    void OnStatus(const QString& text, StatusStyle style);
    void OnProgress(int position);
    void OnResultsShown(int calibration, const CalibrationResults& results);
    void OnOkFail(const QString& text);
    void ClearBatteryEdits();

    AutocalSession* session_;
    ChannelFollower* follower_ = nullptr;
    QComboBox* model_;
    QComboBox* stage_;
    QLineEdit* name_;
    QComboBox* mode_;
    ResultPanel* results_;
    QLineEdit* gmagicGsm_;
    QLineEdit* gmagicDcs_;
    QLineEdit* battery_;
    QLineEdit* clock_;
    CLabel* status_;
    QProgressBar* progress_;
    QLabel* elapsed_;
    QLabel* instrumentResult_;
    QLabel* targetResult_;
    QPointer<COkfaildispDlg> popup_;
};
