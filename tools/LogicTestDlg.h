#pragma once

#include "widgets/TargetWindow.h"

class CComm;
class LogicTestSession;
class QGroupBox;
class QLayout;

// The logic test panel: the target's vibrator, backlight, LCD patterns, key test, microphone
// loop, speaker tone, LEDs and LCD contrast by hand, and "LOGIC DATA SAVE". The
// LogicTestSession does the work; this is its view.
class CLogicTestDlg : public TargetWindow {
    Q_OBJECT
public:
    explicit CLogicTestDlg(CComm& comm, QWidget* parent = nullptr);

    LogicTestSession& Session() { return *session_; }

private:
    QGroupBox* MakeMisc();
    QGroupBox* MakeLed();
    QGroupBox* MakeLcdContrast();
    QGroupBox* MakeSubLcd(QWidget* parent);
    QLayout* MakeBottomRow();

    LogicTestSession* session_;
};
