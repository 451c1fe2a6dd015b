#pragma once

#include "widgets/TargetWindow.h"

class CComm;
class CHistory;
class ManualSession;
class QLineEdit;
class QPushButton;

// The manual command window: the operator types any command line, it is echoed, sent, and
// every reply is shown in words. All of that is the ManualSession; this is its view.
class CManualCalDlg : public TargetWindow {
    Q_OBJECT
public:
    explicit CManualCalDlg(CComm& comm, QWidget* parent = nullptr);

    ManualSession& Session() { return *session_; }
    CHistory& Display() { return *display_; }
    QLineEdit& Input() { return *input_; }
    QPushButton& SendButton() { return *send_; }

private:
    void OnSend();

    ManualSession* session_;
    CHistory* display_;
    QLineEdit* input_;
    QPushButton* send_;
};
