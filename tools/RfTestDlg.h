#pragma once

#include "widgets/TargetWindow.h"

class CComm;
class QGroupBox;
class QLayout;
class QLineEdit;
class RfTestSession;

// The RF test panel: numbered step buttons that drive the target's transmitter ("TX TEST"), its
// continuous receiver ("RX Continous") and its AFC DAC ("AFC DAC"), a free command line sent on
// Enter, and a result box. The RfTestSession does the work; this is its view.
class CRfTestDlg : public TargetWindow {
    Q_OBJECT
public:
    explicit CRfTestDlg(CComm& comm, QWidget* parent = nullptr);

    RfTestSession& Session() { return *session_; }

protected:
    // A plain left click anywhere in the panel empties the result box; Enter anywhere sends the
    // "Other command" line and goes no further, so that it never closes the panel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* MakeTxTest();
    QGroupBox* MakeRxContinuous();
    QGroupBox* MakeAfcDac();
    QLayout* MakeBottomRow();
    void OnEnter();

    RfTestSession* session_;
    QLineEdit* otherCommand_ = nullptr;
};
