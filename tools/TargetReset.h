#pragma once

#include "widgets/TargetWindow.h"

class CComm;

// "E2P Reset": asks before the target's RF calibration data are erased. "예" closes the dialog
// and sends "se 5" once (or says the link is not connected); "아니오" only closes it. Both end
// the dialog with the result code 5. The target's reply is not awaited: it goes to whichever
// window the channel serves next.
class CTargetReset : public TargetWindow {
    Q_OBJECT
public:
    static constexpr int kResultCode = 5;
    static constexpr int kReplyTimeoutMs = 3000;

    explicit CTargetReset(CComm& comm, QWidget* parent = nullptr);

    TargetSession& Session() { return *session_; }

private:
    void OnYes();
    void OnNo();

    TargetSession* session_;
};
